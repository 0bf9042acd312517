#pragma once

#include "store/DataSource.h"
#include "store/Field.h"
#include "store/LookupIndex.h"
#include "store/PendingChanges.h"
#include "store/RowFilter.h"
#include "store/RowValues.h"
#include "store/Value.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class Database;

enum class DataSetState { Inactive, Browse, Edit, Insert };

// A record set: the rows of a table or a query, a current row, fields, and the
// editing states. It holds the rows it shows in memory; a detail set holds only
// its master's range. With cached updates on, posts and deletes stay pending (an
// overlay on the stored rows) until applied or cancelled.
class RecordSet {
public:
    RecordSet(Database& database, std::string name);
    virtual ~RecordSet();
    RecordSet(const RecordSet&) = delete;
    RecordSet& operator=(const RecordSet&) = delete;

    const std::string& name() const { return name_; }
    Database& database() const { return database_; }

    // Declares the fields in the order they show; without it a table shows its
    // stored fields and a query its result columns. Only while closed.
    void setFields(std::vector<FieldSpec> fields);

    void open();
    void close();
    bool active() const { return state_ != DataSetState::Inactive; }
    DataSetState state() const { return state_; }

    // Navigation among the rows the set shows.
    void first();
    void last();
    void next();
    void prior();
    bool eof();
    bool bof();
    int recordCount();
    bool isEmpty() { return recordCount() == 0; }
    int recNo();              // 1-based; 0 when there is no current row
    void setRecNo(int recNo); // stands on that row (clamped to the rows there are)
    // Makes the first row whose field equals the value current; false (and no move) when none.
    bool locate(const std::string& fieldName, const Value& value, bool caseInsensitive = false);

    // Editing.
    void append();
    void edit();
    void post();
    void cancel();
    void deleteRecord();

    Field& fieldByName(const std::string& fieldName);
    Field* findField(const std::string& fieldName);
    const std::vector<std::unique_ptr<Field>>& fields() const { return fields_; }

    // Reading any row the set shows without moving (for grids); row is 0-based.
    Value valueAt(int row, const Field& field);
    std::string displayTextAt(int row, const Field& field);
    int currentRow() { ensureCurrent(); return cursor_; } // 0-based, -1 when none
    // The current row's id: storage's, or a temporary negative one for a row not stored yet.
    std::int64_t currentRowId();

    // Filter: terms "field = value" joined by " OR ". Unknown fields are refused.
    void setFilter(const std::string& text);
    const std::string& filter() const { return filterText_; }
    void setFiltered(bool on);
    bool filtered() const { return filtered_; }

    // Master/detail: shows only the rows whose `linkField` equals the master's current `masterField`.
    void setMaster(DataSource& master, const std::string& linkField, const std::string& masterField = {});
    DataSource* masterSource() const { return master_; }

    // Reading by key, for a set that serves lookups or edits a row at a time: it
    // holds only its current row, the row a locate found, and its pending rows
    // (those are the rows it shows), and reads stored rows through the table's
    // index when a locate or a lookup asks for them. Lookups keep a few rows in a
    // small cache. Tables only; not for a detail set. Only while closed.
    void setReadByKey(bool on);
    bool readByKey() const { return readByKey_; }
    // Long texts a list never shows (a recipe's procedure) are read with the rows as
    // empty, and for one row only when a field of it is asked for; set before opening.
    void setDeferredFields(std::vector<std::string> names);

    // Cached updates.
    void setCachedUpdates(bool on);
    bool cachedUpdates() const { return cached_; }
    bool updatesPending() const { return !pending_.empty(); }
    void applyUpdates(); // one transaction; see Database::applyUpdates
    void commitUpdates();
    void cancelUpdates();
    // Undo points (see UndoPoint): rolling back to a mark takes back the pending
    // changes made since, cancels an open edit, and leaves older changes as they are.
    PendingChanges::Mark markPending() { return pending_.mark(); }
    void releasePendingMark(const PendingChanges::Mark& mark) { pending_.release(mark); }
    void rollBackPending(const PendingChanges::Mark& mark);

    // Re-reads the rows, recalculates, and stays on the same row where it still exists.
    void refresh();
    // Runs the calculated-field handler again over every row, for a handler whose
    // inputs outside the set changed; re-reads only when the stored rows changed.
    void recalculate();

    // While disabled (calls nest), the set tells neither controls nor detail sets
    // about its moves and changes; enabling tells them once, as a re-read, if
    // anything happened. For walks that need no details on the way.
    void disableControls();
    void enableControls();

    // Events.
    std::function<void(RecordSet&)> afterPost;
    std::function<void(RecordSet&)> afterDelete;
    std::function<void(RecordSet&)> onCalcFields;

    // Used by DataSource and Field.
    void attachSource(DataSource* source);
    void detachSource(DataSource* source);
    void masterChanged(DataChange change);
    void masterGone(); // the master source is being destroyed
    Value fieldValue(const Field& field);
    void setFieldValue(Field& field, const Value& value);
    Value lookup(const std::string& keyField, const Value& key, const std::string& resultField);

    // Used by Database::applyUpdates.
    struct ApplyResult {
        std::map<std::int64_t, std::int64_t> storedIds; // pending id -> id given by storage
    };
    ApplyResult writePendingChanges();
    void finishApply(const ApplyResult& result);
    void postIfEditing();

protected:
    struct Row {
        std::int64_t id = 0; // storage row id; negative for a row not yet stored
        RowValues values;    // one per stored column, then one per calculated field
        bool deferredRead = false; // the deferred columns hold their stored values
    };
    struct StoredColumn {
        std::string name;
        FieldType type;
        int size;
    };

    // What a table or query reads; `range` is the master's key when the set is a detail.
    virtual std::vector<StoredColumn> describeColumns() = 0;
    virtual std::vector<Row> fetchRows(const std::optional<Value>& masterKey) = 0;
    virtual std::uint64_t sourceVersion() const { return 0; }
    virtual bool writable() const { return false; }
    virtual std::int64_t insertRow(const std::vector<Value>& values);
    virtual std::int64_t updateRow(std::int64_t id, const std::vector<Value>& values);
    virtual void deleteRow(std::int64_t id);
    virtual void noteOwnWrite() {}
    virtual int keyColumn() const { return -1; } // column whose value is the row id, when there is one
    // Reading by key: the stored rows with these ids, or those whose column equals a
    // value (lowered on both sides when case is ignored), in the set's order.
    virtual std::vector<Row> fetchRowsById(const std::vector<std::int64_t>& ids);
    virtual std::vector<Row> fetchRowsWhere(int column, const Value& value, bool caseInsensitive);
    // The stored values of one row's deferred columns, in the order given.
    virtual std::vector<Value> fetchDeferred(const Row& row, const std::vector<int>& columns);
    bool isDeferredColumn(int column) const;
    const std::vector<std::string>& deferredNames() const { return deferredNames_; }

    const std::vector<StoredColumn>& columns() const { return columns_; }
    // Room a fetched row needs: its stored columns and the calculated fields to come.
    std::size_t rowCapacity() const { return columns_.size() + static_cast<std::size_t>(calcCount_); }
    // The filter in force, for a fetch that reads only the rows it may take; null when
    // none, or while changes are pending (rows they change keep their places).
    const RowFilter* storageFilter() const
    {
        return filtered_ && !filter_.empty() && pending_.empty() ? &filter_ : nullptr;
    }
    const std::string& linkField() const { return linkField_; }
    void reload(bool keepPosition);
    void rebuildRows(bool keepPosition);

private:
    void requireActive() const;
    void ensureCurrent();
    bool editing() const { return state_ == DataSetState::Edit || state_ == DataSetState::Insert; }
    std::optional<Value> currentMasterKey() const;
    bool inRange(const Row& row, const std::optional<Value>& masterKey) const;
    bool passesFilter(const Row& row) const { return !filtered_ || filter_.accepts(row.values); }
    void overlayPending(std::vector<Row>& fetched, const std::optional<Value>& masterKey);
    void calculate(Row& row);
    std::vector<Value> storedValues(const Row& row) const;
    void recalculateEditBuffer();
    Row* activeRow();
    void moveTo(int row);
    void notify(DataChange change, Field* field = nullptr);
    void changed(); // the rows shown changed: lookups into this set must rebuild
    void storeRow(Row& row, bool inserting);
    bool locateInRows(const Field& field, const Value& wanted, bool caseInsensitive);
    bool locateStored(const Field& field, const Value& wanted, bool caseInsensitive);
    std::vector<Row> fetchHeldRows();
    const Row* storedRowByKey(int column, const Value& key);

    Database& database_;
    std::string name_;
    std::vector<FieldSpec> fieldSpecs_;
    std::vector<std::unique_ptr<Field>> fields_;
    std::vector<StoredColumn> columns_;
    int calcCount_ = 0;

    DataSetState state_ = DataSetState::Inactive;
    std::vector<Row> rows_;
    int cursor_ = -1;
    bool eof_ = true;
    bool bof_ = true;
    Row editBuffer_;
    bool editCalcStale_ = false; // a field of the edit buffer changed since it was calculated
    Row* calcTarget_ = nullptr;
    bool reloading_ = false;
    int controlsDisabled_ = 0;
    bool changedWhileDisabled_ = false;
    bool reloadRequested_ = false;
    std::uint64_t loadedVersion_ = 0;
    std::uint64_t generation_ = 0;

    std::string filterText_;
    RowFilter filter_;
    bool filtered_ = false;

    DataSource* master_ = nullptr;
    std::string linkField_;
    std::string masterField_;
    int linkColumn_ = -1;
    std::optional<Value> loadedMasterKey_;

    bool cached_ = false;
    PendingChanges pending_;
    std::int64_t nextTemporaryId_ = -1;

    std::vector<DataSource*> sources_;
    std::unordered_map<std::string, LookupIndex> lookupIndexes_;
    std::vector<LookupIndex> locateIndexes_; // per stored column
    int linearLocates_ = 0; // locates that walked the rows since an index was last good

    bool readByKey_ = false;
    std::vector<std::string> deferredNames_;
    std::vector<int> deferredColumns_;
    void readDeferred(Row& row);
    std::optional<std::int64_t> locatedId_; // the stored row a locate is bringing in
    std::unordered_map<int, ValueMap<std::optional<Row>>> storedByKey_; // per key column: the lookup cache
};

// Disables a set's controls for a scope. Enabling them again re-reads details,
// which may fail: that error goes on to the caller, unless the scope is already
// being left by an error, which is then the one to report.
class ControlsDisabled {
public:
    explicit ControlsDisabled(RecordSet& set) : set_(set), errorsAtStart_(std::uncaught_exceptions())
    {
        set_.disableControls();
    }
    ~ControlsDisabled() noexcept(false)
    {
        if (std::uncaught_exceptions() == errorsAtStart_) {
            set_.enableControls();
            return;
        }
        try {
            set_.enableControls();
        } catch (...) {
        }
    }
    ControlsDisabled(const ControlsDisabled&) = delete;
    ControlsDisabled& operator=(const ControlsDisabled&) = delete;

private:
    RecordSet& set_;
    int errorsAtStart_;
};
