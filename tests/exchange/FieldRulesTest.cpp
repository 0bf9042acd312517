// How schema.org properties become a recipe's fields.

#include "exchange/RecipeReaders.h"

#include <gtest/gtest.h>

#include <string>

namespace {

RecipeDraft readOne(const std::string& properties)
{
    const RecipeReading reading = readRecipeJson(R"({"@type":"Recipe","name":"Dish")" + properties + "}");
    EXPECT_EQ(reading.problem, "");
    return reading.recipes.empty() ? RecipeDraft{} : reading.recipes.front();
}

TEST(FieldRules, ServesAreTheFirstNumberOfTheYield)
{
    EXPECT_EQ(readOne(R"(,"recipeYield":"4 servings")").serves, 4);
    EXPECT_EQ(readOne(R"(,"recipeYield":"Makes 24 cookies")").serves, 24);
    EXPECT_EQ(readOne(R"(,"recipeYield":["serves many","6","6 people"])").serves, 6);
    EXPECT_EQ(readOne(R"(,"recipeYield":8)").serves, 8);
    EXPECT_EQ(readOne(R"(,"recipeYield":"Serves four")").serves, 4);
    EXPECT_EQ(readOne(R"(,"recipeYield":"1.5 litres")").serves, 1.5);
    EXPECT_FALSE(readOne(R"(,"recipeYield":"a crowd")").serves);
    EXPECT_FALSE(readOne("").serves);
}

TEST(FieldRules, DurationsAreMinutes)
{
    const RecipeDraft draft = readOne(R"(,"prepTime":"PT1H30M","cookTime":"P0DT2H0M")");
    EXPECT_EQ(draft.prepMinutes, 90);
    EXPECT_EQ(draft.cookMinutes, 120);
    EXPECT_EQ(readOne(R"(,"prepTime":"PT90S")").prepMinutes, 1.5);
    EXPECT_EQ(readOne(R"(,"prepTime":"PT0.5H")").prepMinutes, 30);
    EXPECT_EQ(readOne(R"(,"prepTime":"1 hour 20 mins")").prepMinutes, 80);
    EXPECT_EQ(readOne(R"(,"prepTime":"P2H10M")").prepMinutes, 130);
    EXPECT_FALSE(readOne(R"(,"prepTime":"PT")").prepMinutes);
    EXPECT_FALSE(readOne(R"(,"prepTime":"soon")").prepMinutes);
}

TEST(FieldRules, OnlyATotalTimeGoesToTheCookingTime)
{
    const RecipeDraft onlyTotal = readOne(R"(,"totalTime":"PT45M")");
    EXPECT_FALSE(onlyTotal.prepMinutes);
    EXPECT_EQ(onlyTotal.cookMinutes, 45);
    // With the preparation known, cooking is what the total leaves.
    EXPECT_EQ(readOne(R"(,"prepTime":"PT15M","totalTime":"PT45M")").cookMinutes, 30);
    EXPECT_EQ(readOne(R"(,"cookTime":"PT20M","totalTime":"PT45M")").cookMinutes, 20);
}

TEST(FieldRules, AuthorsAreJoinedAndThePublisherIsTheSource)
{
    const RecipeDraft draft = readOne(
        R"(,"author":[{"@type":"Person","name":"Ana Ruiz"},"Ben Ode",{"@type":"Person","givenName":"Cy","familyName":"Dee"}],
           "publisher":{"@type":"Organization","name":"Good Food Press"})");
    EXPECT_EQ(draft.author, "Ana Ruiz, Ben Ode, Cy Dee");
    EXPECT_EQ(draft.source, "Good Food Press");
}

TEST(FieldRules, TheLinkIsTheUrlThenTheMainEntityOfPage)
{
    EXPECT_EQ(readOne(R"(,"url":"https://a.example/x","mainEntityOfPage":"https://b.example/y")").webPageLink,
              "https://a.example/x");
    EXPECT_EQ(readOne(R"(,"mainEntityOfPage":{"@type":"WebPage","@id":"https://b.example/y"})").webPageLink,
              "https://b.example/y");
}

TEST(FieldRules, CuisineAndTypesByName)
{
    const RecipeDraft fromText = readOne(R"(,"recipeCuisine":"Italian, Sicilian","recipeCategory":"Dessert, Snack, dessert")");
    EXPECT_EQ(fromText.cuisine, "Italian");
    EXPECT_EQ(fromText.types, (std::vector<std::string>{"Dessert", "Snack"}));
    const RecipeDraft fromList = readOne(R"(,"recipeCuisine":["Thai"],"recipeCategory":["Main course","Soups, stews"])");
    EXPECT_EQ(fromList.cuisine, "Thai");
    EXPECT_EQ(fromList.types, (std::vector<std::string>{"Main course", "Soups, stews"}));
}

TEST(FieldRules, IngredientLinesStayAsWrittenInOrder)
{
    const RecipeDraft draft = readOne(
        R"j(,"recipeIngredient":["2  cups   flour ","","1 cup butter ((softened))","1 (14 oz) can tomatoes"])j");
    ASSERT_EQ(draft.ingredients.size(), 3u);
    EXPECT_EQ(draft.ingredients[0].text, "2 cups flour");
    EXPECT_EQ(draft.ingredients[1].text, "1 cup butter (softened)");
    EXPECT_EQ(draft.ingredients[2].text, "1 (14 oz) can tomatoes");
    // The older property name, as one text.
    EXPECT_EQ(readOne(R"(,"ingredients":"1 egg\n2 tbsp milk")").ingredients.size(), 2u);
}

TEST(FieldRules, NutritionIsReadPerServeInTheDraftsUnits)
{
    const RecipeDraft draft = readOne(R"(,"nutrition":{"@type":"NutritionInformation","calories":"250 calories",
        "fatContent":"12.5 g","sodiumContent":"0.3 g","cholesterolContent":"30mg","sugarContent":"4"})");
    EXPECT_EQ(draft.nutrition.calories, 250);
    EXPECT_EQ(draft.nutrition.fat, 12.5);
    EXPECT_EQ(draft.nutrition.sodium, 300);
    EXPECT_EQ(draft.nutrition.cholesterol, 30);
    EXPECT_EQ(draft.nutrition.sugar, 4);
    EXPECT_FALSE(draft.nutrition.protein);
    const NutritionPerServe separators = readOne(R"(,"nutrition":{"calories":"1,200 kcal","fatContent":"2,5 g"})").nutrition;
    EXPECT_EQ(separators.calories, 1200);
    EXPECT_EQ(separators.fat, 2.5);
    EXPECT_EQ(readOne(R"(,"nutrition":{"calories":"2092 kJ"})").nutrition.calories, 500);
}

TEST(FieldRules, BrokenJsonIsOneLine)
{
    const RecipeReading reading = readRecipeJson(R"({"@type":"Recipe","name":)");
    EXPECT_FALSE(reading.ok());
    EXPECT_TRUE(reading.problem.starts_with("Cannot read the JSON text: broken JSON at character")) << reading.problem;
    EXPECT_EQ(reading.problem.find('\n'), std::string::npos);
}

} // namespace
