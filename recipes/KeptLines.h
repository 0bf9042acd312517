#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

class Database;
class SqliteDatabase;

// The ingredient lines of the recipe under edit exactly as the cook wrote them.
// An ingredient row cannot hold "2-3 ½ cups" (its quantity is a number), so the
// line is kept beside it in Saporia's own table, keyed by the row's id, and is
// stored or dropped with the recipe. A line typed the old way (three fields) has none.
class KeptLines {
public:
    explicit KeptLines(Database& db);

    // False for a data folder older than the table, opened as it is (read-only).
    bool available() const;

    // The lines of a stored recipe's ingredients; nothing for a new recipe.
    void load(std::int64_t recipeId);
    void clear();

    // By the ingredient row's id: storage's, or the temporary one of a row not stored yet.
    std::optional<std::string> lineOf(std::int64_t rowId) const;
    void set(std::int64_t rowId, std::string line);
    void erase(std::int64_t rowId);

    // Inside the recipe's transaction: the lines as they stand, with the ids
    // storage gave the rows; the line of an ingredient no longer stored goes with
    // it (a recipe to delete is loaded first, so that its lines go too).
    void write(SqliteDatabase& db, const std::function<std::int64_t(std::int64_t rowId)>& storedId) const;

private:
    Database& db_;
    std::map<std::int64_t, std::optional<std::string>> lines_; // none: the line was taken away
};
