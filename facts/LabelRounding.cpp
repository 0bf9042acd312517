#include "facts/LabelRounding.h"

#include <cassert>
#include <cmath>
#include <cstdio>

namespace {

using N = LabelNutrient;

// Half-way rounds up. The amounts are products and quotients of stored doubles,
// so one that is a half step on paper may land a hair below it: the nudge keeps
// 2.5 from becoming 2.4999999999 and rounding the wrong way.
double nearest(double amount, double step)
{
    return std::floor(amount / step + 0.5 + 1e-9) * step;
}

DeclaredAmount exactly(double value)
{
    return {value, false};
}

// 21 CFR 101.9(c)(2): total, saturated and trans fat.
DeclaredAmount fat(double grams)
{
    if (grams < 0.5)
        return exactly(0);
    if (grams < 5)
        return exactly(nearest(grams, 0.5));
    return exactly(nearest(grams, 1));
}

// 21 CFR 101.9(c)(6), (c)(6)(i), (c)(6)(ii) and (c)(7): carbohydrate, fiber,
// sugars and protein.
DeclaredAmount gramsToWhole(double grams)
{
    if (grams < 0.5)
        return exactly(0);
    if (grams < 1)
        return {1, true};
    return exactly(nearest(grams, 1));
}

// 21 CFR 101.9(c)(4) for sodium, and (c)(5), which rounds potassium the same way.
DeclaredAmount sodiumLike(double milligrams)
{
    if (milligrams < 5)
        return exactly(0);
    if (milligrams <= 140)
        return exactly(nearest(milligrams, 5));
    return exactly(nearest(milligrams, 10));
}

} // namespace

DeclaredAmount declaredAmount(LabelNutrient nutrient, double amount)
{
    switch (nutrient) {
    case N::Calories:
        // 21 CFR 101.9(c)(1): below 5 as zero, 5-calorie steps up to and
        // including 50, 10-calorie steps above.
        if (amount < 5)
            return exactly(0);
        return exactly(amount <= 50 ? nearest(amount, 5) : nearest(amount, 10));
    case N::TotalFat:
    case N::SaturatedFat:
    case N::TransFat:
        return fat(amount);
    case N::Cholesterol:
        // 21 CFR 101.9(c)(3): below 2 mg as zero, 2 to 5 mg as "less than 5 mg",
        // above in 5 mg steps.
        if (amount < 2)
            return exactly(0);
        if (amount <= 5)
            return {5, true};
        return exactly(nearest(amount, 5));
    case N::Sodium:
    case N::Potassium:
        return sodiumLike(amount);
    case N::TotalCarbohydrate:
    case N::DietaryFiber:
    case N::TotalSugars:
    case N::Protein:
        return gramsToWhole(amount);
    case N::VitaminD:
    case N::Iron:
        // Units of 21 CFR 101.9(c)(8)(iv); a daily value below 25 is declared
        // to a tenth of its unit.
        return exactly(amount < 0.05 ? 0 : nearest(amount, 0.1));
    case N::Calcium:
        // A daily value of 250 or more is declared in steps of 10 of its unit.
        return exactly(amount < 5 ? 0 : nearest(amount, 10));
    }
    return exactly(amount);
}

int declaredPercent(LabelNutrient nutrient, double amount)
{
    const LabelNutrientInfo& info = labelNutrient(nutrient);
    assert(labelDailyValue(info) > 0);
    const DeclaredAmount declared = declaredAmount(nutrient, amount);
    if (declared.value == 0 && !declared.lessThan)
        return 0;
    // 21 CFR 101.9(d)(7)(ii): the percent of the amount before rounding.
    const double percent = amount / labelDailyValue(info) * 100;
    double rounded = 0;
    if (!info.vitaminOrMineral)
        rounded = nearest(percent, 1); // to the nearest whole percent
    else if (percent <= 10)
        rounded = nearest(percent, 2); // 21 CFR 101.9(c)(8)(iii): 2% steps up to and including 10%,
    else if (percent <= 50)
        rounded = nearest(percent, 5); // 5% steps up to and including 50%,
    else
        rounded = nearest(percent, 10); // 10% steps above
    return static_cast<int>(std::lround(rounded));
}

std::string plainNumber(double value, int decimals)
{
    char text[512]; // room for any finite double
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string result = text;
    if (result.find('.') != std::string::npos) {
        while (result.back() == '0')
            result.pop_back();
        if (result.back() == '.')
            result.pop_back();
    }
    if (result == "-0")
        result = "0";
    return result;
}

std::string amountText(LabelNutrient nutrient, double amount)
{
    const DeclaredAmount declared = declaredAmount(nutrient, amount);
    const std::string number = plainNumber(declared.value, 1) + labelNutrient(nutrient).unit;
    return declared.lessThan ? "less than " + number : number;
}
