#include "tests/recipes/RecipeTestSupport.h"

#include "store/NutrientMath.h"

#include <cmath>
#include <map>

namespace {

using Totals = std::vector<std::string>;

// Two made-up foods with round values: A has 203 = 10 and 204 = 4 per 100 g,
// B has 205 = 2 and 203 = 6 (in that stored order).
constexpr const char* kTestFoods = R"(
    INSERT INTO "FOOD_DES.db" (NDB_No, FdGrp_Cd, "Desc") VALUES (99001, 100, 'Test food A'), (99002, 100, 'Test food B');
    INSERT INTO "NUT_DATA.db" (NDB_No, Nutr_No, Nutr_Val) VALUES
        (99001, 203, 10), (99001, 204, 4), (99002, 205, 2), (99002, 203, 6);)";

} // namespace

class RecipeCalculation : public RecipeModuleTest {
protected:
    void SetUp() override
    {
        RecipeModuleTest::SetUp();
        restartWith(kTestFoods);
        module->BeginNewRecipe();
    }
};

TEST_F(RecipeCalculation, SumsSharedNutrientsInTheOrderFirstMet)
{
    addIngredient("A", 99001, 250);
    addIngredient("B", 99002, 50);
    module->CalculateRecipeNutrients();
    // 203: 10 x 250 x 0.01 + 6 x 50 x 0.01; 204 from A only; 205 from B only.
    EXPECT_EQ(editedTotals(), (Totals{"203=28", "204=10", "205=1"}));
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_EQ(module->tblRecipeNutrientDataEdit.fieldByName("R_ID").asInteger(), 4);
}

TEST_F(RecipeCalculation, TellsTheNutrientGridOnceWhateverTheRecipe)
{
    addNutrient(999, 123);
    addIngredient("A", 99001, 250);
    addIngredient("B", 99002, 50);
    int told = 0;
    module->dscRecipeNutrientDataEdit.addListener([&](DataChange, Field*) { ++told; });
    module->CalculateRecipeNutrients();
    EXPECT_EQ(told, 1);
    EXPECT_EQ(editedTotals(), (Totals{"203=28", "204=10", "205=1"}));
}

TEST_F(RecipeCalculation, ValuesPerServe)
{
    addIngredient("A", 99001, 100);
    setServes(4);
    module->CalculateRecipeNutrients();
    Table& nutrients = module->tblRecipeNutrientDataEdit;
    ASSERT_TRUE(nutrients.locate("Nutr_No", std::int64_t{203}));
    EXPECT_DOUBLE_EQ(nutrients.fieldByName("Serve_Val").asFloat(), 2.5);
    EXPECT_EQ(nutrients.fieldByName("Serve_Val").displayText(), "2.5");

    module->PostNewRecipe();
    module->tblDispalyRecipesAll.last();
    Table& shown = module->tblRecipeNutrientData;
    ASSERT_TRUE(shown.locate("Nutr_No", std::int64_t{204}));
    EXPECT_EQ(shown.fieldByName("Nutr_Val").displayText(), "4");
    EXPECT_EQ(shown.fieldByName("Serve_Val").displayText(), "1");
}

TEST_F(RecipeCalculation, NoServesGiveNoValuePerServe)
{
    addIngredient("A", 99001, 100);
    for (std::optional<double> serves : {std::optional<double>(0), std::optional<double>()}) {
        setServes(serves);
        module->CalculateRecipeNutrients();
        Table& nutrients = module->tblRecipeNutrientDataEdit;
        ASSERT_EQ(nutrients.recordCount(), 2);
        for (int row = 0; row < 2; ++row)
            EXPECT_TRUE(isNull(nutrients.valueAt(row, nutrients.fieldByName("Serve_Val"))));
    }
}

TEST_F(RecipeCalculation, AnEmptyTotalIsZeroPerServe)
{
    setServes(4);
    Table& nutrients = module->tblRecipeNutrientDataEdit;
    nutrients.append();
    nutrients.fieldByName("Nutr_No").setAsInteger(203);
    nutrients.post();
    EXPECT_FALSE(nutrients.fieldByName("Serve_Val").isNull());
    EXPECT_EQ(nutrients.fieldByName("Serve_Val").asFloat(), 0);

    module->PostNewRecipe();
    module->tblDispalyRecipesAll.last();
    ASSERT_TRUE(module->tblRecipeNutrientData.locate("Nutr_No", std::int64_t{203}));
    EXPECT_TRUE(module->tblRecipeNutrientData.fieldByName("Nutr_Val").isNull());
    EXPECT_FALSE(module->tblRecipeNutrientData.fieldByName("Serve_Val").isNull());
}

TEST_F(RecipeCalculation, ReplacesEveryPreviousRowAndRepeatsExactly)
{
    addNutrient(999, 123);
    addNutrient(203, 1);
    addIngredient("A", 99001, 250);
    addIngredient("B", 99002, 50);
    module->CalculateRecipeNutrients();
    const auto first = editedTotals();
    EXPECT_EQ(first, (Totals{"203=28", "204=10", "205=1"})); // the hand-typed 999 is gone
    module->CalculateRecipeNutrients();
    EXPECT_EQ(editedTotals(), first);
}

TEST_F(RecipeCalculation, ValuesWithoutANutrientNumberAddUpTogether)
{
    dir.stored().execute(R"(INSERT INTO "NUT_DATA.db" (NDB_No, Nutr_No, Nutr_Val) VALUES (99001, NULL, 8), (99002, NULL, 2))");
    module->DatabaseRecipe.tableChanged("NUT_DATA.db");
    addIngredient("A", 99001, 100);
    addIngredient("B", 99002, 100);
    module->CalculateRecipeNutrients();
    EXPECT_EQ(editedTotals(), (Totals{"203=16", "204=4", "=10", "205=2"}));
}

const std::string kUnlinkedQuestion = "Can't Calculate becuase One or more Ingredient are not Linked\n\n"
                                      "Calculate the totals from the linked ingredient lines only?";

TEST_F(RecipeCalculation, AnUnlinkedIngredientIsToldAndNoKeepsEverything)
{
    addNutrient(999, 123);
    addIngredient("A", 99001, 250);
    addIngredient("Pinch of love", std::nullopt, std::nullopt);
    addIngredient("B", 99002, 50);
    EXPECT_EQ(module->tblRecipeIngredientEdit.fieldByName("Linked").asString(), "YES");
    module->CalculateRecipeNutrients();
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{kUnlinkedQuestion}));
    EXPECT_EQ(editedTotals(), (Totals{"999=123"}));
    EXPECT_EQ(module->tblRecipeIngredientEdit.recNo(), 2);
    EXPECT_EQ(module->tblRecipeIngredientEdit.fieldByName("Linked").asString(), "NO");
    EXPECT_EQ(module->EditedLineCoverage().note(), "totals from 2 of 3 ingredient lines");
}

TEST_F(RecipeCalculation, YesSumsTheLinkedLinesOnlyAndTheTotalsSaySo)
{
    addIngredient("A", 99001, 250);
    addIngredient("Salt to taste", std::nullopt, std::nullopt);
    addIngredient("B", 99002, 50);
    messages.answer(true);
    module->CalculateRecipeNutrients();
    EXPECT_EQ(editedTotals(), (Totals{"203=28", "204=10", "205=1"}));
    EXPECT_EQ(module->EditedLineCoverage().note(), "totals from 2 of 3 ingredient lines");

    // Every line linked: nothing is said.
    module->tblRecipeIngredientEdit.setRecNo(2);
    module->tblRecipeIngredientEdit.deleteRecord();
    EXPECT_EQ(module->EditedLineCoverage().note(), "");
}

TEST_F(RecipeCalculation, FoodZeroCountsAsLinkedAndEmptyWeightAddsZero)
{
    addIngredient("Mystery", 0, 100);
    addIngredient("A without weight", 99001, std::nullopt);
    addIngredient("B", 99002, 50);
    EXPECT_EQ(module->tblRecipeIngredientEdit.fieldByName("Linked").asString(), "YES");
    module->tblRecipeIngredientEdit.first();
    EXPECT_EQ(module->tblRecipeIngredientEdit.fieldByName("Linked").asString(), "YES");
    module->CalculateRecipeNutrients();
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_EQ(editedTotals(), (Totals{"203=3", "204=0", "205=1"}));
}

TEST_F(RecipeCalculation, RecipeWithoutIngredientsEndsWithNoRows)
{
    addNutrient(203, 5);
    module->CalculateRecipeNutrients();
    EXPECT_EQ(module->tblRecipeNutrientDataEdit.recordCount(), 0);
}

TEST_F(RecipeCalculation, CancelAfterCalculationKeepsTheStoredTotals)
{
    module->CancelNewRecipe();
    const auto stored = rows(R"(SELECT * FROM "Recipe_NUT_DATA.db" WHERE R_ID = 2 ORDER BY ID)");
    module->tblDispalyRecipesAll.setRecNo(2);
    module->BeginEditRecipe();
    addIngredient("A", 99001, 100);
    module->CalculateRecipeNutrients();
    module->CancelEditedRecipe();
    EXPECT_EQ(rows(R"(SELECT * FROM "Recipe_NUT_DATA.db" WHERE R_ID = 2 ORDER BY ID)"), stored);
    EXPECT_EQ(module->tblRecipeNutrientDataEdit.recordCount(), static_cast<int>(stored.size()));
}

class RecipeCalculationOfRealFoods : public RecipeModuleTest {
protected:
    // Every stored total of the recipe against a sum over its stored ingredients, done by SQLite.
    void expectTotalsMatchStoredIngredients(std::int64_t recipe)
    {
        const std::string id = std::to_string(recipe);
        const auto expected = rows(R"(
            SELECT n.Nutr_No, SUM(n.Nutr_Val * i.WeightInGram) / 100.0
            FROM "Rescipe_ingredients.DB" i JOIN "NUT_DATA.db" n ON n.NDB_No = i.NDB_No
            WHERE i.R_ID = )" + id + " GROUP BY n.Nutr_No ORDER BY n.Nutr_No");
        const auto actual = rows(R"(SELECT Nutr_No, Nutr_Val FROM "Recipe_NUT_DATA.db" WHERE R_ID = )" + id
                                 + " ORDER BY Nutr_No");
        ASSERT_GT(expected.size(), 50u);
        ASSERT_EQ(actual.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const auto bar = expected[i].find('|');
            ASSERT_EQ(actual[i].substr(0, bar + 1), expected[i].substr(0, bar + 1));
            const double want = std::stod(expected[i].substr(bar + 1));
            const double got = std::stod(actual[i].substr(actual[i].find('|') + 1));
            EXPECT_NEAR(got, want, 1e-9 * std::max(1.0, std::fabs(want))) << "nutrient " << expected[i].substr(0, bar);
        }
    }
};

TEST_F(RecipeCalculationOfRealFoods, RecalculatingAStarterRecipeGivesItsStoredTotalsExactly)
{
    const auto stored = rows(R"(SELECT Nutr_No, Nutr_Val FROM "Recipe_NUT_DATA.db" WHERE R_ID = 3 ORDER BY ID)");
    ASSERT_GT(stored.size(), 50u);
    module->tblDispalyRecipesAll.setRecNo(3);
    module->BeginEditRecipe();
    module->CalculateRecipeNutrients();
    module->PostEditedRecipe();
    EXPECT_EQ(rows(R"(SELECT Nutr_No, Nutr_Val FROM "Recipe_NUT_DATA.db" WHERE R_ID = 3 ORDER BY ID)"), stored);
}

TEST_F(RecipeCalculationOfRealFoods, EveryTotalMatchesAnIndependentSum)
{
    const std::map<std::int64_t, double> recipe = {
        {1001, 28.4}, {1077, 305}, {1123, 150}, {4053, 13.5}, {5062, 450}, {11124, 122}, {20044, 92.5}, {20081, 187.5}};
    module->BeginNewRecipe();
    module->tblRecipeDescEdit.fieldByName("Recipe Name").setAsString("Everything stew");
    setServes(6);
    for (const auto& [food, grams] : recipe)
        addIngredient("food " + std::to_string(food), food, grams);
    module->CalculateRecipeNutrients();
    module->PostNewRecipe();

    expectTotalsMatchStoredIngredients(4);
    EXPECT_GT(count(R"(SELECT COUNT(*) FROM "Recipe_NUT_DATA.db" WHERE R_ID = 4)"), 100);
    // One row per nutrient, and the per-serve value of each.
    EXPECT_EQ(count(R"(SELECT COUNT(DISTINCT Nutr_No) FROM "Recipe_NUT_DATA.db" WHERE R_ID = 4)"),
              count(R"(SELECT COUNT(*) FROM "Recipe_NUT_DATA.db" WHERE R_ID = 4)"));
    module->tblDispalyRecipesAll.last();
    Table& shown = module->tblRecipeNutrientData;
    ASSERT_TRUE(shown.locate("Nutr_No", std::int64_t{208}));
    EXPECT_DOUBLE_EQ(shown.fieldByName("Serve_Val").asFloat(), shown.fieldByName("Nutr_Val").asFloat() / 6);
}

TEST_F(RecipeCalculationOfRealFoods, ARecipeEditedAgainRightAfterStoringCountsEachIngredientOnce)
{
    module->tblDispalyRecipesAll.setRecNo(2);
    module->BeginEditRecipe();
    addIngredient("Butter", 1001, 30);
    module->PostEditedRecipe();

    module->BeginEditRecipe();
    EXPECT_EQ(module->tblRecipeIngredientEdit.recordCount(), 6);
    module->CalculateRecipeNutrients();
    module->PostEditedRecipe();
    expectTotalsMatchStoredIngredients(2);
}
