#include "foods/RuleGroupStatement.h"

#include "store/Text.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<const char*, 7> kComparisons = {"=", "<>", "!=", "<", ">", "<=", ">="};

bool isFoodGroupRule(const SearchRule& rule)
{
    return rule.Field == "FoodGroup";
}

} // namespace

bool isComparison(const std::string& condition)
{
    const std::string comparison = trimmed(condition);
    return std::any_of(kComparisons.begin(), kComparisons.end(), [&](const char* c) { return comparison == c; });
}

RuleGroupStatement buildRuleGroupStatement(const std::vector<SearchRule>& rules)
{
    RuleGroupStatement statement;
    statement.Text = "SELECT NDB_No, FdGrp_Cd, Food_des.\"Desc\" FROM \"FOOD_DES.db\" Food_des ";
    const bool probeEachFood = std::any_of(rules.begin(), rules.end(), isFoodGroupRule);
    std::string joiner = "WHERE ";
    int ruleNumber = 0;
    for (const SearchRule& rule : rules) {
        const std::string suffix = std::to_string(++ruleNumber);
        auto refuse = [&](const std::string& reason) {
            statement.Refusal = "its rule \"" + rule.Field + " " + rule.Condition + " " + rule.RValue + "\" " + reason;
            return statement;
        };
        statement.Text += joiner;
        if (rule.Field == "FoodName") {
            statement.Text += " LOWER( Food_des.\"Desc\" ) LIKE LOWER( '%%' || :Word" + suffix + " || '%%' ) ";
            statement.Params.emplace_back(":Word" + suffix, Value(rule.RValue));
        } else if (isFoodGroupRule(rule)) {
            const auto code = parseWholeNumber(rule.ExtraInfo);
            if (!code)
                return refuse("does not name a food group by its code.");
            statement.Text += " FdGrp_Cd = :Group" + suffix + " ";
            statement.Params.emplace_back(":Group" + suffix, Value(*code));
        } else {
            const auto nutrient = parseWholeNumber(rule.ExtraInfo);
            if (!nutrient)
                return refuse("does not name a nutrient by its number.");
            const auto number = parseNumber(rule.RValue);
            if (!isComparison(rule.Condition) || !number)
                return refuse("needs one of the comparisons =, <>, !=, <, >, <=, >= and a number as its value.");
            const std::string test = "(Nutr_No = :Nutrient" + suffix + ") AND (Nutr_Val" + trimmed(rule.Condition)
                + ":Value" + suffix + ")";
            statement.Text += probeEachFood
                ? " EXISTS ( SELECT NDB_No FROM \"NUT_DATA.db\" Nut_data WHERE   (Nut_data.NDB_No = Food_des.NDB_No) AND "
                    + test + " ) "
                : " NDB_No IN ( SELECT NDB_No FROM \"NUT_DATA.db\" Nut_data WHERE   " + test + " ) ";
            statement.Params.emplace_back(":Nutrient" + suffix, Value(*nutrient));
            statement.Params.emplace_back(":Value" + suffix, Value(*number));
        }
        joiner = "AND";
    }
    return statement;
}
