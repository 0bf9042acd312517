#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One recipe as it was read from outside or as it is to be written out. Texts are
// UTF-8; ingredient lines stay as written (reading them is the line reader's job).

// What a line was linked to in Saporia: the food by number, with its description so
// that an import can check the data folder holds that very food.
struct DraftLink {
    std::int64_t ndbNo = 0;
    std::string food;
    bool byGram = true;
    std::string measure; // the measure's description when not by gram
    double amount = 0;
    double grams = 0;

    bool operator==(const DraftLink&) const = default;
};

// A line typed field by field in Saporia, with no line kept as written: its fields
// as stored, so that an import gives them back as they were.
struct DraftFields {
    std::optional<double> quantity;
    std::string unit;
    std::string name;

    bool operator==(const DraftFields&) const = default;
};

struct DraftIngredient {
    std::string text;
    std::optional<DraftLink> link;
    std::optional<DraftFields> fields = std::nullopt; // only for Saporia's own exports

    bool operator==(const DraftIngredient&) const = default;
};

// Per serve: calories in kcal, sodium and cholesterol in mg, the rest in g.
struct NutritionPerServe {
    std::optional<double> calories;
    std::optional<double> fat;
    std::optional<double> saturatedFat;
    std::optional<double> carbohydrate;
    std::optional<double> sugar;
    std::optional<double> fibre;
    std::optional<double> protein;
    std::optional<double> sodium;
    std::optional<double> cholesterol;

    bool operator==(const NutritionPerServe&) const = default;
};

// A recipe total the user typed in place of the calculated one.
struct NutrientTotal {
    std::int64_t nutrientNumber = 0;
    double value = 0;

    bool operator==(const NutrientTotal&) const = default;
};

struct RecipeDraft {
    std::string name;
    std::optional<double> serves;
    std::optional<double> prepMinutes;
    std::optional<double> cookMinutes;
    // Numbered steps ("1. Mix the flour."), one a line; a line without a number
    // heads the steps under it, with a blank line before every heading but the first.
    std::string procedure;
    std::string author;
    std::string source;
    std::string webPageName;
    std::string webPageLink;
    std::string cuisine;
    std::vector<std::string> types;
    std::vector<DraftIngredient> ingredients;
    NutritionPerServe nutrition;
    std::vector<NutrientTotal> handTotals;

    bool operator==(const RecipeDraft&) const = default;
};
