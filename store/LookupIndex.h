#pragma once

#include "store/Value.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// Rows of a set by the value of one of its columns, for lookup fields. Built on
// first use and again whenever the rows it was built from changed.
class LookupIndex {
public:
    // The key under which a value is indexed: numbers and texts never share one,
    // whatever their spelling, and 1 and 1.0 are one key.
    static std::string keyOf(const Value& value);

    bool builtFor(std::uint64_t generation) const { return generation_ == generation; }
    template <typename Rows, typename ColumnOf>
    void rebuild(const Rows& rows, ColumnOf columnOf, std::uint64_t generation)
    {
        rows_.clear();
        rows_.reserve(rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i)
            rows_.emplace(keyOf(columnOf(rows[i])), static_cast<int>(i)); // the first row with a key wins
        generation_ = generation;
    }
    int find(const Value& key) const; // -1 when no row has it

private:
    std::uint64_t generation_ = ~0ull;
    std::unordered_map<std::string, int> rows_;
};
