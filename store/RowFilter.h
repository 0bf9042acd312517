#pragma once

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

    bool empty() const { return terms_.empty(); }
    bool accepts(const std::vector<Value>& stored) const;

private:
    struct Term {
        int column;
        Value value;
    };
    std::vector<Term> terms_;
};
