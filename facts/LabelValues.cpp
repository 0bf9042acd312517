#include "facts/LabelValues.h"

#include "facts/LabelRounding.h"
#include "store/NutrientMath.h"
#include "store/ProgramError.h"
#include "store/Sqlite.h"

#include <map>
#include <set>

namespace {

// "208, 204, ..." for the statements' IN lists: the label's own numbers, no user text.
std::string labelNutrientList()
{
    std::string list;
    for (const LabelNutrientInfo& info : labelNutrients())
        list += (list.empty() ? "" : ", ") + std::to_string(info.nutrNo);
    return list;
}

const LabelNutrientInfo* byNumber(std::int64_t nutrNo)
{
    for (const LabelNutrientInfo& info : labelNutrients())
        if (info.nutrNo == nutrNo)
            return &info;
    return nullptr;
}

std::vector<LabelLine> emptyLines()
{
    std::vector<LabelLine> lines;
    for (const LabelNutrientInfo& info : labelNutrients())
        lines.push_back({info.nutrient, {}, 0, 0});
    return lines;
}

LabelLine& lineOf(std::vector<LabelLine>& lines, LabelNutrient nutrient)
{
    return lines[static_cast<std::size_t>(nutrient)];
}

struct Ingredient {
    std::string name;
    bool linked;
    double grams;
};

std::vector<Ingredient> readIngredients(const SqliteDatabase& db, std::int32_t recipeId)
{
    auto query = db.prepare(R"(SELECT "Ingredient Name", NDB_No IS NOT NULL, IFNULL(WeightInGram, 0)
                               FROM "Rescipe_ingredients.DB" WHERE R_ID = ? ORDER BY R_ING_ID)");
    query.bindInt(1, recipeId);
    std::vector<Ingredient> ingredients;
    while (query.step())
        ingredients.push_back({query.columnText(0), query.columnInt(1) != 0, query.columnDouble(2)});
    return ingredients;
}

// Per label nutrient, how many of the recipe's linked ingredients have a food
// that holds a value for it.
std::map<std::int64_t, int> knownCounts(const SqliteDatabase& db, std::int32_t recipeId)
{
    auto query = db.prepare(R"(SELECT d.Nutr_No, COUNT(DISTINCT i.R_ING_ID)
                               FROM "Rescipe_ingredients.DB" i JOIN "NUT_DATA.db" d ON d.NDB_No = i.NDB_No
                               WHERE i.R_ID = ? AND d.Nutr_Val IS NOT NULL AND d.Nutr_No IN ()" +
                            labelNutrientList() + ") GROUP BY d.Nutr_No");
    query.bindInt(1, recipeId);
    std::map<std::int64_t, int> counts;
    while (query.step())
        counts[query.columnInt(0)] = static_cast<int>(query.columnInt(1));
    return counts;
}

// The stored totals of the label nutrients; the first row where one was stored twice.
std::map<std::int64_t, double> storedTotals(const SqliteDatabase& db, std::int32_t recipeId)
{
    auto query = db.prepare(R"(SELECT Nutr_No, Nutr_Val FROM "Recipe_NUT_DATA.db"
                               WHERE R_ID = ? AND Nutr_Val IS NOT NULL AND Nutr_No IN ()" +
                            labelNutrientList() + ") ORDER BY ID");
    query.bindInt(1, recipeId);
    std::map<std::int64_t, double> totals;
    while (query.step())
        totals.emplace(query.columnInt(0), query.columnDouble(1));
    return totals;
}

std::string servingsText(double serves)
{
    return plainNumber(serves, 2) + (serves == 1 ? " serving per recipe" : " servings per recipe");
}

} // namespace

const LabelLine& NutritionLabel::line(LabelNutrient nutrient) const
{
    return lines.at(static_cast<std::size_t>(nutrient));
}

NutritionLabel recipeLabel(const SqliteDatabase& db, std::int32_t recipeId)
{
    auto recipe = db.prepare(R"(SELECT "Recipe Name", IFNULL("Number of Serves", 0) FROM "Recipe_Des.DB" WHERE R_ID = ?)");
    recipe.bindInt(1, recipeId);
    if (!recipe.step())
        throw ProgramError("There is no recipe numbered " + std::to_string(recipeId));

    NutritionLabel label;
    label.name = recipe.columnText(0);
    // Per-serve values need a positive count: zero leaves them empty as the
    // nutrient grid does, and a negative count is no count either.
    const double serves = recipe.columnDouble(1);
    const bool perServe = serves > 0;

    const std::vector<Ingredient> ingredients = readIngredients(db, recipeId);
    label.ingredientLines = static_cast<int>(ingredients.size());
    int linked = 0;
    double grams = 0;
    for (const Ingredient& ingredient : ingredients) {
        if (ingredient.linked) {
            ++linked;
            grams += ingredient.grams;
        } else {
            label.unlinked.push_back(ingredient.name);
        }
    }
    // The weight is only the recipe's when every ingredient's weight is known.
    std::optional<double> recipeGrams;
    if (label.unlinked.empty() && grams > 0)
        recipeGrams = grams;

    label.servings = perServe ? servingsText(serves) : "Number of serves not given";
    label.servingSize = "1 serve";
    if (perServe && recipeGrams)
        label.servingGrams = *recipeGrams / serves;
    label.columns = {LabelColumn{"Per serve", label.servingGrams, perServe},
                     LabelColumn{"Per recipe", recipeGrams, true}};

    label.lines = emptyLines();
    const auto known = knownCounts(db, recipeId);
    const auto totals = storedTotals(db, recipeId);
    for (LabelLine& line : label.lines) {
        const std::int32_t number = labelNutrient(line.nutrient).nutrNo;
        const auto count = known.find(number);
        line.knownFor = count == known.end() ? 0 : count->second;
        line.of = linked;
        const auto total = totals.find(number);
        // Known for none of the linked ingredients: whatever was stored is no sum of them.
        if (total == totals.end() || (linked > 0 && line.knownFor == 0))
            continue;
        line.amounts[1] = total->second;
        if (perServe)
            line.amounts[0] = total->second / serves;
    }
    return label;
}

NutritionLabel foodLabel(const SqliteDatabase& db, std::int32_t food, std::optional<std::int32_t> weightId,
                         double amount)
{
    auto description = db.prepare(R"(SELECT "Desc" FROM "FOOD_DES.db" WHERE NDB_No = ?)");
    description.bindInt(1, food);
    if (!description.step())
        throw ProgramError("There is no food numbered " + std::to_string(food));

    NutritionLabel label;
    label.name = description.columnText(0);
    label.columns[0] = {"Per 100 g", std::nullopt, true};
    label.columns[1].shown = false;

    std::optional<double> measureGrams;
    if (weightId) {
        auto measure = db.prepare(R"(SELECT Msre_Desc, IFNULL(Gm_Wgt, 0), IFNULL(Amount, 0) FROM "WEIGHT.db"
                                     WHERE Weight_ID = ? AND NDB_No = ?)");
        measure.bindInt(1, *weightId);
        measure.bindInt(2, food);
        if (!measure.step())
            throw ProgramError("The food numbered " + std::to_string(food) + " has no such measure");
        const double unitAmount = measure.columnDouble(2);
        // A measure without an amount has no grams per unit (the measure box skips it too).
        if (unitAmount != 0) {
            measureGrams = measure.columnDouble(1) / unitAmount * amount;
            label.servingSize = plainNumber(amount, 2) + " " + measure.columnText(0);
            label.servingGrams = measureGrams;
            label.columns[1] = {"Per " + label.servingSize, measureGrams, true};
        }
    }
    if (!measureGrams)
        label.servingSize = "100 g";

    label.lines = emptyLines();
    for (LabelLine& line : label.lines)
        line.of = 1;
    auto values = db.prepare(R"(SELECT Nutr_No, Nutr_Val FROM "NUT_DATA.db"
                                WHERE NDB_No = ? AND Nutr_Val IS NOT NULL AND Nutr_No IN ()" +
                             labelNutrientList() + ") ORDER BY Nutr_ID");
    values.bindInt(1, food);
    std::set<std::int64_t> seen;
    while (values.step()) {
        const LabelNutrientInfo* info = byNumber(values.columnInt(0));
        if (!info || !seen.insert(info->nutrNo).second)
            continue;
        LabelLine& line = lineOf(label.lines, info->nutrient);
        const double per100g = values.columnDouble(1);
        line.knownFor = 1;
        line.amounts[0] = per100g;
        if (measureGrams)
            line.amounts[1] = static_cast<double>(amountForWeight(per100g, *measureGrams));
    }
    return label;
}

std::string coverageNote(const LabelLine& line)
{
    if (!line.partial())
        return {};
    return "known for " + std::to_string(line.knownFor) + " of " + std::to_string(line.of) +
           (line.of == 1 ? " ingredient" : " ingredients");
}
