#pragma once

#include <cstdint>
#include <string>

class Query;
class RecordSet;

// The number of a new food, food group, rule group, recipe or recipe type: one
// above the highest value of `field`. `highestStored` selects that column's
// maximum under the name `field` (an empty table reads as 0). The rows still
// pending in `pendingRows`, the cached set the new rows go to, count as well, so
// two items created before their caller applies never share a number.
std::int32_t nextNumber(Query& highestStored, const std::string& field, RecordSet& pendingRows);
