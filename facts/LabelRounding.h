#pragma once

#include "facts/LabelNutrients.h"

#include <string>

// How a label declares an amount and its percent daily value. Only what is shown
// is rounded: the stored values and the sums behind the label never are.

// A declared amount: the rounded number, or "less than" that number.
struct DeclaredAmount {
    double value = 0;
    bool lessThan = false;

    bool operator==(const DeclaredAmount&) const = default;
};

DeclaredAmount declaredAmount(LabelNutrient nutrient, double amount);

// The percent daily value of `amount`, rounded as the label shows it; the
// nutrient must have a daily value. An amount declared as zero is 0%.
int declaredPercent(LabelNutrient nutrient, double amount);

// The amount as the label prints it: "230", "12g", "4.5g", "less than 5mg", "1.2mcg".
std::string amountText(LabelNutrient nutrient, double amount);

// A number with at most `decimals` decimals and no trailing zeros ("4.5", "12", "0.25").
std::string plainNumber(double value, int decimals);
