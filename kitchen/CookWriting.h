#pragma once

#include "kitchen/Units.h"

#include <QString>

#include <optional>
#include <string>

// Amounts and lines written the way a cook writes them: spoons, cups and counts in
// halves, thirds, quarters and eighths ("1 ½", "⅓"), grams and millilitres whole,
// kilograms and litres with at most two decimals.

// `value` of `unit` (or of the food itself when there is none).
QString cookQuantity(double value, std::optional<Unit> unit);

// A unit word agreeing with its number: "cup" for 1 or less, "cups" for more. Words
// that are not full unit words ("tbsp", "g", "NLEA serving") come back as they are.
QString agreeingUnit(const QString& unitText, double count);

// A line kept as written, with its amount multiplied by `factor`: the quantity (or
// both ends of a range) written anew, the unit word made singular or plural to
// agree, and an alternative amount of the whole line ("(190 g)") scaled too. A line
// without a quantity comes back unchanged.
QString scaleIngredientLine(const QString& written, double factor);

// A line typed field by field, written out: "⅓ cup Plain flour".
std::string lineFromFields(const std::optional<double>& quantity, const std::string& unit, const std::string& name);
