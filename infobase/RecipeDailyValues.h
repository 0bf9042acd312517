#pragma once

#include "recipes/EnergyShares.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class SqliteDatabase;

// A recipe's values per serve as shares of the Daily Values, for the Info Base's chart.
struct DailyValueShare {
    std::int32_t nutrNo = 0;
    std::string name; // as NUTR_DEF names it
    std::string unit;
    double perServe = 0;
    double percent = 0; // of the Daily Value
    // Of the recipe's linked ingredients, how many have a food that holds the nutrient.
    int knownFor = 0;
    int of = 0;

    bool partial() const { return knownFor < of; }
};

// The common reading of %DV: 5% or less is low, 20% or more is high.
enum class DailyValueLevel { Low, Moderate, High };
DailyValueLevel dailyValueLevel(double percent);

struct RecipeDailyValues {
    std::int32_t recipeId = 0;
    std::string name;
    double serves = 0; // 0 when not given: no values per serve then
    int lines = 0;
    int linked = 0;
    std::vector<DailyValueShare> shares; // one per nutrient with a Daily Value and a total, in NUTR_DEF order
    std::optional<EnergyShares> energy;
};

// Throws ProgramError when there is no such recipe.
RecipeDailyValues recipeDailyValues(const SqliteDatabase& db, std::int32_t recipeId);
