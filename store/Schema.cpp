#include "store/Schema.h"

#include "store/ProgramError.h"
#include "store/Sqlite.h"

#include <set>

std::string createTableStatement(const TableDefinition& table)
{
    std::string sql = "CREATE TABLE " + quoteIdentifier(table.name) + " (";
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        const auto& field = table.fields[i];
        if (i > 0)
            sql += ", ";
        sql += quoteIdentifier(field.name) + " " + sqliteColumnType(field.type);
        if (field.name == table.keyField) {
            sql += " PRIMARY KEY";
            if (field.type == FieldType::AutoIncrement)
                sql += " AUTOINCREMENT";
        }
    }
    return sql + ")";
}

void createTables(SqliteDatabase& db)
{
    for (const auto& table : allTableDefinitions())
        db.execute(createTableStatement(table));
}

namespace {

void createIndexesOf(SqliteDatabase& db, const TableDefinition& table)
{
    std::vector<IndexDefinition> all = table.indexes;
    all.insert(all.end(), table.storageIndexes.begin(), table.storageIndexes.end());
    for (const auto& index : all) {
        std::string columns;
        for (const auto& field : index.fields)
            columns += (columns.empty() ? "" : ", ") + quoteIdentifier(field);
        db.execute("CREATE INDEX " + quoteIdentifier(table.storageIndexName(index)) + " ON "
                   + quoteIdentifier(table.name) + " (" + columns + ")");
    }
}

} // namespace

void createIndexes(SqliteDatabase& db)
{
    for (const auto& table : allTableDefinitions())
        createIndexesOf(db, table);
}

void createTableWithIndexes(SqliteDatabase& db, const TableDefinition& table)
{
    db.execute(createTableStatement(table));
    createIndexesOf(db, table);
}

void checkStoredTable(const SqliteDatabase& db, const TableDefinition& table)
{
    auto statement = db.prepare("SELECT name FROM pragma_table_info(?)");
    statement.bindText(1, table.name);
    std::set<std::string> stored;
    while (statement.step())
        stored.insert(statement.columnText(0));
    if (stored.empty())
        throw ProgramError("Table does not exist: " + table.name);
    for (const auto& field : table.fields)
        if (!stored.contains(field.name))
            throw ProgramError("Field '" + field.name + "' not found in table " + table.name);
}
