#include "support/StoredData.h"

#include "store/Sqlite.h"

std::int64_t StoredData::count(const std::string& sql) const
{
    SqliteDatabase db(file_.string(), SqliteDatabase::Mode::OpenExisting);
    auto statement = db.prepare(sql);
    statement.step();
    return statement.columnInt(0);
}

std::vector<std::string> StoredData::rows(const std::string& sql) const
{
    SqliteDatabase db(file_.string(), SqliteDatabase::Mode::OpenExisting);
    auto statement = db.prepare(sql);
    std::vector<std::string> result;
    while (statement.step()) {
        std::string row;
        for (int column = 0; column < statement.columnCount(); ++column)
            row += (column ? "|" : "") + (statement.columnIsNull(column) ? "NULL" : statement.columnText(column));
        result.push_back(row);
    }
    return result;
}

std::vector<std::int64_t> StoredData::numbers(const std::string& sql) const
{
    SqliteDatabase db(file_.string(), SqliteDatabase::Mode::OpenExisting);
    auto statement = db.prepare(sql);
    std::vector<std::int64_t> result;
    while (statement.step())
        result.push_back(statement.columnInt(0));
    return result;
}

void StoredData::execute(const std::string& sql) const
{
    SqliteDatabase db(file_.string(), SqliteDatabase::Mode::OpenExisting);
    db.execute(sql);
}
