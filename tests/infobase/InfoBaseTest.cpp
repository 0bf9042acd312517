#include "facts/DailyValues.h"
#include "facts/LabelNutrients.h"
#include "facts/LabelValues.h"
#include "infobase/NutrientRanking.h"
#include "infobase/RecipeDailyValues.h"
#include "store/Sqlite.h"
#include "support/TestDataFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

// The Info Base's ranking and Daily Values against independent statements over the
// fixture data, with made-up foods for the cases the reference foods do not show.
namespace {

constexpr int kIron = 303;

// A food with iron and no energy, one with iron and 0 kcal, one with iron stored
// empty, and one with iron, energy and a measure whose amount is 0 before its real one.
constexpr const char* kTestFoods = R"(
    INSERT INTO "FOOD_DES.db" (NDB_No, FdGrp_Cd, "Desc") VALUES
        (99001, 1100, 'Test iron, no energy'), (99002, 1100, 'Test iron, no calories'),
        (99003, 1100, 'Test iron unknown'), (99004, 1100, 'Test iron with measures');
    INSERT INTO "NUT_DATA.db" (NDB_No, Nutr_No, Nutr_Val) VALUES
        (99001, 303, 50), (99002, 303, 0.001), (99002, 208, 0), (99003, 303, NULL),
        (99004, 303, 2), (99004, 208, 40);
    INSERT INTO "WEIGHT.db" (NDB_No, Seq, Amount, Msre_Desc, Gm_Wgt) VALUES
        (99004, 1, 0, 'nothing', 10), (99004, 2, 2, 'slices', 30);)";

class InfoBaseTest : public ::testing::Test {
protected:
    TestWorkingDirectory dir;
    std::unique_ptr<SqliteDatabase> db;

    void SetUp() override
    {
        dir.stored().execute(kTestFoods);
        db = std::make_unique<SqliteDatabase>(dir.databaseFile().string(), SqliteDatabase::Mode::ReadOnly);
    }

    // The ranking's foods and values, to compare with an independent statement's.
    static std::vector<std::string> pairsOf(const std::vector<RankedFood>& foods, RankBasis basis)
    {
        std::vector<std::string> pairs;
        for (const RankedFood& food : foods) {
            const double value = basis == RankBasis::Per100g      ? food.per100g
                                 : basis == RankBasis::Per100kcal ? food.per100kcal.value_or(NAN)
                                                                  : food.perMeasure.value_or(NAN);
            pairs.push_back(std::to_string(food.ndbNo) + "|" + std::to_string(value));
        }
        return pairs;
    }
    std::vector<std::string> expected(const std::string& sql, bool lowestFirst)
    {
        std::vector<std::string> pairs;
        auto rows = db->prepare(sql + (lowestFirst ? " ORDER BY 2 ASC" : " ORDER BY 2 DESC"));
        while (rows.step())
            pairs.push_back(std::to_string(rows.columnInt(0)) + "|" + std::to_string(rows.columnDouble(1)));
        return pairs;
    }
    // Equal up to the order of foods of equal value.
    static void expectSameRanking(std::vector<std::string> actual, std::vector<std::string> wanted)
    {
        ASSERT_EQ(actual.size(), wanted.size());
        const auto valueOf = [](const std::string& pair) { return pair.substr(pair.find('|')); };
        for (std::size_t i = 0; i < actual.size(); ++i)
            EXPECT_EQ(valueOf(actual[i]), valueOf(wanted[i])) << "rank " << i + 1;
        std::sort(actual.begin(), actual.end());
        std::sort(wanted.begin(), wanted.end());
        EXPECT_EQ(actual, wanted);
    }
};

TEST_F(InfoBaseTest, EveryBasisRanksExactlyTheFoodsWithAValueAsAPlainStatementDoes)
{
    const std::string iron = R"( FROM "NUT_DATA.db" n WHERE n.Nutr_No = 303 AND n.Nutr_Val IS NOT NULL)";
    const std::string energy = R"((SELECT e.Nutr_Val FROM "NUT_DATA.db" e WHERE e.NDB_No = n.NDB_No AND e.Nutr_No = 208))";
    const std::string measure = R"((SELECT w.Gm_Wgt / w.Amount FROM "WEIGHT.db" w WHERE w.NDB_No = n.NDB_No AND w.Amount <> 0 ORDER BY w.rowid LIMIT 1))";
    struct Case {
        RankBasis basis;
        std::string sql;
    };
    const Case cases[] = {
        {RankBasis::Per100g, "SELECT n.NDB_No, n.Nutr_Val" + iron},
        {RankBasis::Per100kcal, "SELECT n.NDB_No, n.Nutr_Val * 100.0 / " + energy + iron + " AND " + energy + " > 0"},
        {RankBasis::PerMeasure, "SELECT n.NDB_No, n.Nutr_Val * " + measure + " / 100.0" + iron + " AND " + measure + " IS NOT NULL"},
    };
    for (const Case& c : cases)
        for (bool lowestFirst : {false, true}) {
            SCOPED_TRACE(static_cast<int>(c.basis) * 2 + lowestFirst);
            RankQuery query{kIron, c.basis, std::nullopt, lowestFirst, 100000};
            const auto ranked = rankFoods(*db, query).foods;
            expectSameRanking(pairsOf(ranked, c.basis), expected(c.sql, lowestFirst));
            // Only the first ones when asked for them, ranked 1, 2, 3..., and all of them counted.
            query.limit = 3;
            const auto [first, total] = rankFoods(*db, query);
            EXPECT_EQ(total, static_cast<int>(ranked.size()));
            ASSERT_EQ(first.size(), 3u);
            EXPECT_EQ(first[2].rank, 3);
            EXPECT_EQ(first[2].per100g, ranked[2].per100g);
        }

    // No energy, 0 kcal, no measure, a value stored empty: never ranked as 0.
    const auto per100kcal = rankFoods(*db, {kIron, RankBasis::Per100kcal, 1100, false, 1000}).foods;
    for (const RankedFood& food : per100kcal)
        EXPECT_TRUE(food.ndbNo != 99001 && food.ndbNo != 99002 && food.ndbNo != 99003) << food.ndbNo;
    const auto inVegetables = rankFoods(*db, {kIron, RankBasis::Per100g, 1100, true, 1000}).foods;
    std::set<std::int32_t> vegetables;
    for (const RankedFood& food : inVegetables)
        vegetables.insert(food.ndbNo);
    EXPECT_TRUE(vegetables.contains(99001) && vegetables.contains(99002) && !vegetables.contains(99003));
    EXPECT_EQ(static_cast<std::int64_t>(vegetables.size()),
              dir.stored().count(R"(SELECT count(*) FROM "NUT_DATA.db" n JOIN "FOOD_DES.db" f ON f.NDB_No = n.NDB_No
                                    WHERE n.Nutr_No = 303 AND n.Nutr_Val IS NOT NULL AND f.FdGrp_Cd = 1100)"));
    EXPECT_EQ(inVegetables.front().ndbNo, 99002); // lowest first

    // The measure is the first one with an amount: 2 slices weigh 30 g, so one slice 15 g.
    const auto withMeasure = std::find_if(inVegetables.begin(), inVegetables.end(),
                                          [](const RankedFood& f) { return f.ndbNo == 99004; });
    ASSERT_NE(withMeasure, inVegetables.end());
    EXPECT_EQ(withMeasure->measure, "slices");
    EXPECT_DOUBLE_EQ(*withMeasure->perMeasure, 2 * 15 / 100.0);
    EXPECT_DOUBLE_EQ(*withMeasure->per100kcal, 2 * 100 / 40.0);
    EXPECT_DOUBLE_EQ(*withMeasure->percentDailyValue, 2 / 18.0 * 100);
}

TEST_F(InfoBaseTest, DailyValuesFollowTheRegulationAndARecipesSharesAgreeWithItsLabel)
{
    // A sample of 21 CFR 101.9 (2016), in the tables' units.
    EXPECT_EQ(dailyValueOf(303), 18);     // iron, mg
    EXPECT_EQ(dailyValueOf(307), 2300);   // sodium, mg
    EXPECT_EQ(dailyValueOf(328), 20);     // vitamin D, µg
    EXPECT_EQ(dailyValueOf(320), 900);    // vitamin A, µg RAE
    EXPECT_EQ(dailyValueOf(435), 400);    // folate, µg DFE
    EXPECT_EQ(dailyValueOf(312), 0.9);    // copper, mg
    EXPECT_EQ(dailyValueOf(421), 550);    // choline, mg
    EXPECT_FALSE(dailyValueOf(208));      // energy
    EXPECT_FALSE(dailyValueOf(269));      // total sugars
    EXPECT_EQ(labelDailyValue(labelNutrient(LabelNutrient::Iron)), 18);
    EXPECT_EQ(labelDailyValue(labelNutrient(LabelNutrient::Calories)), 0);

    const NutrientSummary iron = nutrientSummary(*db, kIron);
    EXPECT_EQ(iron.unit, "mg");
    EXPECT_EQ(iron.dailyValue, 18);
    EXPECT_EQ(iron.foodsWithValue,
              dir.stored().count(R"(SELECT count(DISTINCT NDB_No) FROM "NUT_DATA.db" WHERE Nutr_No = 303 AND Nutr_Val IS NOT NULL)"));
    EXPECT_EQ(nutrientGroupOf(208), NutrientGroup::EnergyAndMacronutrients);
    EXPECT_EQ(nutrientGroupOf(303), NutrientGroup::Minerals);
    EXPECT_EQ(nutrientGroupOf(435), NutrientGroup::Vitamins);
    EXPECT_EQ(nutrientGroupOf(606), NutrientGroup::Lipids);
    EXPECT_EQ(nutrientGroupOf(510), NutrientGroup::AminoAcids);
    EXPECT_EQ(nutrientGroupOf(255), NutrientGroup::Other);

    // Every starter recipe's %DV per serve is the label's amount per serve over its Daily Value.
    for (std::int64_t recipe : dir.stored().numbers(R"(SELECT R_ID FROM "Recipe_Des.DB")")) {
        const auto id = static_cast<std::int32_t>(recipe);
        const RecipeDailyValues values = recipeDailyValues(*db, id);
        const NutritionLabel label = recipeLabel(*db, id);
        ASSERT_GT(values.serves, 0);
        int compared = 0;
        for (const LabelNutrientInfo& info : labelNutrients()) {
            const double dv = labelDailyValue(info);
            const LabelLine& line = label.line(info.nutrient);
            const auto share = std::find_if(values.shares.begin(), values.shares.end(),
                                            [&](const DailyValueShare& s) { return s.nutrNo == info.nutrNo; });
            if (dv == 0 || !line.amounts[0]) {
                EXPECT_EQ(share, values.shares.end()) << info.name;
                continue;
            }
            ASSERT_NE(share, values.shares.end()) << info.name;
            EXPECT_NEAR(share->percent, *line.amounts[0] / dv * 100, 1e-9) << info.name;
            EXPECT_EQ(share->knownFor, line.knownFor) << info.name;
            EXPECT_EQ(share->of, line.of) << info.name;
            ++compared;
        }
        EXPECT_GT(compared, 5);
        ASSERT_TRUE(values.energy);
        EXPECT_NEAR(values.energy->protein + values.energy->fat + values.energy->carbohydrate + values.energy->alcohol,
                    100, 1e-9);
    }
    EXPECT_EQ(dailyValueLevel(5), DailyValueLevel::Low);
    EXPECT_EQ(dailyValueLevel(12), DailyValueLevel::Moderate);
    EXPECT_EQ(dailyValueLevel(20), DailyValueLevel::High);
}

} // namespace
