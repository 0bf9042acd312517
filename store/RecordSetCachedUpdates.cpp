#include "store/RecordSet.h"

#include "store/Database.h"
#include "store/ProgramError.h"

#include <algorithm>

// Cached updates: posts and deletes held back as an overlay on the stored rows
// until they are applied, committed or cancelled.

void RecordSet::overlayPending(std::vector<Row>& fetched, const std::optional<Value>& masterKey)
{
    if (pending_.empty() && (!filtered_ || filter_.empty())) {
        rows_ = std::move(fetched); // nothing to lay over or leave out
        return;
    }
    rows_.reserve(fetched.size());
    std::vector<std::int64_t> seen;
    for (auto& row : fetched) {
        if (const auto* change = pending_.find(row.id)) {
            if (change->kind == PendingChanges::Kind::Delete)
                continue;
            row.values = change->values;
            seen.push_back(row.id);
            if (!inRange(row, masterKey))
                continue;
        }
        if (!passesFilter(row))
            continue;
        rows_.push_back(std::move(row));
    }
    if (masterKey && isNull(*masterKey))
        return;
    // Pending rows that the stored rows do not bring: inserts, and edits that moved into this range.
    for (const auto& [id, change] : pending_.inOrder()) {
        const bool brought = change->kind == PendingChanges::Kind::Modify
            && std::find(seen.begin(), seen.end(), id) != seen.end();
        if (change->kind == PendingChanges::Kind::Delete || brought)
            continue;
        Row row{id, change->values};
        if (inRange(row, masterKey) && passesFilter(row))
            rows_.push_back(std::move(row));
    }
}

void RecordSet::setCachedUpdates(bool on)
{
    if (!on && !pending_.empty())
        throw ProgramError("Pending changes of " + name_ + " must be applied or cancelled first");
    cached_ = on;
}

void RecordSet::applyUpdates()
{
    database_.applyUpdates({this});
}

void RecordSet::commitUpdates()
{
    pending_.clear();
}

void RecordSet::cancelUpdates()
{
    if (editing())
        cancel();
    pending_.clear();
    if (active())
        reload(true);
}

void RecordSet::rollBackPending(const PendingChanges::Mark& mark)
{
    if (editing())
        cancel();
    pending_.rollBackTo(mark);
    if (active())
        reload(true);
}

RecordSet::ApplyResult RecordSet::writePendingChanges()
{
    ApplyResult result;
    for (const auto& [id, change] : pending_.inOrder()) {
        switch (change->kind) {
        case PendingChanges::Kind::Insert:
            result.storedIds[id] = insertRow(change->values);
            break;
        case PendingChanges::Kind::Modify:
            result.storedIds[id] = updateRow(id, change->values);
            break;
        case PendingChanges::Kind::Delete:
            deleteRow(id);
            break;
        }
    }
    return result;
}

void RecordSet::finishApply(const ApplyResult& result)
{
    if (pending_.empty())
        return;
    for (auto& row : rows_) {
        const auto stored = result.storedIds.find(row.id);
        if (stored == result.storedIds.end())
            continue;
        row.id = stored->second;
        if (keyColumn() >= 0)
            row.values[static_cast<std::size_t>(keyColumn())] = Value(row.id);
    }
    pending_.clear();
    noteOwnWrite();
    loadedVersion_ = sourceVersion();
    changed();
    notify(DataChange::Reloaded);
}

std::int64_t RecordSet::insertRow(const std::vector<Value>&)
{
    throw ProgramError("Cannot modify a read-only dataset: " + name_);
}

std::int64_t RecordSet::updateRow(std::int64_t, const std::vector<Value>&)
{
    throw ProgramError("Cannot modify a read-only dataset: " + name_);
}

void RecordSet::deleteRow(std::int64_t)
{
    throw ProgramError("Cannot modify a read-only dataset: " + name_);
}
