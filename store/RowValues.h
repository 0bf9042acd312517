#pragma once

#include "store/Value.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct RowSlab;

// The values of one row of a record set: its stored columns, then its calculated
// fields, in an exact block with a 32-bit count and no spare capacity: a list holds
// tens of thousands of rows, each read once at its full size. Rows read together
// share slabs (see RowReader), so that a list read makes a few large blocks instead
// of one per row: in a process that has run for hours the heap is full of small
// gaps, and filling them row by row scatters a list and slows every read of it.
class RowValues {
public:
    RowValues() noexcept = default;
    explicit RowValues(std::size_t count);
    RowValues(const std::vector<Value>& values); // NOLINT: a row is made from a change's values
    RowValues(const RowValues& other);
    RowValues(RowValues&& other) noexcept;
    RowValues& operator=(RowValues other) noexcept;
    ~RowValues();

    std::size_t size() const { return size_; }
    Value& operator[](std::size_t i) { return data_[i]; }
    const Value& operator[](std::size_t i) const { return data_[i]; }
    Value* begin() { return data_; }
    Value* end() { return data_ + size_; }
    const Value* begin() const { return data_; }
    const Value* end() const { return data_ + size_; }

    // Keeps the first values up to `count`; values added are empty.
    void resize(std::size_t count);

private:
    friend class RowReader;
    RowValues(RowSlab* slab, Value* data, std::size_t count) noexcept;
    static Value* allocate(std::size_t count);
    void release() noexcept;

    Value* data_ = nullptr;
    RowSlab* slab_ = nullptr; // the shared block holding data_, or none when data_ is its own
    std::uint32_t size_ = 0;
};

// Makes the rows of one list read, each of the same count of empty values, out of
// slabs of many rows. A slab is freed when the last of its rows is; a copied or
// resized row gets a block of its own.
class RowReader {
public:
    RowReader(std::size_t valuesPerRow, std::size_t expectedRows);
    ~RowReader();
    RowReader(const RowReader&) = delete;
    RowReader& operator=(const RowReader&) = delete;

    RowValues next();

private:
    void startSlab(std::size_t rows);

    std::size_t valuesPerRow_;
    std::size_t nextSlabRows_;
    RowSlab* slab_ = nullptr;
    Value* free_ = nullptr;
    std::size_t rowsLeft_ = 0;
};
