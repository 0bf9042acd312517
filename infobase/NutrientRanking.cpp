#include "infobase/NutrientRanking.h"

#include "facts/DailyValues.h"
#include "store/ProgramError.h"
#include "store/Sqlite.h"

#include <algorithm>

namespace {

constexpr int kEnergy = 208;

// One of the food's first usable measure: the WEIGHT rows in stored order, skipping
// those without an amount, as the Foods page's measure box lists them.
constexpr const char* kFirstMeasure = R"(SELECT Weight_ID, Msre_Desc, Gm_Wgt / Amount FROM "WEIGHT.db"
                                         WHERE NDB_No = ?1 AND IFNULL(Amount, 0) <> 0 ORDER BY rowid LIMIT 1)";
constexpr const char* kFirstMeasureGrams = R"((SELECT w.Gm_Wgt / w.Amount FROM "WEIGHT.db" w
                                               WHERE w.NDB_No = f.NDB_No AND IFNULL(w.Amount, 0) <> 0 ORDER BY w.rowid LIMIT 1))";

// Columns: NDB_No, Desc, value per 100 g, kcal per 100 g, rank key. Parameters: ?1
// the nutrient, ?2 the group. The default ranking (per 100 g, all groups) walks the
// nutrient's value index and stops after the rows shown; any other goes food by food
// through the covering (food, nutrient) index and sorts what it finds, which is what
// it must read anyway.
std::string rankStatement(const RankQuery& query, bool walkValueIndex)
{
    const std::string energy = " AND e.Nutr_No = " + std::to_string(kEnergy);
    std::string key = "n.Nutr_Val";
    std::string sql;
    if (walkValueIndex) {
        sql = R"(SELECT n.NDB_No, f."Desc", n.Nutr_Val, e.Nutr_Val, n.Nutr_Val AS rankKey FROM "NUT_DATA.db" n)"
              R"( JOIN "FOOD_DES.db" f ON f.NDB_No = n.NDB_No LEFT JOIN "NUT_DATA.db" e ON e.NDB_No = n.NDB_No)" +
              energy + " WHERE n.Nutr_No = ?1 AND n.Nutr_Val IS NOT NULL";
    } else {
        if (query.basis == RankBasis::Per100kcal)
            key = "n.Nutr_Val * 100.0 / e.Nutr_Val";
        else if (query.basis == RankBasis::PerMeasure)
            key = "n.Nutr_Val * " + std::string(kFirstMeasureGrams) + " / 100.0";
        // CROSS JOIN keeps the foods as the outer loop; "+" keeps the energy's value index out of it.
        sql = R"(SELECT n.NDB_No, f."Desc", n.Nutr_Val, e.Nutr_Val, )" + key + R"( AS rankKey FROM "FOOD_DES.db" f)"
              R"( CROSS JOIN "NUT_DATA.db" n ON n.NDB_No = f.NDB_No AND n.Nutr_No = ?1)" +
              (query.basis == RankBasis::Per100kcal ? " CROSS JOIN" : " LEFT JOIN") +
              R"( "NUT_DATA.db" e ON e.NDB_No = f.NDB_No)" + energy + " WHERE n.Nutr_Val IS NOT NULL";
        if (query.group)
            sql += " AND f.FdGrp_Cd = ?2";
        if (query.basis == RankBasis::Per100kcal)
            sql += " AND +e.Nutr_Val > 0";
        if (query.basis == RankBasis::PerMeasure)
            sql = "SELECT * FROM (" + sql + ") WHERE rankKey IS NOT NULL";
    }
    return sql + " ORDER BY rankKey" + (query.lowestFirst ? " ASC" : " DESC");
}

std::optional<double> optionalColumn(const SqliteStatement& statement, int column)
{
    if (statement.columnIsNull(column))
        return std::nullopt;
    return statement.columnDouble(column);
}

} // namespace

NutrientSummary nutrientSummary(const SqliteDatabase& db, std::int32_t nutrNo)
{
    auto definition = db.prepare(R"(SELECT Nutr_Desc, Units FROM "NUTR_DEF.db" WHERE Nutr_No = ?1)");
    definition.bindInt(1, nutrNo);
    if (!definition.step())
        throw ProgramError("There is no nutrient numbered " + std::to_string(nutrNo));
    NutrientSummary summary;
    summary.nutrNo = nutrNo;
    summary.name = definition.columnText(0);
    summary.unit = definition.columnText(1);
    summary.dailyValue = dailyValueOf(nutrNo);
    auto foods = db.prepare(R"(SELECT count(*) FROM "NUT_DATA.db" WHERE Nutr_No = ?1 AND Nutr_Val IS NOT NULL)");
    foods.bindInt(1, nutrNo);
    foods.step();
    summary.foodsWithValue = static_cast<int>(foods.columnInt(0));
    return summary;
}

RankedFoods rankFoods(const SqliteDatabase& db, const RankQuery& query)
{
    const bool walkValueIndex = query.basis == RankBasis::Per100g && !query.group;
    const int limit = std::max(0, query.limit);
    auto statement = db.prepare(rankStatement(query, walkValueIndex) + (walkValueIndex ? " LIMIT " + std::to_string(limit) : ""));
    statement.bindInt(1, query.nutrNo);
    if (query.group && !walkValueIndex)
        statement.bindInt(2, *query.group);
    auto measure = db.prepare(kFirstMeasure);
    const std::optional<double> dailyValue = dailyValueOf(query.nutrNo);

    RankedFoods ranked;
    while (statement.step()) {
        if (++ranked.total > limit)
            continue; // counted, not shown
        RankedFood food;
        food.rank = ranked.total;
        food.ndbNo = static_cast<std::int32_t>(statement.columnInt(0));
        food.description = statement.columnText(1);
        food.per100g = statement.columnDouble(2);
        if (const auto kcal = optionalColumn(statement, 3); kcal && *kcal > 0)
            food.per100kcal = food.per100g * 100.0 / *kcal;
        measure.bindInt(1, food.ndbNo);
        if (measure.step()) {
            food.weightId = static_cast<std::int32_t>(measure.columnInt(0));
            food.measure = measure.columnText(1);
            if (const auto grams = optionalColumn(measure, 2))
                food.perMeasure = food.per100g * *grams / 100.0;
        }
        measure.reset();
        if (dailyValue)
            food.percentDailyValue = food.per100g / *dailyValue * 100.0;
        ranked.foods.push_back(std::move(food));
    }
    if (walkValueIndex) {
        // Every value of the nutrient, read from its index alone.
        auto count = db.prepare(R"(SELECT count(*) FROM "NUT_DATA.db" WHERE Nutr_No = ?1 AND Nutr_Val IS NOT NULL)");
        count.bindInt(1, query.nutrNo);
        count.step();
        ranked.total = static_cast<int>(count.columnInt(0));
    }
    return ranked;
}

NutrientGroup nutrientGroupOf(std::int32_t nutrNo)
{
    if ((nutrNo >= 203 && nutrNo <= 205) || (nutrNo >= 208 && nutrNo <= 214) || nutrNo == 221 || nutrNo == 257 ||
        nutrNo == 268 || nutrNo == 269 || nutrNo == 287 || nutrNo == 291)
        return NutrientGroup::EnergyAndMacronutrients;
    if (nutrNo >= 301 && nutrNo <= 317)
        return NutrientGroup::Minerals;
    if ((nutrNo >= 318 && nutrNo <= 454) || nutrNo == 573 || nutrNo == 578)
        return NutrientGroup::Vitamins;
    if (nutrNo >= 501 && nutrNo <= 521)
        return NutrientGroup::AminoAcids;
    if ((nutrNo >= 601 && nutrNo <= 699) || (nutrNo >= 851 && nutrNo <= 859))
        return NutrientGroup::Lipids;
    return NutrientGroup::Other;
}

const char* nutrientGroupName(NutrientGroup group)
{
    switch (group) {
    case NutrientGroup::EnergyAndMacronutrients:
        return "Energy and Macronutrients";
    case NutrientGroup::Minerals:
        return "Minerals";
    case NutrientGroup::Vitamins:
        return "Vitamins";
    case NutrientGroup::Lipids:
        return "Lipids";
    case NutrientGroup::AminoAcids:
        return "Amino Acids";
    default:
        return "Other";
    }
}
