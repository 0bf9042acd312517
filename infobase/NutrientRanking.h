#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class SqliteDatabase;

// Foods ranked by one nutrient, for the Info Base. A food without a value for the
// nutrient is never ranked (not as 0, not at all).

enum class RankBasis {
    Per100g,    // the stored value
    Per100kcal, // the value per 100 kcal of the food; foods without energy left out
    PerMeasure, // the value in one of the food's first household measure; foods without one left out
};

struct RankQuery {
    std::int32_t nutrNo = 0;
    RankBasis basis = RankBasis::Per100g;
    std::optional<std::int64_t> group; // FdGrp_Cd; all groups when empty
    bool lowestFirst = false;
    int limit = 100;
};

struct RankedFood {
    int rank = 0;
    std::int32_t ndbNo = 0;
    std::string description;
    double per100g = 0;
    std::optional<double> per100kcal;
    std::string measure;                // the first measure the Foods page offers, empty when none
    std::optional<std::int32_t> weightId;
    std::optional<double> perMeasure;   // in one of that measure
    std::optional<double> percentDailyValue; // per 100 g
};

struct NutrientSummary {
    std::int32_t nutrNo = 0;
    std::string name;
    std::string unit;
    std::optional<double> dailyValue;
    int foodsWithValue = 0;
};

NutrientSummary nutrientSummary(const SqliteDatabase& db, std::int32_t nutrNo);

struct RankedFoods {
    std::vector<RankedFood> foods; // the first `query.limit` in rank order
    int total = 0;                 // how many the query ranks in all ("showing 100 of 2,345")
};

RankedFoods rankFoods(const SqliteDatabase& db, const RankQuery& query);

// The nutrient groups of the Info Base's tree, in the order it shows them.
enum class NutrientGroup { EnergyAndMacronutrients, Minerals, Vitamins, Lipids, AminoAcids, Other };
NutrientGroup nutrientGroupOf(std::int32_t nutrNo);
const char* nutrientGroupName(NutrientGroup group);
