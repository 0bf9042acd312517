#include "recipes/RecipeRules.h"

#include "recipes/EnergyShares.h"
#include "recipes/RecipeTextIndex.h"
#include "store/Amount.h"
#include "store/ProgramError.h"
#include "store/Text.h"

#include <algorithm>

namespace {

const char* const kRecipes = "\"Recipe_Des.DB\"";
const char* const kNutrients = "\"Recipe_NUT_DATA.db\"";
const char* const kIngredients = "\"Rescipe_ingredients.DB\"";
const char* const kTypeLinks = "\"Recipe_DesAndTypes.DB\"";
const char* const kServes = "r.\"Number of Serves\"";

class Builder {
public:
    explicit Builder(const RecipeRule& rule) : rule_(rule) {}

    [[noreturn]] void refuse(const std::string& why) const
    {
        throw ProgramError("The search's rule \"" + rule_.kind + " " + rule_.condition + " " + rule_.value
                           + "\" cannot be read: " + why + ".");
    }

    std::string comparison() const
    {
        const std::string condition = trimmed(rule_.condition);
        const auto& known = ruleComparisons();
        if (std::find(known.begin(), known.end(), condition) == known.end())
            refuse("\"" + condition + "\" is not a comparison");
        return condition;
    }

    double number() const
    {
        const auto number = readTypedNumber(rule_.value);
        if (!number)
            refuse("\"" + rule_.value + "\" is not a number");
        return *number;
    }

    std::int64_t key() const
    {
        const auto key = parseWholeNumber(rule_.keys);
        if (!key)
            refuse("no stored key");
        return *key;
    }

    std::vector<std::int64_t> keyList() const
    {
        std::vector<std::int64_t> keys;
        std::size_t start = 0;
        while (start <= rule_.keys.size()) {
            const std::size_t comma = std::min(rule_.keys.find(',', start), rule_.keys.size());
            const auto key = parseWholeNumber(std::string_view(rule_.keys).substr(start, comma - start));
            if (!key)
                refuse("no stored choice");
            keys.push_back(*key);
            start = comma + 1;
        }
        return keys;
    }

    bool negated() const
    {
        if (rule_.condition == kContains)
            return false;
        if (rule_.condition == kDoesNotContain)
            return true;
        refuse("\"" + rule_.condition + "\" is neither \"contains\" nor \"does not contain\"");
    }

private:
    const RecipeRule& rule_;
};

// The column of the energy part a nutrient number names.
std::string energyPart(std::int64_t nutrient, const Builder& builder)
{
    switch (nutrient) {
    case 203:
        return "protein";
    case 204:
        return "fat";
    case 205:
        return "carbohydrate";
    case 221:
        return "alcohol";
    default:
        builder.refuse("energy comes from protein, fat, carbohydrate or alcohol only");
    }
}

std::string joined(const std::vector<std::string>& conditions, const std::string& joiner)
{
    std::string text;
    for (const std::string& condition : conditions)
        text += (text.empty() ? "(" : " " + joiner + " (") + condition + ")";
    return text.empty() ? "1" : text;
}

} // namespace

const std::vector<std::string>& ruleComparisons()
{
    static const std::vector<std::string> comparisons = {"<", "<=", "=", ">=", ">", "<>"};
    return comparisons;
}

RuleStatement ruleStatement(const std::vector<RecipeRule>& rules)
{
    RuleStatement statement;
    std::vector<std::string> conditions;
    std::vector<std::string> others; // the conditions of the rules that need no totals
    std::vector<std::string> missing;
    const auto bind = [&](Value value) {
        statement.params.push_back(std::move(value));
        return "?" + std::to_string(statement.params.size());
    };
    const auto boundList = [&](const std::vector<std::int64_t>& keys) {
        std::string list;
        for (std::int64_t key : keys)
            list += (list.empty() ? "" : ", ") + bind(Value(key));
        return list;
    };

    for (const RecipeRule& rule : rules) {
        const Builder builder(rule);
        const std::size_t before = conditions.size();
        const bool needsTotals = rule.kind == "nutrient" || rule.kind == "energy";
        if (rule.kind == "nutrient") {
            const std::string nutrient = bind(Value(builder.key()));
            const std::string comparison = builder.comparison();
            const std::string value = bind(Value(builder.number()));
            const std::string stored = " FROM " + std::string(kNutrients) + " n WHERE n.Nutr_No = " + nutrient
                + " AND n.R_ID = r.R_ID AND n.Nutr_Val IS NOT NULL";
            conditions.push_back(std::string(kServes) + " > 0 AND EXISTS (SELECT 1" + stored + " AND n.Nutr_Val / "
                                 + kServes + " " + comparison + " " + value + ")");
            missing.push_back("NOT (" + std::string(kServes) + " > 0) OR NOT EXISTS (SELECT 1" + stored + ")");
        } else if (rule.kind == "energy") {
            const std::string part = energyPart(builder.key(), builder);
            const std::string comparison = builder.comparison();
            const std::string value = bind(Value(builder.number()));
            const std::string parts = "WITH e(R_ID, protein, fat, carbohydrate, alcohol) AS ("
                + energyPartsStatement(false) + ") SELECT R_ID FROM e WHERE protein + fat + carbohydrate + alcohol > 0";
            conditions.push_back("r.R_ID IN (" + parts + " AND 100.0 * " + part
                                 + " / (protein + fat + carbohydrate + alcohol) " + comparison + " " + value + ")");
            missing.push_back("r.R_ID NOT IN (" + parts + ")");
        } else if (rule.kind == "cuisine") {
            // "+" keeps the planner on the recipe list's covering index: the cuisine's
            // own index would fetch the whole rows, procedures and all.
            conditions.push_back("+r.Cuisine_ID IN (" + boundList(builder.keyList()) + ")");
        } else if (rule.kind == "type") {
            conditions.push_back("+r.R_ID IN (SELECT R_ID FROM " + std::string(kTypeLinks) + " WHERE RTYPE_ID IN ("
                                 + boundList(builder.keyList()) + "))");
        } else if (rule.kind == "food") {
            const bool negated = builder.negated();
            conditions.push_back(std::string(negated ? "NOT " : "") + "EXISTS (SELECT 1 FROM " + kIngredients
                                 + " i WHERE i.NDB_No = " + bind(Value(builder.key())) + " AND i.R_ID = r.R_ID)");
        } else if (rule.kind == "word") {
            const bool negated = builder.negated();
            const std::string word = foldedForSearch(trimmed(rule.value));
            if (word.empty())
                builder.refuse("no word");
            statement.params.emplace_back(std::string());
            const auto condition = RecipeTextIndex::keywordCondition("r.R_ID", word, int(statement.params.size()), true);
            statement.params.back() = Value(condition.parameter);
            conditions.push_back(std::string(negated ? "NOT " : "") + "(" + condition.sql + ")");
        } else if (rule.kind == "time") {
            const std::string minutes = bind(Value(builder.number()));
            conditions.push_back("(r.\"Preperation Time\" IS NOT NULL OR r.\"Cooking Time\" IS NOT NULL)"
                                 " AND COALESCE(r.\"Preperation Time\", 0) + COALESCE(r.\"Cooking Time\", 0) <= "
                                 + minutes);
        } else if (rule.kind == "serves") {
            conditions.push_back(std::string(kServes) + " >= " + bind(Value(builder.number())));
        } else {
            builder.refuse("\"" + rule.kind + "\" is not a kind of rule");
        }
        if (!needsTotals && conditions.size() > before)
            others.push_back(conditions.back());
    }

    // Conditions on the recipe's own columns first: SQLite tries AND terms in order, so
    // the subqueries run only for recipes those let through.
    std::stable_partition(conditions.begin(), conditions.end(),
                          [](const std::string& condition) { return condition.find("SELECT") == std::string::npos; });
    std::stable_partition(others.begin(), others.end(),
                          [](const std::string& condition) { return condition.find("SELECT") == std::string::npos; });
    statement.where = joined(conditions, "AND");
    if (!missing.empty()) {
        // Meeting every other rule, and lacking the totals one of its nutrient rules needs.
        statement.missingTotals = joined(others, "AND") + " AND (" + joined(missing, "OR") + ")";
    }
    return statement;
}
