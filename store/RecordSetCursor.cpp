#include "store/RecordSet.h"

#include "store/ProgramError.h"

#include <algorithm>
#include <cassert>

// The cursor over the rows a set shows, and the browse / edit / insert states.

namespace {

constexpr const char* kEmptyDataset = "Cannot perform this operation on an empty dataset";

} // namespace

void RecordSet::moveTo(int row)
{
    if (row == cursor_)
        return;
    cursor_ = row;
    notify(DataChange::RowMoved);
}

void RecordSet::first()
{
    requireActive();
    postIfEditing();
    ensureCurrent();
    bof_ = true;
    eof_ = rows_.empty();
    if (!rows_.empty())
        moveTo(0);
}

void RecordSet::last()
{
    requireActive();
    postIfEditing();
    ensureCurrent();
    eof_ = true;
    bof_ = rows_.empty();
    if (!rows_.empty())
        moveTo(static_cast<int>(rows_.size()) - 1);
}

void RecordSet::next()
{
    requireActive();
    postIfEditing();
    if (cursor_ + 1 < static_cast<int>(rows_.size())) {
        bof_ = false;
        moveTo(cursor_ + 1);
    } else {
        eof_ = true;
    }
}

void RecordSet::prior()
{
    requireActive();
    postIfEditing();
    if (cursor_ > 0) {
        eof_ = false;
        moveTo(cursor_ - 1);
    } else {
        bof_ = true;
    }
}

bool RecordSet::eof()
{
    return !active() || eof_ || rows_.empty();
}

bool RecordSet::bof()
{
    return !active() || bof_ || rows_.empty();
}

int RecordSet::recordCount()
{
    if (!active())
        return 0;
    ensureCurrent();
    return static_cast<int>(rows_.size());
}

int RecordSet::recNo()
{
    if (!active())
        return 0;
    ensureCurrent();
    return cursor_ + 1;
}

void RecordSet::setRecNo(int recNo)
{
    requireActive();
    postIfEditing();
    ensureCurrent();
    if (rows_.empty())
        return;
    bof_ = eof_ = false;
    moveTo(std::clamp(recNo, 1, static_cast<int>(rows_.size())) - 1);
}

bool RecordSet::locate(const std::string& fieldName, const Value& value, bool caseInsensitive)
{
    requireActive();
    postIfEditing();
    ensureCurrent();
    Field& field = fieldByName(fieldName);
    Value wanted = value;
    if (field.isNumeric() && std::holds_alternative<std::string>(value)) {
        try {
            wanted = field.convert(value);
        } catch (const ProgramError&) {
            return false; // a text that is no number matches no numeric field
        }
    }
    const bool stored = field.kind() == FieldKind::Data;
    if (readByKey_)
        return locateInRows(field, wanted, caseInsensitive) || (stored && locateStored(field, wanted, caseInsensitive));
    // A set located again and again (a list searched by key, a total per nutrient)
    // gets an index of the located column, which posts and appends keep up to date;
    // a set located now and then is walked.
    if (stored && !caseInsensitive && !isNull(wanted)) {
        const auto column = static_cast<std::size_t>(field.storedColumn());
        locateIndexes_.resize(columns_.size());
        LookupIndex& index = locateIndexes_[column];
        if (index.builtFor(generation_) || ++linearLocates_ > 2) {
            linearLocates_ = 0;
            if (!index.builtFor(generation_))
                index.rebuild(rows_, [column](const Row& row) -> const Value& { return row.values[column]; }, generation_);
            const int row = index.find(wanted);
            if (row < 0)
                return false;
            bof_ = eof_ = false;
            moveTo(row);
            return true;
        }
    }
    return locateInRows(field, wanted, caseInsensitive);
}

bool RecordSet::locateInRows(const Field& field, const Value& wanted, bool caseInsensitive)
{
    assert(!editing());
    const bool stored = field.kind() == FieldKind::Data;
    const auto column = static_cast<std::size_t>(field.storedColumn());
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
        const bool match = stored ? sameValue(rows_[static_cast<std::size_t>(i)].values[column], wanted, caseInsensitive)
                                  : sameValue(valueAt(i, field), wanted, caseInsensitive);
        if (match) {
            bof_ = eof_ = false;
            moveTo(i);
            return true;
        }
    }
    return false;
}

std::int64_t RecordSet::currentRowId()
{
    if (editing())
        return editBuffer_.id;
    const int row = currentRow();
    return row < 0 ? 0 : rows_[static_cast<std::size_t>(row)].id;
}

void RecordSet::append()
{
    requireActive();
    if (!writable())
        throw ProgramError("Cannot modify a read-only dataset: " + name_);
    postIfEditing();
    ensureCurrent();
    editBuffer_ = Row{nextTemporaryId_--, RowValues(columns_.size())};
    editCalcStale_ = false;
    if (master_) {
        const auto key = currentMasterKey();
        editBuffer_.values[static_cast<std::size_t>(linkColumn_)] = key ? *key : Value();
    }
    calculate(editBuffer_);
    rows_.push_back(editBuffer_);
    cursor_ = static_cast<int>(rows_.size()) - 1;
    bof_ = eof_ = false;
    state_ = DataSetState::Insert;
    // A row added at the end moves no other row: locate indexes stay good, and learn
    // the new row's values when it is posted.
    std::vector<LookupIndex*> kept;
    for (LookupIndex& index : locateIndexes_)
        if (index.builtFor(generation_))
            kept.push_back(&index);
    changed();
    for (LookupIndex* index : kept)
        index->carryTo(generation_);
    notify(DataChange::StateChanged);
    notify(DataChange::Reloaded);
}

void RecordSet::edit()
{
    requireActive();
    if (editing())
        return;
    if (!writable())
        throw ProgramError("Cannot modify a read-only dataset: " + name_);
    ensureCurrent();
    // With nothing to edit, editing starts a new row, as appending does.
    if (rows_.empty()) {
        append();
        return;
    }
    assert(cursor_ >= 0 && cursor_ < static_cast<int>(rows_.size()));
    readDeferred(rows_[static_cast<std::size_t>(cursor_)]); // a post writes back every column
    editBuffer_ = rows_[static_cast<std::size_t>(cursor_)];
    editCalcStale_ = false;
    state_ = DataSetState::Edit;
    notify(DataChange::StateChanged);
}

void RecordSet::storeRow(Row& row, bool inserting)
{
    if (cached_) {
        pending_.recordPost(row.id, storedValues(row), inserting);
        return;
    }
    if (inserting) {
        row.id = insertRow(storedValues(row));
    } else {
        row.id = updateRow(row.id, storedValues(row));
    }
    if (keyColumn() >= 0)
        row.values[static_cast<std::size_t>(keyColumn())] = Value(row.id);
    noteOwnWrite();
    loadedVersion_ = sourceVersion();
}

void RecordSet::post()
{
    requireActive();
    if (state_ == DataSetState::Browse)
        return;
    // The row being edited stays current for as long as the edit lasts.
    assert(cursor_ >= 0 && cursor_ < static_cast<int>(rows_.size()));
    const bool inserting = state_ == DataSetState::Insert;
    Row row = std::move(editBuffer_);
    try {
        storeRow(row, inserting);
    } catch (...) {
        editBuffer_ = std::move(row); // the set stays in its editing state, the row as it was
        throw;
    }
    calculate(row);
    editCalcStale_ = false;
    // Locate indexes follow the posted row, so a set located and posted in turn (a
    // total per nutrient) is not re-indexed or walked at every step.
    std::vector<LookupIndex*> kept;
    for (std::size_t column = 0; column < locateIndexes_.size(); ++column) {
        LookupIndex& index = locateIndexes_[column];
        if (index.builtFor(generation_)
            && index.rowChanged(cursor_, rows_[static_cast<std::size_t>(cursor_)].values[column], row.values[column]))
            kept.push_back(&index);
    }
    rows_[static_cast<std::size_t>(cursor_)] = std::move(row);
    state_ = DataSetState::Browse;
    changed();
    for (LookupIndex* index : kept)
        index->carryTo(generation_);
    notify(DataChange::StateChanged);
    notify(DataChange::RowChanged);
    if (afterPost)
        afterPost(*this);
}

void RecordSet::cancel()
{
    if (state_ == DataSetState::Insert) {
        assert(cursor_ >= 0 && cursor_ < static_cast<int>(rows_.size()));
        rows_.erase(rows_.begin() + cursor_);
        cursor_ = std::min(cursor_, static_cast<int>(rows_.size()) - 1);
        eof_ = rows_.empty();
        state_ = DataSetState::Browse;
        changed();
        notify(DataChange::StateChanged);
        notify(DataChange::Reloaded);
    } else if (state_ == DataSetState::Edit) {
        state_ = DataSetState::Browse;
        notify(DataChange::StateChanged);
        notify(DataChange::RowChanged);
    }
}

void RecordSet::deleteRecord()
{
    requireActive();
    if (state_ == DataSetState::Insert) {
        cancel();
        return;
    }
    if (state_ == DataSetState::Edit)
        cancel();
    if (!writable())
        throw ProgramError("Cannot modify a read-only dataset: " + name_);
    ensureCurrent();
    if (rows_.empty())
        throw ProgramError(kEmptyDataset);
    assert(cursor_ >= 0 && cursor_ < static_cast<int>(rows_.size()));
    const Row& row = rows_[static_cast<std::size_t>(cursor_)];
    if (cached_) {
        pending_.recordDelete(row.id, storedValues(row));
    } else {
        deleteRow(row.id);
        noteOwnWrite();
        loadedVersion_ = sourceVersion();
    }
    rows_.erase(rows_.begin() + cursor_);
    if (cursor_ >= static_cast<int>(rows_.size())) {
        cursor_ = static_cast<int>(rows_.size()) - 1;
        eof_ = true;
    }
    if (rows_.empty())
        bof_ = eof_ = true;
    changed();
    notify(DataChange::Reloaded);
    if (afterDelete)
        afterDelete(*this);
}

void RecordSet::postIfEditing()
{
    if (editing())
        post();
}
