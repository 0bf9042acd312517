#pragma once

#include "kitchen/Units.h"

#include <QString>

#include <optional>

// An amount given beside the line's own: "(190 g)", "/5½oz", "(14.5 oz)".
struct AlternativeAmount {
    double value = 0;
    Unit unit = Unit::Gram;
    // True when it measures one of the line's items: "1 (14.5 oz) can", "2 cans (15 oz each)".
    bool perItem = false;
};

// A recipe's ingredient line, read into its parts. Texts are as written.
struct IngredientLine {
    QString text;                   // the whole line as given
    std::optional<double> quantity; // the number; a range's middle
    QString quantityText;           // "1 ½", "2-3", "a dozen"
    std::optional<double> rangeLow;
    std::optional<double> rangeHigh;
    double multiplier = 1;          // "2 x 400 g tins" is 2 of 400 g
    QString unitText;               // "cups", "Tbsp.", "tins"
    std::optional<Unit> unit;       // mass, volume or count
    QString sizeText;               // "large", "1-inch"
    std::optional<Unit> size;       // small, medium, large ...; inch for a piece sized by its length
    std::optional<AlternativeAmount> alternative;
    std::optional<Unit> container;  // what a mass or volume comes in: the can of "15 oz can tomatoes"
    QString food;                   // "all-purpose flour"
    QString preparation;            // "sifted", "to taste", "plus more for serving"

    // The quantity times the multiplier: how many of the unit (or of the food) the line asks for.
    std::optional<double> totalQuantity() const;
    // The line's mass in grams when it gives one anywhere: its own unit, or the alternative.
    std::optional<double> statedGrams() const;
};

IngredientLine readIngredientLine(const QString& written);
