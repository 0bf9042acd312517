#pragma once

#include "store/TableDefinitions.h"

#include <string>

class SqliteDatabase;

// Creating the data folder's original tables belongs to the installation step only; the
// program itself checks them and never changes them. Its own tables arrive through
// the schema steps (store/SchemaSteps.h).
std::string createTableStatement(const TableDefinition& table);
void createTables(SqliteDatabase& db);
void createIndexes(SqliteDatabase& db);
// One table with its indexes.
void createTableWithIndexes(SqliteDatabase& db, const TableDefinition& table);

// Throws ProgramError naming the table (and field) when the stored table lacks
// anything the definition declares.
void checkStoredTable(const SqliteDatabase& db, const TableDefinition& table);

// The one file inside the data folder that holds every table.
inline constexpr const char* kDatabaseFileName = "saporia.sqlite";
