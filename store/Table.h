#pragma once

#include "store/RecordSet.h"
#include "store/TableDefinitions.h"

#include <map>
#include <memory>
#include <utility>

class ProgramError;
class SqliteStatement;

// A column of the current row of a statement, as a value of the field's type.
Value readStoredValue(const SqliteStatement& statement, int column, FieldType type);
// Binds a value (empty binds null) to a statement parameter.
void bindStoredValue(SqliteStatement& statement, int position, const Value& value);

// A record set over one stored table, in the order of one of its indexes (then
// natural order) or in natural order.
class Table : public RecordSet {
public:
    Table(Database& database, std::string name, std::string tableName, std::string indexName = {});
    ~Table() override;

    const std::string& tableName() const { return definition_.name; }

protected:
    std::vector<StoredColumn> describeColumns() override;
    std::vector<Row> fetchRows(const std::optional<Value>& masterKey) override;
    std::uint64_t sourceVersion() const override;
    bool writable() const override { return true; }
    std::int64_t insertRow(const std::vector<Value>& values) override;
    std::int64_t updateRow(std::int64_t id, const std::vector<Value>& values) override;
    void deleteRow(std::int64_t id) override;
    void noteOwnWrite() override;
    int keyColumn() const override { return keyColumn_; }
    std::vector<Row> fetchRowsById(const std::vector<std::int64_t>& ids) override;
    std::vector<Row> fetchRowsWhere(int column, const Value& value, bool caseInsensitive) override;
    std::vector<Value> fetchDeferred(const Row& row, const std::vector<int>& columns) override;

private:
    std::string selectColumns() const;
    std::string orderClause() const;
    std::string selectStatement(bool ranged, const std::vector<RowFilter::StoredTerms>& terms = {}) const;
    std::vector<Row> readRows(SqliteStatement& statement) const;
    void bindRow(SqliteStatement& statement, const std::vector<Value>& values) const;
    [[noreturn]] void rethrowWriteError(const ProgramError& error) const;
    SqliteStatement& writeStatement(std::unique_ptr<SqliteStatement>& statement, const std::string& sql);

    const TableDefinition& definition_;
    std::string indexName_;
    int keyColumn_ = -1;
    bool autoIncrementKey_ = false;
    std::unique_ptr<SqliteStatement> selectAll_;
    std::unique_ptr<SqliteStatement> selectRange_;
    std::unique_ptr<SqliteStatement> selectDeferred_;
    // A filtered read, compiled again only when the filter's columns change.
    std::string selectFilteredSql_;
    std::unique_ptr<SqliteStatement> selectFiltered_;
    // Writes are compiled once, on first use.
    std::unique_ptr<SqliteStatement> insert_;
    std::unique_ptr<SqliteStatement> update_;
    std::unique_ptr<SqliteStatement> delete_;
    std::string rangeField_;
    std::map<std::pair<int, bool>, std::unique_ptr<SqliteStatement>> selectWhere_; // by column and case
    const std::uint64_t& version_;
};
