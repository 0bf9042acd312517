#include "store/Query.h"

#include "store/Database.h"
#include "store/ProgramError.h"
#include "store/Sqlite.h"
#include "store/Table.h"
#include "store/TableDefinitions.h"

#include <algorithm>

#include <sqlite3.h>

namespace {

FieldType typeOfDeclared(const std::string& declared)
{
    if (declared == "INTEGER")
        return FieldType::LongInteger;
    if (declared == "REAL")
        return FieldType::Number;
    return FieldType::Memo;
}

FieldType typeOfStored(int sqliteType)
{
    switch (sqliteType) {
    case SQLITE_INTEGER:
        return FieldType::LongInteger;
    case SQLITE_TEXT:
        return FieldType::Memo;
    default:
        return FieldType::Number;
    }
}

} // namespace

Query::Query(Database& database, std::string name) : RecordSet(database, std::move(name)) {}

Query::~Query() = default;

void Query::clearSql()
{
    lines_.clear();
    statement_.reset();
}

void Query::addSql(const std::string& line)
{
    lines_.push_back(line);
    statement_.reset();
}

void Query::setParam(const std::string& name, const Value& value)
{
    namedParams_[name] = value;
}

void Query::setParam(int position, const Value& value)
{
    positionalParams_[position] = value;
}

void Query::clearParams()
{
    namedParams_.clear();
    positionalParams_.clear();
}

void Query::prepareAndBind()
{
    if (!statement_) {
        std::string text;
        for (const auto& line : lines_)
            text += line + "\n";
        statement_ = std::make_unique<SqliteStatement>(database().sqlite().prepare(text));
    } else {
        statement_->reset();
    }
    for (const auto& [position, value] : positionalParams_)
        bindStoredValue(*statement_, position, value);
    for (const auto& [name, value] : namedParams_) {
        const int position = statement_->parameterIndex(name);
        if (position == 0)
            throw ProgramError("Parameter '" + name + "' not found in " + this->name());
        bindStoredValue(*statement_, position, value);
    }
}

std::vector<RecordSet::StoredColumn> Query::describeColumns()
{
    prepareAndBind();
    boundForRead_ = true;
    selectDeferred_.reset();
    std::vector<StoredColumn> columns;
    bool stepped = false;
    for (int i = 0; i < statement_->columnCount(); ++i) {
        const std::string declared = statement_->columnDeclaredType(i);
        FieldType type = typeOfDeclared(declared);
        const auto& deferred = deferredNames();
        if (declared.empty() && std::find(deferred.begin(), deferred.end(), statement_->columnName(i)) != deferred.end()) {
            type = FieldType::Memo; // selected as NULL, read when shown
        } else if (declared.empty()) {
            // An expression: its type is what the first row holds.
            if (!stepped)
                stepped = statement_->step();
            type = stepped ? typeOfStored(statement_->columnType(i)) : FieldType::Number;
        }
        columns.push_back({statement_->columnName(i), type, 0});
    }
    return columns;
}

void Query::setDeferredSource(std::string table, std::string keyField)
{
    deferredTable_ = std::move(table);
    deferredKey_ = std::move(keyField);
    selectDeferred_.reset();
}

std::vector<Value> Query::fetchDeferred(const Row& row, const std::vector<int>& columns)
{
    const auto& stored = this->columns();
    int key = -1;
    for (std::size_t i = 0; i < stored.size(); ++i)
        if (stored[i].name == deferredKey_)
            key = static_cast<int>(i);
    if (key < 0)
        return RecordSet::fetchDeferred(row, columns);
    if (!selectDeferred_) {
        std::string sql;
        for (int column : columns)
            sql += (sql.empty() ? "SELECT " : ", ") + quoteIdentifier(stored[static_cast<std::size_t>(column)].name);
        selectDeferred_ = std::make_unique<SqliteStatement>(database().sqlite().prepare(
            sql + " FROM " + quoteIdentifier(deferredTable_) + " WHERE " + quoteIdentifier(deferredKey_) + " = ?"));
    }
    bindStoredValue(*selectDeferred_, 1, row.values[static_cast<std::size_t>(key)]);
    std::vector<Value> values(columns.size());
    if (selectDeferred_->step())
        for (std::size_t i = 0; i < columns.size(); ++i)
            values[i] = readStoredValue(*selectDeferred_, static_cast<int>(i), FieldType::Memo);
    selectDeferred_->reset();
    return values;
}

std::vector<RecordSet::Row> Query::fetchRows(const std::optional<Value>&)
{
    // Opening has just compiled and bound the statement; a refresh binds again, as
    // its parameters may have changed since.
    if (boundForRead_)
        statement_->rewind();
    else
        prepareAndBind();
    boundForRead_ = false;
    std::vector<Row> rows;
    rows.reserve(lastRowCount_);
    const auto& stored = columns();
    std::int64_t id = 0;
    RowReader reader(rowCapacity(), lastRowCount_);
    while (statement_->step()) {
        Row row;
        row.id = ++id;
        row.values = reader.next();
        for (std::size_t i = 0; i < stored.size(); ++i)
            row.values[i] = readStoredValue(*statement_, static_cast<int>(i), stored[i].type);
        rows.push_back(std::move(row));
    }
    statement_->reset();
    lastRowCount_ = rows.size();
    return rows;
}
