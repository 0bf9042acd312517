#include "tests/recipes/RecipeTestSupport.h"

namespace {

std::vector<std::int64_t> shownRecipeIds(TDataModuleRecipes& module)
{
    RecordSet& shown = *module.dscDisplayRecipes.dataSet();
    std::vector<std::int64_t> ids;
    for (int row = 0; row < shown.recordCount(); ++row)
        ids.push_back(std::get<std::int64_t>(shown.valueAt(row, shown.fieldByName("R_ID"))));
    return ids;
}

using Ids = std::vector<std::int64_t>;

} // namespace

using RecipeDisplay = RecipeModuleTest;

TEST_F(RecipeDisplay, StartsWithAllRecipesAndTheirDetails)
{
    EXPECT_EQ(module->dscDisplayRecipes.dataSet(), &module->tblDispalyRecipesAll);
    EXPECT_EQ(shownRecipeIds(*module), (Ids{1, 2, 3}));
    EXPECT_EQ(module->tblDispalyRecipesAll.fieldByName("Recipe Name").asString(), "Classic Pancakes");
    EXPECT_EQ(module->tblDispalyRecipesAll.fieldByName("Cuisine").asString(), "American");

    EXPECT_EQ(module->tblRecipeIngredients.recordCount(), 5);
    EXPECT_EQ(module->tblRecipeIngredients.fieldByName("Linked").asString(), "YES");
    EXPECT_EQ(module->tblRecipeDescAndTypes3.recordCount(), 2);
    EXPECT_EQ(module->tblRecipeDescAndTypes3.fieldByName("Recipe Type").asString(), "Breakfast");

    module->tblDispalyRecipesAll.last();
    EXPECT_EQ(module->tblRecipeIngredients.fieldByName("Ingredient Name").asString(), "Chicken breast");
    EXPECT_EQ(module->tblRecipeDescAndTypes3.recordCount(), 2);
}

TEST_F(RecipeDisplay, ByTypeFiltersOnTheTypesLinks)
{
    module->ShowRecipesByType("Dessert");
    EXPECT_EQ(module->dscDisplayRecipes.dataSet(), &module->tblDisplayRecipesByTypes);
    EXPECT_EQ(module->tblDisplayRecipesByTypes.filter(), "R_ID = 1");
    EXPECT_EQ(shownRecipeIds(*module), (Ids{1}));
    EXPECT_EQ(module->tblRecipeIngredients.recordCount(), 5); // the details follow the switch

    // Links stored in any order are shown in R_ID order.
    restartWith(R"(INSERT INTO "Recipe_DesAndTypes.DB" (RTYPE_ID, R_ID) VALUES (10, 3), (10, 1))");
    module->ShowRecipesByType("Snack");
    EXPECT_EQ(module->tblDisplayRecipesByTypes.filter(), "R_ID = 3 OR R_ID = 1");
    EXPECT_EQ(shownRecipeIds(*module), (Ids{1, 3}));
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(RecipeDisplay, ShowingATypeAgainOrInTurnFollowsItsStoredLinks)
{
    module->ShowRecipesByType("Dessert");
    module->ShowRecipesByType("Snack");
    EXPECT_TRUE(shownRecipeIds(*module).empty());
    module->ShowRecipesByType("Dessert");
    EXPECT_EQ(shownRecipeIds(*module), (Ids{1}));

    // A link stored meanwhile shows when the type on show is chosen again.
    dir.stored().execute(R"(INSERT INTO "Recipe_DesAndTypes.DB" (RTYPE_ID, R_ID) VALUES (9, 3))");
    module->DatabaseRecipe.tableChanged("Recipe_DesAndTypes.DB");
    module->ShowRecipesByType("Dessert");
    EXPECT_EQ(shownRecipeIds(*module), (Ids{1, 3}));
    EXPECT_EQ(module->tblRecipeIngredients.recordCount(), 5);
}

TEST_F(RecipeDisplay, TypeWithoutRecipesShowsNothing)
{
    module->ShowRecipesByType("Lunch");
    EXPECT_EQ(module->tblDisplayRecipesByTypes.filter(), "R_ID = -9999");
    EXPECT_TRUE(module->tblDisplayRecipesByTypes.filtered());
    EXPECT_EQ(module->tblDisplayRecipesByTypes.recordCount(), 0);
    EXPECT_EQ(module->tblRecipeIngredients.recordCount(), 0);
    EXPECT_EQ(module->tblRecipeNutrientData.recordCount(), 0);
}

TEST_F(RecipeDisplay, UnknownNamesWarnAndKeepThePreviousChoice)
{
    module->ShowRecipesByType("Salad");
    module->ShowRecipesByType("salad"); // exact match only
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Unknown Recipe Type"}));
    EXPECT_EQ(shownRecipeIds(*module), (Ids{2}));

    messages.clear();
    module->ShowRecipesByCuisine("Spanish");
    EXPECT_EQ(shownRecipeIds(*module), (Ids{3}));
    module->ShowRecipesByCuisine("Klingon");
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Unknown Cuisine"}));
    EXPECT_EQ(module->dscDisplayRecipes.dataSet(), &module->tblDisplayRecipesByCuisine);
    EXPECT_EQ(shownRecipeIds(*module), (Ids{3}));

    module->ShowAllRecipes();
    EXPECT_EQ(shownRecipeIds(*module), (Ids{1, 2, 3}));
}

TEST_F(RecipeDisplay, NameListsFollowTableOrderAndIncludePendingRows)
{
    const auto types = module->GetRecipeTypeNames();
    ASSERT_EQ(types.size(), 12u);
    EXPECT_EQ(types.front(), "Breakfast");
    EXPECT_EQ(types.back(), "Bread");

    module->tblRecipeCuisine2.append();
    module->tblRecipeCuisine2.fieldByName("Cuisine").setAsString("Korean");
    module->tblRecipeCuisine2.post();
    const auto cuisines = module->GetCuisineNames();
    ASSERT_EQ(cuisines.size(), 13u);
    EXPECT_EQ(cuisines.front(), "American");
    EXPECT_EQ(cuisines.back(), "Korean");
    EXPECT_EQ(count(R"(SELECT COUNT(*) FROM "Recipe_Cuisine.DB")"), 12); // still pending
}

TEST_F(RecipeDisplay, NameListsAndTheFiltersReadRowsInPlace)
{
    auto countReloads = [](DataSource& source, int& reloads) {
        source.addListener([&reloads](DataChange change, Field*) { reloads += change == DataChange::Reloaded; });
    };
    int typeLinkReads = 0;
    int cuisineRecipeReads = 0;
    int byTypeReads = 0;
    DataSource typeLinks("typeLinks", &module->tblRecipeDescAndTypes2);
    DataSource cuisineRecipes("cuisineRecipes", &module->tblRecipeDescByCuisine);
    DataSource byType("byType", &module->tblDisplayRecipesByTypes);
    countReloads(typeLinks, typeLinkReads);
    countReloads(cuisineRecipes, cuisineRecipeReads);
    countReloads(byType, byTypeReads);

    module->tblRecipeTypes2.first();
    module->tblRecipeCuisine2.first();
    EXPECT_EQ(module->GetRecipeTypeNames().size(), 12u);
    EXPECT_EQ(module->GetCuisineNames().size(), 12u);
    EXPECT_LE(typeLinkReads, 1);
    EXPECT_LE(cuisineRecipeReads, 1);
    EXPECT_TRUE(module->tblRecipeTypes2.eof()); // left at their ends, as a walk leaves them
    EXPECT_TRUE(module->tblRecipeCuisine2.eof());

    // Showing another type's recipes reads them once.
    byTypeReads = 0;
    module->ShowRecipesByType("Salad");
    EXPECT_EQ(byTypeReads, 1);

    // The preference set stays where the preference dialog has it.
    int preferenceMoves = 0;
    DataSource preferences("preferences", &preference);
    preferences.addListener([&](DataChange change, Field*) { preferenceMoves += change == DataChange::RowMoved; });
    preference.setRecNo(2);
    preferenceMoves = 0;
    module->ApplyNutrientPreferenceFilter();
    EXPECT_EQ(preferenceMoves, 0);
    EXPECT_EQ(preference.recNo(), 2);
}

TEST_F(RecipeDisplay, NutrientListShowsOnlyPreferredNutrients)
{
    EXPECT_EQ(module->tblRecipeNutrientData.filter(),
              "Nutr_No=208 OR Nutr_No=203 OR Nutr_No=204 OR Nutr_No=205 OR Nutr_No=291 OR Nutr_No=269 OR "
              "Nutr_No=301 OR Nutr_No=303 OR Nutr_No=307 OR Nutr_No=401 OR Nutr_No=601 OR Nutr_No=606");
    const auto preferred = count(R"(SELECT COUNT(*) FROM "Recipe_NUT_DATA.db" WHERE R_ID = 1 AND Nutr_No IN
                                    (SELECT Nutr_No FROM "Nutr_Preference.db"))");
    EXPECT_GT(preferred, 6);
    EXPECT_EQ(module->tblRecipeNutrientData.recordCount(), preferred);
    EXPECT_EQ(module->tblRecipeNutrientData.fieldByName("Nutr_Desc").asString().empty(), false);
    EXPECT_EQ(module->tblRecipeNutrientData.fieldByName("Units").asString().empty(), false);

    // An emptied preference list shows every nutrient row of the recipe.
    preference.first();
    while (!preference.eof())
        preference.deleteRecord();
    module->ApplyNutrientPreferenceFilter();
    EXPECT_EQ(module->tblRecipeNutrientData.filter(), "");
    EXPECT_EQ(module->tblRecipeNutrientData.recordCount(),
              count(R"(SELECT COUNT(*) FROM "Recipe_NUT_DATA.db" WHERE R_ID = 1)"));
    EXPECT_EQ(module->tblRecipeNutrientDataEdit.filtered(), false);
}

TEST_F(RecipeDisplay, ValuesPerServeFollowTheDisplayedRecipe)
{
    // Recipe 1 is for 4 serves.
    Table& nutrients = module->tblRecipeNutrientData;
    ASSERT_GT(nutrients.recordCount(), 0);
    EXPECT_DOUBLE_EQ(nutrients.fieldByName("Serve_Val").asFloat(), nutrients.fieldByName("Nutr_Val").asFloat() / 4);
    EXPECT_EQ(nutrients.fieldByName("Nutr_Val").displayFormat(), "#.##");
    EXPECT_EQ(nutrients.fieldByName("Serve_Val").displayFormat(), "#.##");
    module->tblDispalyRecipesAll.next(); // for 2 serves
    ASSERT_GT(nutrients.recordCount(), 0);
    EXPECT_DOUBLE_EQ(nutrients.fieldByName("Serve_Val").asFloat(), nutrients.fieldByName("Nutr_Val").asFloat() / 2);
    // Another display set: the serves are those of the recipe it shows.
    module->ShowRecipesByCuisine("Spanish");
    const auto serves = count(R"(SELECT "Number of Serves" FROM "Recipe_Des.DB" WHERE R_ID = 3)");
    ASSERT_NE(serves, 2);
    ASSERT_GT(nutrients.recordCount(), 0);
    EXPECT_DOUBLE_EQ(nutrients.fieldByName("Serve_Val").asFloat(),
                     nutrients.fieldByName("Nutr_Val").asFloat() / static_cast<double>(serves));
}
