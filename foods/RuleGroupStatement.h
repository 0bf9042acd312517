#pragma once

#include "store/Value.h"

#include <string>
#include <utility>
#include <vector>

// One rule of a saved advanced search, as FoodSQLRules.DB stores it.
struct SearchRule {
    std::string Field;     // "FoodName", "FoodGroup", or a nutrient's description
    std::string Condition; // "contains", "is", or a comparison
    std::string RValue;    // the word, the group's name, or the value
    std::string ExtraInfo; // the group's code or the nutrient's number
};

// The statement that selects the foods meeting every rule of a group, joined by
// AND in the rules' order. User text is bound, never spliced.
//
// With a food-group rule the nutrient rules probe each food of the group through
// the NUT_DATA index (a correlated EXISTS); without one, each nutrient rule selects
// its foods by value (IN), as the value index serves that best. Both forms return
// the same rows in the same order (rising NDB_No).
struct RuleGroupStatement {
    std::string Text;
    std::vector<std::pair<std::string, Value>> Params;
    // Why a rule cannot run ("its rule \"...\" needs ..."); empty when the statement can.
    std::string Refusal;
};

RuleGroupStatement buildRuleGroupStatement(const std::vector<SearchRule>& rules);

// Whether a typed condition is one of SQL's comparisons (=, <>, !=, <, >, <=, >=),
// blanks around it ignored: only those run, and only those the rule editor stores.
bool isComparison(const std::string& condition);
