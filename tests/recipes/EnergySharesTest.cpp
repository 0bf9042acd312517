#include "recipes/EnergyShares.h"

#include "store/Sqlite.h"
#include "support/TestDataFolder.h"

#include <gtest/gtest.h>

namespace {

// A food with its own protein and fat factors and none for carbohydrate, so the
// general factor stands in; a second food gives alcohol only. The recipe also has
// an unlinked line and a line linked at 0 g, which give nothing.
constexpr const char* kTestRecipe = R"(
    INSERT INTO "FOOD_DES.db" (NDB_No, FdGrp_Cd, "Desc", Pro_Factor, Fat_Factor, CHO_Factor)
        VALUES (99001, 100, 'Test food A', 4.27, 8.79, 0), (99002, 100, 'Test spirit', NULL, NULL, NULL);
    INSERT INTO "NUT_DATA.db" (NDB_No, Nutr_No, Nutr_Val) VALUES
        (99001, 203, 10), (99001, 204, 20), (99001, 205, 30), (99001, 208, 999), (99002, 221, 5);
    INSERT INTO "Recipe_Des.DB" (R_ID, "Recipe Name") VALUES (900, 'Test'), (901, 'Nothing linked');
    INSERT INTO "Rescipe_ingredients.DB" ("Ingredient Name", R_ID, NDB_No, WeightInGram) VALUES
        ('A', 900, 99001, 200), ('spirit', 900, 99002, 100), ('salt', 900, NULL, NULL),
        ('A again', 900, 99001, 0), ('loose', 901, NULL, NULL);)";

} // namespace

TEST(EnergyShares, EachFoodCountsWithItsOwnFactorsAndTheSharesMakeAHundred)
{
    TestWorkingDirectory dir;
    dir.stored().execute(kTestRecipe);
    SqliteDatabase db(dir.databaseFile().string(), SqliteDatabase::Mode::ReadOnly);

    const EnergyParts parts = energyPartsOfRecipe(db, 900);
    EXPECT_NEAR(parts.protein, 10 * 2 * 4.27, 1e-9);
    EXPECT_NEAR(parts.fat, 20 * 2 * 8.79, 1e-9);
    EXPECT_NEAR(parts.carbohydrate, 30 * 2 * kGeneralCarbohydrateFactor, 1e-9);
    EXPECT_NEAR(parts.alcohol, 5 * 1 * kAlcoholFactor, 1e-9);

    const auto shares = energySharesOf(parts);
    ASSERT_TRUE(shares);
    EXPECT_NEAR(shares->protein + shares->fat + shares->carbohydrate + shares->alcohol, 100, 1e-9);
    EXPECT_NEAR(shares->alcohol, 100 * 35 / parts.total(), 1e-9);

    // A recipe with nothing linked has no shares rather than a division by zero.
    EXPECT_EQ(energyPartsOfRecipe(db, 901).total(), 0);
    EXPECT_FALSE(energySharesOf(energyPartsOfRecipe(db, 901)));

    // The statement over all recipes agrees with the one for a single recipe.
    auto all = db.prepare(energyPartsStatement(false));
    int recipes = 0;
    while (all.step()) {
        ++recipes;
        if (all.columnInt(0) == 900) {
            EXPECT_NEAR(all.columnDouble(2), parts.fat, 1e-9);
        }
    }
    EXPECT_GE(recipes, 1);
}
