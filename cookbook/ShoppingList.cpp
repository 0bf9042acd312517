#include "cookbook/ShoppingList.h"

#include "kitchen/CookWriting.h"
#include "kitchen/Units.h"
#include "store/Sqlite.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

namespace {

struct FoodNeed {
    std::string name;
    std::string group;
    double grams = 0;
    std::optional<std::int64_t> measure; // the measure every link used, while they agree
    bool measuresAgree = true;
};

struct Measure {
    double amount = 0;
    std::string description;
    double grams = 0;

    double countFor(double wanted) const { return wanted * amount / grams; }
};

std::vector<Measure> measuresOf(const SqliteDatabase& db, std::int64_t food)
{
    auto statement = db.prepare(R"(SELECT "Amount", "Msre_Desc", "Gm_Wgt" FROM "WEIGHT.db")"
                                R"( WHERE "NDB_No" = ?1 AND "Gm_Wgt" > 0 AND "Amount" > 0 ORDER BY "Seq", "Weight_ID")");
    statement.bindInt(1, food);
    std::vector<Measure> measures;
    while (statement.step())
        measures.push_back({statement.columnDouble(0), statement.columnText(1), statement.columnDouble(2)});
    return measures;
}

std::optional<Measure> measureById(const SqliteDatabase& db, std::int64_t weightId)
{
    auto statement = db.prepare(R"(SELECT "Amount", "Msre_Desc", "Gm_Wgt" FROM "WEIGHT.db")"
                                R"( WHERE "Weight_ID" = ?1 AND "Gm_Wgt" > 0 AND "Amount" > 0)");
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

ShoppingList buildShoppingList(const SqliteDatabase& db, const std::vector<ShoppingChoice>& choices)
{
    auto lines = db.prepare(
        R"(SELECT i."NDB_No", i."NDB_ByGram", i."NDB_Weight_ID", i."WeightInGram", i."Quantity", i."Unit",)"
        R"( i."Ingredient Name", l."Line", f."Desc", g."FdGrp_Desc")"
        R"( FROM "Rescipe_ingredients.DB" i LEFT JOIN "Ingredient_Line.db" l ON l."R_ING_ID" = i."R_ING_ID")"
        R"( LEFT JOIN "FOOD_DES.db" f ON f."NDB_No" = i."NDB_No")"
        R"( LEFT JOIN "FD_GROUP.db" g ON g."FdGrp_Cd" = f."FdGrp_Cd")"
        R"( WHERE i."R_ID" = ?1 ORDER BY i."R_ING_ID")");
    std::map<std::int64_t, FoodNeed> foods;
    std::vector<ShoppingItem> unlinked;
    for (const ShoppingChoice& choice : choices) {
        lines.reset();
        lines.bindInt(1, choice.recipeId);
        while (lines.step()) {
            const bool linked = !lines.columnIsNull(0) && lines.columnInt(0) != 0 && !lines.columnIsNull(8);
            if (!linked) {
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
            const std::int64_t food = lines.columnInt(0);
            auto [need, first] = foods.try_emplace(food);
            FoodNeed& item = need->second;
            if (first) {
                item.name = lines.columnText(8);
                item.group = lines.columnText(9);
            }
            item.grams += lines.columnDouble(3) * choice.factor;
            const bool byGram = lines.columnInt(1) != 0 || lines.columnIsNull(2);
            const std::optional<std::int64_t> measure = byGram ? std::nullopt : std::optional(lines.columnInt(2));
            if (first)
                item.measure = measure;
            else if (item.measure != measure)
                item.measuresAgree = false;
        }
    }

    std::map<std::string, std::vector<ShoppingItem>> byGroup;
    for (const auto& [food, need] : foods) {
        std::optional<Measure> measure;
        if (need.measuresAgree && need.measure)
            measure = measureById(db, *need.measure);
        if (!measure)
            measure = handiestMeasure(measuresOf(db, food), need.grams);
        std::string text = need.name + " \u2014 " + gramsText(need.grams);
        if (measure && need.grams > 0)
            text += " (" + measureText(*measure, need.grams) + ")";
        byGroup[need.group].push_back({std::move(text), static_cast<std::int32_t>(food), need.grams});
    }
    ShoppingList list;
    for (auto& [group, items] : byGroup) {
        std::sort(items.begin(), items.end(), [](const ShoppingItem& a, const ShoppingItem& b) {
            return QString::fromStdString(a.text).compare(QString::fromStdString(b.text), Qt::CaseInsensitive) < 0;
        });
        list.groups.push_back({group, std::move(items)});
    }
    if (!unlinked.empty())
        list.groups.push_back({kUnlinkedGroup, std::move(unlinked)});
    return list;
}
