#include "recipes/EnergyShares.h"
#include "recipes/RecipeRules.h"
#include "recipes/RecipeTextIndex.h"

#include "store/ProgramError.h"
#include "store/SchemaUpgrade.h"
#include "store/Sqlite.h"
#include "store/Table.h"
#include "support/TestDataFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Beside the three starter recipes (1 pancakes, 2 salad, 3 chicken and rice): recipes
// with accents, apostrophes, '%' and '_' in their text, one with a kept line, and one
// without totals or serves.
constexpr const char* kMoreRecipes = R"(
    INSERT INTO "Recipe_Des.DB" (R_ID, "Recipe Name", Cuisine_ID, "Preperation Time", "Cooking Time",
                                 "Number of Serves", Procedures, Author) VALUES
        (10, 'Crème Brûlée', 3, 20, 40, 6, 'Bake in a bain-marie; 50% of the cream_fat is enough.', 'Zoë'),
        (11, 'Grandma’s Stew', 1, NULL, NULL, 0, 'Stew it.', NULL),
        (12, 'Plain toast', NULL, 5, NULL, 1, 'Toast the bread.', 'Cook''s corner');
    INSERT INTO "Rescipe_ingredients.DB" ("Ingredient Name", R_ID, Quantity, Unit, NDB_No, WeightInGram) VALUES
        ('double cream', 10, 500, 'ml', NULL, NULL),
        ('jalapeño', 11, 2, NULL, NULL, NULL),
        ('bread', 12, 2, 'slices', 1001, 10);
    INSERT INTO "Ingredient_Line.db" (R_ING_ID, Line)
        SELECT R_ING_ID, '2 slices of sourdough, buttered' FROM "Rescipe_ingredients.DB" WHERE R_ID = 12;
    INSERT INTO "Recipe_DesAndTypes.DB" (RTYPE_ID, R_ID) VALUES (9, 10), (7, 11);)";

class RecipeSearch : public ::testing::Test {
protected:
    RecipeSearch()
    {
        dir.stored().execute(kMoreRecipes);
        RecipeTextIndex::catchUp(db);
    }

    // The recipes the condition selects, in id order.
    std::vector<std::int64_t> selected(const std::string& where, const std::vector<Value>& params = {}) const
    {
        auto statement = db.prepare("SELECT r.R_ID FROM \"Recipe_Des.DB\" r WHERE " + where + " ORDER BY r.R_ID");
        for (int i = 1; i <= statement.parameterCount(); ++i)
            bindStoredValue(statement, i, params.at(std::size_t(i) - 1));
        std::vector<std::int64_t> ids;
        while (statement.step())
            ids.push_back(statement.columnInt(0));
        return ids;
    }

    std::vector<std::int64_t> byKeyword(const std::string& keyword) const
    {
        const auto condition = RecipeTextIndex::keywordCondition("r.R_ID", foldedForSearch(keyword), 1);
        return selected(condition.sql, {Value(condition.parameter)});
    }

    std::vector<std::int64_t> byRules(const std::vector<RecipeRule>& rules) const
    {
        const RuleStatement statement = ruleStatement(rules);
        return selected(statement.where, statement.params);
    }

    std::vector<std::int64_t> independently(const std::string& sql) const { return dir.stored().numbers(sql); }

    TestWorkingDirectory dir;
    SqliteDatabase db{dir.databaseFile().string(), SqliteDatabase::Mode::OpenExisting};
};

TEST_F(RecipeSearch, AKeywordIsFoundIgnoringCaseAndAccentsAndEveryCharacterIsItself)
{
    const std::vector<std::pair<std::string, std::vector<std::int64_t>>> cases = {
        {"CREME", {10}},          {"brûlée", {10}},       {"zoe", {10}},      {"50%", {10}},
        {"%", {1, 10}} /* "3.25% milkfat" */,              {"cream_fat", {10}},    {"m_f", {10}},      {"_", {10}},
        {"grandma's", {11}},      {"cook’s", {12}},       {"jalapeno", {11}}, {"sourdough", {12}},
        {"butter, salted", {1, 12}}, {"broiler or", {3}},   {"1.5 cup", {1, 3}}, {"zz", {}},
        {"\"", {}},               {"or", {1, 2, 3, 12}}};
    for (const auto& [keyword, expected] : cases) {
        SCOPED_TRACE(keyword);
        EXPECT_EQ(byKeyword(keyword), expected);
        // The index answers what reading every recipe afresh answers.
        EXPECT_EQ(RecipeTextIndex::scan(db, foldedForSearch(keyword)), expected);
    }
}

TEST_F(RecipeSearch, TheIndexFollowsEveryWriteWhoeverMakesIt)
{
    // A food renamed, a kept line rewritten, a recipe renamed and one deleted, all past the program.
    dir.stored().execute(R"(UPDATE "FOOD_DES.db" SET "Desc" = 'Butter, churned by hand' WHERE NDB_No = 1001;
        UPDATE "Ingredient_Line.db" SET Line = '2 slices of rye' WHERE Line LIKE '%sourdough%';
        UPDATE "Recipe_Des.DB" SET "Recipe Name" = 'Herb Omelette' WHERE R_ID = 2;
        DELETE FROM "Rescipe_ingredients.DB" WHERE R_ID = 10; DELETE FROM "Recipe_Des.DB" WHERE R_ID = 10;)");
    EXPECT_EQ(RecipeTextIndex::catchUp(db), 3); // the texts of 1, 2 and 12; 10's is gone
    for (const std::string keyword : {"churned", "sourdough", "of rye", "omelette", "garden", "brulee", "cream"}) {
        SCOPED_TRACE(keyword);
        EXPECT_EQ(byKeyword(keyword), RecipeTextIndex::scan(db, foldedForSearch(keyword)));
    }
    EXPECT_EQ(byKeyword("churned"), (std::vector<std::int64_t>{1, 12}));
    EXPECT_EQ(byKeyword("of rye"), std::vector<std::int64_t>{12});
    EXPECT_TRUE(byKeyword("brulee").empty());
    EXPECT_EQ(RecipeTextIndex::catchUp(db), 0);
}

TEST(RecipeSearchUpgrade, AFolderOfTheLayoutBeforeSearchesGetsItsRecipesIndexed)
{
    TestWorkingDirectory dir;
    dir.stored().revertLayoutTo(kRecipeSearchVersion - 1);
    SqliteDatabase db(dir.databaseFile().string(), SqliteDatabase::Mode::OpenExisting);
    applySchemaSteps(db);
    EXPECT_EQ(RecipeTextIndex::catchUp(db), 3);
    EXPECT_EQ(dir.stored().numbers(R"(SELECT rowid FROM "Recipe_Search_Text" WHERE "Recipe_Search_Text" MATCH '"pancake"')"),
              std::vector<std::int64_t>{1});
}

TEST_F(RecipeSearch, EachRuleKindSelectsWhatAnIndependentQuerySelects)
{
    const std::string perServe = R"(SELECT r.R_ID FROM "Recipe_Des.DB" r JOIN "Recipe_NUT_DATA.db" n USING (R_ID)
        WHERE n.Nutr_No = 208 AND r."Number of Serves" > 0 AND n.Nutr_Val / r."Number of Serves" )";
    EXPECT_EQ(byRules({{"nutrient", "208", "<", "300"}}), independently(perServe + "< 300 ORDER BY 1"));
    EXPECT_EQ(byRules({{"nutrient", "208", ">=", "300"}}), independently(perServe + ">= 300 ORDER BY 1"));
    EXPECT_EQ(byRules({{"nutrient", "208", "<>", "0"}}), (std::vector<std::int64_t>{1, 2, 3}));

    // Protein's share of the energy, each food with its own factors.
    std::vector<std::int64_t> proteinRich;
    for (std::int64_t recipe : {1, 2, 3, 10, 11, 12}) {
        const auto shares = energySharesOf(energyPartsOfRecipe(db, recipe));
        if (shares && shares->protein > 25)
            proteinRich.push_back(recipe);
    }
    EXPECT_EQ(byRules({{"energy", "203", ">", "25"}}), proteinRich);
    EXPECT_EQ(proteinRich, std::vector<std::int64_t>{3});

    EXPECT_EQ(byRules({{"cuisine", "1,3", kIsOneOf, "American, French"}}), (std::vector<std::int64_t>{1, 10, 11}));
    EXPECT_EQ(byRules({{"type", "7", kIsOneOf, "Main Dish"}}), (std::vector<std::int64_t>{3, 11}));
    EXPECT_EQ(byRules({{"food", "1001", kContains, "Butter"}}), (std::vector<std::int64_t>{1, 12}));
    EXPECT_EQ(byRules({{"food", "1001", kDoesNotContain, "Butter"}}), (std::vector<std::int64_t>{2, 3, 10, 11}));
    // Words count in the lines and linked foods only, not the procedure.
    EXPECT_EQ(byRules({{"word", "", kContains, "Cream"}}), std::vector<std::int64_t>{10});
    // A kept line stands for the line; "bread" is only in the procedure.
    EXPECT_EQ(byRules({{"word", "", kContains, "sourdough"}}), std::vector<std::int64_t>{12});
    EXPECT_TRUE(byRules({{"word", "", kContains, "bread"}}).empty());
    EXPECT_EQ(byRules({{"word", "", kDoesNotContain, "oil"}}), (std::vector<std::int64_t>{1, 10, 11, 12}));
    // A recipe without either time does not meet a time rule; one time alone counts.
    EXPECT_EQ(byRules({{"time", "", "<=", "30"}}), (std::vector<std::int64_t>{1, 2, 12}));
    EXPECT_EQ(byRules({{"serves", "", ">=", "4"}}), (std::vector<std::int64_t>{1, 3, 10}));
    // All rules must hold.
    EXPECT_EQ(byRules({{"serves", "", ">=", "4"}, {"time", "", "<=", "30"}}), std::vector<std::int64_t>{1});
    EXPECT_EQ(byRules({}).size(), 6u);
}

TEST_F(RecipeSearch, RecipesWithoutTheTotalsARuleNeedsAreCountedNotMatched)
{
    // Recipes 10, 11 and 12 have no totals; 11 has no serves either.
    const RuleStatement statement = ruleStatement({{"serves", "", ">=", "1"}, {"nutrient", "208", ">", "0"}});
    EXPECT_EQ(selected(statement.where, statement.params), (std::vector<std::int64_t>{1, 2, 3}));
    EXPECT_EQ(selected(statement.missingTotals, statement.params), (std::vector<std::int64_t>{10, 12}));
    EXPECT_TRUE(ruleStatement({{"serves", "", ">=", "1"}}).missingTotals.empty());
}

TEST_F(RecipeSearch, ARuleThatCannotBeReadIsRefusedNotSplicedIn)
{
    for (const RecipeRule& rule : std::vector<RecipeRule>{{"nutrient", "208", "; DROP TABLE x", "1"},
                                                          {"nutrient", "208", "<", "1e999"},
                                                          {"nutrient", "1) OR (1", "<", "1"},
                                                          {"cuisine", "1,x", kIsOneOf, ""},
                                                          {"energy", "208", ">", "1"},
                                                          {"word", "", "maybe", "oil"},
                                                          {"time", "", "<=", "nan"},
                                                          {"other", "", "", ""}})
        EXPECT_THROW(ruleStatement({rule}), ProgramError) << rule.kind << " " << rule.keys << " " << rule.value;
    // A word is bound, whatever it holds.
    EXPECT_TRUE(byRules({{"word", "", kContains, "') OR 1=1 --"}}).empty());
}

} // namespace
