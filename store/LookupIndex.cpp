#include "store/LookupIndex.h"

std::string LookupIndex::keyOf(const Value& value)
{
    std::string key;
    if (const auto number = numberOf(value)) {
        key = "n";
        key += numberText(*number);
    } else if (const auto* text = std::get_if<std::string>(&value)) {
        key = "s";
        key += *text;
    }
    return key;
}

int LookupIndex::find(const Value& key) const
{
    const auto found = rows_.find(keyOf(key));
    return found == rows_.end() ? -1 : found->second;
}
