#include "tests/foods/FoodsTestSupport.h"

#include <tuple>

namespace {

using Rule = std::tuple<std::string, std::string, std::string, std::string>; // Field, Condition, RValue, ExtraInfo

// Creates a rule group the way the rule editor does, left pending.
void addRuleGroup(TDataModuleFoods& m, const std::string& name, const std::vector<Rule>& rules)
{
    m.BeginNewRuleGroup();
    m.tblFoodAdvancedSearch.fieldByName("SQL Name").setAsString(name);
    for (const auto& [field, condition, value, extra] : rules) {
        m.tblFoodSQLRules.append();
        m.tblFoodSQLRules.fieldByName("SQL_ID").setAsFloat(m.tblFoodAdvancedSearch.fieldByName("SQL_ID").asFloat());
        m.tblFoodSQLRules.fieldByName("Field").setAsString(field);
        m.tblFoodSQLRules.fieldByName("Condition").setAsString(condition);
        m.tblFoodSQLRules.fieldByName("RValue").setAsString(value);
        m.tblFoodSQLRules.fieldByName("ExtraInfo").setAsString(extra);
        m.tblFoodSQLRules.post();
    }
    m.PostRuleGroup();
}

void applyRuleGroups(TDataModuleFoods& m)
{
    m.DatabaseFoods.applyUpdates({&m.tblFoodSQLRules, &m.tblFoodAdvancedSearch});
}

} // namespace

TEST_F(FoodsTest, KeywordSearchFindsWhatAnIndependentCountFinds)
{
    seed("INSERT INTO \"FOOD_DES.db\" (NDB_No, FdGrp_Cd, \"Desc\") VALUES (99004, 1800, 'Crème brûlée'),"
         "(99005, 100, 'CRÈME FRAÎCHE')");
    auto& m = foods();
    const std::string plain = "SELECT COUNT(*) FROM \"FOOD_DES.db\" WHERE instr(lower(\"Desc\"), lower('";
    for (const std::string keyword : {"cheese", "ChEeSe", "eese", "raw", " raw", "raw ", "Apples, raw", "zzz"}) {
        m.SearchFoodsByKeyword(keyword);
        m.ShowSearchResults();
        EXPECT_EQ(m.dscFoodDesc.dataSet()->recordCount(), count(plain + keyword + "')) > 0")) << '"' << keyword << '"';
    }
    // '%' and '_' typed by the user are wildcards.
    m.SearchFoodsByKeyword("butter%salt");
    EXPECT_EQ(numbers(m.qrySearchFoods, "NDB_No"), (std::vector<std::int64_t>{1001, 1002}));
    m.SearchFoodsByKeyword("l_rd");
    EXPECT_EQ(numbers(m.qrySearchFoods, "NDB_No"), std::vector<std::int64_t>{4002});
    // Letter case is ignored beyond ASCII too.
    m.SearchFoodsByKeyword("CRÈME BRÛLÉE");
    EXPECT_EQ(numbers(m.qrySearchFoods, "NDB_No"), std::vector<std::int64_t>{99004});
    m.SearchFoodsByKeyword("crème fraîche");
    EXPECT_EQ(numbers(m.qrySearchFoods, "NDB_No"), std::vector<std::int64_t>{99005});
    addRuleGroup(m, "Cream", {{"FoodName", "contains", "fraîche", ""}});
    ASSERT_TRUE(m.RunAdvancedSearch("Cream"));
    EXPECT_EQ(numbers(m.qrySearchFoods, "NDB_No"), std::vector<std::int64_t>{99005});
}

TEST_F(FoodsTest, UserTextInSearchesIsSearchedForNotRunAsSql)
{
    seed("INSERT INTO \"FOOD_DES.db\" (NDB_No, FdGrp_Cd, \"Desc\") VALUES (99002, 1800, 'Cookies, grandma''s recipe')");
    auto& m = foods();
    m.SearchFoodsByKeyword("GRANDMA'S");
    EXPECT_EQ(numbers(m.qrySearchFoods, "NDB_No"), std::vector<std::int64_t>{99002});
    m.SearchFoodsByKeyword("x' ) OR 1=1 OR ( '");
    EXPECT_EQ(m.qrySearchFoods.recordCount(), 0);

    addRuleGroup(m, "Grandma", {{"FoodName", "contains", "grandma's", ""}});
    m.RunAdvancedSearch("Grandma");
    EXPECT_EQ(numbers(m.qrySearchFoods, "NDB_No"), std::vector<std::int64_t>{99002});
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(FoodsTest, SearchHistoryKeepsOneRowPerKeywordNewestFirst)
{
    auto& m = foods();
    m.AddSearchHistory("Cheese");
    m.AddSearchHistory(" apples ");
    m.AddSearchHistory("CHEESE");
    m.AddSearchHistory("crème");
    m.AddSearchHistory("CRÈME");
    EXPECT_EQ(m.GetSearchHistory(), (std::vector<std::string>{"CRÈME", "CHEESE", " apples "}));
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"FoodSimpleSearch.db\""), 3);

    m.ClearSearchHistory();
    EXPECT_TRUE(m.GetSearchHistory().empty());
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"FoodSimpleSearch.db\""), 0);
}

TEST_F(FoodsTest, AHistoryUpdateThatFailsHalfWayKeepsTheOldKeyword)
{
    // Storing the new spelling fails after the old row was removed. The history is
    // a convenience: its failure stands neither between the user and the results
    // nor loses a keyword.
    seed("INSERT INTO \"FoodSimpleSearch.db\" (Keyword) VALUES ('apples'), ('cheese');"
         "CREATE TRIGGER refuse_new BEFORE INSERT ON \"FoodSimpleSearch.db\" WHEN NEW.Keyword = 'CHEESE' "
         "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END;");
    auto& m = foods();
    EXPECT_NO_THROW(m.AddSearchHistory("CHEESE"));
    EXPECT_EQ(dir.stored().rows("SELECT Keyword FROM \"FoodSimpleSearch.db\" ORDER BY rowid"),
              (std::vector<std::string>{"apples", "cheese"}));
    EXPECT_EQ(m.GetSearchHistory(), (std::vector<std::string>{"cheese", "apples"}));

    // The set stores at once again afterwards.
    m.AddSearchHistory("APPLES");
    EXPECT_EQ(dir.stored().rows("SELECT Keyword FROM \"FoodSimpleSearch.db\" ORDER BY rowid"),
              (std::vector<std::string>{"cheese", "APPLES"}));
    EXPECT_FALSE(m.tblFoodSimpleSearch.updatesPending());
}

TEST_F(FoodsTest, RuleGroupsJoinTheirRulesAndRunByNameIgnoringCase)
{
    auto& m = foods();
    addRuleGroup(m, "Cheese", {{"FoodName", "contains", "cheese", ""}});
    addRuleGroup(m, "Protein-rich dairy", {{"FoodGroup", "is", "Dairy and Egg Products", "100"},
                                           {"Protein", ">", "20", "203"},
                                           {"Protein", "<=", " 23.5", "203"}});
    addRuleGroup(m, "Everything", {});
    applyRuleGroups(m);
    // Read in place: walking the groups would re-read their rules and the measures at every step.
    int ruleReads = 0;
    DataSource rules("rules", &m.tblFoodSQLRules);
    rules.addListener([&](DataChange change, Field*) { ruleReads += change == DataChange::Reloaded; });
    int measureRebuilds = 0;
    m.addMeasureListener([&] { ++measureRebuilds; });
    EXPECT_EQ(m.GetRuleGroupNames(), (std::vector<std::string>{"Everything", "Protein-rich dairy", "Cheese"}));
    EXPECT_LE(ruleReads, 1);
    EXPECT_LE(measureRebuilds, 1);
    EXPECT_EQ(m.tblFoodAdvancedSearch.recNo(), 1); // where a walk back to the first row leaves it

    m.SearchFoodsByKeyword("cheese");
    const auto byKeyword = numbers(m.qrySearchFoods, "NDB_No");
    m.RunAdvancedSearch("CHEESE");
    EXPECT_EQ(numbers(m.qrySearchFoods, "NDB_No"), byKeyword);

    m.RunAdvancedSearch("protein-rich DAIRY");
    const auto found = numbers(m.qrySearchFoods, "NDB_No");
    EXPECT_FALSE(found.empty());
    EXPECT_EQ(static_cast<std::int64_t>(found.size()),
              count("SELECT COUNT(*) FROM \"FOOD_DES.db\" f JOIN \"NUT_DATA.db\" n ON n.NDB_No = f.NDB_No "
                    "WHERE f.FdGrp_Cd = 100 AND n.Nutr_No = 203 AND n.Nutr_Val > 20 AND n.Nutr_Val <= 23.5"));

    const auto all = count("SELECT COUNT(*) FROM \"FOOD_DES.db\"");
    m.RunAdvancedSearch("Everything");
    EXPECT_EQ(m.qrySearchFoods.recordCount(), all);
    m.RunAdvancedSearch("No such search");
    EXPECT_EQ(m.qrySearchFoods.recordCount(), all);
}

TEST_F(FoodsTest, EveryMixOfRuleKindsFindsWhatThePlainStatementFindsInTheSameOrder)
{
    // One rule of each kind, and a second nutrient rule; each pairs with its fragment
    // of the plain statement, in which every nutrient rule selects its foods by value.
    const std::vector<std::pair<Rule, std::string>> kinds = {
        {{"FoodName", "contains", "raw", ""}, R"( LOWER( Food_des."Desc" ) LIKE LOWER( '%%raw%%' ) )"},
        {{"FoodGroup", "is", "Vegetables and Vegetable Products", "1100"}, " FdGrp_Cd = '1100' "},
        {{"Protein", ">", "2", "203"},
         R"( NDB_No IN ( SELECT NDB_No FROM "NUT_DATA.db" Nut_data WHERE   (Nutr_No = 203) AND (Nutr_Val>2) ) )"},
        {{"Total lipid (fat)", "<", "0.3", "204"},
         R"( NDB_No IN ( SELECT NDB_No FROM "NUT_DATA.db" Nut_data WHERE   (Nutr_No = 204) AND (Nutr_Val<0.3) ) )"},
    };
    auto& m = foods();
    int nonEmpty = 0;
    for (unsigned mix = 0; mix < (1u << kinds.size()); ++mix) {
        for (const bool reversed : {false, true}) {
            std::vector<Rule> rules;
            std::string plain = R"(SELECT NDB_No, FdGrp_Cd, Food_des."Desc" FROM "FOOD_DES.db" Food_des )";
            std::string joiner = "WHERE ";
            for (std::size_t k = 0; k < kinds.size(); ++k) {
                const auto& [rule, fragment] = kinds[reversed ? kinds.size() - 1 - k : k];
                if (!(mix & (1u << (reversed ? kinds.size() - 1 - k : k))))
                    continue;
                rules.push_back(rule);
                plain += joiner + fragment;
                joiner = "AND";
            }
            const std::string name = "Mix " + std::to_string(mix) + (reversed ? " reversed" : "");
            addRuleGroup(m, name, rules);
            ASSERT_TRUE(m.RunAdvancedSearch(name));
            const auto expected = dir.stored().numbers(plain);
            EXPECT_EQ(numbers(m.qrySearchFoods, "NDB_No"), expected) << plain;
            nonEmpty += !expected.empty();
        }
    }
    EXPECT_EQ(nonEmpty, 32); // every mix finds something, so order and rows are both compared
}

TEST_F(FoodsTest, ARefusedSearchShowsNoFoodsRatherThanThePreviousOnes)
{
    // As an older version could have stored them, or a user typed them.
    seed("INSERT INTO \"FoodSQL.DB\" VALUES (1, 'Odd'), (2, 'Worse'), (3, 'Groupless');"
         "INSERT INTO \"FoodSQLRules.DB\" (\"Field\", \"Condition\", RValue, SQL_ID, ExtraInfo) VALUES "
         "('FoodName', 'contains', 'cheese', 1, ''), ('Protein', '=>', '20', 1, '203'),"
         "('Protein', '>', '20); DELETE FROM \"FOOD_DES.db\"; --', 2, '203'),"
         "('FoodGroup', 'is', 'Dairy', 3, 'dairy');");
    auto& m = foods();
    m.SearchFoodsByKeyword("apples");
    m.ShowSearchResults();
    ASSERT_GT(m.dscFoodDesc.dataSet()->recordCount(), 0);

    for (const std::string name : {"Odd", "Worse", "Groupless"}) {
        EXPECT_FALSE(m.RunAdvancedSearch(name)) << name;
        EXPECT_FALSE(m.qrySearchFoods.active()) << name;
        EXPECT_EQ(m.dscFoodDesc.dataSet()->recordCount(), 0) << name;
        EXPECT_EQ(m.tblNutrientData.recordCount(), 0) << name;
        ASSERT_EQ(messages.texts().size(), 1u);
        EXPECT_NE(messages.texts()[0].find("\"" + name + "\" cannot run"), std::string::npos) << messages.texts()[0];
        messages.clear();
        m.SearchFoodsByKeyword("apples");
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"FOOD_DES.db\""), 55);
    EXPECT_TRUE(m.RunAdvancedSearch("No such search")); // runs: every food
}

TEST_F(FoodsTest, TypedComparisonsRunWhenTheyAreSqlComparisons)
{
    auto& m = foods();
    const std::string sqlComparisons[] = {"=", "<>", "!=", "<", ">", "<=", ">="};
    for (const auto& comparison : sqlComparisons) {
        for (const std::string& typed : {comparison, "  " + comparison + " "}) {
            addRuleGroup(m, "Protein" + typed, {{"Protein", typed, "0.2", "203"}});
            ASSERT_TRUE(m.RunAdvancedSearch("Protein" + typed)) << '"' << typed << '"';
            EXPECT_EQ(m.qrySearchFoods.recordCount(),
                      count("SELECT COUNT(*) FROM \"NUT_DATA.db\" WHERE Nutr_No = 203 AND Nutr_Val " + comparison + " 0.2"))
                << '"' << typed << '"';
        }
    }
    EXPECT_TRUE(messages.texts().empty());

    for (const std::string typed : {"=>", "=<", "==", "< =", "<>=", "is", "", "> 1 OR 1"}) {
        addRuleGroup(m, "Odd" + typed, {{"Protein", typed, "0.2", "203"}});
        EXPECT_FALSE(m.RunAdvancedSearch("Odd" + typed)) << '"' << typed << '"';
    }
    EXPECT_EQ(messages.texts().size(), 8u);
}

TEST_F(FoodsTest, RuleGroupsCreatedInOneSpanGetTheirOwnIds)
{
    auto& m = foods();
    EXPECT_EQ(m.NextRuleGroupId(), 1); // none stored yet
    addRuleGroup(m, "First", {{"FoodName", "contains", "apple", ""}});
    addRuleGroup(m, "Second", {{"FoodName", "contains", "cheese", ""}, {"FoodName", "contains", "blue", ""}});
    applyRuleGroups(m);
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"FoodSQLRules.DB\" WHERE SQL_ID = 1"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"FoodSQLRules.DB\" WHERE SQL_ID = 2"), 2);
    EXPECT_EQ(m.NextRuleGroupId(), 3);

    // Deleting a group takes its rules with it, once applied; No keeps both.
    ASSERT_TRUE(m.tblFoodAdvancedSearch.locate("SQL Name", Value(std::string("Second"))));
    m.DeleteRuleGroup();
    messages.answer(true);
    m.DeleteRuleGroup();
    EXPECT_EQ(messages.texts(), std::vector<std::string>(2, "Are you sure you want to delete [ Second ]"));
    applyRuleGroups(m);
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"FoodSQLRules.DB\""), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"FoodSQL.DB\""), 1);
}
