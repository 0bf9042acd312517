#pragma once

#include <cstdint>
#include <string>

// One household measure of the current food, as the measure boxes list it.
struct MeasureEntry {
    double GramsPerUnit = 0; // grams in one unit of the measure
    std::string Description;
    std::int32_t WeightId = 0; // Weight_ID of the WEIGHT row it came from
};
