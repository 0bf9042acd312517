#pragma once

#include "exchange/RecipeDraft.h"

#include <string>
#include <string_view>
#include <vector>

// Cuts every text longer than the field that stores it to the field's size, on a
// character boundary; returns the stored names of the fields that were cut
// ("Recipe Name", "Ingredient Name", ...), each once, in the draft's order.
std::vector<std::string> cutToFieldSizes(RecipeDraft& draft);

// Cuts `text` to the size of one field ("Rescipe_ingredients.DB", "Ingredient Name")
// the same way; true when it was cut.
bool cutToField(std::string& text, std::string_view table, std::string_view field);
