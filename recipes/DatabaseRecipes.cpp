#include "recipes/DatabaseRecipes.h"

#include "kitchen/IngredientLinker.h"
#include "recipes/RecipeTextIndex.h"

#include "seams/DeleteConfirmation.h"
#include "seams/Messages.h"
#include "store/FieldTexts.h"
#include "store/LookupIndex.h"
#include "store/NextNumber.h"
#include "store/NutrientMath.h"
#include "store/PreferenceFilter.h"
#include "store/Sqlite.h"
#include "store/ProgramError.h"
#include "store/TableDefinitions.h"

#include <optional>


TDataModuleRecipes* DataModuleRecipes = nullptr;

namespace {

// A filter no recipe passes: an empty list.
const std::string kNoRecipe = "R_ID = -9999";

const char* const kAlias = "sv RecipeDatabase";
const char* const kNutrientFormat = "#.##";
const char* const kQuantityFormat = "0.###";

// Every stored field of a table, in stored order; `formatted` fields show with `format`.
std::vector<FieldSpec> storedFields(const std::string& table, std::initializer_list<const char*> formatted = {},
                                    const char* format = kNutrientFormat)
{
    std::vector<FieldSpec> fields;
    for (const auto& definition : tableDefinition(table).fields) {
        FieldSpec field = FieldSpec::data(definition.name);
        for (const char* name : formatted)
            if (definition.name == name)
                field.withFormat(format);
        fields.push_back(std::move(field));
    }
    return fields;
}

std::vector<FieldSpec> withExtra(std::vector<FieldSpec> fields, std::initializer_list<FieldSpec> extra)
{
    fields.insert(fields.end(), extra.begin(), extra.end());
    return fields;
}

// Deletes the rows a set shows, from the last: no row left moves up on the way.
void deleteAllRows(RecordSet& set)
{
    set.last();
    while (!set.isEmpty())
        set.deleteRecord();
}

} // namespace

TDataModuleRecipes::TDataModuleRecipes(RecordSet& nutrientPreference, const std::filesystem::path& dataFolder)
    : DatabaseRecipe(kAlias, dataFolder),
      tblNutrientDef(DatabaseRecipe, "tblNutrientDef", "NUTR_DEF.db"),
      tblNutrientWeightsAll(DatabaseRecipe, "tblNutrientWeightsAll", "WEIGHT.DB"),
      tblFoodDesc(DatabaseRecipe, "tblFoodDesc", "FOOD_DES.DB"),
      tblRecipeTypes(DatabaseRecipe, "tblRecipeTypes", "Recipe_Types.DB"),
      tblRecipeTypes2(DatabaseRecipe, "tblRecipeTypes2", "Recipe_Types.DB"),
      tblRecipeCuisine(DatabaseRecipe, "tblRecipeCuisine", "Recipe_Cuisine.DB"),
      tblRecipeCuisine2(DatabaseRecipe, "tblRecipeCuisine2", "Recipe_Cuisine.DB"),
      dscRecipeTypes("dscRecipeTypes", &tblRecipeTypes),
      dscRecipeTypes2("dscRecipeTypes2", &tblRecipeTypes2),
      dscRecipeCuisine("dscRecipeCuisine", &tblRecipeCuisine),
      dscRecipeCuisine2("dscRecipeCuisine2", &tblRecipeCuisine2),
      tblRecipeDescAndTypes(DatabaseRecipe, "tblRecipeDescAndTypes", "Recipe_DesAndTypes.DB", "RTYPE_INDEX"),
      dscRecipeDescAndTypes("dscRecipeDescAndTypes", &tblRecipeDescAndTypes),
      tblRecipeDescAndTypes2(DatabaseRecipe, "tblRecipeDescAndTypes2", "Recipe_DesAndTypes.DB", "RTYPE_INDEX"),
      tblDispalyRecipesAll(DatabaseRecipe, "tblDispalyRecipesAll", "Recipe_Des.DB"),
      tblDisplayRecipesByTypes(DatabaseRecipe, "tblDisplayRecipesByTypes", "Recipe_Des.DB"),
      tblDisplayRecipesByCuisine(DatabaseRecipe, "tblDisplayRecipesByCuisine", "Recipe_Des.DB", "Cuisine_Index"),
      dscDisplayRecipes("dscDisplayRecipes", &tblDispalyRecipesAll),
      tblRecipeDescByCuisine(DatabaseRecipe, "tblRecipeDescByCuisine", "Recipe_Des.DB", "Cuisine_Index"),
      tblRecipeDescAndTypes3(DatabaseRecipe, "tblRecipeDescAndTypes3", "Recipe_DesAndTypes.DB", "R_Index"),
      dscRecipeDescAndTypes3("dscRecipeDescAndTypes3", &tblRecipeDescAndTypes3),
      tblRecipeIngredients(DatabaseRecipe, "tblRecipeIngredients", "Rescipe_ingredients.DB", "R_INDEX"),
      dscRecipeIngredients("dscRecipeIngredients", &tblRecipeIngredients),
      tblRecipeNutrientData(DatabaseRecipe, "tblRecipeNutrientData", "Recipe_NUT_DATA.db", "R_Index"),
      dscRecipeNutrientData("dscRecipeNutrientData", &tblRecipeNutrientData),
      tblRecipeDescEdit(DatabaseRecipe, "tblRecipeDescEdit", "Recipe_Des.DB"),
      dscRecipeDescEdit("dscRecipeDescEdit", &tblRecipeDescEdit),
      tblRecipeIngredientEdit(DatabaseRecipe, "tblRecipeIngredientEdit", "Rescipe_ingredients.DB", "R_INDEX"),
      dscRecipeIngredientEdit("dscRecipeIngredientEdit", &tblRecipeIngredientEdit),
      tblRecipeDescAndTypesEdit(DatabaseRecipe, "tblRecipeDescAndTypesEdit", "Recipe_DesAndTypes.DB", "R_Index"),
      dscRecipeDescAndTypesEdit("dscRecipeDescAndTypesEdit", &tblRecipeDescAndTypesEdit),
      tblRecipeNutrientDataEdit(DatabaseRecipe, "tblRecipeNutrientDataEdit", "Recipe_NUT_DATA.db", "R_Index"),
      dscRecipeNutrientDataEdit("dscRecipeNutrientDataEdit", &tblRecipeNutrientDataEdit),
      tblRecipeIngredientNutrientDataEdit(DatabaseRecipe, "tblRecipeIngredientNutrientDataEdit", "NUT_DATA.db",
                                          "NDB_Index"),
      sqlMaxR_ID(DatabaseRecipe, "sqlMaxR_ID"),
      sqlMaxRTYPE_ID(DatabaseRecipe, "sqlMaxRTYPE_ID"),
      Searches(DatabaseRecipe, withExtra(storedFields("Recipe_Des.DB"),
                                         {FieldSpec::lookup("Cuisine", "Cuisine_ID", tblRecipeCuisine, "Cuisine_ID",
                                                            "Cuisine", 50)})),
      nutrientPreference_(nutrientPreference)
{
    const auto cuisineLookup = [this] {
        return FieldSpec::lookup("Cuisine", "Cuisine_ID", tblRecipeCuisine, "Cuisine_ID", "Cuisine", 50);
    };
    const auto typeLookup = [this] {
        return FieldSpec::lookup("Recipe Type", "RTYPE_ID", tblRecipeTypes, "RTYPE_ID", "Recipe Type", 60);
    };
    const auto nutrientLookups = [this](std::vector<FieldSpec> fields) {
        return withExtra(std::move(fields),
                         {FieldSpec::lookup("Nutr_Desc", "Nutr_No", tblNutrientDef, "Nutr_No", "Nutr_Desc", 34).withWidth(34),
                          FieldSpec::lookup("Units", "Nutr_No", tblNutrientDef, "Nutr_No", "Units", 20),
                          FieldSpec::calculated("Serve_Val", FieldType::Number).withFormat(kNutrientFormat)});
    };

    for (Table* recipes : {&tblDispalyRecipesAll, &tblDisplayRecipesByTypes, &tblDisplayRecipesByCuisine,
                           &tblRecipeDescByCuisine, &tblRecipeDescEdit})
        recipes->setFields(withExtra(storedFields("Recipe_Des.DB"), {cuisineLookup()}));
    for (Table* links : {&tblRecipeDescAndTypes2, &tblRecipeDescAndTypes3, &tblRecipeDescAndTypesEdit})
        links->setFields(withExtra(storedFields("Recipe_DesAndTypes.DB"), {typeLookup()}));
    for (Table* nutrients : {&tblRecipeNutrientData, &tblRecipeNutrientDataEdit})
        nutrients->setFields(nutrientLookups(storedFields("Recipe_NUT_DATA.db", {"Nutr_Val"})));
    // "2 1/3 cups" is stored as written, 2.333..., but a quantity column shows three decimals at most.
    tblRecipeIngredients.setFields(withExtra(storedFields("Rescipe_ingredients.DB", {"Quantity"}, kQuantityFormat),
                                             {FieldSpec::calculated("Linked", FieldType::Alpha, 20)}));
    tblRecipeIngredientEdit.setFields(withExtra(
        storedFields("Rescipe_ingredients.DB", {"Quantity"}, kQuantityFormat),
        {FieldSpec::lookup("NDB_Unit", "NDB_Weight_ID", tblNutrientWeightsAll, "Weight_ID", "Msre_Desc", 80),
         FieldSpec::lookup("NDB_Desc", "NDB_No", tblFoodDesc, "NDB_No", "Desc", 179),
         FieldSpec::calculated("Linked", FieldType::Alpha, 20)}));

    tblRecipeDescAndTypes.setMaster(dscRecipeTypes, "RTYPE_ID");
    tblRecipeDescAndTypes2.setMaster(dscRecipeTypes2, "RTYPE_ID");
    tblDisplayRecipesByCuisine.setMaster(dscRecipeCuisine, "Cuisine_ID");
    tblRecipeDescByCuisine.setMaster(dscRecipeCuisine2, "Cuisine_ID");
    tblRecipeDescAndTypes3.setMaster(dscDisplayRecipes, "R_ID");
    tblRecipeIngredients.setMaster(dscDisplayRecipes, "R_ID");
    tblRecipeNutrientData.setMaster(dscDisplayRecipes, "R_ID");
    tblRecipeIngredientEdit.setMaster(dscRecipeDescEdit, "R_ID");
    tblRecipeDescAndTypesEdit.setMaster(dscRecipeDescEdit, "R_ID");
    tblRecipeNutrientDataEdit.setMaster(dscRecipeDescEdit, "R_ID");
    tblRecipeIngredientNutrientDataEdit.setMaster(dscRecipeIngredientEdit, "NDB_No");

    for (Table* cached : {&tblRecipeTypes2, &tblRecipeCuisine2, &tblRecipeDescEdit, &tblRecipeIngredientEdit,
                          &tblRecipeDescAndTypesEdit, &tblRecipeNutrientDataEdit, &tblRecipeIngredientNutrientDataEdit})
        cached->setCachedUpdates(true);
    // They serve only the ingredients' name and unit lookups.
    for (Table* lookupOnly : {&tblNutrientWeightsAll, &tblFoodDesc})
        lookupOnly->setReadByKey(true);
    // The recipe under edit is one row, found by its id: holding every recipe
    // (procedures and all) would cost a user with thousands of them at every start.
    tblRecipeDescEdit.setReadByKey(true);
    // A list of recipes shows their names: the long texts are read for the recipe on show.
    for (RecordSet* list : std::initializer_list<RecordSet*>{&tblDispalyRecipesAll, &tblDisplayRecipesByTypes,
                                                             &tblDisplayRecipesByCuisine, &tblRecipeDescByCuisine,
                                                             &Searches.qrySearchRecipes})
        list->setDeferredFields({"Procedures", "Web Page Link"});

    tblRecipeNutrientData.onCalcFields = [this](RecordSet& set) { tblRecipeNutrientDataCalcFields(set); };
    tblRecipeNutrientDataEdit.onCalcFields = [this](RecordSet& set) { tblRecipeNutrientDataEditCalcFields(set); };
    tblRecipeIngredients.onCalcFields = [this](RecordSet& set) { tblRecipeIngredientsCalcFields(set); };
    tblRecipeIngredientEdit.onCalcFields = [this](RecordSet& set) { tblRecipeIngredientEditCalcFields(set); };
    for (DataSource* typesOrCuisines : {&dscRecipeTypes, &dscRecipeCuisine, &dscRecipeTypes2, &dscRecipeCuisine2})
        typesOrCuisines->onDataChange = [this](DataSource& sender, Field* field) { dscRecipeTypesDataChange(sender, field); };

    // The highest stored id; MAX() of an empty table is NULL, which reads as 0.
    sqlMaxR_ID.addSql("SELECT MAX( R_ID ) AS R_ID");
    sqlMaxR_ID.addSql("FROM \"RECIPE_DES.db\" Recipe_des");
    sqlMaxRTYPE_ID.addSql("SELECT MAX( RTYPE_ID ) AS RTYPE_ID");
    sqlMaxRTYPE_ID.addSql("FROM \"Recipe_Types.DB\" RecipeTypes");

    // The by-type list and the links it is filtered by open when a type is first shown
    // (a user with thousands of recipes waits for neither at start); empty until then.
    tblDisplayRecipesByTypes.setFilter(kNoRecipe);
    tblDisplayRecipesByTypes.setFiltered(true);

    // Lookup sources and masters before the sets that read them.
    for (RecordSet* set : std::initializer_list<RecordSet*>{
             &tblNutrientDef, &tblNutrientWeightsAll, &tblFoodDesc, &tblRecipeTypes, &tblRecipeTypes2,
             &tblRecipeCuisine, &tblRecipeCuisine2, &tblRecipeDescAndTypes2,
             &tblDispalyRecipesAll, &tblDisplayRecipesByCuisine, &tblRecipeDescByCuisine,
             &tblRecipeDescAndTypes3, &tblRecipeIngredients, &tblRecipeNutrientData, &tblRecipeDescEdit,
             &tblRecipeIngredientEdit, &tblRecipeDescAndTypesEdit, &tblRecipeNutrientDataEdit,
             &tblRecipeIngredientNutrientDataEdit})
        set->open();

    DataModuleCreate();
}

TDataModuleRecipes::~TDataModuleRecipes()
{
    // Pending changes are dropped with the sets; no handler may run while they go.
    for (DataSource* source : {&dscRecipeTypes, &dscRecipeCuisine, &dscRecipeTypes2, &dscRecipeCuisine2})
        source->onDataChange = nullptr;
    for (RecordSet* set : std::initializer_list<RecordSet*>{&tblRecipeNutrientData, &tblRecipeNutrientDataEdit,
                                                           &tblRecipeIngredients, &tblRecipeIngredientEdit})
        set->onCalcFields = nullptr;
}

void TDataModuleRecipes::DataModuleCreate()
{
    ApplyNutrientPreferenceFilter();
}

// ---------------------------------------------------------------------------
// Name lists and display choices

std::vector<std::string>& TDataModuleRecipes::GetCuisineNames()
{
    cuisineNames_ = fieldTexts(tblRecipeCuisine2, "Cuisine");
    tblRecipeCuisine2.last(); // where a walk over the names leaves it
    return cuisineNames_;
}

std::vector<std::string>& TDataModuleRecipes::GetRecipeTypeNames()
{
    recipeTypeNames_ = fieldTexts(tblRecipeTypes2, "Recipe Type");
    tblRecipeTypes2.last();
    return recipeTypeNames_;
}

void TDataModuleRecipes::ShowAllRecipes()
{
    dscDisplayRecipes.setDataSet(&tblDispalyRecipesAll);
}

void TDataModuleRecipes::ShowRecipesByCuisine(const std::string& cuisine)
{
    if (!tblRecipeCuisine.locate("Cuisine", cuisine))
        showMessage("Unknown Cuisine");
    dscDisplayRecipes.setDataSet(&tblDisplayRecipesByCuisine);
}

void TDataModuleRecipes::ShowRecipesByType(const std::string& recipeType)
{
    const SqliteReadSnapshot oneRead(DatabaseRecipe.sqlite()); // the list and the first recipe's details
    tblRecipeDescAndTypes.open(); // nothing when open already
    if (!tblRecipeTypes.locate("Recipe Type", recipeType))
        showMessage("Unknown Recipe Type");
    // The filter describes the type's links as they are stored now, whether the locate
    // moved (while another list was shown) or stayed on the type already current.
    followShownType();
    tblDisplayRecipesByTypes.open(); // the first time, read once with the type's filter
    dscDisplayRecipes.setDataSet(&tblDisplayRecipesByTypes);
}

void TDataModuleRecipes::ShowSearchResults()
{
    dscDisplayRecipes.setDataSet(&Searches.qrySearchRecipes);
}

void TDataModuleRecipes::dscRecipeTypesDataChange(DataSource&, Field*)
{
    // Whichever source changed, the by-type list follows the type on which
    // tblRecipeTypes stands while it is shown; the other lists need not wait for it.
    if (dscDisplayRecipes.dataSet() == &tblDisplayRecipesByTypes)
        followShownType();
}

void TDataModuleRecipes::followShownType()
{
    std::string filter;
    if (tblRecipeDescAndTypes.recordCount() < 1) {
        filter = kNoRecipe;
    } else {
        tblRecipeDescAndTypes.setFiltered(false);
        for (const auto& recipe : fieldTexts(tblRecipeDescAndTypes, "R_ID")) {
            if (!filter.empty())
                filter += " OR ";
            filter += "R_ID = " + recipe;
        }
    }
    // The handler runs on every move of four sets; re-reading the recipes for an
    // unchanged filter would only cost time.
    if (tblDisplayRecipesByTypes.filtered() && tblDisplayRecipesByTypes.filter() == filter)
        return;
    // A new filter on a filtered set re-reads it once; switching the filter off first
    // would read every recipe, and their details, on the way.
    tblDisplayRecipesByTypes.setFilter(filter);
    tblDisplayRecipesByTypes.setFiltered(true);
}

// ---------------------------------------------------------------------------
// Next ids

std::int32_t TDataModuleRecipes::NextRecipeTypeId()
{
    return nextNumber(sqlMaxRTYPE_ID, "RTYPE_ID", tblRecipeTypes2);
}

std::int32_t TDataModuleRecipes::NextRecipeId()
{
    return nextNumber(sqlMaxR_ID, "R_ID", tblRecipeDescEdit);
}

// ---------------------------------------------------------------------------
// Guarded deletes of types and cuisines

void TDataModuleRecipes::DeleteRecipeType()
{
    if (tblRecipeTypes2.isEmpty())
        return; // no current type: nothing to ask about
    if (confirmDeleteUnlessInUse(tblRecipeDescAndTypes2.recordCount() >= 1,
                                 "Can't Delete a type with recipe items in it...\n Delete Recipe(s) First!!",
                                 tblRecipeTypes2.fieldByName("Recipe Type").asString()))
        tblRecipeTypes2.deleteRecord();
}

void TDataModuleRecipes::DeleteCuisine()
{
    if (tblRecipeCuisine2.isEmpty())
        return;
    if (confirmDeleteUnlessInUse(tblRecipeDescByCuisine.recordCount() >= 1,
                                 "Can't Delete a Cuisine with recipe items in it...\n Delete Recipe(s) First!!",
                                 tblRecipeCuisine2.fieldByName("Cuisine").asString()))
        tblRecipeCuisine2.deleteRecord();
}

// ---------------------------------------------------------------------------
// Nutrient preference filter

void TDataModuleRecipes::ApplyNutrientPreferenceFilter()
{
    if (!nutrientPreference_.active())
        return;
    // Read in place: the preference dialog shows that set, and the food module has
    // already left it where its own walk ends.
    applyPreferenceFilter(nutrientPreference_, tblRecipeNutrientData);
}

// ---------------------------------------------------------------------------
// The recipe under edit

std::vector<RecordSet*> TDataModuleRecipes::editSets()
{
    // The order of storing: the recipe row, then its ingredients, type links and nutrient rows.
    // Types an imported recipe brings come first, so that its type links find them.
    return {&tblRecipeTypes2, &tblRecipeDescEdit, &tblRecipeIngredientEdit, &tblRecipeDescAndTypesEdit,
            &tblRecipeNutrientDataEdit};
}

void TDataModuleRecipes::BeginNewRecipe()
{
    const std::int32_t id = NextRecipeId(); // numbered first: a number that cannot be read leaves no row
    IngredientLines.clear();
    tblRecipeDescEdit.append();
    tblRecipeDescEdit.fieldByName("R_ID").setAsInteger(id);
}

void TDataModuleRecipes::PostNewRecipe()
{
    Database::postAndApply(tblRecipeDescEdit, [this] { ApplyRecipeEdits(); });
}

void TDataModuleRecipes::CancelNewRecipe()
{
    tblRecipeDescEdit.cancel();
    CancelRecipeEdits();
}

void TDataModuleRecipes::BeginEditRecipe()
{
    RecordSet* shown = dscDisplayRecipes.dataSet();
    const Value id = shown->fieldByName("R_ID").value();
    // Editing whatever row the edit set happened to stand on would change the wrong recipe.
    if (!tblRecipeDescEdit.locate("R_ID", id))
        throw ProgramError("The recipe to edit is no longer stored");
    IngredientLines.load(tblRecipeDescEdit.fieldByName("R_ID").asInteger());
    tblRecipeDescEdit.edit();
}

void TDataModuleRecipes::PostEditedRecipe()
{
    Database::postAndApply(tblRecipeDescEdit, [this] { ApplyRecipeEdits(); });
}

void TDataModuleRecipes::CancelEditedRecipe()
{
    tblRecipeDescEdit.cancel();
    CancelRecipeEdits();
}

void TDataModuleRecipes::DeleteDisplayedRecipe()
{
    RecordSet* shown = dscDisplayRecipes.dataSet();
    if (!shown || shown->recordCount() < 1)
        return;
    // Without the displayed recipe in the edit set there is nothing this delete may remove.
    if (!tblRecipeDescEdit.locate("R_ID", shown->fieldByName("R_ID").value()))
        return;
    if (tblRecipeDescEdit.recordCount() < 1)
        return;
    if (askConfirm("Are you sure you want to delete [" + tblRecipeDescEdit.fieldByName("Recipe Name").asString() + "]")) {
        IngredientLines.load(tblRecipeDescEdit.fieldByName("R_ID").asInteger()); // they go with their rows
        deleteAllRows(tblRecipeNutrientDataEdit);
        deleteAllRows(tblRecipeDescAndTypesEdit);
        deleteAllRows(tblRecipeIngredientEdit);
        tblRecipeDescEdit.deleteRecord();
    }
    try {
        ApplyRecipeEdits();
    } catch (...) {
        // Deletions left pending would be stored by the next recipe that is applied.
        CancelRecipeEdits();
        throw;
    }
}

void TDataModuleRecipes::ApplyRecipeEdits()
{
    const auto sets = editSets();
    DatabaseRecipe.applyUpdates(sets, [this](SqliteDatabase& db, const Database::StoredId& storedId) {
        IngredientLines.write(db, [&](std::int64_t rowId) { return storedId(tblRecipeIngredientEdit, rowId); });
        storeImportedCuisine(db);
        if (Searches.available())
            RecipeTextIndex::catchUp(db); // a search run again below finds the recipe as stored
    });
    IngredientLines.clear();
    importedCuisine_.clear();
    for (RecordSet* set : sets)
        set->commitUpdates();

    for (RecordSet* set : {dscDisplayRecipes.dataSet(), static_cast<RecordSet*>(&tblRecipeIngredients),
                           static_cast<RecordSet*>(&tblRecipeDescAndTypes), static_cast<RecordSet*>(&tblRecipeDescAndTypes2),
                           static_cast<RecordSet*>(&tblRecipeDescAndTypes3), static_cast<RecordSet*>(&tblRecipeNutrientData)})
        if (set && set->active())
            set->refresh();
    // A recipe just linked to the type on show belongs in the by-type display now.
    dscRecipeTypesDataChange(dscRecipeTypes, nullptr);
}

void TDataModuleRecipes::CancelRecipeEdits()
{
    for (RecordSet* set : editSets())
        set->cancelUpdates();
    IngredientLines.clear();
    importedCuisine_.clear();
}

// ---------------------------------------------------------------------------
// Nutrient calculation

void TDataModuleRecipes::CalculateRecipeNutrients()
{
    // The check reads the rows in place: moving over them would read every food's
    // nutrient rows, and the walk below reads them once more.
    tblRecipeIngredientEdit.postIfEditing();
    const Field& linked = tblRecipeIngredientEdit.fieldByName("Linked");
    const int ingredients = tblRecipeIngredientEdit.recordCount();
    for (int row = 0; row < ingredients; ++row) {
        if (linked.textOf(tblRecipeIngredientEdit.valueAt(row, linked)) == "NO") {
            tblRecipeIngredientEdit.setRecNo(row + 1); // the list stays on the unlinked ingredient
            // Pasted and imported recipes keep lines no food fits ("salt to taste"):
            // their totals may come from the linked lines, said wherever they show.
            if (!askConfirmation("Can't Calculate becuase One or more Ingredient are not Linked\n\n"
                                 "Calculate the totals from the linked ingredient lines only?"))
                return;
            break;
        }
    }
    SumLinkedIngredients();
}

void TDataModuleRecipes::SumLinkedIngredients()
{
    // The totals are summed first, each nutrient in the order it is first met, and
    // then stored as one new row per nutrient: the very rows that finding and
    // posting a total for every food value would leave, without doing that 3,000
    // times for a recipe of 20 ingredients. A failure while reading keeps the old rows.
    struct Total {
        Value nutrient;
        double value;
    };
    std::vector<Total> totals;
    ValueMap<std::size_t> totalOf;
    std::optional<std::size_t> emptyTotal; // rows without a nutrient number add up together, as any other
    Field& grams = tblRecipeIngredientEdit.fieldByName("WeightInGram");
    Field& foodNutrient = tblRecipeIngredientNutrientDataEdit.fieldByName("Nutr_No");
    Field& foodValue = tblRecipeIngredientNutrientDataEdit.fieldByName("Nutr_Val");
    const SqliteReadSnapshot oneRead(DatabaseRecipe.sqlite());
    for (tblRecipeIngredientEdit.first(); !tblRecipeIngredientEdit.eof(); tblRecipeIngredientEdit.next()) {
        const double weight = grams.asFloat();
        for (tblRecipeIngredientNutrientDataEdit.first(); !tblRecipeIngredientNutrientDataEdit.eof();
             tblRecipeIngredientNutrientDataEdit.next()) {
            const Value nutrient = foodNutrient.value();
            const double value = foodValue.asFloat();
            const bool empty = isNull(nutrient);
            if (const std::size_t* found = empty ? (emptyTotal ? &*emptyTotal : nullptr) : totalOf.find(nutrient)) {
                double& total = totals[*found].value;
                total = addAmountForWeight(total, value, weight);
            } else {
                if (empty)
                    emptyTotal = totals.size();
                else
                    totalOf.emplace(nutrient, totals.size());
                totals.push_back({nutrient, static_cast<double>(amountForWeight(value, weight))});
            }
        }
    }

    // The dialog's grid is told once, when the new rows are all there.
    ControlsDisabled quiet(tblRecipeNutrientDataEdit);
    deleteAllRows(tblRecipeNutrientDataEdit);
    const Value recipeId = tblRecipeDescEdit.fieldByName("R_ID").value();
    Field& totalRecipe = tblRecipeNutrientDataEdit.fieldByName("R_ID");
    Field& totalNutrient = tblRecipeNutrientDataEdit.fieldByName("Nutr_No");
    Field& total = tblRecipeNutrientDataEdit.fieldByName("Nutr_Val");
    for (const auto& [nutrient, value] : totals) {
        tblRecipeNutrientDataEdit.append();
        totalRecipe.setValue(recipeId);
        totalNutrient.setValue(nutrient);
        total.setAsFloat(value);
        tblRecipeNutrientDataEdit.post();
    }
}

void TDataModuleRecipes::setServeValue(RecordSet& nutrients, ServeFields& fields, RecordSet* recipe)
{
    if (!recipe || !recipe->active())
        return;
    // Runs for every row fetched, changed or posted: the fields are found once per
    // set (their sets' layout never changes); the display's master may be any of three.
    if (!fields.total) {
        fields.total = &nutrients.fieldByName("Nutr_Val");
        fields.perServe = &nutrients.fieldByName("Serve_Val");
    }
    if (fields.recipe != recipe) {
        fields.recipe = recipe;
        fields.serves = &recipe->fieldByName("Number of Serves");
    }
    const double serves = fields.serves->asFloat();
    if (serves == 0)
        return;
    fields.perServe->setAsFloat(fields.total->asFloat() / serves); // an empty total reads as 0
}

void TDataModuleRecipes::tblRecipeNutrientDataCalcFields(RecordSet& dataSet)
{
    setServeValue(dataSet, displayServeFields_, dscDisplayRecipes.dataSet());
}

void TDataModuleRecipes::tblRecipeNutrientDataEditCalcFields(RecordSet& dataSet)
{
    setServeValue(dataSet, editServeFields_, &tblRecipeDescEdit);
}

void TDataModuleRecipes::setLinked(RecordSet& ingredients)
{
    ingredients.fieldByName("Linked").setAsString(ingredients.fieldByName("NDB_No").isNull() ? "NO" : "YES");
}

void TDataModuleRecipes::tblRecipeIngredientsCalcFields(RecordSet& dataSet)
{
    setLinked(dataSet);
}

void TDataModuleRecipes::tblRecipeIngredientEditCalcFields(RecordSet& dataSet)
{
    setLinked(dataSet);
}
