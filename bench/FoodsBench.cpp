// The food module's figures: a keyword search, an advanced search, and moving
// between foods with the measures rebuilt, each beside the same reads in raw SQLite.

#include "bench/BenchSupport.h"

#include "foods/DatabaseFood.h"
#include "store/Sqlite.h"

#include <set>
#include <string>
#include <vector>

namespace {

const std::set<std::int64_t> kPreferred = {208, 203, 204, 205, 291, 269, 301, 303, 307, 401, 601, 606};

// The module as the Foods page drives it: every move of the food list rebuilds
// the measure box and picks its first measure, as RefreshMeasures does.
struct FoodsPage {
    TDataModuleFoods foods;
    FoodsPage()
    {
        foods.addMeasureListener([this] {
            if (!foods.GetMeasures().empty())
                foods.SelectMeasure(0, 1);
        });
    }
};

struct FoodRow {
    std::int64_t number;
    std::int64_t group;
    std::string desc;
};

// What the Foods page reads for one food: its preferred values and its measures.
struct FoodDetails {
    explicit FoodDetails(SqliteDatabase& db)
        : values(db.prepare(R"(SELECT Nutr_No, Nutr_Val FROM "NUT_DATA.db" WHERE NDB_No = ? ORDER BY NDB_No, rowid)")),
          measures(db.prepare(
              R"(SELECT Weight_ID, Amount, Msre_Desc, Gm_Wgt FROM "WEIGHT.db" WHERE NDB_No = ? ORDER BY NDB_No, rowid)"))
    {
    }

    double read(std::int64_t food)
    {
        std::vector<MeasureEntry> entries;
        measures.bindInt(1, food);
        while (measures.step()) {
            const double amount = measures.columnDouble(1);
            const std::string desc = measures.columnText(2);
            if (amount == 0)
                continue;
            bool known = false;
            for (const auto& e : entries)
                known = known || e.Description == desc;
            if (!known)
                entries.push_back({measures.columnDouble(3) / amount, desc, static_cast<std::int32_t>(measures.columnInt(0))});
        }
        measures.reset();
        const double grams = entries.empty() ? 0 : entries.front().GramsPerUnit;
        double total = 0;
        values.bindInt(1, food);
        while (values.step())
            if (kPreferred.contains(values.columnInt(0)))
                total += values.columnDouble(1) * (grams * 0.01);
        values.reset();
        return total;
    }

    SqliteStatement values;
    SqliteStatement measures;
};

std::vector<FoodRow> readFoods(SqliteStatement& statement)
{
    std::vector<FoodRow> rows;
    while (statement.step())
        rows.push_back({statement.columnInt(0), statement.columnInt(1), statement.columnText(2)});
    statement.reset();
    return rows;
}

void keywordSearch(benchmark::State& state)
{
    FoodsPage page;
    for (auto _ : state) {
        page.foods.SearchFoodsByKeyword("cheese");
        page.foods.ShowSearchResults();
        benchmark::DoNotOptimize(page.foods.dscFoodDesc.dataSet()->recordCount());
    }
}
SAPORIA_SCALE_FIGURE("keyword_search", keywordSearch);

void keywordSearchBaseline(benchmark::State& state)
{
    SqliteDatabase db("data/saporia.sqlite", SqliteDatabase::Mode::OpenExisting);
    FoodDetails details(db);
    for (auto _ : state) {
        auto statement = db.prepare(R"(SELECT NDB_No, FdGrp_Cd, "Desc" FROM "FOOD_DES.db" WHERE LOWER("Desc") LIKE LOWER('%' || ? || '%'))");
        statement.bindText(1, "cheese");
        const auto rows = readFoods(statement);
        benchmark::DoNotOptimize(details.read(rows.front().number));
    }
}
SAPORIA_SCALE_BASELINE("keyword_search", keywordSearchBaseline);

// Dairy foods with more than 20 g protein and less than 30 g fat per 100 g: the
// group's foods, each probed for the two values.
void advancedSearch(benchmark::State& state)
{
    FoodsPage page;
    auto& m = page.foods;
    m.BeginNewRuleGroup();
    m.tblFoodAdvancedSearch.fieldByName("SQL Name").setAsString("Lean dairy protein");
    const std::vector<std::vector<std::string>> rules = {
        {"FoodGroup", "is", "Dairy and Egg Products", "100"}, {"Protein", ">", "20", "203"}, {"Total lipid (fat)", "<", "30", "204"}};
    for (const auto& rule : rules) {
        m.tblFoodSQLRules.append();
        m.tblFoodSQLRules.fieldByName("Field").setAsString(rule[0]);
        m.tblFoodSQLRules.fieldByName("Condition").setAsString(rule[1]);
        m.tblFoodSQLRules.fieldByName("RValue").setAsString(rule[2]);
        m.tblFoodSQLRules.fieldByName("ExtraInfo").setAsString(rule[3]);
        m.tblFoodSQLRules.post();
    }
    m.PostRuleGroup(); // left pending: the benchmark stores nothing
    for (auto _ : state) {
        m.RunAdvancedSearch("lean dairy protein");
        m.ShowSearchResults();
        benchmark::DoNotOptimize(m.qrySearchFoods.recordCount());
    }
}
SAPORIA_SCALE_FIGURE("advanced_search", advancedSearch);

void advancedSearchBaseline(benchmark::State& state)
{
    SqliteDatabase db("data/saporia.sqlite", SqliteDatabase::Mode::OpenExisting);
    FoodDetails details(db);
    for (auto _ : state) {
        auto statement = db.prepare(
            R"(SELECT NDB_No, FdGrp_Cd, "Desc" FROM "FOOD_DES.db" f WHERE FdGrp_Cd = ?)"
            R"( AND EXISTS (SELECT 1 FROM "NUT_DATA.db" n WHERE n.NDB_No = f.NDB_No AND Nutr_No = ? AND Nutr_Val > ?))"
            R"( AND EXISTS (SELECT 1 FROM "NUT_DATA.db" n WHERE n.NDB_No = f.NDB_No AND Nutr_No = ? AND Nutr_Val < ?))");
        statement.bindInt(1, 100);
        statement.bindInt(2, 203);
        statement.bindDouble(3, 20);
        statement.bindInt(4, 204);
        statement.bindDouble(5, 30);
        const auto rows = readFoods(statement);
        benchmark::DoNotOptimize(details.read(rows.front().number));
    }
}
SAPORIA_SCALE_BASELINE("advanced_search", advancedSearchBaseline);

void foodMoveMeasures(benchmark::State& state)
{
    FoodsPage page;
    auto& list = page.foods.qrySearchFoods;
    for (auto _ : state) {
        list.next();
        if (list.eof())
            list.first();
        benchmark::DoNotOptimize(page.foods.tblNutrientData.fieldByName("Nutr_ValByServing").asFloat());
    }
}
SAPORIA_SCALE_FIGURE("food_move_measures", foodMoveMeasures);

void foodMoveMeasuresBaseline(benchmark::State& state)
{
    SqliteDatabase db("data/saporia.sqlite", SqliteDatabase::Mode::OpenExisting);
    FoodDetails details(db);
    auto statement = db.prepare(R"(SELECT NDB_No, FdGrp_Cd, "Desc" FROM "FOOD_DES.db")");
    const auto foods = readFoods(statement);
    std::size_t next = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(details.read(foods[next++ % foods.size()].number));
}
SAPORIA_SCALE_BASELINE("food_move_measures", foodMoveMeasuresBaseline);

// A saved search of three rules: a food group and two nutrients, each rule
// entered as the rule editor stores it; left pending, so nothing is stored.
void addRuleGroup(TDataModuleFoods& m, const std::string& name, const std::vector<std::vector<std::string>>& rules)
{
    m.BeginNewRuleGroup();
    m.tblFoodAdvancedSearch.fieldByName("SQL Name").setAsString(name);
    for (const auto& rule : rules) {
        m.tblFoodSQLRules.append();
        m.tblFoodSQLRules.fieldByName("Field").setAsString(rule[0]);
        m.tblFoodSQLRules.fieldByName("Condition").setAsString(rule[1]);
        m.tblFoodSQLRules.fieldByName("RValue").setAsString(rule[2]);
        m.tblFoodSQLRules.fieldByName("ExtraInfo").setAsString(rule[3]);
        m.tblFoodSQLRules.post();
    }
    m.PostRuleGroup();
}

// Vegetables with at least 3 g fibre and less than 50 mg sodium per 100 g: the
// largest plant group, so the group rule alone leaves hundreds of foods to test.
void advancedSearchThreeRules(benchmark::State& state)
{
    FoodsPage page;
    auto& m = page.foods;
    addRuleGroup(m, "Fibre-rich vegetables, low in sodium",
                 {{"FoodGroup", "is", "Vegetables and Vegetable Products", "1100"},
                  {"Fiber, total dietary", ">=", "3", "291"},
                  {"Sodium, Na", "<", "50", "307"}});
    for (auto _ : state) {
        m.RunAdvancedSearch("fibre-rich vegetables, low in sodium");
        m.ShowSearchResults();
        benchmark::DoNotOptimize(m.qrySearchFoods.recordCount());
    }
}
SAPORIA_SCALE_FIGURE("advanced_search_three_rules", advancedSearchThreeRules);

void advancedSearchThreeRulesBaseline(benchmark::State& state)
{
    SqliteDatabase db("data/saporia.sqlite", SqliteDatabase::Mode::OpenExisting);
    FoodDetails details(db);
    for (auto _ : state) {
        auto statement = db.prepare(
            R"(SELECT NDB_No, FdGrp_Cd, "Desc" FROM "FOOD_DES.db" WHERE FdGrp_Cd = ?)"
            R"( AND NDB_No IN (SELECT NDB_No FROM "NUT_DATA.db" WHERE Nutr_No = ? AND Nutr_Val >= ?))"
            R"( AND NDB_No IN (SELECT NDB_No FROM "NUT_DATA.db" WHERE Nutr_No = ? AND Nutr_Val < ?))");
        statement.bindInt(1, 1100);
        statement.bindInt(2, 291);
        statement.bindDouble(3, 3);
        statement.bindInt(4, 307);
        statement.bindDouble(5, 50);
        const auto rows = readFoods(statement);
        benchmark::DoNotOptimize(details.read(rows.front().number));
    }
}
SAPORIA_SCALE_BASELINE("advanced_search_three_rules", advancedSearchThreeRulesBaseline);

} // namespace
