// The Recipes page as a user with many recipes has it: choosing a type in the tree
// and stepping down the recipe list, each until the page is painted.

#include "bench/BenchSupport.h"

#include "app/MainForm.h"
#include "app/StartUp.h"
#include "recipes/DatabaseRecipes.h"
#include "store/Database.h"
#include "store/Sqlite.h"
#include "ui/DataControls.h"
#include "ui/ErrorGuard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPixmap>
#include <QStackedWidget>

#include <optional>
#include <string>

namespace {

constexpr int kFirstBenchRecipe = 100000;
constexpr int kBenchRecipes = 200;
constexpr int kBenchType = 100000;
const char* const kBenchTypeName = "Bench type";

// 200 recipes of one type, each a copy of the first starter recipe with its
// ingredients and totals, the window shown on the Recipes page. The rows are
// removed again when the figure is done, leaving the data as it was.
class RecipesPageFixture {
public:
    RecipesPageFixture()
    {
        ensureApplication();
        {
            Database db("sv RecipeDatabase", "data");
            SqliteDatabase& sqlite = db.sqlite();
            sqlite.execute("BEGIN");
            removeBenchRows(sqlite); // left by a run that did not end
            sqlite.execute("INSERT INTO \"Recipe_Types.DB\" VALUES (" + std::to_string(kBenchType) + ", '" + kBenchTypeName
                           + "')");
            for (int i = 0; i < kBenchRecipes; ++i) {
                const std::string id = std::to_string(kFirstBenchRecipe + i);
                sqlite.execute("INSERT INTO \"Recipe_Des.DB\" (R_ID, \"Recipe Name\", Cuisine_ID, \"Preperation Time\", "
                               "\"Cooking Time\", \"Number of Serves\", Procedures, Author, Source) SELECT "
                               + id + ", 'Bench recipe " + std::to_string(i) + "', Cuisine_ID, \"Preperation Time\", "
                               "\"Cooking Time\", \"Number of Serves\", Procedures, Author, Source FROM \"Recipe_Des.DB\" "
                               "WHERE R_ID = 1");
                sqlite.execute("INSERT INTO \"Recipe_DesAndTypes.DB\" (RTYPE_ID, R_ID) VALUES ("
                               + std::to_string(kBenchType) + ", " + id + ")");
                sqlite.execute("INSERT INTO \"Rescipe_ingredients.DB\" (\"Ingredient Name\", R_ID, Quantity, Unit, NDB_No, "
                               "NDB_ByGram, NDB_Quantity, NDB_Weight_ID, WeightInGram) SELECT \"Ingredient Name\", "
                               + id + ", Quantity, Unit, NDB_No, NDB_ByGram, NDB_Quantity, NDB_Weight_ID, WeightInGram "
                               "FROM \"Rescipe_ingredients.DB\" WHERE R_ID = 1 ORDER BY R_ING_ID");
                sqlite.execute("INSERT INTO \"Recipe_NUT_DATA.db\" (R_ID, Nutr_No, Nutr_Val) SELECT " + id
                               + ", Nutr_No, Nutr_Val FROM \"Recipe_NUT_DATA.db\" WHERE R_ID = 1 ORDER BY ID");
            }
            sqlite.execute("COMMIT");
        }
        CreateApplicationObjects();
        FormMain->show();
        FormMain->NotebookClient->setCurrentIndex(0);
        TApplication::processEvents();
        canvas_.emplace(FormMain->PageRecipes->size());
    }
    ~RecipesPageFixture()
    {
        DestroyApplicationObjects();
        Database db("sv RecipeDatabase", "data");
        removeBenchRows(db.sqlite());
    }
    RecipesPageFixture(const RecipesPageFixture&) = delete;
    RecipesPageFixture& operator=(const RecipesPageFixture&) = delete;

    // What the user sees of the page, painted as a frame would be.
    void paint() { FormMain->PageRecipes->render(&*canvas_); }

    static QTreeWidgetItem* typeNode(const char* name)
    {
        return TNavigationTree::ChildByText(FormMain->NodeRecipeTypes, name);
    }

private:
    static void removeBenchRows(SqliteDatabase& sqlite)
    {
        const std::string bench = " WHERE R_ID >= " + std::to_string(kFirstBenchRecipe);
        for (const char* table : {"Recipe_NUT_DATA.db", "Rescipe_ingredients.DB", "Recipe_DesAndTypes.DB", "Recipe_Des.DB"})
            sqlite.execute(std::string("DELETE FROM \"") + table + "\"" + bench);
        sqlite.execute("DELETE FROM \"Recipe_Types.DB\" WHERE RTYPE_ID = " + std::to_string(kBenchType));
    }

    std::optional<QPixmap> canvas_; // made once the application object exists
};

// The 200 recipes' type and a type with one recipe, in turn.
void recipeNodeSwitch(benchmark::State& state)
{
    RecipesPageFixture page;
    QTreeWidgetItem* many = RecipesPageFixture::typeNode(kBenchTypeName);
    QTreeWidgetItem* one = RecipesPageFixture::typeNode("Dinner");
    FormMain->TreeViewRecipes->Select(many);
    state.counters["recipes"] = DataModuleRecipes->dscDisplayRecipes.dataSet()->recordCount();
    FormMain->TreeViewRecipes->Select(one);
    bool toMany = true;
    for (auto _ : state) {
        FormMain->TreeViewRecipes->Select(toMany ? many : one);
        page.paint();
        toMany = !toMany;
    }
}

// The Down key in the 200 recipes' list: details and totals re-read, page painted.
void recipeListStep(benchmark::State& state)
{
    RecipesPageFixture page;
    FormMain->TreeViewRecipes->Select(RecipesPageFixture::typeNode(kBenchTypeName));
    TDBGrid* list = FormMain->DBGridRecipeList;
    list->setFocus();
    RecordSet& recipes = *DataModuleRecipes->dscDisplayRecipes.dataSet();
    int steps = 0;
    for (auto _ : state) {
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(list, &down);
        page.paint();
        if (++steps % (kBenchRecipes - 1) == 0) {
            state.PauseTiming();
            recipes.first();
            state.ResumeTiming();
        }
    }
}

SAPORIA_FIGURE("recipe_node_switch", recipeNodeSwitch);
SAPORIA_FIGURE("recipe_list_step", recipeListStep);

} // namespace
