#include "importer/ImporterTestData.h"

#include "exchange/RecipeLinking.h"
#include "kitchen/IngredientLinker.h"
#include "store/Sqlite.h"

#include <gtest/gtest.h>

namespace {

class RecipeLinkingTest : public ::testing::Test {
protected:
    LinkedRecipe link(std::vector<DraftIngredient> lines)
    {
        RecipeDraft draft;
        draft.name = "Test";
        draft.ingredients = std::move(lines);
        return linkRecipe(draft, *data, linker);
    }
    LinkedRecipe link(const std::vector<std::string>& lines)
    {
        std::vector<DraftIngredient> unlinked;
        for (const std::string& line : lines)
            unlinked.push_back({line, std::nullopt, std::nullopt});
        return link(std::move(unlinked));
    }

    ImporterTestFolder folder;
    std::unique_ptr<Database> data = folder.open();
    IngredientLinker linker{*data};
};

TEST_F(RecipeLinkingTest, RowFieldsComeFromTheLineAsWritten)
{
    const LinkedRecipe recipe = link(std::vector<std::string>{"1 (14.5 oz) can diced tomatoes", "2-3 large eggs", "Salt to taste"});
    ASSERT_EQ(recipe.lines.size(), 3U);
    EXPECT_EQ(recipe.lines[0].text, "1 (14.5 oz) can diced tomatoes");
    EXPECT_EQ(recipe.lines[0].quantity, 1);
    EXPECT_EQ(recipe.lines[0].unit, "can");
    EXPECT_EQ(recipe.lines[0].name, "(14.5 oz) diced tomatoes");
    EXPECT_EQ(recipe.lines[1].quantity, 2.5);
    // A size is no unit: it stays with the food, as the ingredient dialog has it.
    EXPECT_EQ(recipe.lines[1].unit, "");
    EXPECT_EQ(recipe.lines[1].name, "large eggs");
    EXPECT_FALSE(recipe.lines[2].quantity);
    EXPECT_EQ(recipe.lines[2].unit, "");
    EXPECT_EQ(recipe.lines[2].name, "Salt to taste");
}

TEST_F(RecipeLinkingTest, ConfidentProposalsLinkAndTheRestSayWhy)
{
    const LinkedRecipe recipe = link(std::vector<std::string>{"2 tbsp butter, softened", "1 ½ cups (190 g) all-purpose flour", "salt to taste"});
    ASSERT_TRUE(recipe.lines[0].link) << recipe.lines[0].reason;
    EXPECT_EQ(recipe.lines[0].link->ndbNo, 1001);
    EXPECT_EQ(recipe.lines[0].link->food, "Butter, salted");
    EXPECT_FALSE(recipe.lines[0].link->byGram);
    EXPECT_EQ(recipe.lines[0].link->measure, "tbsp");
    EXPECT_NEAR(recipe.lines[0].link->grams, 28.4, 1e-9);
    ASSERT_TRUE(recipe.lines[1].link);
    EXPECT_TRUE(recipe.lines[1].link->byGram);
    EXPECT_EQ(recipe.lines[1].link->grams, 190);
    EXPECT_FALSE(recipe.lines[2].link);
    EXPECT_FALSE(recipe.lines[2].reason.empty());
    EXPECT_EQ(recipe.linkedCount(), 2U);
}

TEST_F(RecipeLinkingTest, AnExportedLinkIsRestoredOnlyForTheSameFoodAndMeasure)
{
    const LinkedRecipe recipe = link({
        {"2 tbsp butter", DraftLink{1001, "Butter, salted", false, "tbsp", 2, 28.4}},
        {"a knob of butter", DraftLink{1001, "Butter, salted", true, "", 12.5, 12.5}},
        {"my own spread", DraftLink{1001, "Butter, whipped", true, "", 10, 10}},
        {"cloud berries", DraftLink{99999, "Cloud berries, raw", true, "", 10, 10}},
        {"2 spoons butter", DraftLink{1001, "Butter, salted", false, "spoon", 2, 30}},
        {"butter", DraftLink{1001, "Butter, salted", true, "", 1e9, 1e9}},
    });
    ASSERT_TRUE(recipe.lines[0].link);
    const StoredLink& measured = *recipe.lines[0].link;
    EXPECT_EQ(measured.ndbNo, 1001);
    EXPECT_FALSE(measured.byGram);
    EXPECT_EQ(measured.quantity, 2);
    EXPECT_EQ(measured.grams, 28.4);
    auto weight = data->sqlite().prepare(R"(SELECT "Msre_Desc", "NDB_No" FROM "WEIGHT.db" WHERE "Weight_ID" = ?1)");
    weight.bindInt(1, measured.weightId.value());
    ASSERT_TRUE(weight.step());
    EXPECT_EQ(weight.columnText(0), "tbsp");
    EXPECT_EQ(weight.columnInt(1), 1001);

    // Grams the linker would not have found are kept as exported.
    ASSERT_TRUE(recipe.lines[1].link);
    EXPECT_TRUE(recipe.lines[1].link->byGram);
    EXPECT_EQ(recipe.lines[1].link->grams, 12.5);

    EXPECT_FALSE(recipe.lines[2].link);
    EXPECT_EQ(recipe.lines[2].reason, "the food 1001 \"Butter, whipped\" is not in this data folder");
    EXPECT_FALSE(recipe.lines[3].link);
    EXPECT_EQ(recipe.lines[3].reason, "the food 99999 \"Cloud berries, raw\" is not in this data folder");
    EXPECT_FALSE(recipe.lines[4].link);
    EXPECT_EQ(recipe.lines[4].reason, "the measure \"spoon\" of the food 1001 is not in this data folder");
    EXPECT_FALSE(recipe.lines[5].link);
    EXPECT_EQ(recipe.lines[5].reason, "The amount must be a number above 0 and at most 100 kg.");
}

TEST_F(RecipeLinkingTest, LongTextsAreCutToTheirFieldsButTheLineIsKeptWhole)
{
    const std::string food = "2 cups " + std::string(200, 'x') + "é";
    RecipeDraft draft;
    draft.name = std::string(178, 'n') + "éé";
    draft.ingredients = {{food, std::nullopt}};
    const LinkedRecipe recipe = linkRecipe(draft, *data, linker);
    EXPECT_EQ(recipe.draft.name, std::string(178, 'n') + "é");
    EXPECT_EQ(recipe.draft.ingredients.front().text, food);
    EXPECT_EQ(recipe.lines.front().text, food);
    EXPECT_EQ(recipe.lines.front().name, std::string(179, 'x'));
    EXPECT_EQ(recipe.cutFields, (std::vector<std::string>{"Recipe Name", "Ingredient Name"}));
}

} // namespace
