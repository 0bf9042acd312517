#pragma once

#include "store/Value.h"

#include <string>
#include <vector>

// One rule of a saved recipe search, as its row stores it: `kind` and `keys` are what
// the search reads, `condition` and `value` what the user chose (a comparison and a
// number, or the words the rule shows).
//   kind       keys                         condition             value
//   nutrient   Nutr_No                      a comparison          per serve
//   energy     Nutr_No of the part (203..)  a comparison          % of the energy
//   cuisine    Cuisine_IDs, comma-parted    "is one of"           the names
//   type       RTYPE_IDs, comma-parted      "is one of"           the names
//   food       NDB_No                       "contains" / "does not contain"   the food's name
//   word       -                            "contains" / "does not contain"   the word
//   time       -                            "<="                  minutes
//   serves     -                            ">="                  serves
struct RecipeRule {
    std::string kind;
    std::string keys;
    std::string condition;
    std::string value;
};

inline constexpr const char* kContains = "contains";
inline constexpr const char* kDoesNotContain = "does not contain";
inline constexpr const char* kIsOneOf = "is one of";

// The comparisons a number rule offers, in the order the editor lists them.
const std::vector<std::string>& ruleComparisons();

// The rules as a condition on the recipe row `r` of "Recipe_Des.DB", all of which must
// hold, with the values to bind in order (?1, ?2, ...). User text is only ever bound.
// `missingTotals` holds for recipes that meet every rule without totals but lack the
// totals a nutrient or energy rule needs (the nutrient, or serves to divide by);
// empty when there is no such rule. It uses some of the same parameters.
struct RuleStatement {
    std::string where;
    std::string missingTotals;
    std::vector<Value> params;
};

// Throws ProgramError naming the rule when a stored rule cannot be read (an unknown
// kind or comparison, a number that is not a finite one).
RuleStatement ruleStatement(const std::vector<RecipeRule>& rules);
