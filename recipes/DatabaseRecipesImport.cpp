// A recipe read from outside, opened as a new recipe under edit for the user to
// review: nothing of it is stored until the wizard's OK stores it all at once.

#include "recipes/DatabaseRecipes.h"

#include "cookbook/RecipeScaling.h"
#include "exchange/RecipeLinking.h"
#include "kitchen/IngredientLinker.h"
#include "store/Field.h"
#include "store/ProgramError.h"
#include "store/Sqlite.h"
#include "store/Text.h"

namespace {

void setNumber(Field& field, const std::optional<double>& number)
{
    if (number)
        field.setAsFloat(*number);
    else
        field.clear();
}

void setText(Field& field, const std::string& text)
{
    if (text.empty())
        field.clear();
    else
        field.setAsString(text);
}

// The row of `names` whose text equals `name` ignoring case.
bool locateName(RecordSet& names, const char* field, const std::string& name)
{
    const Field& text = names.fieldByName(field);
    for (int row = 0; row < names.recordCount(); ++row)
        if (equalNamesIgnoringCase(text.textOf(names.valueAt(row, text)), name)) {
            names.setRecNo(row + 1);
            return true;
        }
    return false;
}

} // namespace

void TDataModuleRecipes::BeginImportedRecipe(const LinkedRecipe& imported)
{
    const RecipeDraft& draft = imported.draft;
    BeginNewRecipe();
    try {
        RecordSet& recipe = tblRecipeDescEdit;
        recipe.fieldByName("Recipe Name").setAsString(draft.name);
        setNumber(recipe.fieldByName("Number of Serves"), draft.serves);
        setNumber(recipe.fieldByName("Preperation Time"), draft.prepMinutes);
        setNumber(recipe.fieldByName("Cooking Time"), draft.cookMinutes);
        setText(recipe.fieldByName("Procedures"), draft.procedure);
        setText(recipe.fieldByName("Author"), draft.author);
        setText(recipe.fieldByName("Source"), draft.source);
        setText(recipe.fieldByName("Web Page Name"), draft.webPageName);
        setText(recipe.fieldByName("Web Page Link"), draft.webPageLink);
        importedCuisine_.clear();
        if (!draft.cuisine.empty()) {
            if (locateName(tblRecipeCuisine, "Cuisine", draft.cuisine))
                recipe.fieldByName("Cuisine_ID").setValue(tblRecipeCuisine.fieldByName("Cuisine_ID").value());
            else
                importedCuisine_ = draft.cuisine; // made when the recipe is stored, unless another is chosen
        }
        recipe.post();
        recipe.edit(); // the wizard goes on editing it, as a new recipe

        for (const std::string& type : draft.types)
            addImportedType(type);
        for (const LinkedLine& line : imported.lines)
            addImportedLine(line);

        if (!draft.handTotals.empty()) {
            for (const NutrientTotal& total : draft.handTotals) {
                tblRecipeNutrientDataEdit.append();
                tblRecipeNutrientDataEdit.fieldByName("Nutr_No").setAsInteger(total.nutrientNumber);
                tblRecipeNutrientDataEdit.fieldByName("Nutr_Val").setAsFloat(total.value);
                tblRecipeNutrientDataEdit.post();
            }
        } else if (imported.linkedCount() > 0) {
            SumLinkedIngredients();
        }
        tblRecipeIngredientEdit.first();
    } catch (...) {
        CancelNewRecipe();
        throw;
    }
}

void TDataModuleRecipes::BeginScaledRecipe(const ScaledRecipe& scaled, bool itself)
{
    if (!itself) {
        BeginImportedRecipe(scaled.asNewRecipe());
        return;
    }
    BeginEditRecipe();
    try {
        RecordSet& recipe = tblRecipeDescEdit;
        if (recipe.fieldByName("R_ID").asInteger() != scaled.recipeId)
            throw ProgramError("The recipe to scale is not the one shown");
        setNumber(recipe.fieldByName("Number of Serves"), scaled.draft.serves);
        RecordSet& ingredient = tblRecipeIngredientEdit;
        bool anyLinked = false;
        for (const ScaledLine& scaledLine : scaled.lines) {
            if (!ingredient.locate("R_ING_ID", Value{scaledLine.rowId}))
                throw ProgramError("An ingredient of the recipe to scale is no longer stored");
            const LinkedLine& line = scaledLine.line;
            ingredient.edit();
            setNumber(ingredient.fieldByName("Quantity"), line.quantity);
            if (line.link) {
                const StoredLink& link = *line.link;
                LinkIngredient({link.ndbNo, link.byGram, link.quantity, link.weightId, link.grams,
                                QString::fromStdString(link.measure)});
                anyLinked = true;
            }
            ingredient.post();
            if (line.keepText)
                IngredientLines.set(scaledLine.rowId, line.text);
        }
        // Totals of the links are summed afresh; totals given by hand are multiplied.
        if (anyLinked && scaled.draft.handTotals.empty()) {
            SumLinkedIngredients();
        } else {
            RecordSet& totals = tblRecipeNutrientDataEdit;
            Field& value = totals.fieldByName("Nutr_Val");
            for (totals.first(); !totals.eof(); totals.next()) {
                if (value.isNull())
                    continue;
                totals.edit();
                value.setAsFloat(value.asFloat() * scaled.factor);
                totals.post();
            }
        }
        ingredient.first();
    } catch (...) {
        CancelEditedRecipe();
        throw;
    }
}

void TDataModuleRecipes::addImportedType(const std::string& name)
{
    if (!locateName(tblRecipeTypes2, "Recipe Type", name)) {
        // A type new to the folder is a pending row, stored with the recipe or not at all.
        const std::int32_t id = NextRecipeTypeId();
        tblRecipeTypes2.append();
        tblRecipeTypes2.fieldByName("RTYPE_ID").setAsInteger(id);
        tblRecipeTypes2.fieldByName("Recipe Type").setAsString(name);
        tblRecipeTypes2.post();
    }
    const Value type = tblRecipeTypes2.fieldByName("RTYPE_ID").value();
    RecordSet& links = tblRecipeDescAndTypesEdit;
    if (links.locate("RTYPE_ID", type))
        return; // named twice
    links.append();
    links.fieldByName("RTYPE_ID").setValue(type);
    links.fieldByName("R_ID").setValue(tblRecipeDescEdit.fieldByName("R_ID").value());
    links.post();
}

void TDataModuleRecipes::addImportedLine(const LinkedLine& line)
{
    RecordSet& ingredient = tblRecipeIngredientEdit;
    ingredient.append();
    try {
        setNumber(ingredient.fieldByName("Quantity"), line.quantity);
        ingredient.fieldByName("Unit").setAsString(line.unit);
        ingredient.fieldByName("Ingredient Name").setAsString(line.name);
        if (line.link) {
            const StoredLink& link = *line.link;
            LinkIngredient({link.ndbNo, link.byGram, link.quantity, link.weightId, link.grams,
                            QString::fromStdString(link.measure)});
        }
        ingredient.post();
        if (line.keepText)
            IngredientLines.set(ingredient.currentRowId(), line.text);
    } catch (...) {
        ingredient.cancel();
        throw;
    }
}

void TDataModuleRecipes::storeImportedCuisine(SqliteDatabase& db)
{
    if (importedCuisine_.empty())
        return;
    const std::int64_t recipeId = tblRecipeDescEdit.fieldByName("R_ID").asInteger();
    auto chosen = db.prepare(R"(SELECT "Cuisine_ID" FROM "Recipe_Des.DB" WHERE "R_ID" = ?1)");
    chosen.bindInt(1, recipeId);
    if (!chosen.step() || !chosen.columnIsNull(0))
        return; // the user chose a cuisine while reviewing
    std::optional<std::int64_t> cuisine;
    auto existing = db.prepare(R"(SELECT "Cuisine_ID", "Cuisine" FROM "Recipe_Cuisine.DB" ORDER BY "Cuisine_ID")");
    while (!cuisine && existing.step())
        if (equalNamesIgnoringCase(existing.columnText(1), importedCuisine_))
            cuisine = existing.columnInt(0);
    if (!cuisine) {
        auto insert = db.prepare(R"(INSERT INTO "Recipe_Cuisine.DB" ("Cuisine") VALUES (?1))");
        insert.bindText(1, importedCuisine_);
        insert.step();
        cuisine = db.lastInsertRowId();
    }
    auto update = db.prepare(R"(UPDATE "Recipe_Des.DB" SET "Cuisine_ID" = ?1 WHERE "R_ID" = ?2)");
    update.bindInt(1, *cuisine);
    update.bindInt(2, recipeId);
    update.step();
    DatabaseRecipe.tableChanged("Recipe_Cuisine.DB");
    DatabaseRecipe.tableChanged("Recipe_Des.DB");
}
