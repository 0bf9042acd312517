#include "facts/LabelNutrients.h"

#include "facts/DailyValues.h"

namespace {

using N = LabelNutrient;

// Vitamin D is read in micrograms (328), not in international units (324).
constexpr std::array<LabelNutrientInfo, kLabelNutrientCount> kNutrients = {{
    {N::Calories, 208, "Calories", "", false, false},
    {N::TotalFat, 204, "Total Fat", "g", false, false},
    {N::SaturatedFat, 606, "Saturated Fat", "g", false, true},
    {N::TransFat, 605, "Trans Fat", "g", false, true},
    {N::Cholesterol, 601, "Cholesterol", "mg", false, false},
    {N::Sodium, 307, "Sodium", "mg", false, false},
    {N::TotalCarbohydrate, 205, "Total Carbohydrate", "g", false, false},
    {N::DietaryFiber, 291, "Dietary Fiber", "g", false, true},
    {N::TotalSugars, 269, "Total Sugars", "g", false, true},
    {N::Protein, 203, "Protein", "g", false, false},
    {N::VitaminD, 328, "Vitamin D", "mcg", true, false},
    {N::Calcium, 301, "Calcium", "mg", true, false},
    {N::Iron, 303, "Iron", "mg", true, false},
    {N::Potassium, 306, "Potassium", "mg", true, false},
}};

} // namespace

const std::array<LabelNutrientInfo, kLabelNutrientCount>& labelNutrients()
{
    return kNutrients;
}

const LabelNutrientInfo& labelNutrient(LabelNutrient nutrient)
{
    return kNutrients[static_cast<std::size_t>(nutrient)];
}

double labelDailyValue(const LabelNutrientInfo& info)
{
    // Calories, trans fat and total sugars are declared without a %DV.
    return dailyValueOf(info.nutrNo).value_or(0);
}
