#include "kitchen/CookWriting.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

// Amounts and lines as a cook writes them, the way a scaled recipe prints them.
namespace {

TEST(CookWriting, SpoonsCupsAndCountsInKitchenFractionsMetricWhole)
{
    const std::vector<std::pair<std::pair<double, std::optional<Unit>>, QString>> cases = {
        {{0.333, Unit::Cup}, "⅓"},        {{1.5, Unit::Cup}, "1 ½"},        {{2.25, Unit::Tablespoon}, "2 ¼"},
        {{0.375, Unit::Teaspoon}, "⅜"},   {{2.667, std::nullopt}, "2 ⅔"},   {{2.97, Unit::Cup}, "3"},
        {{0.02, Unit::Teaspoon}, "⅛"},    {{1499.6, Unit::Gram}, "1500"},   {{0.5, Unit::Gram}, "0.5"},
        {{333.33, Unit::Millilitre}, "333"}, {{1.25, Unit::Kilogram}, "1.25"}, {{0.7499, Unit::Litre}, "0.75"},
    };
    for (const auto& [amount, written] : cases)
        EXPECT_EQ(cookQuantity(amount.first, amount.second), written) << amount.first;
    EXPECT_EQ(lineFromFields(0.333, "cup", "Plain flour"), "⅓ cup Plain flour");
    EXPECT_EQ(lineFromFields(3, "clove", "Garlic"), "3 cloves Garlic");
    EXPECT_EQ(lineFromFields(std::nullopt, "", "Salt"), "Salt");
}

TEST(CookWriting, ScaledLinesKeepTheirWordingAndAgreeInNumber)
{
    const std::vector<std::pair<std::pair<QString, double>, QString>> cases = {
        {{"1 cup plain flour", 2}, "2 cups plain flour"},
        {{"2 cups sugar", 0.5}, "1 cup sugar"},
        {{"1 ½ cups milk", 0.25}, "⅜ cup milk"},
        {{"2-3 cloves garlic, crushed", 2}, "4-6 cloves garlic, crushed"},
        {{"250 g butter", 1.5}, "375 g butter"},
        {{"1 cup (120 g) flour", 2}, "2 cups (240 g) flour"},
        {{"3 eggs", 0.5}, "1 ½ eggs"},
        {{"Tablespoon olive oil", 2}, "Tablespoon olive oil"},
        {{"salt to taste", 3}, "salt to taste"},
    };
    for (const auto& [line, scaled] : cases)
        EXPECT_EQ(scaleIngredientLine(line.first, line.second), scaled) << line.first.toStdString();
}

} // namespace
