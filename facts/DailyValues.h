#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// The Daily Values of 21 CFR 101.9(c)(8)(iv) and (c)(9) as revised in 2016 (adults
// and children 4 years and over), for every nutrient the food tables hold that has
// one, in the tables' own unit. The label's %DV and the Info Base read this one table.
struct DailyValue {
    std::int32_t nutrNo; // NUTR_DEF Nutr_No
    double amount;       // in the unit NUTR_DEF gives that nutrient
};

const std::vector<DailyValue>& dailyValues();
std::optional<double> dailyValueOf(std::int32_t nutrNo);
