#pragma once

#include "exchange/RecipeDraft.h"

#include <string>
#include <vector>

// One JSON-LD document (UTF-8) holding the recipes as schema.org Recipe objects;
// what schema.org has no property for travels under "saporia:data", so that
// readRecipeJson gives back drafts equal to these.
std::string writeRecipesJsonLd(const std::vector<RecipeDraft>& drafts);
