#include "infobase/RecipeDailyValues.h"

#include "facts/DailyValues.h"
#include "store/ProgramError.h"
#include "store/Sqlite.h"

#include <map>

DailyValueLevel dailyValueLevel(double percent)
{
    if (percent <= 5)
        return DailyValueLevel::Low;
    return percent >= 20 ? DailyValueLevel::High : DailyValueLevel::Moderate;
}

RecipeDailyValues recipeDailyValues(const SqliteDatabase& db, std::int32_t recipeId)
{
    auto recipe = db.prepare(R"(SELECT "Recipe Name", IFNULL("Number of Serves", 0) FROM "Recipe_Des.DB" WHERE R_ID = ?1)");
    recipe.bindInt(1, recipeId);
    if (!recipe.step())
        throw ProgramError("There is no recipe numbered " + std::to_string(recipeId));
    RecipeDailyValues values;
    values.recipeId = recipeId;
    values.name = recipe.columnText(0);
    values.serves = std::max(0.0, recipe.columnDouble(1));

    auto lines = db.prepare(R"(SELECT count(*), count(NDB_No) FROM "Rescipe_ingredients.DB" WHERE R_ID = ?1)");
    lines.bindInt(1, recipeId);
    lines.step();
    values.lines = static_cast<int>(lines.columnInt(0));
    values.linked = static_cast<int>(lines.columnInt(1));
    values.energy = energySharesOf(energyPartsOfRecipe(db, recipeId));
    if (values.serves <= 0)
        return values;

    // Coverage as the label counts it: linked ingredients whose food holds a value.
    std::map<std::int64_t, int> known;
    auto counts = db.prepare(R"(SELECT d.Nutr_No, COUNT(DISTINCT i.R_ING_ID) FROM "Rescipe_ingredients.DB" i
                                JOIN "NUT_DATA.db" d ON d.NDB_No = i.NDB_No
                                WHERE i.R_ID = ?1 AND d.Nutr_Val IS NOT NULL GROUP BY d.Nutr_No)");
    counts.bindInt(1, recipeId);
    while (counts.step())
        known[counts.columnInt(0)] = static_cast<int>(counts.columnInt(1));

    // The first stored total of each nutrient, in the order NUTR_DEF holds the nutrients.
    auto totals = db.prepare(R"(SELECT d.Nutr_No, d.Nutr_Desc, d.Units,
                                  (SELECT t.Nutr_Val FROM "Recipe_NUT_DATA.db" t WHERE t.R_ID = ?1 AND t.Nutr_No = d.Nutr_No
                                   AND t.Nutr_Val IS NOT NULL ORDER BY t.ID LIMIT 1)
                                FROM "NUTR_DEF.db" d ORDER BY d.Nutr_No)");
    totals.bindInt(1, recipeId);
    while (totals.step()) {
        const auto nutrNo = static_cast<std::int32_t>(totals.columnInt(0));
        const std::optional<double> dailyValue = dailyValueOf(nutrNo);
        if (!dailyValue || totals.columnIsNull(3))
            continue;
        const int knownFor = known.contains(nutrNo) ? known[nutrNo] : 0;
        if (values.linked > 0 && knownFor == 0)
            continue; // known for no ingredient: whatever was stored is no sum of them
        DailyValueShare share;
        share.nutrNo = nutrNo;
        share.name = totals.columnText(1);
        share.unit = totals.columnText(2);
        share.perServe = totals.columnDouble(3) / values.serves;
        share.percent = share.perServe / *dailyValue * 100;
        share.knownFor = knownFor;
        share.of = values.linked;
        values.shares.push_back(std::move(share));
    }
    return values;
}
