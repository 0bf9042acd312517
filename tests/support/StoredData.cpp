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

void StoredData::revertLayoutTo(int version) const
{
    std::string sql;
    if (version < 3) {
        for (const char* trigger : {"Recipe_Added", "Recipe_Changed", "Recipe_Deleted", "Line_Added", "Line_Changed",
                                    "Line_Deleted", "Written_Added", "Written_Changed", "Written_Deleted",
                                    "Food_Renamed"})
            sql += "DROP TRIGGER \"Recipe_Search_" + std::string(trigger) + "\";";
        for (const char* table : {"RecipeSimpleSearch.db", "RecipeSQL.db", "RecipeSQLRules.db", "Recipe_Search_Text",
                                  "Recipe_Search_Stale"})
            sql += "DROP TABLE \"" + std::string(table) + "\";";
        sql += "DROP INDEX \"Recipe_NUT_DATA_Nutrient\"; DROP INDEX \"Rescipe_ingredients_Food\";"
               "DROP INDEX \"Recipe_Des_List\"; DROP INDEX \"Recipe_Des_Cuisine_List\";";
    }
    if (version < 2)
        sql += "DROP TABLE \"Ingredient_Line.db\";";
    execute(sql + "PRAGMA user_version = " + std::to_string(version));
}
