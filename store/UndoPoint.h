#pragma once

#include "store/PendingChanges.h"

#include <utility>
#include <vector>

class RecordSet;

// Marks the pending changes of one or more cached sets, so that a dialog's Cancel
// can take back what the dialog changed and nothing else. The sets must outlive it.
class UndoPoint {
public:
    explicit UndoPoint(std::vector<RecordSet*> sets);
    ~UndoPoint();
    UndoPoint(const UndoPoint&) = delete;
    UndoPoint& operator=(const UndoPoint&) = delete;

    // Every set back to its pending changes at the mark. The mark stays: rolling
    // back again later takes back what was changed since.
    void rollBack();

private:
    std::vector<std::pair<RecordSet*, PendingChanges::Mark>> marks_;
};
