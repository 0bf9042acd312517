#pragma once

#include <cstdint>
#include <string>
#include <vector>

class SqliteDatabase;

// A recipe chosen for the shop, scaled by `factor` (the serves wanted over its own).
struct ShoppingChoice {
    std::int64_t recipeId = 0;
    double factor = 1;
};

// One thing to buy: a food with its summed grams, or a line as written.
struct ShoppingItem {
    std::string text;   // "Butter, salted — 85 g (6 tbsp)"
    std::int32_t ndbNo = 0; // 0 for a line without a link
    double grams = 0;
};

struct ShoppingGroup {
    std::string name; // the food group; "Other" for the lines without a link
    std::vector<ShoppingItem> items;
};

struct ShoppingList {
    // Food groups by name, their foods by name; then the lines without a link, as written.
    std::vector<ShoppingGroup> groups;

    bool empty() const { return groups.empty(); }
    // One line per item, to paste into a phone's notes.
    std::string plainText() const;
};

inline constexpr const char* kUnlinkedGroup = "Other";

// The lines of the chosen recipes: those linked to one food merged into one item
// with their grams summed and a household measure beside them (the one the links
// used when they all used it, otherwise the food's measure that gives the smallest
// count of at least 1); the others as written, scaled, after them. Read in one
// snapshot of the file, so that a whole type of recipes takes a moment only.
ShoppingList buildShoppingList(SqliteDatabase& db, const std::vector<ShoppingChoice>& choices);

// "85 g", "1.25 kg".
std::string gramsText(double grams);
