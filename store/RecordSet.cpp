#include "store/RecordSet.h"

#include "store/Database.h"
#include "store/ProgramError.h"
#include "store/Text.h"

#include <algorithm>

namespace {

constexpr const char* kClosedDataset = "Cannot perform this operation on a closed dataset";

} // namespace

// Opening, reading the rows, field values and notifications. The cursor and the
// editing states, the pending-change overlay and master/detail links have files
// of their own.

RecordSet::RecordSet(Database& database, std::string name) : database_(database), name_(std::move(name)) {}

RecordSet::~RecordSet()
{
    for (DataSource* source : sources_)
        source->dataSetGone();
    if (master_)
        master_->removeDetail(this);
}

void RecordSet::setFields(std::vector<FieldSpec> fields)
{
    if (active())
        throw ProgramError("Cannot change the fields of an open dataset: " + name_);
    fieldSpecs_ = std::move(fields);
    fields_.clear();
}

void RecordSet::setDeferredFields(std::vector<std::string> names)
{
    if (active())
        throw ProgramError("Cannot change how an open dataset reads: " + name_);
    deferredNames_ = std::move(names);
}

bool RecordSet::isDeferredColumn(int column) const
{
    return std::find(deferredColumns_.begin(), deferredColumns_.end(), column) != deferredColumns_.end();
}

std::vector<Value> RecordSet::fetchDeferred(const Row&, const std::vector<int>&)
{
    throw ProgramError("Dataset cannot read deferred fields: " + name_);
}

void RecordSet::readDeferred(Row& row)
{
    if (row.deferredRead || deferredColumns_.empty())
        return;
    if (row.id >= 0) {
        const std::vector<Value> values = fetchDeferred(row, deferredColumns_);
        for (std::size_t i = 0; i < deferredColumns_.size(); ++i)
            row.values[static_cast<std::size_t>(deferredColumns_[i])] = values.at(i);
    }
    row.deferredRead = true;
}

void RecordSet::open()
{
    if (active())
        return;
    columns_ = describeColumns();
    deferredColumns_.clear();
    for (const std::string& name : deferredNames_)
        for (std::size_t i = 0; i < columns_.size(); ++i)
            if (equalNamesIgnoringCase(columns_[i].name, name))
                deferredColumns_.push_back(static_cast<int>(i));
    auto columnIndex = [&](const std::string& fieldName) {
        for (std::size_t i = 0; i < columns_.size(); ++i)
            if (equalNamesIgnoringCase(columns_[i].name, fieldName))
                return static_cast<int>(i);
        return -1;
    };
    std::vector<FieldSpec> specs = fieldSpecs_;
    if (specs.empty())
        for (const auto& column : columns_)
            specs.push_back(FieldSpec::data(column.name));
    std::vector<std::unique_ptr<Field>> fields;
    calcCount_ = 0;
    for (auto& declared : specs) {
        int column = -1;
        if (declared.kind == FieldKind::Data) {
            column = columnIndex(declared.name);
            if (column < 0)
                throw ProgramError("Field '" + declared.name + "' not found in " + name_);
            const auto& stored = columns_[static_cast<std::size_t>(column)];
            declared.name = stored.name;
            if (!(stored.type == FieldType::Memo && declared.size > 0))
                declared.type = stored.type;
            if (declared.size == 0 || declared.type != FieldType::Alpha)
                declared.size = stored.size > 0 ? stored.size : declared.size;
            if (stored.type == FieldType::Memo && declared.size > 0)
                declared.type = FieldType::Alpha;
        } else if (declared.kind == FieldKind::Lookup) {
            column = columnIndex(declared.keyField);
            if (column < 0)
                throw ProgramError("Field '" + declared.keyField + "' not found in " + name_);
        } else {
            column = calcCount_++;
        }
        fields.push_back(std::make_unique<Field>(*this, declared, static_cast<int>(fields.size()), column));
    }
    // Keep the field objects controls already hold while the set has the same
    // fields, even when a new statement brings its columns in another order.
    const bool sameFields = fields_.size() == fields.size()
        && std::equal(fields_.begin(), fields_.end(), fields.begin(), [](const auto& a, const auto& b) {
               return a->fieldName() == b->fieldName() && a->kind() == b->kind();
           });
    if (sameFields) {
        for (std::size_t i = 0; i < fields.size(); ++i)
            fields_[i]->rebind(*fields[i]);
    } else {
        fields_ = std::move(fields);
    }

    linkColumn_ = -1;
    if (master_) {
        linkColumn_ = columnIndex(linkField_);
        if (linkColumn_ < 0)
            throw ProgramError("Field '" + linkField_ + "' not found in " + name_);
    }
    state_ = DataSetState::Browse;
    try {
        filter_ = RowFilter::parse(filterText_, *this);
        reload(false);
    } catch (...) {
        state_ = DataSetState::Inactive;
        rows_.clear();
        cursor_ = -1;
        throw;
    }
}

void RecordSet::close()
{
    if (!active())
        return;
    state_ = DataSetState::Inactive;
    rows_.clear();
    cursor_ = -1;
    eof_ = bof_ = true;
    changed();
    notify(DataChange::Reloaded);
}

void RecordSet::requireActive() const
{
    if (!active())
        throw ProgramError(kClosedDataset);
}

void RecordSet::ensureCurrent()
{
    if (state_ == DataSetState::Browse && sourceVersion() != loadedVersion_)
        reload(true);
}

std::vector<Value> RecordSet::storedValues(const Row& row) const
{
    const auto stored = static_cast<std::ptrdiff_t>(columns_.size());
    return std::vector<Value>(row.values.begin(), row.values.begin() + stored);
}

void RecordSet::calculate(Row& row)
{
    if (calcCount_ == 0 && !onCalcFields)
        return;
    // Whatever the row held calculated before is dropped: each field starts empty.
    row.values.resize(rowCapacity());
    for (std::size_t i = columns_.size(); i < row.values.size(); ++i)
        row.values[i] = Value();
    if (!onCalcFields)
        return;
    Row* previous = calcTarget_;
    calcTarget_ = &row;
    try {
        onCalcFields(*this);
    } catch (...) {
        calcTarget_ = previous;
        throw;
    }
    calcTarget_ = previous;
}

void RecordSet::reload(bool keepPosition)
{
    // Reading the master's key or running a calculated-field handler may make
    // another set re-read, and through it this one: the rows being built must not
    // be pulled from under the loop, so such a request waits for the next round.
    if (reloading_) {
        reloadRequested_ = true;
        return;
    }
    reloading_ = true;
    try {
        do {
            reloadRequested_ = false;
            rebuildRows(keepPosition);
        } while (reloadRequested_);
    } catch (...) {
        reloading_ = false;
        throw;
    }
    reloading_ = false;
    changed();
    notify(DataChange::Reloaded);
}

void RecordSet::rebuildRows(bool keepPosition)
{
    const bool keepRow = keepPosition && cursor_ >= 0 && cursor_ < static_cast<int>(rows_.size());
    const std::int64_t keepId = keepRow ? rows_[static_cast<std::size_t>(cursor_)].id : 0;
    const int oldCursor = cursor_;
    const std::optional<Value> masterKey = currentMasterKey();
    std::vector<Row> fetched;
    if (readByKey_)
        fetched = fetchHeldRows();
    else if (!masterKey || !isNull(*masterKey))
        fetched = fetchRows(masterKey);
    loadedVersion_ = sourceVersion();
    loadedMasterKey_ = masterKey;

    rows_.clear();
    overlayPending(fetched, masterKey);
    for (auto& row : rows_)
        calculate(row);

    cursor_ = rows_.empty() ? -1 : 0;
    if (keepPosition && !rows_.empty()) {
        const auto found = keepRow ? std::find_if(rows_.begin(), rows_.end(), [&](const Row& r) { return r.id == keepId; })
                                   : rows_.end();
        cursor_ = found != rows_.end() ? static_cast<int>(found - rows_.begin())
                                       : std::clamp(oldCursor, 0, static_cast<int>(rows_.size()) - 1);
    }
    bof_ = cursor_ <= 0;
    eof_ = rows_.empty();
}

void RecordSet::refresh()
{
    requireActive();
    postIfEditing();
    reload(true);
}

void RecordSet::recalculate()
{
    requireActive();
    postIfEditing();
    const auto masterKey = currentMasterKey();
    const bool sameRange = masterKey.has_value() == loadedMasterKey_.has_value()
        && (!masterKey || sameValue(*masterKey, *loadedMasterKey_));
    if (reloading_ || !sameRange || sourceVersion() != loadedVersion_) {
        reload(true);
        return;
    }
    for (auto& row : rows_)
        calculate(row);
    changed();
    notify(DataChange::Reloaded);
}

void RecordSet::setFilter(const std::string& text)
{
    if (active()) {
        auto parsed = RowFilter::parse(text, *this); // refuses a bad filter before anything changes
        filterText_ = text;
        filter_ = std::move(parsed);
        if (filtered_)
            reload(true);
    } else {
        filterText_ = text;
    }
}

void RecordSet::setFiltered(bool on)
{
    if (on == filtered_)
        return;
    filtered_ = on;
    if (active())
        reload(true);
}

Field& RecordSet::fieldByName(const std::string& fieldName)
{
    if (Field* field = findField(fieldName))
        return *field;
    throw ProgramError("Field '" + fieldName + "' not found in " + name_);
}

Field* RecordSet::findField(const std::string& fieldName)
{
    // Callers nearly always spell the name as declared: try that first.
    for (auto& field : fields_)
        if (field->fieldName() == fieldName)
            return field.get();
    for (auto& field : fields_)
        if (equalNamesIgnoringCase(field->fieldName(), fieldName))
            return field.get();
    return nullptr;
}

RecordSet::Row* RecordSet::activeRow()
{
    if (calcTarget_)
        return calcTarget_;
    if (editing())
        return &editBuffer_;
    ensureCurrent();
    return cursor_ >= 0 && cursor_ < static_cast<int>(rows_.size()) ? &rows_[static_cast<std::size_t>(cursor_)] : nullptr;
}

namespace {

Value valueOfRow(const RowValues& values, std::size_t storedCount, const Field& field)
{
    const auto column = static_cast<std::size_t>(field.storedColumn());
    switch (field.kind()) {
    case FieldKind::Data:
        return values[column];
    case FieldKind::Calculated:
        return storedCount + column < values.size() ? values[storedCount + column] : Value();
    case FieldKind::Lookup: {
        const FieldSpec& declared = field.declaration();
        return declared.lookupSet->lookup(declared.lookupKey, values[column], declared.lookupResult);
    }
    }
    return Value();
}

} // namespace

void RecordSet::recalculateEditBuffer()
{
    if (!editCalcStale_ || calcTarget_ || !editing())
        return;
    editCalcStale_ = false;
    calculate(editBuffer_);
}

Value RecordSet::fieldValue(const Field& field)
{
    Row* row = activeRow();
    if (row && field.kind() == FieldKind::Data && !row->deferredRead && isDeferredColumn(field.storedColumn()))
        readDeferred(*row);
    if (row == &editBuffer_ && field.kind() == FieldKind::Calculated)
        recalculateEditBuffer();
    return row ? valueOfRow(row->values, columns_.size(), field) : Value();
}

Value RecordSet::valueAt(int row, const Field& field)
{
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return Value();
    const bool edited = row == cursor_ && editing();
    if (edited && field.kind() == FieldKind::Calculated)
        recalculateEditBuffer();
    Row& source = edited ? editBuffer_ : rows_[static_cast<std::size_t>(row)];
    if (field.kind() == FieldKind::Data && !source.deferredRead && isDeferredColumn(field.storedColumn()))
        readDeferred(source);
    return valueOfRow(source.values, columns_.size(), field);
}

std::string RecordSet::displayTextAt(int row, const Field& field)
{
    return field.displayTextOf(valueAt(row, field));
}

void RecordSet::setFieldValue(Field& field, const Value& value)
{
    if (field.kind() == FieldKind::Calculated && calcTarget_) {
        calcTarget_->values[columns_.size() + static_cast<std::size_t>(field.storedColumn())] = value;
        return;
    }
    if (field.readOnly() || field.kind() != FieldKind::Data)
        throw ProgramError("Field '" + field.fieldName() + "' cannot be modified");
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert)
        throw ProgramError("Dataset not in edit or insert mode: " + name_);
    editBuffer_.values[static_cast<std::size_t>(field.storedColumn())] = value;
    // Recalculated when a calculated field of the row is next read, or at the post:
    // a row written field by field is then calculated once.
    editCalcStale_ = true;
    notify(DataChange::RowChanged, &field);
}

Value RecordSet::lookup(const std::string& keyField, const Value& key, const std::string& resultField)
{
    if (!active() || isNull(key))
        return Value();
    ensureCurrent();
    LookupIndex& index = lookupIndexes_[keyField];
    if (!index.builtFor(generation_)) {
        const auto column = static_cast<std::size_t>(fieldByName(keyField).storedColumn());
        index.rebuild(rows_, [column](const Row& row) -> const Value& { return row.values[column]; }, generation_);
    }
    const int row = index.find(key);
    if (row >= 0)
        return valueAt(row, fieldByName(resultField));
    if (!readByKey_)
        return Value();
    // Not among the rows held: the stored row, unless this set holds it changed or deleted.
    const Row* stored = storedRowByKey(fieldByName(keyField).storedColumn(), key);
    return stored ? valueOfRow(stored->values, columns_.size(), fieldByName(resultField)) : Value();
}

void RecordSet::changed()
{
    ++generation_;
    storedByKey_.clear(); // a cached stored row may just have been changed or deleted here
}

void RecordSet::attachSource(DataSource* source)
{
    sources_.push_back(source);
}

void RecordSet::detachSource(DataSource* source)
{
    std::erase(sources_, source);
}

void RecordSet::disableControls()
{
    ++controlsDisabled_;
}

void RecordSet::enableControls()
{
    if (controlsDisabled_ == 0 || --controlsDisabled_ > 0 || !changedWhileDisabled_)
        return;
    changedWhileDisabled_ = false;
    notify(DataChange::Reloaded);
}

void RecordSet::notify(DataChange change, Field* field)
{
    if (controlsDisabled_ > 0) {
        changedWhileDisabled_ = true;
        return;
    }
    // A source may be switched to another set while it is told: tell those there were.
    if (sources_.size() == 1) {
        sources_.front()->notify(change, field);
        return;
    }
    const auto sources = sources_;
    for (DataSource* source : sources)
        source->notify(change, field);
}
