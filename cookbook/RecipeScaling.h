#pragma once

#include "exchange/RecipeDraft.h"
#include "exchange/RecipeLinking.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class SqliteDatabase;

// What a recipe is scaled to: a number of serves, or a factor.
struct ScaleTarget {
    enum class Kind { Serves, Factor };
    Kind kind = Kind::Factor;
    double value = 1;
};

// An ingredient row of the stored recipe, scaled, by the row's id (R_ING_ID).
struct ScaledLine {
    std::int64_t rowId = 0;
    LinkedLine line;
};

// A stored recipe multiplied by one factor: every quantity, link amount and gram
// figure exactly, its lines as written anew as a cook writes them, its serves, and
// the totals it was given by hand. Totals of linked lines are summed afresh.
struct ScaledRecipe {
    std::int64_t recipeId = 0;
    double factor = 1;
    RecipeDraft draft; // the stored recipe's fields under the new name, serves and hand totals scaled
    std::vector<ScaledLine> lines;

    // The scaled recipe as a new one, named "Name (8 serves)".
    LinkedRecipe asNewRecipe() const;
};

struct ScaleResult {
    std::optional<ScaledRecipe> recipe;
    std::string refusal; // why the scale was refused, in the user's words
};

inline constexpr double kMaxScaleFactor = 100;
inline constexpr const char* kScaleFactorMessage = "The factor must be a number above 0 and at most 100.";

// Scales stored recipe `recipeId`. Refused: a factor that is not finite, not above 0
// or above 100; serves asked of a recipe without them; a line that would weigh more
// than 100 kg (the amount rule's wording, naming the line).
ScaleResult scaleStoredRecipe(const SqliteDatabase& db, std::int64_t recipeId, const ScaleTarget& target);

// "Chicken soup (8 serves)", or "Chicken soup (x 2)" for a recipe without serves,
// cut so that it fits the recipe's name field.
std::string scaledRecipeName(const std::string& name, const std::optional<double>& serves, double factor);
