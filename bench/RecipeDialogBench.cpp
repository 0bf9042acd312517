// Opening a long recipe for editing: the recipe read into the edit sets and the
// wizard's first page painted, as the edit button does it.

#include "bench/BenchSupport.h"

#include "app/MainForm.h"
#include "app/StartUp.h"
#include "recipes/DatabaseRecipes.h"
#include "recipes/RecipeEdit.h"
#include "store/Database.h"
#include "store/Sqlite.h"
#include "ui/ErrorGuard.h"

#include <QPixmap>

#include <optional>
#include <string>

namespace {

constexpr std::int64_t kBenchRecipe = 200000;
constexpr int kIngredients = 20;

// One stored recipe of 20 ingredients, each linked by grams to one of the foods with
// the most nutrient values, with its totals; removed again when the figure is done.
class LongRecipeFixture {
public:
    LongRecipeFixture()
    {
        ensureApplication();
        {
            Database db("sv RecipeDatabase", "data");
            SqliteDatabase& sqlite = db.sqlite();
            const std::string id = std::to_string(kBenchRecipe);
            sqlite.execute("BEGIN");
            removeBenchRows(sqlite);
            sqlite.execute("INSERT INTO \"Recipe_Des.DB\" (R_ID, \"Recipe Name\", \"Number of Serves\", Procedures) "
                           "VALUES (" + id + ", 'Bench stew', 8, 'Simmer everything.')");
            sqlite.execute("INSERT INTO \"Rescipe_ingredients.DB\" (\"Ingredient Name\", R_ID, Quantity, Unit, NDB_No, "
                           "NDB_ByGram, NDB_Quantity, WeightInGram) SELECT 'ingredient ' || NDB_No, " + id
                           + ", 50, 'g', NDB_No, 1, 50, 50 FROM (SELECT NDB_No FROM \"NUT_DATA.db\" GROUP BY NDB_No "
                           "ORDER BY COUNT(*) DESC, NDB_No LIMIT " + std::to_string(kIngredients) + ")");
            sqlite.execute("INSERT INTO \"Recipe_NUT_DATA.db\" (R_ID, Nutr_No, Nutr_Val) SELECT " + id
                           + ", Nutr_No, SUM(Nutr_Val) / 2 FROM \"NUT_DATA.db\" WHERE NDB_No IN (SELECT NDB_No FROM "
                           "\"Rescipe_ingredients.DB\" WHERE R_ID = " + id + ") GROUP BY Nutr_No");
            sqlite.execute("COMMIT");
        }
        CreateApplicationObjects();
        FormMain->show();
        DataModuleRecipes->ShowAllRecipes();
        DataModuleRecipes->dscDisplayRecipes.dataSet()->locate("R_ID", Value(kBenchRecipe));
        canvas_.emplace(DialogRecipeEdit->size());
    }
    ~LongRecipeFixture()
    {
        DestroyApplicationObjects();
        Database db("sv RecipeDatabase", "data");
        removeBenchRows(db.sqlite());
    }
    LongRecipeFixture(const LongRecipeFixture&) = delete;
    LongRecipeFixture& operator=(const LongRecipeFixture&) = delete;

    void paintDialog() { DialogRecipeEdit->render(&*canvas_); }

private:
    static void removeBenchRows(SqliteDatabase& sqlite)
    {
        for (const char* table : {"Recipe_NUT_DATA.db", "Rescipe_ingredients.DB", "Recipe_DesAndTypes.DB", "Recipe_Des.DB"})
            sqlite.execute(std::string("DELETE FROM \"") + table + "\" WHERE R_ID = " + std::to_string(kBenchRecipe));
    }

    std::optional<QPixmap> canvas_;
};

void recipeDialogOpen(benchmark::State& state)
{
    LongRecipeFixture fixture;
    TDataModuleRecipes& recipes = *DataModuleRecipes;
    for (auto _ : state) {
        recipes.BeginEditRecipe();
        DialogRecipeEdit->show();
        fixture.paintDialog();
        state.PauseTiming();
        state.counters["ingredients"] = recipes.tblRecipeIngredientEdit.recordCount();
        DialogRecipeEdit->hide();
        recipes.CancelEditedRecipe();
        state.ResumeTiming();
    }
}
SAPORIA_FIGURE("recipe_dialog_open", recipeDialogOpen);

} // namespace
