#pragma once

#include "exchange/RecipeDraft.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Readers of recipes from outside: saved web pages (schema.org JSON-LD, or microdata
// when a page has no JSON-LD), JSON-LD files and plain text. They never throw on bad
// input: what they cannot read comes back as a one-line reason.

struct RecipeReading {
    std::vector<RecipeDraft> recipes;
    // Why nothing was read: empty whenever `recipes` is not.
    std::string problem;
    // Parts passed over while others were read, one line each ("JSON-LD block 2: broken JSON at ...").
    std::vector<std::string> skipped;

    bool ok() const { return !recipes.empty(); }
};

inline constexpr std::size_t kMaxRecipeInputBytes = 20 * 1024 * 1024;
inline constexpr int kMaxJsonNesting = 64;

// Decides by the content first (JSON, markup) and the extension next (.html/.htm,
// .json/.jsonld, .txt); reasons name the file.
RecipeReading readRecipeFile(const std::filesystem::path& path);

// The readers of bytes name what they read in their reasons as `origin`
// ("No recipe found in the page").

// A saved page's bytes, in the charset the page declares.
RecipeReading readRecipePage(std::string_view bytes, std::string_view origin = "the page");

// A JSON-LD document (UTF-8): one Recipe, an array, or an @graph, also nested in other objects.
RecipeReading readRecipeJson(std::string_view bytes, std::string_view origin = "the JSON text");

// Pasted or saved text (UTF-8): a title line, the ingredients, then the method.
RecipeReading readRecipeText(std::string_view text, std::string_view origin = "the text");

// What the clipboard holds (UTF-8): JSON-LD, a page's markup or plain text, by how it opens.
RecipeReading readPastedRecipe(std::string_view text);
