#include "store/PendingChanges.h"

#include <algorithm>
#include <cassert>

const PendingChanges::Change* PendingChanges::find(std::int64_t id) const
{
    const auto found = changes_.find(id);
    return found == changes_.end() ? nullptr : &found->second;
}

std::vector<std::pair<std::int64_t, const PendingChanges::Change*>> PendingChanges::inOrder() const
{
    std::vector<std::pair<std::int64_t, const Change*>> ordered;
    ordered.reserve(changes_.size());
    for (const auto& [id, change] : changes_)
        ordered.emplace_back(id, &change);
    std::sort(ordered.begin(), ordered.end(),
              [](const auto& a, const auto& b) { return a.second->order < b.second->order; });
    return ordered;
}

void PendingChanges::remember(std::int64_t id)
{
    if (marksHeld_ == 0)
        return;
    const auto found = changes_.find(id);
    journal_.emplace_back(id, found == changes_.end() ? std::nullopt : std::optional<Change>(found->second));
}

void PendingChanges::recordPost(std::int64_t id, const std::vector<Value>& values, bool inserting)
{
    remember(id);
    if (auto found = changes_.find(id); found != changes_.end())
        found->second.values = values;
    else
        changes_.emplace(id, Change{inserting ? Kind::Insert : Kind::Modify, values, nextOrder_++});
}

void PendingChanges::recordDelete(std::int64_t id, const std::vector<Value>& storedValues)
{
    remember(id);
    // A row never stored simply goes; a stored one is deleted when the changes are applied.
    if (id < 0)
        changes_.erase(id);
    else if (auto found = changes_.find(id); found != changes_.end())
        found->second.kind = Kind::Delete;
    else
        changes_.emplace(id, Change{Kind::Delete, storedValues, nextOrder_++});
}

void PendingChanges::clear()
{
    changes_.clear();
    journal_.clear();
    ++clears_;
}

PendingChanges::Mark PendingChanges::mark()
{
    ++marksHeld_;
    return {clears_, journal_.size()};
}

void PendingChanges::release(const Mark&)
{
    assert(marksHeld_ > 0);
    if (--marksHeld_ == 0)
        journal_.clear();
}

void PendingChanges::rollBackTo(const Mark& mark)
{
    const std::size_t keep = mark.clears == clears_ ? std::min(mark.journalSize, journal_.size()) : 0;
    while (journal_.size() > keep) {
        auto& [id, previous] = journal_.back();
        if (previous)
            changes_.insert_or_assign(id, std::move(*previous));
        else
            changes_.erase(id);
        journal_.pop_back();
    }
}
