#pragma once

#include "store/SchemaSteps.h"

#include <filesystem>
#include <string>
#include <vector>

class SqliteDatabase;

// The layout version stamped in the file; 0 for a file made before versions.
int storedSchemaVersion(const SqliteDatabase& db);

// Runs every step above the file's version, in order, each in a transaction of its
// own that also stamps the step's version. A step that fails is rolled back whole and
// its error raised; the steps before it stay done.
void applySchemaSteps(SqliteDatabase& db, const std::vector<SchemaStep>& steps = schemaSteps());

// Readies the data folder for the program at start-up and returns what the user is
// told once about it, or nothing. A file of an earlier layout is upgraded, after a
// copy of it is kept beside it as "saporia.sqlite.before-vN" (N its version); a
// folder this process may not write is opened as it is, read-only. Throws
// ProgramError, in the user's words, when the folder cannot be opened, the file was
// made by a newer Saporia, or a step fails (the file then keeps what it had).
std::string prepareDataFolder(const std::filesystem::path& folder, const std::vector<SchemaStep>& steps = schemaSteps());
