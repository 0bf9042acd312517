#include "recipes/KeptLines.h"

#include "store/Database.h"
#include "store/SchemaSteps.h"
#include "store/Sqlite.h"

KeptLines::KeptLines(Database& db) : db_(db) {}

bool KeptLines::available() const
{
    return db_.schemaVersion() >= kIngredientLineVersion;
}

void KeptLines::load(std::int64_t recipeId)
{
    lines_.clear();
    if (!available())
        return;
    auto statement = db_.sqlite().prepare(R"(SELECT l.R_ING_ID, l.Line FROM "Ingredient_Line.db" l )"
                                          R"(JOIN "Rescipe_ingredients.DB" i ON i.R_ING_ID = l.R_ING_ID WHERE i.R_ID = ?)");
    statement.bindInt(1, recipeId);
    while (statement.step())
        lines_[statement.columnInt(0)] = statement.columnText(1);
}

void KeptLines::clear()
{
    lines_.clear();
}

std::optional<std::string> KeptLines::lineOf(std::int64_t rowId) const
{
    const auto found = lines_.find(rowId);
    return found == lines_.end() ? std::nullopt : found->second;
}

void KeptLines::set(std::int64_t rowId, std::string line)
{
    lines_[rowId] = std::move(line);
}

void KeptLines::erase(std::int64_t rowId)
{
    lines_[rowId] = std::nullopt;
}

void KeptLines::write(SqliteDatabase& db, const std::function<std::int64_t(std::int64_t rowId)>& storedId) const
{
    if (!available())
        return;
    // A line taken away, or one whose ingredient was deleted with it, goes; the
    // others are kept for the rows as stored.
    auto drop = db.prepare(R"(DELETE FROM "Ingredient_Line.db" WHERE R_ING_ID = ?1 AND (?2 IS NULL OR NOT EXISTS )"
                           R"((SELECT 1 FROM "Rescipe_ingredients.DB" WHERE R_ING_ID = ?1)))");
    auto keep = db.prepare(R"(INSERT OR REPLACE INTO "Ingredient_Line.db" (R_ING_ID, Line) SELECT ?1, ?2 )"
                           R"(WHERE EXISTS (SELECT 1 FROM "Rescipe_ingredients.DB" WHERE R_ING_ID = ?1))");
    for (const auto& [rowId, line] : lines_) {
        const std::int64_t id = storedId(rowId);
        for (SqliteStatement* statement : {&drop, &keep}) {
            statement->bindInt(1, id);
            if (line)
                statement->bindText(2, *line);
            else
                statement->bindNull(2);
            statement->step();
            statement->reset();
        }
    }
}
