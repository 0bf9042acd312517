#pragma once

#include "recipes/KeptLines.h"
#include "recipes/RecipeSearches.h"
#include "store/DataSource.h"
#include "store/Database.h"
#include "store/Query.h"
#include "store/RecordSet.h"
#include "store/Table.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// The recipe side of the data store: every recipe record set, data source and
// next-id query, and the operations that browse, edit, delete and calculate
// recipes. Windows and dialogs bind to the public sets and sources by name and
// call the operations; nothing else changes recipe data.
//
// The recipe under edit lives in the four cached edit sets (tblRecipeDescEdit and
// its three details) from a Begin... until the matching Post... or Cancel..., and is
// stored or dropped as one unit.
class IngredientLinker;
class SqliteDatabase;
struct IngredientLink;
struct LinkedLine;
struct LinkedRecipe;
struct ScaledRecipe;

// Lines pasted or linked in one go: how many, and how many of them were linked.
struct LinesAdded {
    int lines = 0;
    int linked = 0;
};

// How many of a recipe's ingredient lines its totals count.
struct LineCoverage {
    int lines = 0;
    int linked = 0;
    bool hasTotals = false;
    // "totals from 10 of 12 ingredient lines"; empty when every line counts.
    std::string note() const;
};

class TDataModuleRecipes {
public:
    // `nutrientPreference` is the food module's preferred-nutrient set ("My Nutrients");
    // the recipe nutrient display is filtered by it.
    explicit TDataModuleRecipes(RecordSet& nutrientPreference, const std::filesystem::path& dataFolder = "data");
    ~TDataModuleRecipes();
    TDataModuleRecipes(const TDataModuleRecipes&) = delete;
    TDataModuleRecipes& operator=(const TDataModuleRecipes&) = delete;

    Database DatabaseRecipe;
    // The ingredient lines of the recipe under edit as written; stored and dropped with it.
    KeptLines IngredientLines{DatabaseRecipe};

    // Lookup sources from the food side (opened first: the recipe sets look into them).
    Table tblNutrientDef;
    Table tblNutrientWeightsAll;
    Table tblFoodDesc;

    // Types and cuisines: browsing (plain) and maintenance (cached).
    Table tblRecipeTypes;
    Table tblRecipeTypes2;
    Table tblRecipeCuisine;
    Table tblRecipeCuisine2;
    DataSource dscRecipeTypes;
    DataSource dscRecipeTypes2;
    DataSource dscRecipeCuisine;
    DataSource dscRecipeCuisine2;

    // The type links of the type on show, and of the type under maintenance.
    Table tblRecipeDescAndTypes;
    DataSource dscRecipeDescAndTypes;
    Table tblRecipeDescAndTypes2;

    // The displayed recipes: dscDisplayRecipes points at one of the three.
    Table tblDispalyRecipesAll;
    Table tblDisplayRecipesByTypes;
    Table tblDisplayRecipesByCuisine;
    DataSource dscDisplayRecipes;
    // The stored recipes of the cuisine under maintenance (its in-use test).
    Table tblRecipeDescByCuisine;

    // The displayed recipe's details.
    Table tblRecipeDescAndTypes3;
    DataSource dscRecipeDescAndTypes3;
    Table tblRecipeIngredients;
    DataSource dscRecipeIngredients;
    Table tblRecipeNutrientData;
    DataSource dscRecipeNutrientData;

    // The recipe under edit.
    Table tblRecipeDescEdit;
    DataSource dscRecipeDescEdit;
    Table tblRecipeIngredientEdit;
    DataSource dscRecipeIngredientEdit;
    Table tblRecipeDescAndTypesEdit;
    DataSource dscRecipeDescAndTypesEdit;
    Table tblRecipeNutrientDataEdit;
    DataSource dscRecipeNutrientDataEdit;
    // The food nutrient rows of the ingredient on which tblRecipeIngredientEdit stands.
    Table tblRecipeIngredientNutrientDataEdit;

    // Next-id queries.
    Query sqlMaxR_ID;
    Query sqlMaxRTYPE_ID;

    // Keyword and saved searches; their results show through ShowSearchResults.
    RecipeSearches Searches;

    void DataModuleCreate();

    // Name lists for the recipe tree; valid until the next call.
    std::vector<std::string>& GetCuisineNames();
    std::vector<std::string>& GetRecipeTypeNames();

    // Display choices.
    void ShowAllRecipes();
    void ShowRecipesByCuisine(const std::string& cuisine);
    void ShowRecipesByType(const std::string& recipeType);
    void ShowSearchResults();
    void dscRecipeTypesDataChange(DataSource& sender, Field* field);

    // Next ids.
    std::int32_t NextRecipeTypeId();
    std::int32_t NextRecipeId();

    // Guarded deletes of the maintenance sets' current rows (pending until applied).
    void DeleteRecipeType();
    void DeleteCuisine();

    void ApplyNutrientPreferenceFilter();

    // The recipe under edit.
    void BeginNewRecipe();
    void PostNewRecipe();
    void CancelNewRecipe();
    void BeginEditRecipe();
    void PostEditedRecipe();
    void CancelEditedRecipe();
    void DeleteDisplayedRecipe();
    void ApplyRecipeEdits();
    void CancelRecipeEdits();

    // Sums the linked ingredients' food nutrients into the recipe under edit. With
    // lines left unlinked it says so first, and sums the linked ones if the user agrees.
    void CalculateRecipeNutrients();

    // A recipe read from outside as a new recipe under edit: its fields, types (new
    // ones pending), lines as written with their links, and totals (typed ones it
    // carries, else those of its linked lines). A cuisine new to the folder is made
    // when the recipe is stored, unless the user chooses one first.
    void BeginImportedRecipe(const LinkedRecipe& imported);
    const std::string& ImportedCuisine() const { return importedCuisine_; }

    // A scaled recipe under edit: a new recipe, or the stored one itself changed in
    // place (its serves, quantities, links, lines as written and totals).
    void BeginScaledRecipe(const ScaledRecipe& scaled, bool itself);

    // Ingredient lines as the cook writes them. The linker reads, matches and
    // weighs them; its index of the foods is built on first use.
    IngredientLinker& Linker();
    // The ingredient row under edit takes the line: its three fields, and the line kept.
    void SetIngredientLine(const std::string& line);
    // The current ingredient's line: as kept, or written from its three fields.
    std::string IngredientLineOf();
    // Writes the link onto the ingredient row under edit, as the link button does.
    void LinkIngredient(const IngredientLink& link);
    // One new ingredient per line (headings skipped), linked where the matcher is confident.
    LinesAdded AddIngredientLines(const std::string& text);
    // Proposes links for the unlinked ingredients; links the confident ones.
    LinesAdded LinkUnlinkedIngredients();
    LineCoverage EditedLineCoverage();
    LineCoverage DisplayedLineCoverage();

    // Calculated-field handlers.
    void tblRecipeNutrientDataCalcFields(RecordSet& dataSet);
    void tblRecipeNutrientDataEditCalcFields(RecordSet& dataSet);
    void tblRecipeIngredientsCalcFields(RecordSet& dataSet);
    void tblRecipeIngredientEditCalcFields(RecordSet& dataSet);

private:
    struct ServeFields {
        Field* total = nullptr;
        Field* perServe = nullptr;
        RecordSet* recipe = nullptr; // the master whose serves are read
        Field* serves = nullptr;
    };

    void setServeValue(RecordSet& nutrients, ServeFields& fields, RecordSet* recipe);
    void setLinked(RecordSet& ingredients);
    // Filters the by-type list to the recipes linked to the type tblRecipeTypes stands on.
    void followShownType();
    void SumLinkedIngredients();
    void addImportedType(const std::string& name);
    void addImportedLine(const LinkedLine& line);
    void storeImportedCuisine(SqliteDatabase& db);

    std::string importedCuisine_;
    std::vector<RecordSet*> editSets();

    RecordSet& nutrientPreference_;
    std::unique_ptr<IngredientLinker> linker_;
    std::vector<std::string> cuisineNames_;
    std::vector<std::string> recipeTypeNames_;
    ServeFields displayServeFields_;
    ServeFields editServeFields_;
};

extern TDataModuleRecipes* DataModuleRecipes;
