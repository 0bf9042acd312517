#include "store/Amount.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

struct Reading {
    std::string text;
    double amount;
};

TEST(Amount, ReadsTheLongestNumberAtTheStartAndNeverAnythingInfinite)
{
    const Reading readings[] = {
        {"2.5kg", 2.5},  {"1e3", 1000},  {"1e", 1},       {"1e+", 1},       {"1E-2x", 0.01},   {".5", 0.5},
        {"5.", 5},       {"-3 cups", -3}, {"+4", 4},       {"  7 g", 7},     {"1.2.3", 1.2},    {"12,5", 12.5},
        {"abc", 0},      {"", 0},        {".", 0},        {"-", 0},         {"inf", 0},        {"-infinity", 0},
        {"nan", 0},      {"NAN(1)", 0},  {"1e999", 0},    {"-1e999", 0},    {"0x1A", 0},       {"0x1p3", 0},
        {"1e-999", 0},   {"007", 7},
    };
    for (const auto& [text, amount] : readings) {
        const double read = readAmount(text);
        EXPECT_TRUE(std::isfinite(read)) << text;
        EXPECT_DOUBLE_EQ(read, amount) << "'" << text << "'";
    }
}

TEST(Amount, ACommaIsADecimalPointBeforeOneOrTwoDigitsAndGroupsThousandsBeforeThree)
{
    const Reading readings[] = {
        {"1,5", 1.5},         {"0,25", 0.25},       {"7,5 g", 7.5},   {"1,000", 1000},   {"1,000,000", 1000000},
        {"1,000.5", 1000.5},  {"2,5kg", 2.5},       {"1,0000", 1},    {",5", 0},         {"1,", 1},
        {"1,5,5", 1.5},       {"-0,5", -0.5},
    };
    for (const auto& [text, amount] : readings)
        EXPECT_DOUBLE_EQ(readAmount(text), amount) << "'" << text << "'";
}

TEST(Amount, ATypedNumberMustBeWhollyANumber)
{
    EXPECT_EQ(readTypedNumber(" 1,5 "), 1.5);
    EXPECT_EQ(readTypedNumber("1,000"), 1000);
    EXPECT_EQ(readTypedNumber("42"), 42);
    EXPECT_EQ(readTypedNumber("-3.25"), -3.25);
    for (const char* refused : {"1/2", "2.5kg", "", "  ", "abc", "1e999", "inf", "nan", "0x10", "1,0000", "1 000"})
        EXPECT_FALSE(readTypedNumber(refused).has_value()) << refused;
}

TEST(Amount, GramsMustBeAbove0AndAtMost100Kilograms)
{
    EXPECT_TRUE(isAllowedGrams(0.001));
    EXPECT_TRUE(isAllowedGrams(100000));
    for (double refused : {0.0, -1.0, 100000.5, HUGE_VAL, -HUGE_VAL, std::nan("")})
        EXPECT_FALSE(isAllowedGrams(refused)) << refused;
}

} // namespace
