#pragma once

#include "store/LookupIndex.h"
#include "store/RowValues.h"
#include "store/Value.h"

#include <optional>
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
    bool accepts(const RowValues& stored) const;

    // The terms of one column for a storage query, its values as a JSON array: the
    // rows such a query brings are at least those accepts() takes, so they are
    // still checked by it. None when a value cannot be written exactly that way.
    struct StoredTerms {
        int column;
        std::string values;
        bool empty;
    };
    std::optional<std::vector<StoredTerms>> storedTerms() const;

private:
    // The terms by column: a row passes when one of its columns holds one of that column's values.
    struct Column {
        int column;
        ValueMap<bool> values;
        bool empty = false; // a term asks for an empty value
        std::string json;   // the values as JSON array items
    };
    void add(int column, const Value& value);

    std::vector<Column> columns_;
    bool storable_ = true;
};
