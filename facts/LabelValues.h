#pragma once

#include "facts/LabelNutrients.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class SqliteDatabase;

// What a Nutrition Facts label shows, read from the stored tables: for a recipe
// per serve and per recipe, for a food per 100 g and per a measure. Amounts are
// not rounded here; the painter rounds what it prints.

// One nutrient line. An amount is empty where the value is not known ("n/a").
struct LabelLine {
    LabelNutrient nutrient;
    std::array<std::optional<double>, 2> amounts;
    // Of the `of` linked ingredients, how many have a food that holds the nutrient;
    // a food label counts the food as its one ingredient.
    int knownFor = 0;
    int of = 0;

    // Known for some ingredients but not all: the amount is a partial sum.
    bool partial() const { return (amounts[0] || amounts[1]) && knownFor < of; }
};

struct LabelColumn {
    std::string heading;          // "Per serve", "Per recipe", "Per 100 g", "Per 1 tbsp"
    std::optional<double> grams;  // the weight the column is for, when known and not in its heading
    bool shown = true;            // a blank column (a recipe without serves)
};

struct NutritionLabel {
    std::string name;            // the recipe's name or the food's description
    std::string servings;        // "4 servings per recipe"; empty for a food
    std::string servingSize;     // "1 serve", "1 tbsp"
    std::optional<double> servingGrams;
    std::array<LabelColumn, 2> columns;
    std::vector<LabelLine> lines; // one per label nutrient, in label order
    std::vector<std::string> unlinked; // ingredients not linked to a food, in recipe order
    int ingredientLines = 0;           // all of a recipe's ingredients, linked or not

    const LabelLine& line(LabelNutrient nutrient) const;
};

// The label of a stored recipe; throws ProgramError when there is none of that id.
NutritionLabel recipeLabel(const SqliteDatabase& db, std::int32_t recipeId);

// The label of a stored food, per 100 g and per `amount` of its WEIGHT row
// `weightId` (no second column without one); throws ProgramError when the food
// or the measure is not stored.
NutritionLabel foodLabel(const SqliteDatabase& db, std::int32_t food, std::optional<std::int32_t> weightId,
                         double amount);

// How complete a line is, as the label says under it: empty when it is,
// "known for 5 of 8 ingredients" when it is a partial sum.
std::string coverageNote(const LabelLine& line);
