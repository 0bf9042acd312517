#pragma once

#include "store/Value.h"

#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

// The changes a set with cached updates holds back from storage: an overlay on its
// stored rows, keyed by row id (negative ids are rows not yet stored). Every change
// is journalled, so the changes made since a mark can be taken back.
class PendingChanges {
public:
    enum class Kind { Insert, Modify, Delete };
    struct Change {
        Kind kind;
        std::vector<Value> values;
        std::uint64_t order; // when it was first made; apply writes in this order
    };
    // A point in the journal; marks made before a clear roll back to the clear.
    struct Mark {
        std::uint64_t clears = 0;
        std::size_t journalSize = 0;
    };

    bool empty() const { return changes_.empty(); }
    const Change* find(std::int64_t id) const;
    const std::map<std::int64_t, Change>& all() const { return changes_; }
    // The changes in the order they were first made.
    std::vector<std::pair<std::int64_t, const Change*>> inOrder() const;

    void recordPost(std::int64_t id, const std::vector<Value>& values, bool inserting);
    void recordDelete(std::int64_t id, const std::vector<Value>& storedValues);
    void clear();

    // Journalling runs only while a mark is held: without one no change can be taken back.
    Mark mark();
    void release(const Mark& mark);
    void rollBackTo(const Mark& mark);

private:
    void remember(std::int64_t id);

    std::map<std::int64_t, Change> changes_;
    std::uint64_t nextOrder_ = 1;
    // What each change replaced, newest last; nothing when the row had no change before.
    std::vector<std::pair<std::int64_t, std::optional<Change>>> journal_;
    std::uint64_t clears_ = 0;
    int marksHeld_ = 0;
};
