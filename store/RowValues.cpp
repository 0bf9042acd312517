#include "store/RowValues.h"

#include <algorithm>
#include <memory>
#include <utility>

Value* RowValues::allocate(std::size_t count)
{
    return count == 0 ? nullptr : std::allocator<Value>().allocate(count);
}

RowValues::RowValues(std::size_t count) : data_(allocate(count)), size_(static_cast<std::uint32_t>(count))
{
    std::uninitialized_value_construct_n(data_, count);
}

RowValues::RowValues(const std::vector<Value>& values)
    : data_(allocate(values.size())), size_(static_cast<std::uint32_t>(values.size()))
{
    std::uninitialized_copy(values.begin(), values.end(), data_);
}

RowValues::RowValues(const RowValues& other) : data_(allocate(other.size_)), size_(other.size_)
{
    std::uninitialized_copy(other.begin(), other.end(), data_);
}

RowValues::RowValues(RowValues&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0))
{
}

RowValues& RowValues::operator=(RowValues other) noexcept
{
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    return *this;
}

RowValues::~RowValues()
{
    release();
}

void RowValues::resize(std::size_t count)
{
    if (count == size_)
        return;
    RowValues resized(count);
    const std::size_t kept = std::min<std::size_t>(count, size_);
    std::move(data_, data_ + kept, resized.data_);
    *this = std::move(resized);
}

void RowValues::release() noexcept
{
    if (!data_)
        return;
    std::destroy_n(data_, size_);
    std::allocator<Value>().deallocate(data_, size_);
    data_ = nullptr;
    size_ = 0;
}
