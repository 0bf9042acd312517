#include "store/RowValues.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>
#include <utility>

namespace {

// A slab of a long list is laid on huge pages where the system offers them: the first
// touch of each 4 KiB page of fresh memory costs a fault, which for a list of 10,000
// recipes took longer than reading it.
constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kHugeSlab = std::size_t{1} << 20;


} // namespace

// A slab's header, followed by its rows' values. `users` counts the rows made in it
// that are still alive, plus one while its reader may still make rows in it.
struct RowSlab {
    std::size_t users;
    std::size_t bytes;
    bool huge;

    Value* values() { return reinterpret_cast<Value*>(this + 1); }
    static RowSlab* make(std::size_t valueCount)
    {
        const std::size_t bytes = sizeof(RowSlab) + valueCount * sizeof(Value);
        const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
        // Only where the rounding wastes little: the list's memory stays what it was.
        if (bytes >= kHugeSlab && rounded - bytes <= rounded / 16) {
            if (void* memory = std::aligned_alloc(kHugePage, rounded)) {
                ::madvise(memory, rounded, MADV_HUGEPAGE);
                return new (memory) RowSlab{1, bytes, true};
            }
        }
        return new (::operator new(bytes, std::align_val_t(alignof(Value)))) RowSlab{1, bytes, false};
    }
    void leave() noexcept
    {
        if (--users != 0)
            return;
        if (huge)
            std::free(this);
        else
            ::operator delete(this, bytes, std::align_val_t(alignof(Value)));
    }
};
static_assert(sizeof(RowSlab) % alignof(Value) == 0);

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

RowValues::RowValues(RowSlab* slab, Value* data, std::size_t count) noexcept
    : data_(data), slab_(slab), size_(static_cast<std::uint32_t>(count))
{
    ++slab_->users;
    std::uninitialized_value_construct_n(data_, count);
}

RowValues::RowValues(RowValues&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), slab_(std::exchange(other.slab_, nullptr)),
      size_(std::exchange(other.size_, 0))
{
}

RowValues& RowValues::operator=(RowValues other) noexcept
{
    std::swap(data_, other.data_);
    std::swap(slab_, other.slab_);
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
    if (slab_)
        std::exchange(slab_, nullptr)->leave();
    else
        std::allocator<Value>().deallocate(data_, size_);
    data_ = nullptr;
    size_ = 0;
}

RowReader::RowReader(std::size_t valuesPerRow, std::size_t expectedRows)
    : valuesPerRow_(valuesPerRow), nextSlabRows_(std::clamp<std::size_t>(expectedRows, 16, 4096))
{
}

RowReader::~RowReader()
{
    if (slab_)
        slab_->leave();
}

void RowReader::startSlab(std::size_t rows)
{
    if (slab_)
        slab_->leave();
    slab_ = RowSlab::make(rows * valuesPerRow_);
    free_ = slab_->values();
    rowsLeft_ = rows;
}

RowValues RowReader::next()
{
    if (valuesPerRow_ == 0)
        return RowValues();
    if (rowsLeft_ == 0) {
        // Slabs grow with the list, up to a size that a few stray rows may keep alive.
        startSlab(nextSlabRows_);
        nextSlabRows_ = std::min<std::size_t>(nextSlabRows_ * 2, 4096);
    }
    RowValues row(slab_, free_, valuesPerRow_);
    free_ += valuesPerRow_;
    --rowsLeft_;
    return row;
}
