#include "facts/LabelNutrients.h"

namespace {

using N = LabelNutrient;

// Daily values of 21 CFR 101.9(c)(8)(iv) and (c)(9) as revised in 2016. Vitamin D is
// read in micrograms (328), not in international units (324).
constexpr std::array<LabelNutrientInfo, kLabelNutrientCount> kNutrients = {{
    {N::Calories, 208, "Calories", "", 0, false, false},
    {N::TotalFat, 204, "Total Fat", "g", 78, false, false},
    {N::SaturatedFat, 606, "Saturated Fat", "g", 20, false, true},
    {N::TransFat, 605, "Trans Fat", "g", 0, false, true},
    {N::Cholesterol, 601, "Cholesterol", "mg", 300, false, false},
    {N::Sodium, 307, "Sodium", "mg", 2300, false, false},
    {N::TotalCarbohydrate, 205, "Total Carbohydrate", "g", 275, false, false},
    {N::DietaryFiber, 291, "Dietary Fiber", "g", 28, false, true},
    {N::TotalSugars, 269, "Total Sugars", "g", 0, false, true},
    {N::Protein, 203, "Protein", "g", 50, false, false},
    {N::VitaminD, 328, "Vitamin D", "mcg", 20, true, false},
    {N::Calcium, 301, "Calcium", "mg", 1300, true, false},
    {N::Iron, 303, "Iron", "mg", 18, true, false},
    {N::Potassium, 306, "Potassium", "mg", 4700, true, false},
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
