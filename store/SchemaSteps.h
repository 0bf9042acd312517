#pragma once

#include <functional>
#include <vector>

class SqliteDatabase;

// The data file carries the version of its layout (PRAGMA user_version). Version 0
// is a file made before the version was stamped: it holds exactly the tables every
// data folder has had from the start.
//
// Step N brings a file at version N - 1 to version N. A step only adds tables,
// indexes and starter rows: it never changes or removes a user's row, nor a table
// it did not add. A new layout is a new step appended with the next number.
struct SchemaStep {
    int version;
    std::function<void(SqliteDatabase&)> apply;
};

// The version that brought Saporia's own table of ingredient lines as written.
inline constexpr int kIngredientLineVersion = 2;
// The version that brought recipe searches: history, saved searches, the keyword index.
inline constexpr int kRecipeSearchVersion = 3;

// Numbered 1, 2, ... in order.
const std::vector<SchemaStep>& schemaSteps();
// The version this program writes and reads: the last step's.
int currentSchemaVersion();
