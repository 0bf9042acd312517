#include "store/RecordSet.h"

#include "store/Database.h"
#include "store/ProgramError.h"
#include "store/Text.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

constexpr const char* kEmptyDataset = "Cannot perform this operation on an empty dataset";
constexpr const char* kClosedDataset = "Cannot perform this operation on a closed dataset";

std::optional<double> numberOf(const Value& value)
{
    if (const auto* i = std::get_if<std::int64_t>(&value))
        return static_cast<double>(*i);
    if (const auto* d = std::get_if<double>(&value))
        return *d;
    return std::nullopt;
}

bool sameValue(const Value& a, const Value& b, bool caseInsensitive = false)
{
    if (isNull(a) || isNull(b))
        return isNull(a) && isNull(b);
    const auto x = numberOf(a);
    const auto y = numberOf(b);
    if (x && y)
        return *x == *y;
    if (x || y)
        return false;
    const auto& s = std::get<std::string>(a);
    const auto& t = std::get<std::string>(b);
    return caseInsensitive ? equalTextIgnoringCase(s, t) : s == t;
}

} // namespace

RecordSet::RecordSet(Database& database, std::string name) : database_(database), name_(std::move(name)) {}

RecordSet::~RecordSet()
{
    for (DataSource* source : sources_)
        source->dataSetGone();
    if (master_)
        master_->removeDetail(this);
}

void RecordSet::masterGone()
{
    master_ = nullptr;
}

void RecordSet::setFields(std::vector<FieldSpec> fields)
{
    if (active())
        throw ProgramError("Cannot change the fields of an open dataset: " + name_);
    fieldSpecs_ = std::move(fields);
    fields_.clear();
}

void RecordSet::open()
{
    if (active())
        return;
    columns_ = describeColumns();
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
        filterTerms_ = parseFilter(filterText_);
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

std::optional<Value> RecordSet::currentMasterKey() const
{
    if (!master_)
        return std::nullopt;
    RecordSet* masterSet = master_->dataSet();
    if (!masterSet || !masterSet->active())
        return Value();
    Field* field = masterSet->findField(masterField_);
    if (!field)
        throw ProgramError("Field '" + masterField_ + "' not found in " + masterSet->name());
    return field->value();
}

bool RecordSet::inRange(const Row& row, const std::optional<Value>& masterKey) const
{
    return !masterKey || sameValue(row.stored[static_cast<std::size_t>(linkColumn_)], *masterKey);
}

bool RecordSet::passesFilter(const Row& row) const
{
    if (!filtered_ || filterTerms_.empty())
        return true;
    return std::any_of(filterTerms_.begin(), filterTerms_.end(), [&](const FilterTerm& term) {
        return sameValue(row.stored[static_cast<std::size_t>(term.field)], term.value);
    });
}

void RecordSet::calculate(Row& row)
{
    row.calc.assign(static_cast<std::size_t>(calcCount_), Value());
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
    if (!masterKey || !isNull(*masterKey))
        fetched = fetchRows(masterKey);
    loadedVersion_ = sourceVersion();
    loadedMasterKey_ = masterKey;

    rows_.clear();
    rows_.reserve(fetched.size());
    std::vector<std::int64_t> seen;
    for (auto& row : fetched) {
        if (const auto p = pending_.find(row.id); p != pending_.end()) {
            if (p->second.kind == Pending::Delete)
                continue;
            row.stored = p->second.values;
            seen.push_back(row.id);
            if (!inRange(row, masterKey))
                continue;
        }
        if (!passesFilter(row))
            continue;
        rows_.push_back(std::move(row));
    }
    // Pending rows that the stored rows do not bring: inserts, and edits that moved into this range.
    std::vector<std::pair<std::uint64_t, std::int64_t>> extra;
    for (const auto& [id, p] : pending_)
        if (p.kind == Pending::Insert || (p.kind == Pending::Modify && std::find(seen.begin(), seen.end(), id) == seen.end()))
            extra.emplace_back(p.order, id);
    std::sort(extra.begin(), extra.end());
    for (const auto& [order, id] : extra) {
        Row row{id, pending_.at(id).values, {}};
        if (masterKey && isNull(*masterKey))
            continue;
        if (inRange(row, masterKey) && passesFilter(row))
            rows_.push_back(std::move(row));
    }
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
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
        const bool editedRow = i == cursor_ && (state_ == DataSetState::Edit || state_ == DataSetState::Insert);
        const bool match = stored && !editedRow
            ? sameValue(rows_[static_cast<std::size_t>(i)].stored[static_cast<std::size_t>(field.storedColumn())], wanted,
                        caseInsensitive)
            : sameValue(valueAt(i, field), wanted, caseInsensitive);
        if (match) {
            bof_ = eof_ = false;
            moveTo(i);
            return true;
        }
    }
    return false;
}

void RecordSet::append()
{
    requireActive();
    if (!writable())
        throw ProgramError("Cannot modify a read-only dataset: " + name_);
    postIfEditing();
    ensureCurrent();
    editBuffer_ = Row{nextTemporaryId_--, std::vector<Value>(columns_.size()), {}};
    if (master_) {
        const auto key = currentMasterKey();
        editBuffer_.stored[static_cast<std::size_t>(linkColumn_)] = key ? *key : Value();
    }
    calculate(editBuffer_);
    rows_.push_back(editBuffer_);
    cursor_ = static_cast<int>(rows_.size()) - 1;
    bof_ = eof_ = false;
    state_ = DataSetState::Insert;
    changed();
    notify(DataChange::StateChanged);
    notify(DataChange::Reloaded);
}

void RecordSet::edit()
{
    requireActive();
    if (state_ == DataSetState::Edit || state_ == DataSetState::Insert)
        return;
    if (!writable())
        throw ProgramError("Cannot modify a read-only dataset: " + name_);
    ensureCurrent();
    if (rows_.empty())
        throw ProgramError(kEmptyDataset);
    editBuffer_ = rows_[static_cast<std::size_t>(cursor_)];
    state_ = DataSetState::Edit;
    notify(DataChange::StateChanged);
}

void RecordSet::storeRow(Row& row, bool inserting)
{
    if (cached_) {
        if (auto p = pending_.find(row.id); p != pending_.end())
            p->second.values = row.stored;
        else
            pending_[row.id] = Pending{inserting ? Pending::Insert : Pending::Modify, row.stored, nextPendingOrder_++};
        return;
    }
    if (inserting) {
        row.id = insertRow(row.stored);
    } else {
        row.id = updateRow(row.id, row.stored);
    }
    if (keyColumn() >= 0)
        row.stored[static_cast<std::size_t>(keyColumn())] = Value(row.id);
    noteOwnWrite();
    loadedVersion_ = sourceVersion();
}

void RecordSet::post()
{
    requireActive();
    if (state_ == DataSetState::Browse)
        return;
    const bool inserting = state_ == DataSetState::Insert;
    Row row = std::move(editBuffer_);
    try {
        storeRow(row, inserting);
    } catch (...) {
        editBuffer_ = std::move(row); // the set stays in its editing state, the row as it was
        throw;
    }
    calculate(row);
    rows_[static_cast<std::size_t>(cursor_)] = std::move(row);
    state_ = DataSetState::Browse;
    changed();
    notify(DataChange::StateChanged);
    notify(DataChange::RowChanged);
    if (afterPost)
        afterPost(*this);
}

void RecordSet::cancel()
{
    if (state_ == DataSetState::Insert) {
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
    const Row& row = rows_[static_cast<std::size_t>(cursor_)];
    if (cached_) {
        if (row.id < 0)
            pending_.erase(row.id);
        else if (auto p = pending_.find(row.id); p != pending_.end())
            p->second.kind = Pending::Delete;
        else
            pending_[row.id] = Pending{Pending::Delete, row.stored, nextPendingOrder_++};
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
    if (state_ == DataSetState::Edit || state_ == DataSetState::Insert)
        return &editBuffer_;
    ensureCurrent();
    return cursor_ >= 0 && cursor_ < static_cast<int>(rows_.size()) ? &rows_[static_cast<std::size_t>(cursor_)] : nullptr;
}

namespace {

Value valueOfRow(const std::vector<Value>& stored, const std::vector<Value>& calc, const Field& field)
{
    const auto column = static_cast<std::size_t>(field.storedColumn());
    switch (field.kind()) {
    case FieldKind::Data:
        return stored[column];
    case FieldKind::Calculated:
        return column < calc.size() ? calc[column] : Value();
    case FieldKind::Lookup: {
        const FieldSpec& declared = field.declaration();
        return declared.lookupSet->lookup(declared.lookupKey, stored[column], declared.lookupResult);
    }
    }
    return Value();
}

} // namespace

Value RecordSet::fieldValue(const Field& field)
{
    const Row* row = activeRow();
    return row ? valueOfRow(row->stored, row->calc, field) : Value();
}

Value RecordSet::valueAt(int row, const Field& field)
{
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return Value();
    const Row& source = row == cursor_ && (state_ == DataSetState::Edit || state_ == DataSetState::Insert)
        ? editBuffer_
        : rows_[static_cast<std::size_t>(row)];
    return valueOfRow(source.stored, source.calc, field);
}

std::string RecordSet::displayTextAt(int row, const Field& field)
{
    return field.displayTextOf(valueAt(row, field));
}

void RecordSet::setFieldValue(Field& field, const Value& value)
{
    if (field.kind() == FieldKind::Calculated && calcTarget_) {
        calcTarget_->calc[static_cast<std::size_t>(field.storedColumn())] = value;
        return;
    }
    if (field.readOnly() || field.kind() != FieldKind::Data)
        throw ProgramError("Field '" + field.fieldName() + "' cannot be modified");
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert)
        throw ProgramError("Dataset not in edit or insert mode: " + name_);
    editBuffer_.stored[static_cast<std::size_t>(field.storedColumn())] = value;
    calculate(editBuffer_);
    notify(DataChange::RowChanged, &field);
}

std::string RecordSet::lookupKey(const Value& value)
{
    // Numbers and texts never share a key, whatever their spelling.
    std::string key;
    if (const auto number = numberOf(value)) {
        key = "n";
        key += numberText(*number);
    } else if (const auto* text = std::get_if<std::string>(&value)) {
        key = "s";
        key += *text;
    }
    return key;
}

Value RecordSet::lookup(const std::string& keyField, const Value& key, const std::string& resultField)
{
    if (!active() || isNull(key))
        return Value();
    ensureCurrent();
    LookupIndex& index = lookupIndexes_[keyField];
    if (index.generation != generation_) {
        const int column = fieldByName(keyField).storedColumn();
        index.rows.clear();
        for (int i = 0; i < static_cast<int>(rows_.size()); ++i)
            index.rows.emplace(lookupKey(rows_[static_cast<std::size_t>(i)].stored[static_cast<std::size_t>(column)]), i);
        index.generation = generation_;
    }
    const auto found = index.rows.find(lookupKey(key));
    if (found == index.rows.end())
        return Value();
    return valueAt(found->second, fieldByName(resultField));
}

void RecordSet::changed()
{
    ++generation_;
}

std::vector<RecordSet::FilterTerm> RecordSet::parseFilter(const std::string& text)
{
    std::vector<FilterTerm> terms;
    if (trimmed(text).empty())
        return terms;
    std::string upper = text;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    std::size_t start = 0;
    while (start <= text.size()) {
        auto end = upper.find(" OR ", start);
        if (end == std::string::npos)
            end = text.size();
        const std::string term = text.substr(start, end - start);
        const auto equals = term.find('=');
        if (equals == std::string::npos)
            throw ProgramError("Invalid filter term '" + term + "' in " + name_);
        Field& field = fieldByName(trimmed(term.substr(0, equals)));
        if (field.kind() != FieldKind::Data)
            throw ProgramError("Field '" + field.fieldName() + "' cannot be filtered");
        std::string valueText = trimmed(term.substr(equals + 1));
        if (valueText.size() >= 2 && valueText.front() == '\'' && valueText.back() == '\'')
            valueText = valueText.substr(1, valueText.size() - 2);
        terms.push_back({field.storedColumn(), field.convert(Value(valueText))});
        start = end + 4;
    }
    return terms;
}

void RecordSet::setFilter(const std::string& text)
{
    if (active()) {
        auto terms = parseFilter(text); // refuses a bad filter before anything changes
        filterText_ = text;
        filterTerms_ = std::move(terms);
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

void RecordSet::setMaster(DataSource& master, const std::string& linkField, const std::string& masterField)
{
    if (master_)
        master_->removeDetail(this);
    master_ = &master;
    linkField_ = linkField;
    masterField_ = masterField.empty() ? linkField : masterField;
    master.addDetail(this);
}

void RecordSet::masterChanged(DataChange change)
{
    if (!active() || change == DataChange::StateChanged)
        return;
    const auto key = currentMasterKey();
    if (change == DataChange::RowChanged && loadedMasterKey_ && key && sameValue(*loadedMasterKey_, *key))
        return;
    postIfEditing();
    reload(false);
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
    if (state_ == DataSetState::Edit || state_ == DataSetState::Insert)
        cancel();
    pending_.clear();
    if (active())
        reload(true);
}

void RecordSet::refresh()
{
    requireActive();
    postIfEditing();
    reload(true);
}

void RecordSet::postIfEditing()
{
    if (state_ == DataSetState::Edit || state_ == DataSetState::Insert)
        post();
}

RecordSet::ApplyResult RecordSet::writePendingChanges()
{
    ApplyResult result;
    std::vector<std::pair<std::uint64_t, std::int64_t>> order;
    for (const auto& [id, p] : pending_)
        order.emplace_back(p.order, id);
    std::sort(order.begin(), order.end());
    for (const auto& [sequence, id] : order) {
        const Pending& p = pending_.at(id);
        switch (p.kind) {
        case Pending::Insert:
            result.storedIds[id] = insertRow(p.values);
            break;
        case Pending::Modify:
            result.storedIds[id] = updateRow(id, p.values);
            break;
        case Pending::Delete:
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
            row.stored[static_cast<std::size_t>(keyColumn())] = Value(row.id);
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
    const auto sources = sources_;
    for (DataSource* source : sources)
        source->notify(change, field);
}
