#include "store/RecordSet.h"

#include "store/ProgramError.h"

#include <algorithm>
#include <cassert>

// Reading by key: a set that holds only the rows it is asked for, and reads the
// others through the table's index when a locate or a lookup needs them.

namespace {

// Enough for the ingredients of a few recipes; cleared whole when full.
constexpr std::size_t kCachedRows = 256;

} // namespace

void RecordSet::setReadByKey(bool on)
{
    if (active())
        throw ProgramError("Cannot change how an open dataset reads: " + name_);
    assert(!on || !master_);
    readByKey_ = on;
}

std::vector<RecordSet::Row> RecordSet::fetchHeldRows()
{
    std::vector<std::int64_t> ids;
    if (cursor_ >= 0 && cursor_ < static_cast<int>(rows_.size()) && rows_[static_cast<std::size_t>(cursor_)].id >= 0)
        ids.push_back(rows_[static_cast<std::size_t>(cursor_)].id);
    if (locatedId_ && std::find(ids.begin(), ids.end(), *locatedId_) == ids.end())
        ids.push_back(*locatedId_);
    // Pending rows are not fetched: the overlay brings them.
    return ids.empty() ? std::vector<Row>{} : fetchRowsById(ids);
}

bool RecordSet::locateStored(const Field& field, const Value& wanted, bool caseInsensitive)
{
    assert(readByKey_ && field.kind() == FieldKind::Data);
    for (const Row& row : fetchRowsWhere(field.storedColumn(), wanted, caseInsensitive)) {
        // A row with pending changes is held, and was searched as this set shows it.
        if (pending_.find(row.id))
            continue;
        locatedId_ = row.id;
        try {
            reload(true);
        } catch (...) {
            locatedId_.reset();
            throw;
        }
        locatedId_.reset();
        const auto found = std::find_if(rows_.begin(), rows_.end(), [&](const Row& held) { return held.id == row.id; });
        if (found == rows_.end())
            return false; // gone between the two reads
        bof_ = eof_ = false;
        moveTo(static_cast<int>(found - rows_.begin()));
        return true;
    }
    return false;
}

const RecordSet::Row* RecordSet::storedRowByKey(int column, const Value& key)
{
    assert(readByKey_);
    auto& cache = storedByKey_[column];
    if (const auto* cached = cache.find(key))
        return *cached ? &**cached : nullptr;
    if (cache.size() >= kCachedRows)
        cache.clear();
    std::optional<Row> found;
    for (Row& row : fetchRowsWhere(column, key, false)) {
        const bool held = std::any_of(rows_.begin(), rows_.end(), [&](const Row& r) { return r.id == row.id; });
        if (held || pending_.find(row.id))
            continue; // shown as this set holds it, and searched already
        calculate(row);
        found = std::move(row);
        break;
    }
    cache.emplace(key, std::move(found));
    const auto* cached = cache.find(key);
    return cached && *cached ? &**cached : nullptr;
}

std::vector<RecordSet::Row> RecordSet::fetchRowsById(const std::vector<std::int64_t>&)
{
    throw ProgramError("Dataset cannot read by key: " + name_);
}

std::vector<RecordSet::Row> RecordSet::fetchRowsWhere(int, const Value&, bool)
{
    throw ProgramError("Dataset cannot read by key: " + name_);
}
