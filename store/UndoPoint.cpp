#include "store/UndoPoint.h"

#include "store/RecordSet.h"

UndoPoint::UndoPoint(std::vector<RecordSet*> sets)
{
    marks_.reserve(sets.size());
    for (RecordSet* set : sets)
        marks_.emplace_back(set, set->markPending());
}

UndoPoint::~UndoPoint()
{
    for (auto& [set, mark] : marks_)
        set->releasePendingMark(mark);
}

void UndoPoint::rollBack()
{
    for (auto& [set, mark] : marks_)
        set->rollBackPending(mark);
}
