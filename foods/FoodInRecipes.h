#pragma once

#include <cstdint>

class Database;

// Whether a stored recipe ingredient is linked to the food. Such a food must not
// be deleted: its ingredients would keep a number that no food has, add nothing to
// their recipes' totals, and silently link to the next new food that receives it.
bool foodUsedInRecipes(const Database& database, std::int32_t ndbNo);
