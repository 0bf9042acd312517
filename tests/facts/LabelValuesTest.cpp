#include "facts/LabelRounding.h"
#include "facts/LabelValues.h"
#include "store/Database.h"
#include "store/ProgramError.h"
#include "support/TestDataFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using N = LabelNutrient;

constexpr std::int32_t kPancakes = 1; // starter recipe, 4 serves, 5 linked ingredients
constexpr std::int32_t kButter = 1001;
constexpr std::int32_t kCaraway = 1008; // "Cheese, caraway": SR28 has no vitamin D for it

class LabelValues : public ::testing::Test {
protected:
    TestWorkingDirectory dir;
    Database database{"sv RecipeDatabase", dir.dataFolder()};

    NutritionLabel recipe(std::int32_t id) { return recipeLabel(database.sqlite(), id); }

    // The recipe's sum for a nutrient, straight from the ingredients and the food tables.
    double independentSum(std::int32_t recipeId, std::int32_t nutrient) const
    {
        const auto rows = dir.stored().rows(
            "SELECT printf('%.17g', SUM(d.Nutr_Val * i.WeightInGram * 0.01)) FROM \"Rescipe_ingredients.DB\" i "
            "JOIN \"NUT_DATA.db\" d ON d.NDB_No = i.NDB_No AND d.Nutr_No = " + std::to_string(nutrient) +
            " WHERE i.R_ID = " + std::to_string(recipeId));
        return std::stod(rows.at(0));
    }

    std::int64_t addRecipe(const std::string& name, double serves)
    {
        const std::int64_t id = dir.stored().count("SELECT MAX(R_ID) + 1 FROM \"Recipe_Des.DB\"");
        dir.stored().execute("INSERT INTO \"Recipe_Des.DB\" (R_ID, \"Recipe Name\", \"Number of Serves\") VALUES (" +
                             std::to_string(id) + ", '" + name + "', " + std::to_string(serves) + ")");
        return id;
    }

    void addIngredient(std::int64_t recipe, const std::string& name, const std::string& food, double grams)
    {
        dir.stored().execute("INSERT INTO \"Rescipe_ingredients.DB\" (\"Ingredient Name\", R_ID, NDB_No, WeightInGram) "
                             "VALUES ('" + name + "', " + std::to_string(recipe) + ", " + food + ", " +
                             std::to_string(grams) + ")");
    }

    void addTotal(std::int64_t recipe, std::int32_t nutrient, double value)
    {
        dir.stored().execute("INSERT INTO \"Recipe_NUT_DATA.db\" (R_ID, Nutr_No, Nutr_Val) VALUES (" +
                             std::to_string(recipe) + ", " + std::to_string(nutrient) + ", " + std::to_string(value) + ")");
    }
};

struct Expected {
    N nutrient;
    const char* perServe;
    const char* servePercent; // "" where the label gives none
    const char* perRecipe;
    const char* recipePercent;
};

// Worked out by hand from SR28 for the five ingredients, 4 serves.
const Expected kPancakeLabel[] = {
    {N::Calories, "310", "", "1240", ""},
    {N::TotalFat, "10g", "13", "40g", "51"},
    {N::SaturatedFat, "6g", "28", "22g", "111"},
    {N::TransFat, "0g", "", "1g", ""},
    {N::Cholesterol, "70mg", "23", "280mg", "93"},
    {N::Sodium, "95mg", "4", "390mg", "17"},
    {N::TotalCarbohydrate, "46g", "17", "183g", "67"},
    {N::DietaryFiber, "1g", "5", "5g", "18"},
    {N::TotalSugars, "10g", "", "41g", ""},
    {N::Protein, "9g", "18", "35g", "71"},
    {N::VitaminD, "1.2mcg", "6", "5mcg", "25"},
    {N::Calcium, "100mg", "8", "410mg", "30"},
    {N::Iron, "2.4mg", "15", "9.7mg", "50"},
    {N::Potassium, "170mg", "4", "680mg", "15"},
};

std::string percent(N nutrient, double amount)
{
    return labelDailyValue(labelNutrient(nutrient)) > 0 ? std::to_string(declaredPercent(nutrient, amount)) : "";
}

TEST_F(LabelValues, StarterRecipeMatchesTheFoodTablesPerServeAndPerRecipe)
{
    const NutritionLabel label = recipe(kPancakes);
    EXPECT_EQ(label.name, "Classic Pancakes");
    EXPECT_EQ(label.servings, "4 servings per recipe");
    EXPECT_TRUE(label.unlinked.empty());
    for (const Expected& e : kPancakeLabel) {
        const LabelLine& line = label.line(e.nutrient);
        const double sum = independentSum(kPancakes, labelNutrient(e.nutrient).nutrNo);
        SCOPED_TRACE(labelNutrient(e.nutrient).name);
        ASSERT_TRUE(line.amounts[0] && line.amounts[1]);
        EXPECT_NEAR(*line.amounts[1], sum, std::abs(sum) * 1e-12);
        EXPECT_NEAR(*line.amounts[0], sum / 4, std::abs(sum) * 1e-12);
        EXPECT_EQ(amountText(e.nutrient, *line.amounts[0]), e.perServe);
        EXPECT_EQ(percent(e.nutrient, *line.amounts[0]), e.servePercent);
        EXPECT_EQ(amountText(e.nutrient, *line.amounts[1]), e.perRecipe);
        EXPECT_EQ(percent(e.nutrient, *line.amounts[1]), e.recipePercent);
    }
}

TEST_F(LabelValues, ServingWeightIsTheLinkedGramsPerServe)
{
    const auto grams = dir.stored().rows("SELECT printf('%.17g', SUM(WeightInGram)) FROM \"Rescipe_ingredients.DB\" "
                                         "WHERE R_ID = 1");
    const double total = std::stod(grams.at(0));
    const NutritionLabel label = recipe(kPancakes);
    ASSERT_TRUE(label.servingGrams && label.columns[1].grams);
    EXPECT_DOUBLE_EQ(*label.columns[1].grams, total);
    EXPECT_DOUBLE_EQ(*label.servingGrams, total / 4);
    EXPECT_EQ(label.columns[0].heading, "Per serve");
    EXPECT_EQ(label.columns[1].heading, "Per recipe");
}

TEST_F(LabelValues, NutrientHeldForSomeIngredientsShowsItsCoverage)
{
    // Only the egg and the butter have trans fat in the food tables.
    const NutritionLabel label = recipe(kPancakes);
    const LabelLine& trans = label.line(N::TransFat);
    EXPECT_EQ(trans.knownFor, 2);
    EXPECT_EQ(trans.of, 5);
    EXPECT_EQ(coverageNote(trans), "known for 2 of 5 ingredients");
    EXPECT_EQ(coverageNote(label.line(N::Sodium)), "");
}

TEST_F(LabelValues, IngredientWhoseFoodLacksVitaminDIsNotCountedAsKnown)
{
    const std::int64_t id = addRecipe("Cheese toast", 2);
    addIngredient(id, "Butter", std::to_string(kButter), 10);
    addIngredient(id, "Caraway cheese", std::to_string(kCaraway), 50);
    addIngredient(id, "Pepper", "NULL", 1);
    addTotal(id, 328, 0.5);
    addTotal(id, 204, 30);

    const NutritionLabel label = recipe(static_cast<std::int32_t>(id));
    const LabelLine& vitaminD = label.line(N::VitaminD);
    EXPECT_EQ(vitaminD.knownFor, 1);
    EXPECT_EQ(vitaminD.of, 2);
    EXPECT_EQ(coverageNote(vitaminD), "known for 1 of 2 ingredients");
    EXPECT_EQ(vitaminD.amounts[1], 0.5); // the stored total, as it was stored
    EXPECT_EQ(label.line(N::TotalFat).knownFor, 2);
    EXPECT_EQ(coverageNote(label.line(N::TotalFat)), "");
    // No stored total: nothing to show, whatever the foods hold.
    EXPECT_FALSE(label.line(N::Sodium).amounts[1]);
    EXPECT_EQ(label.unlinked, std::vector<std::string>{"Pepper"});
    // An unlinked ingredient has no weight, so neither has the recipe.
    EXPECT_FALSE(label.servingGrams);
    EXPECT_FALSE(label.columns[1].grams);
}

TEST_F(LabelValues, NutrientKnownForNoIngredientIsNotAvailable)
{
    const std::int64_t id = addRecipe("Caraway plate", 1);
    addIngredient(id, "Caraway cheese", std::to_string(kCaraway), 100);
    addTotal(id, 328, 0); // a total no linked food could have made
    const NutritionLabel label = recipe(static_cast<std::int32_t>(id));
    EXPECT_FALSE(label.line(N::VitaminD).amounts[0]);
    EXPECT_FALSE(label.line(N::VitaminD).amounts[1]);
    EXPECT_EQ(label.servings, "1 serving per recipe");
}

TEST_F(LabelValues, RecipeWithoutServesLeavesThePerServeColumnBlank)
{
    for (const char* serves : {"0", "NULL", "-2"}) {
        dir.stored().execute(std::string("UPDATE \"Recipe_Des.DB\" SET \"Number of Serves\" = ") + serves +
                             " WHERE R_ID = 1");
        const NutritionLabel label = recipe(kPancakes);
        SCOPED_TRACE(serves);
        EXPECT_FALSE(label.columns[0].shown);
        EXPECT_TRUE(label.columns[1].shown);
        EXPECT_FALSE(label.servingGrams);
        EXPECT_EQ(label.servings, "Number of serves not given");
        for (const LabelLine& line : label.lines) {
            EXPECT_FALSE(line.amounts[0]);
            EXPECT_TRUE(line.amounts[1]);
        }
    }
}

TEST_F(LabelValues, UnknownRecipeOrFoodIsAnError)
{
    EXPECT_THROW(recipe(999), ProgramError);
    EXPECT_THROW(foodLabel(database.sqlite(), 999999, std::nullopt, 1), ProgramError);
    // A measure of another food.
    EXPECT_THROW(foodLabel(database.sqlite(), 1002, 2, 1), ProgramError);
}

TEST_F(LabelValues, ButterPerTablespoonIsComputedFromItsValuesPer100g)
{
    const std::int64_t tbsp =
        dir.stored().count("SELECT Weight_ID FROM \"WEIGHT.db\" WHERE NDB_No = 1001 AND Msre_Desc = 'tbsp'");
    const auto stored = [&](const std::string& sql) { return std::stod(dir.stored().rows(sql).at(0)); };
    const std::string measure = " FROM \"WEIGHT.db\" WHERE Weight_ID = " + std::to_string(tbsp);
    const double gramsPerTbsp = stored("SELECT Gm_Wgt" + measure) / stored("SELECT Amount" + measure);
    const double fatPer100g = stored("SELECT Nutr_Val FROM \"NUT_DATA.db\" WHERE NDB_No = 1001 AND Nutr_No = 204");
    const double sodiumPer100g = stored("SELECT Nutr_Val FROM \"NUT_DATA.db\" WHERE NDB_No = 1001 AND Nutr_No = 307");
    ASSERT_DOUBLE_EQ(gramsPerTbsp, 14.2);

    const NutritionLabel label = foodLabel(database.sqlite(), kButter, static_cast<std::int32_t>(tbsp), 1);
    EXPECT_EQ(label.name, "Butter, salted");
    EXPECT_EQ(label.servingSize, "1 tbsp");
    EXPECT_EQ(label.columns[0].heading, "Per 100 g");
    EXPECT_EQ(label.columns[1].heading, "Per 1 tbsp");
    EXPECT_DOUBLE_EQ(*label.columns[1].grams, 14.2);

    const LabelLine& fat = label.line(N::TotalFat);
    EXPECT_DOUBLE_EQ(*fat.amounts[0], fatPer100g);
    EXPECT_NEAR(*fat.amounts[1], fatPer100g * gramsPerTbsp / 100, 1e-12); // 11.52 g
    EXPECT_EQ(amountText(N::TotalFat, *fat.amounts[1]), "12g");
    EXPECT_EQ(declaredPercent(N::TotalFat, *fat.amounts[1]), 15);
    const LabelLine& sodium = label.line(N::Sodium);
    EXPECT_NEAR(*sodium.amounts[1], sodiumPer100g * gramsPerTbsp / 100, 1e-12); // 91.3 mg
    EXPECT_EQ(amountText(N::Sodium, *sodium.amounts[1]), "90mg");

    const NutritionLabel two = foodLabel(database.sqlite(), kButter, static_cast<std::int32_t>(tbsp), 2);
    EXPECT_EQ(two.columns[1].heading, "Per 2 tbsp");
    EXPECT_NEAR(*two.line(N::TotalFat).amounts[1], fatPer100g * gramsPerTbsp * 2 / 100, 1e-12);
}

TEST_F(LabelValues, FoodLacksWhatItsTablesDoNotHold)
{
    const NutritionLabel label = foodLabel(database.sqlite(), kCaraway, std::nullopt, 1);
    EXPECT_FALSE(label.line(N::VitaminD).amounts[0]);
    EXPECT_EQ(coverageNote(label.line(N::VitaminD)), "");
    EXPECT_TRUE(label.line(N::TotalFat).amounts[0]);
    // Without a measure, per 100 g only.
    EXPECT_FALSE(label.columns[1].shown);
    EXPECT_EQ(label.servingSize, "100 g");
    EXPECT_FALSE(label.servingGrams);
}

} // namespace
