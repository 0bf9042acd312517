// Texts longer than the fields that store them.

#include "exchange/FieldSizes.h"

#include <gtest/gtest.h>

namespace {

std::string repeated(const std::string& piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

TEST(FieldSizes, CutsEachTextToItsFieldAndSaysWhichFields)
{
    RecipeDraft draft;
    draft.name = repeated("a", 200);
    draft.author = "Short Name";
    draft.webPageName = repeated("w", 225);
    draft.types = {repeated("t", 61), "Soup", repeated("u", 70)};
    draft.ingredients = {{"1 egg", std::nullopt}, {repeated("i", 180), std::nullopt}};
    draft.webPageLink = repeated("l", 5000); // a memo: any length
    EXPECT_EQ(cutToFieldSizes(draft), (std::vector<std::string>{"Recipe Name", "Recipe Type", "Ingredient Name"}));
    EXPECT_EQ(draft.name, repeated("a", 179));
    EXPECT_EQ(draft.webPageName.size(), 225u);
    EXPECT_EQ(draft.types[0], repeated("t", 60));
    EXPECT_EQ(draft.types[2], repeated("u", 60));
    EXPECT_EQ(draft.ingredients[1].text, repeated("i", 179));
    EXPECT_EQ(draft.webPageLink.size(), 5000u);
}

TEST(FieldSizes, CountsCharactersAndNeverPartsOne)
{
    RecipeDraft accented;
    accented.author = repeated("é", 80); // two bytes each: fits
    EXPECT_TRUE(cutToFieldSizes(accented).empty());

    RecipeDraft emoji;
    emoji.author = repeated("x", 79) + "\U0001F373\U0001F373"; // beyond the basic plane: one character each
    EXPECT_EQ(cutToFieldSizes(emoji), std::vector<std::string>{"Author"});
    EXPECT_EQ(emoji.author, repeated("x", 79) + "\U0001F373");

    RecipeDraft combining;
    combining.cuisine = repeated("c", 49) + "e\u0301"; // an accent written as a mark after its letter
    EXPECT_EQ(cutToFieldSizes(combining), std::vector<std::string>{"Cuisine"});
    EXPECT_EQ(combining.cuisine, repeated("c", 49));
}

} // namespace
