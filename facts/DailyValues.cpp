#include "facts/DailyValues.h"

#include <algorithm>

const std::vector<DailyValue>& dailyValues()
{
    // Vitamin A as retinol activity equivalents (320), vitamin D in micrograms (328),
    // vitamin E as alpha-tocopherol (323), vitamin K as phylloquinone (430), folate
    // as dietary folate equivalents (435): the forms the regulation's values are for.
    static const std::vector<DailyValue> values = {
        {203, 50},   {204, 78},   {205, 275},  {291, 28},   {301, 1300}, {303, 18},   {304, 420},
        {305, 1250}, {306, 4700}, {307, 2300}, {309, 11},   {312, 0.9},  {315, 2.3},  {317, 55},
        {320, 900},  {323, 15},   {328, 20},   {401, 90},   {404, 1.2},  {405, 1.3},  {406, 16},
        {410, 5},    {415, 1.7},  {418, 2.4},  {421, 550},  {430, 120},  {435, 400},
        {601, 300},  {606, 20},
    };
    return values;
}

std::optional<double> dailyValueOf(std::int32_t nutrNo)
{
    const auto& values = dailyValues();
    const auto found = std::find_if(values.begin(), values.end(), [nutrNo](const DailyValue& v) { return v.nutrNo == nutrNo; });
    if (found == values.end())
        return std::nullopt;
    return found->amount;
}
