#pragma once

#include "store/LookupIndex.h"
#include "store/Value.h"

#include <string>
#include <vector>

class RecordSet;

// A set's filter: terms "field = value" joined by " OR "; a row passes when any term
// holds. Only stored fields can be filtered; values are converted to the field's type.
class RowFilter {
public:
    RowFilter() = default;
    // Throws ProgramError for a term without '=', an unknown field or a value of the wrong type.
    static RowFilter parse(const std::string& text, RecordSet& set);

    bool empty() const { return columns_.empty(); }
    bool accepts(const std::vector<Value>& stored) const;

private:
    // The terms by column: a row passes when one of its columns holds one of that column's values.
    struct Column {
        int column;
        ValueMap<bool> values;
        bool empty = false; // a term asks for an empty value
    };
    void add(int column, const Value& value);

    std::vector<Column> columns_;
};
