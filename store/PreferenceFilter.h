#pragma once

#include <string>

class RecordSet;

// The preferred-nutrient filter of a nutrient grid: one term "Nutr_No=<number>"
// per row of `preferences`, in their order, joined by " OR "; empty when there
// are none, which shows every nutrient. The rows are read without moving the
// set: the preference dialog shows it.
std::string preferenceFilterText(RecordSet& preferences);

// Sets that filter on `nutrients` and switches its filtering on.
void applyPreferenceFilter(RecordSet& preferences, RecordSet& nutrients);
