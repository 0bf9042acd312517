#pragma once

#include <array>
#include <cstdint>
#include <string>

// The nutrients a Nutrition Facts label declares, in the order it lists them,
// with the reference-table nutrient each one is read from and its daily value
// (adults and children 4 years and over), from the one table of Daily Values.
enum class LabelNutrient {
    Calories,
    TotalFat,
    SaturatedFat,
    TransFat,
    Cholesterol,
    Sodium,
    TotalCarbohydrate,
    DietaryFiber,
    TotalSugars,
    Protein,
    VitaminD,
    Calcium,
    Iron,
    Potassium,
};

struct LabelNutrientInfo {
    LabelNutrient nutrient;
    std::int32_t nutrNo;  // NUTR_DEF Nutr_No
    const char* name;     // as the label prints it
    const char* unit;     // as the label prints it after the amount ("g", "mg", "mcg"); empty for calories
    bool vitaminOrMineral; // listed below the thick bar, %DV rounded in steps
    bool indented;        // a part of the line above it
};

inline constexpr std::size_t kLabelNutrientCount = 14;

const std::array<LabelNutrientInfo, kLabelNutrientCount>& labelNutrients();
const LabelNutrientInfo& labelNutrient(LabelNutrient nutrient);
// The nutrient's Daily Value, 0 when the label gives no %DV for it.
double labelDailyValue(const LabelNutrientInfo& info);
