#include "store/SchemaSteps.h"

#include "store/Schema.h"
#include "store/Sqlite.h"
#include "store/TableDefinitions.h"

#include <string>

namespace {

// A trigger that notes the recipes `recipesOf` names as stale after `event`.
std::string staleTrigger(const std::string& name, const std::string& event, const std::string& recipesOf)
{
    return "CREATE TRIGGER " + quoteIdentifier(name) + " AFTER " + event + " BEGIN INSERT OR IGNORE INTO "
        + quoteIdentifier(kRecipeTextStaleTable) + " (R_ID) " + recipesOf + "; END";
}

void addRecipeSearch(SqliteDatabase& db)
{
    for (const char* table : {kRecipeSearchHistoryTable, kRecipeSearchTable, kRecipeSearchRuleTable})
        createTableWithIndexes(db, tableDefinition(table));
    const std::string text = quoteIdentifier(kRecipeTextTable);
    db.execute("CREATE VIRTUAL TABLE " + text + " USING fts5(Body, Lines, tokenize = 'trigram')");
    db.execute("CREATE TABLE " + quoteIdentifier(kRecipeTextStaleTable) + " (R_ID INTEGER PRIMARY KEY)");

    const std::string recipes = quoteIdentifier("Recipe_Des.DB");
    const std::string ingredients = quoteIdentifier("Rescipe_ingredients.DB");
    const std::string lines = quoteIdentifier(kIngredientLineTable);
    const std::string foods = quoteIdentifier("FOOD_DES.db");
    db.execute(staleTrigger("Recipe_Search_Recipe_Added", "INSERT ON " + recipes, "VALUES (NEW.R_ID)"));
    db.execute(staleTrigger("Recipe_Search_Recipe_Changed", "UPDATE ON " + recipes,
                            "SELECT OLD.R_ID UNION SELECT NEW.R_ID"));
    db.execute(staleTrigger("Recipe_Search_Recipe_Deleted", "DELETE ON " + recipes, "VALUES (OLD.R_ID)"));
    db.execute(staleTrigger("Recipe_Search_Line_Added", "INSERT ON " + ingredients, "VALUES (NEW.R_ID)"));
    db.execute(staleTrigger("Recipe_Search_Line_Changed", "UPDATE ON " + ingredients,
                            "SELECT OLD.R_ID UNION SELECT NEW.R_ID"));
    db.execute(staleTrigger("Recipe_Search_Line_Deleted", "DELETE ON " + ingredients, "VALUES (OLD.R_ID)"));
    const std::string recipeOfLine = "SELECT R_ID FROM " + ingredients + " WHERE R_ING_ID = ";
    db.execute(staleTrigger("Recipe_Search_Written_Added", "INSERT ON " + lines, recipeOfLine + "NEW.R_ING_ID"));
    db.execute(staleTrigger("Recipe_Search_Written_Changed", "UPDATE ON " + lines,
                            recipeOfLine + "OLD.R_ING_ID UNION " + recipeOfLine + "NEW.R_ING_ID"));
    db.execute(staleTrigger("Recipe_Search_Written_Deleted", "DELETE ON " + lines, recipeOfLine + "OLD.R_ING_ID"));
    // A linked food's name is part of the recipe's text.
    db.execute(staleTrigger("Recipe_Search_Food_Renamed", "UPDATE OF " + quoteIdentifier("Desc") + " ON " + foods,
                            "SELECT R_ID FROM " + ingredients + " WHERE NDB_No = NEW.NDB_No"));
    db.execute("INSERT INTO " + quoteIdentifier(kRecipeTextStaleTable) + " (R_ID) SELECT R_ID FROM " + recipes);
    // Nutrient rules read one nutrient of every recipe.
    db.execute("CREATE INDEX \"Recipe_NUT_DATA_Nutrient\" ON " + quoteIdentifier("Recipe_NUT_DATA.db")
               + " (Nutr_No, R_ID, Nutr_Val)");
    // A list of thousands of recipes reads its short columns from this index, not from
    // rows that hold the procedures too.
    db.execute("CREATE INDEX \"Recipe_Des_List\" ON " + recipes
               + " (R_ID, \"Recipe Name\", Cuisine_ID, \"Preperation Time\", \"Cooking Time\", \"Number of Serves\","
                 " Author, Source, \"Web Page Name\")");
    // The same for the recipes of one cuisine, which a cuisine node lists.
    db.execute("CREATE INDEX \"Recipe_Des_Cuisine_List\" ON " + recipes
               + " (Cuisine_ID, R_ID, \"Recipe Name\", \"Preperation Time\", \"Cooking Time\", \"Number of Serves\","
                 " Author, Source, \"Web Page Name\")");
    // Food rules ask which recipes use a food.
    db.execute("CREATE INDEX \"Rescipe_ingredients_Food\" ON " + ingredients + " (NDB_No, R_ID)");
}

} // namespace

const std::vector<SchemaStep>& schemaSteps()
{
    static const std::vector<SchemaStep> steps = {
        // Stamps the layout every earlier file has, so that later steps know where they start.
        {1, [](SqliteDatabase&) {}},
        {2, [](SqliteDatabase& db) { createTableWithIndexes(db, tableDefinition(kIngredientLineTable)); }},
        {kRecipeSearchVersion, addRecipeSearch},
    };
    return steps;
}

int currentSchemaVersion()
{
    return schemaSteps().back().version;
}
