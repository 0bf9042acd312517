// The table engine's own figures: the food list, moving between foods, locate, apply.

#include "bench/BenchSupport.h"

#include "store/Database.h"
#include "store/DataSource.h"
#include "store/Query.h"
#include "store/Sqlite.h"
#include "store/Table.h"

#include <sqlite3.h>

#include <cstdlib>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

const char* const kPreferenceFilter = "Nutr_No=208 OR Nutr_No=203 OR Nutr_No=204 OR Nutr_No=205 OR Nutr_No=291 OR "
                                      "Nutr_No=269 OR Nutr_No=301 OR Nutr_No=303 OR Nutr_No=307 OR Nutr_No=401 OR "
                                      "Nutr_No=601 OR Nutr_No=606";
const std::set<std::int64_t> kPreferred = {208, 203, 204, 205, 291, 269, 301, 303, 307, 401, 601, 606};

// The food list with its two details as the Foods page shows them.
struct FoodBrowser {
    Database db{"sv FoodDatabase", "data"};
    Table groups{db, "tblFoodGroups2", "FD_GROUP.db"};
    Table nutrientDef{db, "tblNutrientDef", "NUTR_DEF.db"};
    Query foods{db, "qrySearchFoods"};
    DataSource dscFoods{"dscFoodDesc", &foods};
    Table nutrients{db, "tblNutrientData", "NUT_DATA.db", "NDB_Index"};
    Table weights{db, "tblNutrientWeight", "WEIGHT.db", "NDB_Index"};
    double gramWeight = 100;

    FoodBrowser()
    {
        groups.open();
        nutrientDef.open();
        foods.setFields({FieldSpec::lookup("FoodGroups", "FdGrp_Cd", groups, "FdGrp_Cd", "FdGrp_Desc"),
                         FieldSpec::data("FdGrp_Cd"), FieldSpec::data("NDB_No"), FieldSpec::data("Desc").withSize(179)});
        foods.addSql("SELECT FdGrp_Cd, NDB_No, Food_des.\"Desc\"");
        foods.addSql("FROM \"FOOD_DES.db\" Food_des");
        foods.open();
        nutrients.setFields({FieldSpec::lookup("NutrientDescription", "Nutr_No", nutrientDef, "Nutr_No", "Nutr_Desc", 34),
                             FieldSpec::data("Nutr_Val").withFormat("#.##"),
                             FieldSpec::calculated("Nutr_ValByServing", FieldType::Number).withFormat("#.##"),
                             FieldSpec::lookup("Units", "Nutr_No", nutrientDef, "Nutr_No", "Units"),
                             FieldSpec::calculated("Gm_Wgt", FieldType::Number).withFormat("#.##"),
                             FieldSpec::data("Nutr_ID"), FieldSpec::data("NDB_No"), FieldSpec::data("Nutr_No")});
        nutrients.onCalcFields = [this](RecordSet& set) {
            set.fieldByName("Gm_Wgt").setAsFloat(gramWeight);
            set.fieldByName("Nutr_ValByServing").setAsFloat(set.fieldByName("Nutr_Val").asFloat() * (gramWeight * 0.01));
        };
        nutrients.setMaster(dscFoods, "NDB_No");
        nutrients.setFilter(kPreferenceFilter);
        nutrients.setFiltered(true);
        nutrients.open();
        weights.setMaster(dscFoods, "NDB_No");
        weights.open();
    }
};

void foodListReload(benchmark::State& state)
{
    FoodBrowser browser;
    for (auto _ : state) {
        browser.foods.close();
        browser.foods.open();
        benchmark::DoNotOptimize(browser.foods.fieldByName("FoodGroups").asString());
    }
}
SAPORIA_SCALE_FIGURE("food_list_reload", foodListReload);

void foodListReloadBaseline(benchmark::State& state)
{
    SqliteDatabase db("data/saporia.sqlite", SqliteDatabase::Mode::OpenExisting);
    for (auto _ : state) {
        std::unordered_map<std::int64_t, std::string> groups;
        auto groupRows = db.prepare(R"(SELECT FdGrp_Cd, FdGrp_Desc FROM "FD_GROUP.db")");
        while (groupRows.step())
            groups.emplace(groupRows.columnInt(0), groupRows.columnText(1));
        struct Food { std::int64_t group; std::int64_t number; std::string desc; };
        std::vector<Food> foods;
        auto foodRows = db.prepare(R"(SELECT FdGrp_Cd, NDB_No, "Desc" FROM "FOOD_DES.db")");
        while (foodRows.step())
            foods.push_back({foodRows.columnInt(0), foodRows.columnInt(1), foodRows.columnText(2)});
        benchmark::DoNotOptimize(groups[foods.front().group]);
    }
}
SAPORIA_SCALE_BASELINE("food_list_reload", foodListReloadBaseline);

// A heap as a process has it after hours of work: tens of thousands of small blocks
// still held, with free gaps of every size between them. The list's rows are then
// made in those gaps instead of at the end of the heap, where a fresh process makes them.
class AgedHeap {
public:
    AgedHeap()
    {
        // Every other block is freed only once all are made, so that each leaves a gap.
        std::vector<void*> made;
        std::uint32_t seed = 1;
        for (int i = 0; i < 2 * kHeld; ++i) {
            seed = seed * 1103515245 + 12345;
            made.push_back(std::malloc(16 + (seed >> 16) % 600));
        }
        for (std::size_t i = 0; i < made.size(); ++i) {
            if (i % 2)
                held_.push_back(made[i]);
            else
                std::free(made[i]);
        }
    }
    ~AgedHeap()
    {
        for (void* block : held_)
            std::free(block);
    }
    AgedHeap(const AgedHeap&) = delete;
    AgedHeap& operator=(const AgedHeap&) = delete;

private:
    static constexpr int kHeld = 50000;
    std::vector<void*> held_;
};

void foodListReloadAgedHeap(benchmark::State& state)
{
    AgedHeap heap;
    foodListReload(state);
}
SAPORIA_FIGURE("food_list_reload_aged_heap", foodListReloadAgedHeap);

void foodListReloadAgedHeapBaseline(benchmark::State& state)
{
    AgedHeap heap;
    foodListReloadBaseline(state);
}
SAPORIA_BASELINE("food_list_reload_aged_heap", foodListReloadAgedHeapBaseline);

void foodMove(benchmark::State& state)
{
    FoodBrowser browser;
    for (auto _ : state) {
        browser.foods.next();
        if (browser.foods.eof())
            browser.foods.first();
        benchmark::DoNotOptimize(browser.nutrients.recordCount() + browser.weights.recordCount());
    }
}
SAPORIA_SCALE_FIGURE("food_move", foodMove);

void foodMoveBaseline(benchmark::State& state)
{
    SqliteDatabase db("data/saporia.sqlite", SqliteDatabase::Mode::OpenExisting);
    std::vector<std::int64_t> foods;
    auto foodRows = db.prepare(R"(SELECT NDB_No FROM "FOOD_DES.db")");
    while (foodRows.step())
        foods.push_back(foodRows.columnInt(0));
    std::unordered_map<std::int64_t, std::pair<std::string, std::string>> nutrientDef;
    auto defRows = db.prepare(R"(SELECT Nutr_No, Nutr_Desc, Units FROM "NUTR_DEF.db")");
    while (defRows.step())
        nutrientDef[defRows.columnInt(0)] = {defRows.columnText(1), defRows.columnText(2)};
    auto values = db.prepare(R"(SELECT rowid, Nutr_ID, NDB_No, Nutr_No, Nutr_Val FROM "NUT_DATA.db" WHERE NDB_No = ? ORDER BY NDB_No, rowid)");
    auto measures = db.prepare(R"(SELECT rowid, Weight_ID, NDB_No, Seq, Amount, Msre_Desc, Gm_Wgt FROM "WEIGHT.db" WHERE NDB_No = ? ORDER BY NDB_No, rowid)");
    std::size_t next = 0;
    for (auto _ : state) {
        const std::int64_t food = foods[next++ % foods.size()];
        struct Value { std::string desc; std::string units; double per100; double perMeasure; };
        std::vector<Value> shown;
        values.bindInt(1, food);
        while (values.step()) {
            const std::int64_t nutrient = values.columnInt(3);
            if (!kPreferred.contains(nutrient))
                continue;
            const auto& def = nutrientDef[nutrient];
            const double per100 = values.columnDouble(4);
            shown.push_back({def.first, def.second, per100, per100 * (100 * 0.01)});
        }
        values.reset();
        std::vector<std::string> measureNames;
        measures.bindInt(1, food);
        while (measures.step())
            measureNames.push_back(measures.columnText(5));
        measures.reset();
        benchmark::DoNotOptimize(shown.size() + measureNames.size());
    }
}
SAPORIA_SCALE_BASELINE("food_move", foodMoveBaseline);

void locateFood(benchmark::State& state)
{
    FoodBrowser browser;
    const std::int64_t wanted[] = {93600, 1001, 45000, 11529};
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(browser.foods.locate("NDB_No", Value(wanted[i++ % 4])));
}
SAPORIA_FIGURE("locate_food", locateFood);

void apply100Inserts(benchmark::State& state)
{
    Database db("sv FoodDatabase", "data");
    Table history(db, "tblFoodSimpleSearch", "FoodSimpleSearch.db");
    history.setCachedUpdates(true);
    history.open();
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < 100; ++i) {
            history.append();
            history.fieldByName("Keyword").setAsString("keyword " + std::to_string(i));
            history.post();
        }
        state.ResumeTiming();
        history.applyUpdates();
        history.commitUpdates();
        state.PauseTiming();
        db.sqlite().execute(R"(DELETE FROM "FoodSimpleSearch.db")");
        db.tableChanged("FoodSimpleSearch.db");
        state.ResumeTiming();
    }
}
SAPORIA_FIGURE("apply_100_inserts", apply100Inserts);

void apply100InsertsBaseline(benchmark::State& state)
{
    SqliteDatabase db("data/saporia.sqlite", SqliteDatabase::Mode::OpenExisting);
    for (auto _ : state) {
        db.execute("BEGIN IMMEDIATE");
        auto insert = db.prepare(R"(INSERT INTO "FoodSimpleSearch.db" (Keyword) VALUES (?))");
        for (int i = 0; i < 100; ++i) {
            insert.bindText(1, "keyword " + std::to_string(i));
            insert.step();
            insert.reset();
        }
        db.execute("COMMIT");
        state.PauseTiming();
        db.execute(R"(DELETE FROM "FoodSimpleSearch.db")");
        state.ResumeTiming();
    }
}
SAPORIA_BASELINE("apply_100_inserts", apply100InsertsBaseline);

} // namespace
