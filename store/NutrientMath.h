#pragma once

// The one place where an amount per 100 g becomes an amount for a weight.
// The product value x grams is formed first, then scaled by the constant 0.01,
// in extended precision; the caller stores the result as a double.
inline long double amountForWeight(double valuePer100g, double grams)
{
    return static_cast<long double>(valuePer100g) * static_cast<long double>(grams) * 0.01L;
}

// A running recipe total after adding one food nutrient row.
inline double addAmountForWeight(double total, double valuePer100g, double grams)
{
    return static_cast<double>(amountForWeight(valuePer100g, grams) + static_cast<long double>(total));
}
