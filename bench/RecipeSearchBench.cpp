// The Recipes page of a user with 10,000 recipes: all of them listed again, a type
// chosen, a step down the list, a keyword searched and a saved search of three
// rules run, each until the page is painted.

#include "bench/BenchSupport.h"

#include "app/MainForm.h"
#include "app/StartUp.h"
#include "recipes/DatabaseRecipes.h"
#include "recipes/RecipeRules.h"
#include "recipes/RecipeTextIndex.h"
#include "store/Database.h"
#include "store/Sqlite.h"
#include "store/Table.h"
#include "ui/DataControls.h"
#include "ui/ErrorGuard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPixmap>
#include <QStackedWidget>

#include <optional>

namespace {

const char* const kKeywords[] = {"spinach", "salmon"};
constexpr std::int64_t kBenchSearch = 100000;
const char* const kBenchSearchName = "Bench: light, quick, three cuisines";
// Energy per serve under 500 kcal, one of three cuisines, ready in 45 minutes.
const std::vector<RecipeRule> kThreeRules = {
    {"nutrient", "208", "<", "500"}, {"cuisine", "2,3,5", kIsOneOf, "Chinese, French, Indian"}, {"time", "", "<=", "45"}};

void removeBenchSearch(SqliteDatabase& db)
{
    db.execute("DELETE FROM \"RecipeSQLRules.db\" WHERE SQL_ID = " + std::to_string(kBenchSearch));
    db.execute("DELETE FROM \"RecipeSQL.db\" WHERE SQL_ID = " + std::to_string(kBenchSearch));
}

// The window on the Recipes page over the 10,000 recipes, with the saved search of
// three rules stored for the time of the figure.
class ManyRecipesPage {
public:
    ManyRecipesPage()
    {
        ensureApplication();
        {
            Database db("sv RecipeDatabase", "data");
            removeBenchSearch(db.sqlite());
            db.sqlite().execute("INSERT INTO \"RecipeSQL.db\" VALUES (" + std::to_string(kBenchSearch) + ", '"
                                + kBenchSearchName + "')");
            auto rule = db.sqlite().prepare(
                "INSERT INTO \"RecipeSQLRules.db\" (SQL_ID, Field, Condition, RValue, Kind, Keys) VALUES (?, ?, ?, ?, ?, ?)");
            for (const RecipeRule& each : kThreeRules) {
                rule.bindInt(1, kBenchSearch);
                rule.bindText(2, each.kind);
                rule.bindText(3, each.condition);
                rule.bindText(4, each.value);
                rule.bindText(5, each.kind);
                rule.bindText(6, each.keys);
                rule.step();
                rule.reset();
            }
        }
        CreateApplicationObjects();
        FormMain->show();
        FormMain->NotebookClient->setCurrentIndex(0);
        TApplication::processEvents();
        canvas_.emplace(FormMain->PageRecipes->size());
    }
    ~ManyRecipesPage()
    {
        DestroyApplicationObjects();
        Database db("sv RecipeDatabase", "data");
        removeBenchSearch(db.sqlite());
    }
    ManyRecipesPage(const ManyRecipesPage&) = delete;
    ManyRecipesPage& operator=(const ManyRecipesPage&) = delete;

    void paint() { FormMain->PageRecipes->render(&*canvas_); }
    static RecordSet& shown() { return *DataModuleRecipes->dscDisplayRecipes.dataSet(); }

private:
    std::optional<QPixmap> canvas_;
};

void recipesAllReload(benchmark::State& state)
{
    ManyRecipesPage page;
    FormMain->TreeViewRecipes->Select(FormMain->NodeViewAllRecipes);
    state.counters["recipes"] = ManyRecipesPage::shown().recordCount();
    for (auto _ : state) {
        ManyRecipesPage::shown().refresh();
        page.paint();
    }
}

void recipeNodeSwitch(benchmark::State& state)
{
    ManyRecipesPage page;
    QTreeWidgetItem* dinner = TNavigationTree::ChildByText(FormMain->NodeRecipeTypes, "Dinner");
    QTreeWidgetItem* dessert = TNavigationTree::ChildByText(FormMain->NodeRecipeTypes, "Dessert");
    FormMain->TreeViewRecipes->Select(dinner);
    state.counters["recipes"] = ManyRecipesPage::shown().recordCount();
    bool toDessert = true;
    for (auto _ : state) {
        FormMain->TreeViewRecipes->Select(toDessert ? dessert : dinner);
        page.paint();
        toDessert = !toDessert;
    }
}

void recipeListStep(benchmark::State& state)
{
    ManyRecipesPage page;
    FormMain->TreeViewRecipes->Select(FormMain->NodeViewAllRecipes);
    TDBGrid* list = FormMain->DBGridRecipeList;
    list->setFocus();
    int steps = 0;
    for (auto _ : state) {
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(list, &down);
        page.paint();
        if (++steps % 500 == 0) {
            state.PauseTiming();
            ManyRecipesPage::shown().first();
            state.ResumeTiming();
        }
    }
}

void recipeKeywordSearch(benchmark::State& state)
{
    ManyRecipesPage page;
    int turn = 0;
    for (auto _ : state) {
        DataModuleRecipes->Searches.SearchRecipesByKeyword(kKeywords[turn++ % 2]);
        DataModuleRecipes->ShowSearchResults();
        page.paint();
    }
    state.counters["recipes"] = ManyRecipesPage::shown().recordCount();
}

void recipeAdvancedSearch(benchmark::State& state)
{
    ManyRecipesPage page;
    for (auto _ : state) {
        if (!DataModuleRecipes->Searches.RunAdvancedSearch(kBenchSearchName)) {
            state.SkipWithError("the saved search did not run");
            break;
        }
        DataModuleRecipes->ShowSearchResults();
        page.paint();
    }
    state.counters["recipes"] = ManyRecipesPage::shown().recordCount();
}

// The same searches with the raw SQLite API: the statement run and every row read.
void readAll(SqliteStatement& statement)
{
    while (statement.step())
        for (int column = 0; column < statement.columnCount(); ++column)
            benchmark::DoNotOptimize(statement.columnText(column));
    statement.reset();
}

void recipeKeywordSearchBaseline(benchmark::State& state)
{
    SqliteDatabase db("data/saporia.sqlite", SqliteDatabase::Mode::ReadOnly);
    int turn = 0;
    for (auto _ : state) {
        const auto condition = RecipeTextIndex::keywordCondition("r.R_ID", kKeywords[turn++ % 2], 1);
        auto statement = db.prepare("SELECT r.* FROM \"Recipe_Des.DB\" r WHERE " + condition.sql
                                    + " ORDER BY r.\"Recipe Name\" COLLATE NOCASE, r.R_ID");
        statement.bindText(1, condition.parameter);
        readAll(statement);
    }
}

void recipeAdvancedSearchBaseline(benchmark::State& state)
{
    SqliteDatabase db("data/saporia.sqlite", SqliteDatabase::Mode::ReadOnly);
    const RuleStatement rules = ruleStatement(kThreeRules);
    for (auto _ : state) {
        auto statement = db.prepare("SELECT r.* FROM \"Recipe_Des.DB\" r WHERE " + rules.where
                                    + " ORDER BY r.\"Recipe Name\" COLLATE NOCASE, r.R_ID");
        for (std::size_t i = 0; i < rules.params.size(); ++i)
            bindStoredValue(statement, int(i) + 1, rules.params[i]);
        readAll(statement);
    }
}

[[maybe_unused]] benchmark::internal::Benchmark* const registered[] = {
    registerOnRecipeData("recipes_all_reload", Measure::Figure, recipesAllReload),
    registerOnRecipeData("recipe_node_switch", Measure::Figure, recipeNodeSwitch),
    registerOnRecipeData("recipe_list_step", Measure::Figure, recipeListStep),
    registerOnRecipeData("recipe_keyword_search", Measure::Figure, recipeKeywordSearch),
    registerOnRecipeData("recipe_keyword_search", Measure::Baseline, recipeKeywordSearchBaseline),
    registerOnRecipeData("recipe_advanced_search", Measure::Figure, recipeAdvancedSearch),
    registerOnRecipeData("recipe_advanced_search", Measure::Baseline, recipeAdvancedSearchBaseline),
};

} // namespace
