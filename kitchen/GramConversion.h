#pragma once

#include "kitchen/IngredientLine.h"
#include "kitchen/Units.h"
#include "store/Amount.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

class SqliteDatabase;

// One household measure of a food, as WEIGHT.db holds it.
struct FoodMeasure {
    std::int32_t weightId = 0;
    double amount = 0;       // "0.5" of "0.5 cup"
    QString description;     // "cup, chopped"
    double grams = 0;        // of `amount` measures
    std::optional<Unit> unit;  // what the description's first words name, when a unit
    QStringList qualifiers;  // its other words, folded: "chopped"

    double gramsPerUnit() const { return grams / amount; }
};

// The food's usable measures (an amount above 0 and grams above 0), in the order the tables keep them.
std::vector<FoodMeasure> measuresOf(const SqliteDatabase& db, std::int32_t ndbNo);

// Refusal of an amount that is no number above 0 or more than 100 kg: the one amount rule.
extern const QString kAmountRule;
constexpr double kMostGramsPerLine = kMaxGrams;

// A line's grams of one food, and the measure they came through.
struct GramResult {
    std::optional<double> grams;
    bool stated = false;                // the line gives the mass itself
    std::optional<FoodMeasure> measure; // the measure of the line's own unit, size or count
    double measureCount = 0;            // how many of that measure
    QString reason;                     // how the grams were found, or why there are none
};

// A mass in the line converts exactly; a volume goes through the food's measure of
// that unit or one of its volume measures by the standard ratios; a count or size
// through the measure that names it, else a medium or whole one. Only a sprig, a leaf
// and a handful, which the tables seldom weigh, fall back on a usual weight.
GramResult gramsFor(const IngredientLine& line, const std::vector<FoodMeasure>& measures);
