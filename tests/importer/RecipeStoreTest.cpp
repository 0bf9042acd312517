#include "importer/ImporterTestData.h"

#include "exchange/JsonLdWriter.h"
#include "exchange/RecipeLinking.h"
#include "exchange/RecipeReaders.h"
#include "exchange/RecipeStore.h"
#include "kitchen/IngredientLinker.h"
#include "store/ProgramError.h"
#include "store/Sqlite.h"

#include <gtest/gtest.h>

namespace {

RecipeDraft fullDraft()
{
    RecipeDraft draft;
    draft.name = "Crêpes Suzette";
    draft.serves = 4;
    draft.prepMinutes = 20;
    draft.cookMinutes = 15;
    draft.procedure = "1. Whisk.\n2. Fry.";
    draft.author = "Zoé Martin";
    draft.source = "Les Cahiers";
    draft.webPageName = "Crêpes, the real ones";
    draft.webPageLink = "https://example.org/crepes";
    draft.cuisine = "FRENCH";
    draft.types = {"dessert", "Goûter", "GOÛTER"};
    draft.ingredients = {{"2 tbsp butter, melted", std::nullopt}, {"250 ml whole milk", std::nullopt},
                         {"a pinch of love", std::nullopt}};
    return draft;
}

class RecipeStoreTest : public ::testing::Test {
protected:
    LinkedRecipe linked(const RecipeDraft& draft) { return linkRecipe(draft, *data, linker); }
    std::int64_t count(const std::string& table) const
    {
        return stored.count("SELECT COUNT(*) FROM \"" + table + "\"");
    }

    ImporterTestFolder folder;
    StoredData stored = folder.stored();
    std::unique_ptr<Database> data = folder.open();
    IngredientLinker linker{*data};
};

TEST_F(RecipeStoreTest, StoresTheRecipeItsNamesLinesLinksAndTotals)
{
    const std::int64_t highest = stored.count(R"(SELECT MAX("R_ID") FROM "Recipe_Des.DB")");
    const std::int64_t highestType = stored.count(R"(SELECT MAX("RTYPE_ID") FROM "Recipe_Types.DB")");
    const LinkedRecipe recipe = linked(fullDraft());
    ASSERT_EQ(recipe.linkedCount(), 2U);
    const std::int64_t id = storeRecipe(*data, recipe);
    EXPECT_EQ(id, highest + 1);

    const std::string rid = std::to_string(id);
    EXPECT_EQ(stored.rows(R"(SELECT "Recipe Name", c."Cuisine", "Preperation Time", "Cooking Time", "Number of Serves",)"
                          R"( "Procedures", "Author", "Source", "Web Page Name", "Web Page Link" FROM "Recipe_Des.DB" r)"
                          R"( JOIN "Recipe_Cuisine.DB" c ON c."Cuisine_ID" = r."Cuisine_ID" WHERE "R_ID" = )" + rid),
              std::vector<std::string>{"Crêpes Suzette|French|20.0|15.0|4.0|1. Whisk.\n2. Fry.|Zoé Martin|Les Cahiers|"
                                       "Crêpes, the real ones|https://example.org/crepes"});
    // Known names ignoring case, new ones made once.
    EXPECT_EQ(stored.rows(R"(SELECT t."RTYPE_ID", t."Recipe Type" FROM "Recipe_DesAndTypes.DB" d JOIN "Recipe_Types.DB" t)"
                          R"( ON t."RTYPE_ID" = d."RTYPE_ID" WHERE d."R_ID" = )" + rid + R"( ORDER BY d."ID")"),
              (std::vector<std::string>{"9|Dessert", std::to_string(highestType + 1) + "|Goûter"}));

    // printf shows an unlinked line's NULL amounts as 0.0.
    EXPECT_EQ(stored.rows(R"(SELECT i."Ingredient Name", i."Quantity", i."Unit", i."NDB_No", i."NDB_ByGram",)"
                          R"( printf('%.1f', i."NDB_Quantity"), w."Msre_Desc", printf('%.1f', i."WeightInGram"), l."Line" FROM "Rescipe_ingredients.DB" i)"
                          R"( JOIN "Ingredient_Line.db" l ON l."R_ING_ID" = i."R_ING_ID")"
                          R"( LEFT JOIN "WEIGHT.db" w ON w."Weight_ID" = i."NDB_Weight_ID" WHERE i."R_ID" = )" + rid
                          + R"( ORDER BY i."R_ING_ID")"),
              (std::vector<std::string>{"butter, melted|2.0|tbsp|1001|0|2.0|tbsp|28.4|2 tbsp butter, melted",
                                        "whole milk|250.0|ml|1077|1|257.8|cup|257.8|250 ml whole milk",
                                        "love|1.0|pinch|NULL|NULL|0.0|NULL|0.0|a pinch of love"}));

    // Totals by the calculation's sum, checked by an independent one.
    const std::vector<std::string> expected = stored.rows(
        R"(SELECT n."Nutr_No", printf('%.6f', SUM(n."Nutr_Val" * i."WeightInGram" / 100)) FROM "Rescipe_ingredients.DB" i)"
        R"( JOIN "NUT_DATA.db" n ON n."NDB_No" = i."NDB_No" WHERE i."R_ID" = )" + rid
        + R"( GROUP BY n."Nutr_No" ORDER BY n."Nutr_No")");
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(stored.rows(R"(SELECT "Nutr_No", printf('%.6f', "Nutr_Val") FROM "Recipe_NUT_DATA.db" WHERE "R_ID" = )" + rid
                          + R"( ORDER BY "Nutr_No")"),
              expected);
}

TEST_F(RecipeStoreTest, AFailureAnywhereStoresNothing)
{
    const std::vector<std::string> tables{"Recipe_Des.DB", "Recipe_Cuisine.DB", "Recipe_Types.DB", "Recipe_DesAndTypes.DB",
                                          "Rescipe_ingredients.DB", "Ingredient_Line.db", "Recipe_NUT_DATA.db"};
    std::vector<std::int64_t> before;
    for (const std::string& table : tables)
        before.push_back(count(table));
    RecipeDraft draft = fullDraft();
    draft.cuisine = "Breton";
    const LinkedRecipe recipe = linked(draft);
    for (const std::string& failing : tables) {
        data->failNextWriteTo(failing, "disk full");
        EXPECT_THROW(storeRecipe(*data, recipe), ProgramError) << failing;
        for (std::size_t i = 0; i < tables.size(); ++i)
            EXPECT_EQ(count(tables[i]), before[i]) << tables[i] << " after a failure in " << failing;
    }
    storeRecipe(*data, recipe);
    EXPECT_EQ(count("Recipe_Des.DB"), before[0] + 1);
}

TEST_F(RecipeStoreTest, ReadsBackWhatItStored)
{
    RecipeDraft draft = fullDraft();
    draft.types = {"Dessert", "Goûter"};
    draft.cuisine = "French";
    const LinkedRecipe recipe = linked(draft);
    const RecipeDraft back = draftOfStoredRecipe(data->sqlite(), storeRecipe(*data, recipe));

    RecipeDraft expected = draft;
    expected.ingredients[0].link = DraftLink{1001, "Butter, salted", false, "tbsp", 2, 28.4};
    // 250 ml through the milk's cup measure.
    const double milk = recipe.lines[1].link.value().grams;
    EXPECT_NEAR(milk, 257.8, 0.05);
    expected.ingredients[1].link = DraftLink{1077, "Milk, whole, 3.25% milkfat, with added vitamin D", true, "", milk, milk};
    expected.nutrition = back.nutrition;
    EXPECT_EQ(back, expected);
    ASSERT_TRUE(back.nutrition.calories);
    EXPECT_NEAR(*back.nutrition.calories * 4, 0.284 * 717 + 2.578 * 61, 1);
    EXPECT_TRUE(back.handTotals.empty());
}

TEST_F(RecipeStoreTest, HandTypedTotalsAreStoredAndReadBack)
{
    RecipeDraft draft = fullDraft();
    draft.handTotals = {{208, 1200}, {203, 40.5}};
    const std::int64_t id = storeRecipe(*data, linked(draft));
    EXPECT_EQ(stored.rows(R"(SELECT "Nutr_No", "Nutr_Val" FROM "Recipe_NUT_DATA.db" WHERE "R_ID" = )" + std::to_string(id)
                          + R"( ORDER BY "ID")"),
              (std::vector<std::string>{"208|1200.0", "203|40.5"}));
    const RecipeDraft back = draftOfStoredRecipe(data->sqlite(), id);
    EXPECT_EQ(back.handTotals, draft.handTotals);
    EXPECT_EQ(back.nutrition.calories, 300);
}

// The starter recipes, exported and imported into a fresh data folder, come back
// with the same fields, lines, links and totals. Their rows were typed field by
// field ("Egg", 1, "large"): they come back with those very fields and no line kept.
TEST(RecipeRoundTrip, StarterRecipesExportAndImportUnchanged)
{
    ImporterTestFolder from;
    const std::unique_ptr<Database> source = from.open();
    const std::vector<std::int64_t> ids = from.stored().numbers(R"(SELECT "R_ID" FROM "Recipe_Des.DB" ORDER BY "R_ID")");
    ASSERT_FALSE(ids.empty());
    std::vector<RecipeDraft> drafts;
    for (std::int64_t id : ids)
        drafts.push_back(draftOfStoredRecipe(source->sqlite(), id));
    const RecipeReading reading = readRecipeJson(writeRecipesJsonLd(drafts));
    ASSERT_EQ(reading.recipes.size(), ids.size()) << reading.problem;

    ImporterTestFolder to;
    const std::unique_ptr<Database> target = to.open();
    IngredientLinker linker(*target);
    const std::int64_t offset = to.stored().count(R"(SELECT MAX("R_ID") FROM "Recipe_Des.DB")");
    for (const RecipeDraft& draft : reading.recipes) {
        const LinkedRecipe linked = linkRecipe(draft, *target, linker);
        EXPECT_EQ(linked.linkedCount(), draft.ingredients.size());
        storeRecipe(*target, linked);
    }

    const auto recipeRows = [](const StoredData& data, std::int64_t id) {
        const std::string rid = std::to_string(id);
        std::vector<std::string> rows = data.rows(
            R"(SELECT "Recipe Name", c."Cuisine", "Preperation Time", "Cooking Time", "Number of Serves", "Procedures",)"
            R"( "Author", "Source", "Web Page Name", "Web Page Link" FROM "Recipe_Des.DB" r LEFT JOIN "Recipe_Cuisine.DB" c)"
            R"( ON c."Cuisine_ID" = r."Cuisine_ID" WHERE "R_ID" = )" + rid);
        for (const std::string& row : data.rows(
                 R"(SELECT "Ingredient Name", "Quantity", "Unit", "NDB_No", "NDB_ByGram", "NDB_Quantity",)"
                 R"( CASE WHEN "NDB_ByGram" THEN '' ELSE "NDB_Weight_ID" END, "WeightInGram", l."Line")"
                 R"( FROM "Rescipe_ingredients.DB" i LEFT JOIN "Ingredient_Line.db" l USING ("R_ING_ID"))"
                 R"( WHERE "R_ID" = )" + rid + R"( ORDER BY "R_ING_ID")"))
            rows.push_back(row);
        for (const std::string& row : data.rows(R"(SELECT t."Recipe Type" FROM "Recipe_DesAndTypes.DB" d JOIN "Recipe_Types.DB" t)"
                                                R"( ON t."RTYPE_ID" = d."RTYPE_ID" WHERE d."R_ID" = )" + rid + R"( ORDER BY d."ID")"))
            rows.push_back(row);
        for (const std::string& row : data.rows(R"(SELECT "Nutr_No", printf('%.9g', "Nutr_Val") FROM "Recipe_NUT_DATA.db")"
                                                R"( WHERE "R_ID" = )" + rid + R"( ORDER BY "Nutr_No")"))
            rows.push_back(row);
        return rows;
    };
    for (std::size_t i = 0; i < ids.size(); ++i) {
        const std::int64_t copy = offset + 1 + static_cast<std::int64_t>(i);
        EXPECT_EQ(recipeRows(to.stored(), copy), recipeRows(from.stored(), ids[i])) << "recipe " << ids[i];
        EXPECT_EQ(draftOfStoredRecipe(target->sqlite(), copy), drafts[i]);
    }
}

} // namespace
