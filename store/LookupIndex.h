#pragma once

#include "store/Value.h"

#include <cstdint>
#include <string>
#include <unordered_map>

// Items by a value, with the value equality of lookups: numbers and texts never
// match each other, and 1 and 1.0 are one key. Empty values are never keys.
template <typename T>
class ValueMap {
public:
    const T* find(const Value& key) const
    {
        if (const auto number = numberOf(key)) {
            const auto found = numbers_.find(*number);
            return found == numbers_.end() ? nullptr : &found->second;
        }
        if (const auto* text = std::get_if<std::string>(&key)) {
            const auto found = texts_.find(*text);
            return found == texts_.end() ? nullptr : &found->second;
        }
        return nullptr;
    }
    // The first item under a key stays.
    void emplace(const Value& key, T item)
    {
        if (const auto number = numberOf(key))
            numbers_.emplace(*number, std::move(item));
        else if (const auto* text = std::get_if<std::string>(&key))
            texts_.emplace(*text, std::move(item));
    }
    void assign(const Value& key, T item)
    {
        if (const auto number = numberOf(key))
            numbers_.insert_or_assign(*number, std::move(item));
        else if (const auto* text = std::get_if<std::string>(&key))
            texts_.insert_or_assign(*text, std::move(item));
    }
    void clear()
    {
        numbers_.clear();
        texts_.clear();
    }
    std::size_t size() const { return numbers_.size() + texts_.size(); }

private:
    std::unordered_map<double, T> numbers_;
    std::unordered_map<std::string, T> texts_;
};

// A set's rows by the value of one of its columns, for lookups and locate. Built
// on first use and again whenever the rows it was built from changed.
class LookupIndex {
public:
    bool builtFor(std::uint64_t generation) const { return generation_ == generation; }
    template <typename Rows, typename ColumnOf>
    void rebuild(const Rows& rows, ColumnOf columnOf, std::uint64_t generation)
    {
        rows_.clear();
        for (std::size_t i = 0; i < rows.size(); ++i)
            rows_.emplace(columnOf(rows[i]), static_cast<int>(i));
        generation_ = generation;
    }
    int find(const Value& key) const // the first row with the key; -1 when none has it
    {
        const int* row = rows_.find(key);
        return row ? *row : -1;
    }

    // Keeping an index through a change of one row's value, where no row moved:
    // false when the index cannot follow (the row was the first with its old value).
    bool rowChanged(int row, const Value& before, const Value& after)
    {
        if (sameValue(before, after))
            return true;
        if (find(before) == row)
            return false;
        if (const int* first = rows_.find(after); !first || *first > row)
            rows_.assign(after, row);
        return true;
    }
    void carryTo(std::uint64_t generation) { generation_ = generation; }

private:
    std::uint64_t generation_ = ~0ull;
    ValueMap<int> rows_;
};
