#include "cookbook/ShoppingList.h"

#include "kitchen/CookWriting.h"
#include "kitchen/Units.h"
#include "store/Sqlite.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <optional>

namespace {

struct FoodNeed {
    std::string name;
    std::string group;
    double grams = 0;
    std::optional<std::int64_t> measure; // the measure every link used, while they agree
    bool measuresAgree = true;
    bool fresh = false; // no line counted yet
};

struct Measure {
    double amount = 0;
    std::string description;
    double grams = 0;

    double countFor(double wanted) const { return wanted * amount / grams; }
};

std::vector<Measure> measuresOf(SqliteStatement& statement, std::int64_t food)
{
    statement.reset();
    statement.bindInt(1, food);
    std::vector<Measure> measures;
    while (statement.step())
        measures.push_back({statement.columnDouble(0), statement.columnText(1), statement.columnDouble(2)});
    return measures;
}

std::optional<Measure> measureById(SqliteStatement& statement, std::int64_t weightId)
{
    statement.reset();
    statement.bindInt(1, weightId);
    if (!statement.step())
        return std::nullopt;
    return Measure{statement.columnDouble(0), statement.columnText(1), statement.columnDouble(2)};
}

// The food's measure giving the smallest count of at least 1; when every one gives
// less, the one that comes nearest to 1.
std::optional<Measure> handiestMeasure(const std::vector<Measure>& measures, double grams)
{
    const Measure* best = nullptr;
    for (const Measure& measure : measures) {
        const double count = measure.countFor(grams);
        if (!best) {
            best = &measure;
            continue;
        }
        const double bestCount = best->countFor(grams);
        const bool better = count >= 1 ? (bestCount < 1 || count < bestCount) : (bestCount < 1 && count > bestCount);
        if (better)
            best = &measure;
    }
    return best ? std::optional(*best) : std::nullopt;
}

std::string measureText(const Measure& measure, double grams)
{
    const QString description = QString::fromStdString(measure.description).trimmed();
    const double count = measure.countFor(grams);
    // The first word names the measure ("cup, chopped"): it agrees with the count.
    const qsizetype wordEnd = std::min(description.indexOf(u' ') < 0 ? description.size() : description.indexOf(u' '),
                                       description.indexOf(u',') < 0 ? description.size() : description.indexOf(u','));
    const QString word = description.first(wordEnd);
    const QString amount = cookQuantity(count, unitFromText(word));
    return (amount + u' ' + agreeingUnit(word, count) + description.sliced(wordEnd)).toStdString();
}

} // namespace

std::string gramsText(double grams)
{
    if (grams >= 1000)
        return QString::number(std::round(grams / 10) / 100, 'g', 12).toStdString() + " kg";
    if (grams >= 9.95)
        return QString::number(std::round(grams), 'f', 0).toStdString() + " g";
    return QString::number(std::round(grams * 10) / 10, 'g', 12).toStdString() + " g";
}

std::string ShoppingList::plainText() const
{
    std::string text;
    for (const ShoppingGroup& group : groups)
        for (const ShoppingItem& item : group.items)
            text += item.text + "\n";
    return text;
}

ShoppingList buildShoppingList(SqliteDatabase& db, const std::vector<ShoppingChoice>& choices)
{
    const SqliteReadSnapshot oneRead(db);
    auto lines = db.prepare(
        R"(SELECT i."NDB_No", i."NDB_ByGram", i."NDB_Weight_ID", i."WeightInGram", i."Quantity", i."Unit",)"
        R"( i."Ingredient Name", l."Line")"
        R"( FROM "Rescipe_ingredients.DB" i LEFT JOIN "Ingredient_Line.db" l ON l."R_ING_ID" = i."R_ING_ID")"
        R"( WHERE i."R_ID" = ?1 ORDER BY i."R_ING_ID")");
    // Each food is looked up once, however many lines name it.
    auto foodRow = db.prepare(R"(SELECT f."Desc", g."FdGrp_Desc" FROM "FOOD_DES.db" f)"
                              R"( LEFT JOIN "FD_GROUP.db" g ON g."FdGrp_Cd" = f."FdGrp_Cd" WHERE f."NDB_No" = ?1)");
    std::map<std::int64_t, FoodNeed> foods;
    std::set<std::int64_t> missingFoods;
    const auto knownFood = [&](std::int64_t food) -> FoodNeed* {
        if (const auto found = foods.find(food); found != foods.end())
            return &found->second;
        if (missingFoods.contains(food))
            return nullptr;
        foodRow.reset();
        foodRow.bindInt(1, food);
        if (!foodRow.step()) {
            missingFoods.insert(food); // a link to a food no longer stored counts as a line as written
            return nullptr;
        }
        FoodNeed& need = foods[food];
        need.name = foodRow.columnText(0);
        need.group = foodRow.columnText(1);
        need.fresh = true;
        return &need;
    };
    std::vector<ShoppingItem> unlinked;
    for (const ShoppingChoice& choice : choices) {
        lines.reset();
        lines.bindInt(1, choice.recipeId);
        while (lines.step()) {
            FoodNeed* need = !lines.columnIsNull(0) && lines.columnInt(0) != 0 ? knownFood(lines.columnInt(0)) : nullptr;
            if (!need) {
                std::string text;
                if (!lines.columnIsNull(7)) {
                    text = scaleIngredientLine(QString::fromStdString(lines.columnText(7)), choice.factor).toStdString();
                } else {
                    std::optional<double> quantity;
                    if (!lines.columnIsNull(4))
                        quantity = lines.columnDouble(4) * choice.factor;
                    text = lineFromFields(quantity, lines.columnText(5), lines.columnText(6));
                }
                if (!QString::fromStdString(text).trimmed().isEmpty())
                    unlinked.push_back({QString::fromStdString(text).trimmed().toStdString(), 0, 0});
                continue;
            }
            need->grams += lines.columnDouble(3) * choice.factor;
            const bool byGram = lines.columnInt(1) != 0 || lines.columnIsNull(2);
            const std::optional<std::int64_t> measure = byGram ? std::nullopt : std::optional(lines.columnInt(2));
            if (need->fresh)
                need->measure = measure;
            else if (need->measure != measure)
                need->measuresAgree = false;
            need->fresh = false;
        }
    }

    auto foodMeasures = db.prepare(R"(SELECT "Amount", "Msre_Desc", "Gm_Wgt" FROM "WEIGHT.db")"
                                   R"( WHERE "NDB_No" = ?1 AND "Gm_Wgt" > 0 AND "Amount" > 0 ORDER BY "Seq", "Weight_ID")");
    auto oneMeasure = db.prepare(R"(SELECT "Amount", "Msre_Desc", "Gm_Wgt" FROM "WEIGHT.db")"
                                 R"( WHERE "Weight_ID" = ?1 AND "Gm_Wgt" > 0 AND "Amount" > 0)");
    std::map<std::string, std::vector<ShoppingItem>> byGroup;
    for (const auto& [food, need] : foods) {
        std::optional<Measure> measure;
        if (need.measuresAgree && need.measure)
            measure = measureById(oneMeasure, *need.measure);
        if (!measure)
            measure = handiestMeasure(measuresOf(foodMeasures, food), need.grams);
        std::string text = need.name + " \u2014 " + gramsText(need.grams);
        if (measure && need.grams > 0)
            text += " (" + measureText(*measure, need.grams) + ")";
        byGroup[need.group].push_back({std::move(text), static_cast<std::int32_t>(food), need.grams});
    }
    ShoppingList list;
    for (auto& [group, items] : byGroup) {
        // By name, ignoring case: each name folded once, not at every comparison.
        std::vector<std::pair<QString, ShoppingItem>> keyed;
        for (ShoppingItem& item : items)
            keyed.emplace_back(QString::fromStdString(item.text).toCaseFolded(), std::move(item));
        std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        items.clear();
        for (auto& [key, item] : keyed)
            items.push_back(std::move(item));
        list.groups.push_back({group, std::move(items)});
    }
    if (!unlinked.empty())
        list.groups.push_back({kUnlinkedGroup, std::move(unlinked)});
    return list;
}
