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
        {"5.", 5},       {"-3 cups", -3}, {"+4", 4},       {"  7 g", 7},     {"1.2.3", 1.2},    {"12,5", 12},
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

} // namespace
