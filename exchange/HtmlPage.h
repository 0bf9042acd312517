#pragma once

#include "exchange/SchemaRecipe.h"

#include <QJsonObject>

#include <string>
#include <string_view>
#include <vector>

// What a saved page holds for the recipe readers: its JSON-LD blocks as written,
// its microdata Recipe items in the shape JSON-LD gives them, and its own names.
struct HtmlPage {
    std::vector<std::string> jsonLdBlocks;
    std::vector<QJsonObject> microdataRecipes;
    PageContext context;
};

HtmlPage readHtmlPage(std::string_view bytes);
