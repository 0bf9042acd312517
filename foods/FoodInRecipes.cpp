#include "foods/FoodInRecipes.h"

#include "store/Database.h"
#include "store/Sqlite.h"

bool foodUsedInRecipes(const Database& database, std::int32_t ndbNo)
{
    SqliteStatement statement =
        database.sqlite().prepare(R"(SELECT 1 FROM "Rescipe_ingredients.DB" WHERE NDB_No = ? LIMIT 1)");
    statement.bindInt(1, ndbNo);
    return statement.step();
}
