#pragma once

#include <cstdint>
#include <vector>

class SqliteDatabase;

// Fills the program's own tables of a freshly imported data folder: the default
// preferred nutrients, recipe types, cuisines and example recipes whose stored
// nutrient totals are exactly what the program's calculation gives.
// Throws ProgramError when a food or measure the example recipes use is missing.
void addStarterContent(SqliteDatabase& db);

// The foods the example recipes are linked to; a partial installation must include them.
std::vector<std::int32_t> starterFoods();
