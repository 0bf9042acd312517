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

protected:
    std::vector<StoredColumn> describeColumns() override;
    std::vector<Row> fetchRows(const std::optional<Value>& masterKey) override;

private:
    void prepareAndBind();

    std::vector<std::string> lines_;
    std::map<std::string, Value> namedParams_;
    std::map<int, Value> positionalParams_;
    std::unique_ptr<SqliteStatement> statement_; // compiled once per statement text
    bool boundForRead_ = false; // bound by opening, not yet read
    std::size_t lastRowCount_ = 0; // a re-read usually brings as many rows again
};
