#pragma once

#include "exchange/RecipeDraft.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class Database;
class IngredientLinker;

// A line's link in the shape the ingredient row stores it, as the dialog's link button makes one.
struct StoredLink {
    std::int32_t ndbNo = 0;               // NDB_No
    std::string food;                     // the food's description
    bool byGram = true;                   // NDB_ByGram
    double quantity = 0;                  // NDB_Quantity: grams, or how many of the measure
    std::optional<std::int32_t> weightId; // NDB_Weight_ID
    std::string measure;                  // the measure's description
    double grams = 0;                     // WeightInGram
};

// One ingredient line with the row fields read from it.
struct LinkedLine {
    std::string text;                // exactly as written
    std::optional<double> quantity;  // Quantity: the reader's number, a range's middle
    std::string unit;                // Unit: as written
    std::string name;                // Ingredient Name: the rest of the line as written
    std::optional<StoredLink> link;
    std::string reason;              // why the line is not linked; empty when it is
    bool keepText = true;            // false for a line typed field by field: no line is kept
};

struct LinkedRecipe {
    RecipeDraft draft;               // its texts cut to their fields' sizes
    std::vector<LinkedLine> lines;   // one per draft ingredient, in order
    std::vector<std::string> cutFields;

    std::size_t linkedCount() const;
};

// Reads and links every line of `draft` against the foods of `foods`. A link the
// draft carries (a Saporia export) is restored when that food number has that very
// description, else the line comes in unlinked saying so; other lines take the
// linker's proposal when it is confident, and its reason when not.
LinkedRecipe linkRecipe(const RecipeDraft& draft, const Database& foods, IngredientLinker& linker);
