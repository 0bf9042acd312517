#pragma once

#include "cookbook/PagedDocument.h"
#include "cookbook/ShoppingList.h"
#include "exchange/RecipeDraft.h"
#include "facts/LabelValues.h"

#include <QString>

#include <cstdint>
#include <vector>

class SqliteDatabase;

// What a recipe card prints: the recipe as stored, with its label.
struct CardRecipe {
    RecipeDraft draft;
    NutritionLabel label;
};

CardRecipe cardRecipe(const SqliteDatabase& db, std::int64_t recipeId);

// One recipe laid out for reading while cooking: name, serves and times, cuisine
// and types, the ingredient lines as written, the numbered steps, author, source
// and web page, and its Nutrition Facts label.
PagedDocument recipeCard(const CardRecipe& recipe, const PageSetup& setup);

// Recipes as one book: a title page, the contents with the page each recipe starts
// on, and every recipe from a new page.
PagedDocument cookbook(const QString& title, const std::vector<CardRecipe>& recipes, const PageSetup& setup);

// The list to take to the shop: its groups, a box before every line.
PagedDocument shoppingListPages(const QString& title, const ShoppingList& list, const PageSetup& setup);

// A procedure as printed: headings and steps numbered on across them. Text without
// any numbered step is taken a paragraph a step.
struct ProcedureLine {
    bool heading = false;
    int number = 0;
    QString text;
};
std::vector<ProcedureLine> procedureLines(const QString& procedure);
