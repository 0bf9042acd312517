#pragma once

#include "exchange/RecipeDraft.h"
#include "exchange/RecipeLinking.h"

#include <cstdint>
#include <vector>

class Database;
class SqliteDatabase;

// Recipe totals by nutrient, worked out as the recipe calculation does: per nutrient,
// in the order first met, the sum over the linked lines of the food's value x grams / 100.
std::vector<NutrientTotal> totalsOfLinkedLines(const SqliteDatabase& db, const std::vector<LinkedLine>& lines);

// Stores one linked recipe in one transaction: the recipe (R_ID one above the
// highest), its cuisine and types (found by name ignoring case, or made), its
// ingredient rows in order with their links and kept lines, and its totals (the
// ones typed by hand it carries, else those of its linked lines). On any failure
// nothing is stored and the ProgramError is raised again. Returns the new R_ID.
std::int64_t storeRecipe(Database& db, const LinkedRecipe& recipe);

// A stored recipe as the exporter writes it: its fields, cuisine and type names, its
// lines as written (a line typed field by field is written from its fields), their
// links, its nutrition per serve, and its totals when they are not those of its links.
RecipeDraft draftOfStoredRecipe(const SqliteDatabase& db, std::int64_t recipeId);
