#pragma once

#include <string>
#include <string_view>
#include <vector>

// The stored layout of every table of both sides: one source of truth for the
// installation tool (which creates the schema) and the table engine (which
// checks it when a record set opens).

enum class FieldType {
    LongInteger,   // signed 32-bit
    Short,         // signed 16-bit
    Number,        // double
    Alpha,         // text of at most `size` characters
    Memo,          // text of any length
    Logical,       // boolean, stored as 0/1
    AutoIncrement, // signed 32-bit, assigned by the engine in rising order
};

struct FieldDefinition {
    std::string name;
    FieldType type;
    int size = 0; // characters, for Alpha only
};

struct IndexDefinition {
    std::string name;              // the name the program uses, unique per table only
    std::vector<std::string> fields;
    bool caseInsensitive = false;
};

struct TableDefinition {
    std::string name;
    std::vector<FieldDefinition> fields;
    // The field that identifies a row in storage (it becomes the rowid), or empty:
    // an autoincrement field, or a long-integer key.
    std::string keyField;
    std::vector<IndexDefinition> indexes;
    // Indexes no record set names; they only keep the program's statements fast.
    std::vector<IndexDefinition> storageIndexes = {};

    const FieldDefinition* findField(std::string_view fieldName) const;
    const IndexDefinition* findIndex(std::string_view indexName) const;
    // The storage name of an index: index names repeat across tables, storage names may not.
    std::string storageIndexName(const IndexDefinition& index) const;
};

// Table names match the way the file system that first held them did: ignoring case
// ("WEIGHT.DB" and "WEIGHT.db" are one table).
// The tables every data folder has had from the start.
const std::vector<TableDefinition>& allTableDefinitions();
// Saporia's own tables, added by the schema steps: the program creates these and no others.
const std::vector<TableDefinition>& ownTableDefinitions();
inline constexpr const char* kIngredientLineTable = "Ingredient_Line.db";
// Recipe searches: the keyword history, the saved searches and their rules.
inline constexpr const char* kRecipeSearchHistoryTable = "RecipeSimpleSearch.db";
inline constexpr const char* kRecipeSearchTable = "RecipeSQL.db";
inline constexpr const char* kRecipeSearchRuleTable = "RecipeSQLRules.db";
// The keyword index: each recipe's searchable text, folded, in a full-text table keyed
// by R_ID; and the recipes whose text changed since it was last written there, which
// triggers note on every write so that no writer has to know about the index.
inline constexpr const char* kRecipeTextTable = "Recipe_Search_Text";
inline constexpr const char* kRecipeTextStaleTable = "Recipe_Search_Stale";
// Searches both lists.
const TableDefinition* findTableDefinition(std::string_view tableName);
const TableDefinition& tableDefinition(std::string_view tableName); // throws ProgramError

std::string quoteIdentifier(std::string_view name); // "name" with inner quotes doubled
std::string sqliteColumnType(FieldType type);
