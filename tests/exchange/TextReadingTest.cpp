// Pasted text: with headings, and without them.

#include "exchange/RecipeReaders.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> lines(const RecipeDraft& draft)
{
    std::vector<std::string> texts;
    for (const DraftIngredient& line : draft.ingredients)
        texts.push_back(line.text);
    return texts;
}

TEST(TextReading, HeadingsSplitTitleIngredientsAndMethod)
{
    const RecipeReading reading = readRecipeText("Grandma's Pancakes\n"
                                                 "Serves 4\n"
                                                 "Prep time: 10 minutes\n"
                                                 "\n"
                                                 "Ingredients:\n"
                                                 "- 200 g flour\n"
                                                 "\u2022 2 eggs\n"
                                                 "Salt to taste\n"
                                                 "For the topping:\n"
                                                 "Maple syrup\n"
                                                 "\n"
                                                 "DIRECTIONS\n"
                                                 "1. Whisk everything together.\n"
                                                 "2) Fry in a hot pan.\n"
                                                 "To serve:\n"
                                                 "Pour over the syrup.\n");
    ASSERT_TRUE(reading.ok()) << reading.problem;
    const RecipeDraft& draft = reading.recipes.front();
    EXPECT_EQ(draft.name, "Grandma's Pancakes");
    EXPECT_EQ(draft.serves, 4);
    EXPECT_EQ(draft.prepMinutes, 10);
    EXPECT_EQ(lines(draft), (std::vector<std::string>{"200 g flour", "2 eggs", "Salt to taste", "Maple syrup"}));
    EXPECT_EQ(draft.procedure, "1. Whisk everything together.\n2. Fry in a hot pan.\n\nTo serve\n3. Pour over the syrup.");
}

TEST(TextReading, WithoutHeadingsIngredientLinesAreThoseThatReadAsOnes)
{
    const RecipeReading reading = readRecipeText("Quick Salad\n"
                                                 "A fresh side for summer.\n"
                                                 "2 tomatoes, diced\n"
                                                 "\u00BD cucumber\n"
                                                 "one red onion\n"
                                                 "a pinch of salt\n"
                                                 "Olive oil\n"
                                                 "Toss everything in a bowl and season well.\n"
                                                 "2. Leave for ten minutes before serving.\n");
    ASSERT_TRUE(reading.ok()) << reading.problem;
    const RecipeDraft& draft = reading.recipes.front();
    EXPECT_EQ(draft.name, "Quick Salad");
    EXPECT_EQ(lines(draft), (std::vector<std::string>{"2 tomatoes, diced", "\u00BD cucumber", "one red onion",
                                                      "a pinch of salt", "Olive oil"}));
    EXPECT_EQ(draft.procedure, "1. Toss everything in a bowl and season well.\n2. Leave for ten minutes before serving.");
}

TEST(TextReading, OneHeadingAloneStillSplitsTheBlocks)
{
    const RecipeReading methodOnly = readRecipeText("Omelette\r\n2 eggs\r\n1 tbsp butter\r\nMethod:\r\nBeat the eggs.\r\n");
    ASSERT_TRUE(methodOnly.ok()) << methodOnly.problem;
    EXPECT_EQ(lines(methodOnly.recipes.front()), (std::vector<std::string>{"2 eggs", "1 tbsp butter"}));
    EXPECT_EQ(methodOnly.recipes.front().procedure, "1. Beat the eggs.");

    const RecipeReading ingredientsOnly = readRecipeText("Omelette\nIngredients\n2 eggs\nButter\nBeat the eggs, then fry them.\n");
    ASSERT_TRUE(ingredientsOnly.ok()) << ingredientsOnly.problem;
    EXPECT_EQ(lines(ingredientsOnly.recipes.front()), (std::vector<std::string>{"2 eggs", "Butter"}));
    EXPECT_EQ(ingredientsOnly.recipes.front().procedure, "1. Beat the eggs, then fry them.");
}

TEST(TextReading, PastedTextIsReadByHowItOpens)
{
    EXPECT_EQ(readPastedRecipe("  [{\"@type\":\"Recipe\",\"name\":\"Pasted JSON\"}]").recipes.at(0).name, "Pasted JSON");
    EXPECT_EQ(readPastedRecipe("<div itemscope itemtype=\"https://schema.org/Recipe\"><b itemprop=\"name\">Snippet</b></div>")
                  .recipes.at(0).name,
              "Snippet");
    EXPECT_EQ(readPastedRecipe("Toast\n1 slice bread\nToast it well.").recipes.at(0).name, "Toast");
    EXPECT_EQ(readPastedRecipe("{\"@type\":").problem.substr(0, 35), "Cannot read the pasted text: broken");
}

TEST(TextReading, TextWithoutARecipeSaysSo)
{
    EXPECT_EQ(readRecipeText("Dear Sam,\nSee you on Sunday.\n").problem, "No recipe found in the text");
    EXPECT_EQ(readRecipeText("  \n\n").problem, "Cannot read the text: empty");
}

} // namespace
