#include "store/Table.h"

#include "store/Database.h"
#include "store/ProgramError.h"
#include "store/Schema.h"
#include "store/Sqlite.h"

#include <sqlite3.h>

Value readStoredValue(const SqliteStatement& statement, int column, FieldType type)
{
    // Every row of every list comes through here: the value is looked up once.
    sqlite3_value* stored = statement.columnValue(column);
    switch (sqlite3_value_type(stored)) {
    case SQLITE_NULL:
        return Value();
    case SQLITE_INTEGER:
        if (type == FieldType::Number)
            return static_cast<double>(sqlite3_value_int64(stored));
        return static_cast<std::int64_t>(sqlite3_value_int64(stored));
    case SQLITE_FLOAT:
        return sqlite3_value_double(stored);
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(stored));
        return text ? std::string(text, static_cast<std::size_t>(sqlite3_value_bytes(stored))) : std::string();
    }
    }
}


void bindStoredValue(SqliteStatement& statement, int position, const Value& value)
{
    if (const auto* n = std::get_if<std::int64_t>(&value))
        statement.bindInt(position, *n);
    else if (const auto* d = std::get_if<double>(&value))
        statement.bindDouble(position, *d);
    else if (const auto* s = std::get_if<std::string>(&value))
        statement.bindText(position, *s);
    else
        statement.bindNull(position);
}

Table::Table(Database& database, std::string name, std::string tableName, std::string indexName)
    : RecordSet(database, std::move(name)),
      definition_(tableDefinition(tableName)),
      indexName_(std::move(indexName)),
      version_(database.tableVersionCounter(definition_.name))
{
    for (std::size_t i = 0; i < definition_.fields.size(); ++i) {
        if (definition_.fields[i].name == definition_.keyField) {
            keyColumn_ = static_cast<int>(i);
            autoIncrementKey_ = definition_.fields[i].type == FieldType::AutoIncrement;
        }
    }
}

Table::~Table() = default;

std::vector<RecordSet::StoredColumn> Table::describeColumns()
{
    checkStoredTable(database().sqlite(), definition_);
    if (!indexName_.empty() && !definition_.findIndex(indexName_))
        throw ProgramError("Index '" + indexName_ + "' not found for table " + definition_.name);
    std::vector<StoredColumn> columns;
    for (const auto& field : definition_.fields)
        columns.push_back({field.name, field.type, field.size});
    selectAll_.reset();
    selectRange_.reset();
    selectDeferred_.reset();
    selectFiltered_.reset();
    selectFilteredSql_.clear();
    selectWhere_.clear();
    return columns;
}

std::string Table::selectColumns() const
{
    std::string sql = "SELECT rowid";
    for (std::size_t i = 0; i < definition_.fields.size(); ++i)
        sql += isDeferredColumn(static_cast<int>(i)) ? std::string(", NULL") : ", " + quoteIdentifier(definition_.fields[i].name);
    return sql + " FROM " + quoteIdentifier(definition_.name);
}

std::string Table::orderClause() const
{
    std::string order;
    if (const auto* index = indexName_.empty() ? nullptr : definition_.findIndex(indexName_))
        for (const auto& field : index->fields)
            order += quoteIdentifier(field) + ", ";
    return " ORDER BY " + order + "rowid";
}

std::string Table::selectStatement(bool ranged, const std::vector<RowFilter::StoredTerms>& terms) const
{
    std::string sql = selectColumns();
    if (ranged)
        sql += " WHERE " + quoteIdentifier(rangeField_) + " = ?";
    if (!terms.empty()) {
        std::string any;
        for (const auto& term : terms) {
            const std::string column = quoteIdentifier(definition_.fields[static_cast<std::size_t>(term.column)].name);
            // "+": a filter takes many rows of a table or of a range, which a scan of the
            // range (or of a covering index) reads faster than a lookup per value.
            any += std::string(any.empty() ? "" : " OR ") + "+" + column + " IN (SELECT value FROM json_each(?))";
            if (term.empty)
                any += " OR " + column + " IS NULL";
        }
        sql += (ranged ? " AND (" : " WHERE (") + any + ")";
    }
    return sql + orderClause();
}

std::vector<RecordSet::Row> Table::readRows(SqliteStatement& statement) const
{
    std::vector<Row> rows;
    const auto& fields = definition_.fields;
    RowReader reader(rowCapacity(), 0);
    while (statement.step()) {
        Row row;
        row.id = statement.columnInt(0);
        row.values = reader.next();
        for (std::size_t i = 0; i < fields.size(); ++i)
            row.values[i] = readStoredValue(statement, static_cast<int>(i) + 1, fields[i].type);
        rows.push_back(std::move(row));
    }
    statement.reset();
    return rows;
}

std::vector<Value> Table::fetchDeferred(const Row& row, const std::vector<int>& columns)
{
    if (!selectDeferred_) {
        std::string sql;
        for (int column : columns)
            sql += (sql.empty() ? "SELECT " : ", ") + quoteIdentifier(definition_.fields[static_cast<std::size_t>(column)].name);
        selectDeferred_ = std::make_unique<SqliteStatement>(
            database().sqlite().prepare(sql + " FROM " + quoteIdentifier(definition_.name) + " WHERE rowid = ?"));
    }
    selectDeferred_->bindInt(1, row.id);
    std::vector<Value> values(columns.size());
    if (selectDeferred_->step())
        for (std::size_t i = 0; i < columns.size(); ++i)
            values[i] = readStoredValue(*selectDeferred_, static_cast<int>(i),
                                        definition_.fields[static_cast<std::size_t>(columns[i])].type);
    selectDeferred_->reset();
    return values;
}

std::vector<RecordSet::Row> Table::fetchRows(const std::optional<Value>& masterKey)
{
    std::unique_ptr<SqliteStatement>& statement = masterKey ? selectRange_ : selectAll_;
    if (masterKey && rangeField_ != linkField()) {
        rangeField_ = linkField();
        selectRange_.reset();
    }
    // A filtered set reads only the rows its filter may take: a few of many, as a
    // display of the recipes of one type is.
    if (const RowFilter* filter = storageFilter()) {
        if (const auto terms = filter->storedTerms()) {
            const std::string sql = selectStatement(masterKey.has_value(), *terms);
            if (!selectFiltered_ || sql != selectFilteredSql_) {
                selectFiltered_ = std::make_unique<SqliteStatement>(database().sqlite().prepare(sql));
                selectFilteredSql_ = sql;
            }
            selectFiltered_->reset();
            int position = 1;
            if (masterKey)
                bindStoredValue(*selectFiltered_, position++, *masterKey);
            for (const auto& term : *terms)
                selectFiltered_->bindText(position++, term.values);
            return readRows(*selectFiltered_);
        }
    }
    if (!statement)
        statement = std::make_unique<SqliteStatement>(database().sqlite().prepare(selectStatement(masterKey.has_value())));
    statement->reset();
    if (masterKey)
        bindStoredValue(*statement, 1, *masterKey);
    return readRows(*statement);
}

std::vector<RecordSet::Row> Table::fetchRowsById(const std::vector<std::int64_t>& ids)
{
    std::string placeholders;
    for (std::size_t i = 0; i < ids.size(); ++i)
        placeholders += i == 0 ? "?" : ", ?";
    auto statement = database().sqlite().prepare(selectColumns() + " WHERE rowid IN (" + placeholders + ")" + orderClause());
    for (std::size_t i = 0; i < ids.size(); ++i)
        statement.bindInt(static_cast<int>(i) + 1, ids[i]);
    return readRows(statement);
}

std::vector<RecordSet::Row> Table::fetchRowsWhere(int column, const Value& value, bool caseInsensitive)
{
    auto& statement = selectWhere_[{column, caseInsensitive}];
    if (!statement) {
        const std::string name = quoteIdentifier(definition_.fields[static_cast<std::size_t>(column)].name);
        const std::string condition = caseInsensitive ? "lower(" + name + ") = lower(?)" : name + " = ?";
        statement = std::make_unique<SqliteStatement>(
            database().sqlite().prepare(selectColumns() + " WHERE " + condition + orderClause()));
    }
    bindStoredValue(*statement, 1, value);
    auto rows = readRows(*statement);
    // SQLite would let a text key meet a number column; the set's own equality decides.
    std::erase_if(rows, [&](const Row& row) {
        return !sameValue(row.values[static_cast<std::size_t>(column)], value, caseInsensitive);
    });
    return rows;
}

std::uint64_t Table::sourceVersion() const
{
    return version_;
}

void Table::noteOwnWrite()
{
    database().tableChanged(definition_.name);
}

void Table::bindRow(SqliteStatement& statement, const std::vector<Value>& values) const
{
    int position = 1;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (static_cast<int>(i) == keyColumn_ && autoIncrementKey_)
            continue;
        bindStoredValue(statement, position++, values[i]);
    }
}

void Table::rethrowWriteError(const ProgramError& error) const
{
    switch (error.code()) {
    case SQLITE_CONSTRAINT_PRIMARYKEY:
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_ROWID:
        throw ProgramError("Key violation in table " + definition_.name, error.code());
    }
    // Troubles of the data file name the file already; anything else names the table.
    switch (error.code() & 0xff) {
    case SQLITE_READONLY:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_NOTADB:
        throw error;
    }
    throw ProgramError(std::string(error.what()) + " (table " + definition_.name + ")", error.code());
}

SqliteStatement& Table::writeStatement(std::unique_ptr<SqliteStatement>& statement, const std::string& sql)
{
    if (!statement)
        statement = std::make_unique<SqliteStatement>(database().sqlite().prepare(sql));
    return *statement;
}

std::int64_t Table::insertRow(const std::vector<Value>& values)
{
    try {
        database().checkWriteAllowed(definition_.name);
        if (!insert_) {
            std::string columns;
            std::string placeholders;
            for (std::size_t i = 0; i < definition_.fields.size(); ++i) {
                if (static_cast<int>(i) == keyColumn_ && autoIncrementKey_)
                    continue;
                columns += (columns.empty() ? "" : ", ") + quoteIdentifier(definition_.fields[i].name);
                placeholders += placeholders.empty() ? "?" : ", ?";
            }
            writeStatement(insert_, "INSERT INTO " + quoteIdentifier(definition_.name) + " (" + columns + ") VALUES ("
                                        + placeholders + ")");
        }
        auto& statement = *insert_;
        bindRow(statement, values);
        statement.step();
        statement.reset();
    } catch (const ProgramError& error) {
        rethrowWriteError(error);
    }
    return database().sqlite().lastInsertRowId();
}

std::int64_t Table::updateRow(std::int64_t id, const std::vector<Value>& values)
{
    try {
        database().checkWriteAllowed(definition_.name);
        if (!update_) {
            std::string assignments;
            for (std::size_t i = 0; i < definition_.fields.size(); ++i) {
                if (static_cast<int>(i) == keyColumn_ && autoIncrementKey_)
                    continue;
                assignments += (assignments.empty() ? "" : ", ") + quoteIdentifier(definition_.fields[i].name) + " = ?";
            }
            writeStatement(update_, "UPDATE " + quoteIdentifier(definition_.name) + " SET " + assignments
                                        + " WHERE rowid = ?");
        }
        bindRow(*update_, values);
        update_->bindInt(static_cast<int>(definition_.fields.size()) + (autoIncrementKey_ ? 0 : 1), id);
        update_->step();
        update_->reset();
    } catch (const ProgramError& error) {
        rethrowWriteError(error);
    }
    // A long-integer key is the row id: changing it moves the row.
    if (keyColumn_ >= 0 && !autoIncrementKey_) {
        if (const auto* key = std::get_if<std::int64_t>(&values[static_cast<std::size_t>(keyColumn_)]))
            return *key;
    }
    return id;
}

void Table::deleteRow(std::int64_t id)
{
    try {
        database().checkWriteAllowed(definition_.name);
        auto& statement = writeStatement(delete_, "DELETE FROM " + quoteIdentifier(definition_.name) + " WHERE rowid = ?");
        statement.bindInt(1, id);
        statement.step();
        statement.reset();
    } catch (const ProgramError& error) {
        rethrowWriteError(error);
    }
}
