#pragma once

#include <cstdint>
#include <optional>
#include <string>

class SqliteDatabase;

// The energy a recipe's protein, fat, carbohydrate and alcohol give, in kcal. Each
// linked ingredient counts with its own food's energy factors (FOOD_DES Pro_Factor,
// Fat_Factor, CHO_Factor; 7 kcal/g for alcohol), so that the parts add up to what
// the food tables say the food gives, not to a general 4-9-4.
struct EnergyParts {
    double protein = 0;
    double fat = 0;
    double carbohydrate = 0;
    double alcohol = 0;

    double total() const { return protein + fat + carbohydrate + alcohol; }
};

// Each part as a percentage of their sum; the four add up to 100.
struct EnergyShares {
    double protein = 0;
    double fat = 0;
    double carbohydrate = 0;
    double alcohol = 0;
};

// Nothing when the parts give no energy at all (no linked line with a known value).
std::optional<EnergyShares> energySharesOf(const EnergyParts& parts);

// The factors a food without its own uses (the general Atwater factors).
inline constexpr double kGeneralProteinFactor = 4.0;
inline constexpr double kGeneralFatFactor = 9.0;
inline constexpr double kGeneralCarbohydrateFactor = 4.0;
inline constexpr double kAlcoholFactor = 7.0;

// A statement giving, per recipe, its energy parts over all its linked ingredient
// lines: columns R_ID, protein, fat, carbohydrate, alcohol (kcal for the whole
// recipe). With `oneRecipe` it has one parameter, ?1, the R_ID to work out; without,
// it covers every recipe that has a linked line, for searches to join against.
std::string energyPartsStatement(bool oneRecipe);

// The parts of one recipe; zero parts when it has no linked line with a value.
EnergyParts energyPartsOfRecipe(const SqliteDatabase& db, std::int64_t recipeId);
