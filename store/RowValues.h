#pragma once

#include "store/Value.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The values of one row of a record set: its stored columns, then its calculated
// fields. One exact heap block and a 32-bit count, no spare capacity: a list holds
// tens of thousands of rows, each read once at its full size.
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
    static Value* allocate(std::size_t count);
    void release() noexcept;

    Value* data_ = nullptr;
    std::uint32_t size_ = 0;
};
