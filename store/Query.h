#pragma once

#include "store/RecordSet.h"

#include <map>
#include <memory>

class SqliteStatement;

// A record set over the result of a statement. The statement is set line by
// line; user text reaches it only as bound parameters (":name" or "?").
// Its rows are read when it opens and when it is refreshed.
class Query : public RecordSet {
public:
    Query(Database& database, std::string name);
    ~Query() override;

    void clearSql();
    void addSql(const std::string& line);
    const std::vector<std::string>& sql() const { return lines_; }

    void setParam(const std::string& name, const Value& value); // name with its ':' ("::kw" style not needed)
    void setParam(int position, const Value& value);             // 1-based
    void clearParams();

    // The deferred fields (setDeferredFields) are selected as NULL by the statement and
    // read from `table`'s row whose `keyField` equals the row's own `keyField`.
    void setDeferredSource(std::string table, std::string keyField);

protected:
    std::vector<StoredColumn> describeColumns() override;
    std::vector<Row> fetchRows(const std::optional<Value>& masterKey) override;
    std::vector<Value> fetchDeferred(const Row& row, const std::vector<int>& columns) override;

private:
    void prepareAndBind();

    std::vector<std::string> lines_;
    std::map<std::string, Value> namedParams_;
    std::map<int, Value> positionalParams_;
    std::unique_ptr<SqliteStatement> statement_; // compiled once per statement text
    bool boundForRead_ = false; // bound by opening, not yet read
    std::size_t lastRowCount_ = 0; // a re-read usually brings as many rows again
    std::string deferredTable_;
    std::string deferredKey_;
    std::unique_ptr<SqliteStatement> selectDeferred_;
};
