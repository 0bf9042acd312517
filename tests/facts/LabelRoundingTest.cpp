#include "facts/LabelRounding.h"

#include <gtest/gtest.h>

namespace {

using N = LabelNutrient;

struct AmountCase {
    N nutrient;
    double amount;
    const char* shown;
};

// Each rule on both sides of every boundary it has.
const AmountCase kAmounts[] = {
    {N::Calories, -3, "0"},       {N::Calories, 4.99, "0"},      {N::Calories, 5, "5"},
    {N::Calories, 7.49, "5"},     {N::Calories, 7.5, "10"},      {N::Calories, 50, "50"},
    {N::Calories, 50.01, "50"},   {N::Calories, 54.99, "50"},    {N::Calories, 55, "60"},
    {N::TotalFat, 0.49, "0g"},    {N::TotalFat, 0.5, "0.5g"},    {N::TotalFat, 0.74, "0.5g"},
    {N::TotalFat, 0.75, "1g"},    {N::TotalFat, 4.74, "4.5g"},   {N::TotalFat, 4.75, "5g"},
    {N::TotalFat, 4.99, "5g"},    {N::TotalFat, 5, "5g"},        {N::TotalFat, 5.49, "5g"},
    {N::TotalFat, 5.5, "6g"},     {N::SaturatedFat, 0.49, "0g"}, {N::SaturatedFat, 2.25, "2.5g"},
    {N::TransFat, 0.5, "0.5g"},   {N::TransFat, 5.5, "6g"},
    {N::Cholesterol, 1.99, "0mg"},          {N::Cholesterol, 2, "less than 5mg"},
    {N::Cholesterol, 5, "less than 5mg"},   {N::Cholesterol, 5.01, "5mg"},
    {N::Cholesterol, 7.49, "5mg"},          {N::Cholesterol, 7.5, "10mg"},
    {N::Sodium, 4.99, "0mg"},     {N::Sodium, 5, "5mg"},         {N::Sodium, 7.49, "5mg"},
    {N::Sodium, 7.5, "10mg"},     {N::Sodium, 140, "140mg"},     {N::Sodium, 140.01, "140mg"},
    {N::Sodium, 144.99, "140mg"}, {N::Sodium, 145, "150mg"},
    {N::Potassium, 4.99, "0mg"},  {N::Potassium, 137.5, "140mg"}, {N::Potassium, 145, "150mg"},
    {N::TotalCarbohydrate, 0.49, "0g"},     {N::TotalCarbohydrate, 0.5, "less than 1g"},
    {N::TotalCarbohydrate, 0.99, "less than 1g"}, {N::TotalCarbohydrate, 1, "1g"},
    {N::TotalCarbohydrate, 1.49, "1g"},     {N::TotalCarbohydrate, 1.5, "2g"},
    {N::DietaryFiber, 0.5, "less than 1g"}, {N::TotalSugars, 0.49, "0g"}, {N::Protein, 0.99, "less than 1g"},
    {N::Protein, 11.5, "12g"},
    {N::VitaminD, 0.04, "0mcg"},  {N::VitaminD, 0.05, "0.1mcg"}, {N::VitaminD, 1.25, "1.3mcg"},
    {N::Iron, 2.44, "2.4mg"},     {N::Iron, 0.96, "1mg"},
    {N::Calcium, 4.99, "0mg"},    {N::Calcium, 5, "10mg"},       {N::Calcium, 1304.9, "1300mg"},
};

TEST(LabelRounding, AmountsAreShownByTheRulesOfEachNutrient)
{
    for (const AmountCase& c : kAmounts)
        EXPECT_EQ(amountText(c.nutrient, c.amount), c.shown)
            << labelNutrient(c.nutrient).name << " " << c.amount;
}

TEST(LabelRounding, LessThanIsToldApartFromAnExactAmount)
{
    EXPECT_EQ(declaredAmount(N::Cholesterol, 3), (DeclaredAmount{5, true}));
    EXPECT_EQ(declaredAmount(N::Cholesterol, 6), (DeclaredAmount{5, false}));
    EXPECT_EQ(declaredAmount(N::Protein, 0.7), (DeclaredAmount{1, true}));
}

struct PercentCase {
    N nutrient;
    double amount;
    int percent;
};

const PercentCase kPercents[] = {
    // Macronutrients to the whole percent.
    {N::TotalFat, 11.518, 15},   {N::TotalFat, 0.49, 0},      {N::Sodium, 11.5, 1},     {N::Sodium, 11.49, 0},
    {N::Protein, 0.6, 1},        {N::Cholesterol, 3, 1},      {N::SaturatedFat, 22.13, 111},
    // Vitamins and minerals: 2% steps up to 10%, 5% steps up to 50%, then 10% steps.
    {N::VitaminD, 0.19, 0},      {N::VitaminD, 0.2, 2},       {N::VitaminD, 1.8, 10},   {N::VitaminD, 2, 10},
    {N::VitaminD, 2.1, 10},      {N::VitaminD, 2.49, 10},     {N::VitaminD, 2.5, 15},   {N::VitaminD, 10, 50},
    {N::VitaminD, 10.2, 50},     {N::VitaminD, 10.99, 50},    {N::VitaminD, 11, 60},    {N::Calcium, 1300, 100},
    {N::Iron, 9.7, 50},          {N::Potassium, 679.5, 15},
};

TEST(LabelRounding, PercentDailyValuesAreRoundedInTheirSteps)
{
    for (const PercentCase& c : kPercents)
        EXPECT_EQ(declaredPercent(c.nutrient, c.amount), c.percent)
            << labelNutrient(c.nutrient).name << " " << c.amount;
}

TEST(LabelRounding, NumbersLoseTrailingZerosAndNegativeZero)
{
    EXPECT_EQ(plainNumber(4.5, 1), "4.5");
    EXPECT_EQ(plainNumber(12, 1), "12");
    EXPECT_EQ(plainNumber(0.25, 2), "0.25");
    EXPECT_EQ(plainNumber(-0.01, 1), "0");
    EXPECT_EQ(plainNumber(1e300, 1).size(), 301u);
}

} // namespace
