#pragma once

#include "store/TableDefinitions.h"

#include <string>

class SqliteDatabase;

// Creating the stored layout belongs to the installation step only; the program
// itself checks it and never changes it.
std::string createTableStatement(const TableDefinition& table);
void createTables(SqliteDatabase& db);
void createIndexes(SqliteDatabase& db);

// Throws ProgramError naming the table (and field) when the stored table lacks
// anything the definition declares.
void checkStoredTable(const SqliteDatabase& db, const TableDefinition& table);

// The one file inside the data folder that holds every table.
inline constexpr const char* kDatabaseFileName = "saporia.sqlite";
