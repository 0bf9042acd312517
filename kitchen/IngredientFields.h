#pragma once

#include "kitchen/IngredientLine.h"

#include <QString>

#include <optional>

// What an ingredient row's own fields hold of a line read: the number (a range's
// middle), the unit as written, and the rest of the line as written (the food,
// its preparation and comments, an alternative amount), cut to the name's size.
struct IngredientFields {
    std::optional<double> quantity;
    QString unit;
    QString name;
};

inline constexpr int kIngredientNameSize = 179;

IngredientFields ingredientFields(const IngredientLine& line);

// A line of a pasted block that is no ingredient: empty, or a heading such as
// "For the sauce:" or "INGREDIENTS".
bool isIngredientHeading(const QString& line);
