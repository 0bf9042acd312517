#include "bench/BenchSupport.h"

#include "store/ProgramError.h"
#include "store/Schema.h"
#include "store/SchemaUpgrade.h"
#include "store/Sqlite.h"
#include "store/TableDefinitions.h"
#include "recipes/RecipeTextIndex.h"
#include "tools/DataFolderInstaller.h"

#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Copy n of food 1001 is food n00001 (101001, 201001, ...): every reference number is below the stride.
constexpr std::int64_t kCopyStride = 100000;
constexpr int kCopies = 10;
const char* const kFoodTables[] = {"FOOD_DES.db", "NUT_DATA.db", "WEIGHT.db"};

std::int64_t valueOf(SqliteDatabase& db, const std::string& sql)
{
    auto statement = db.prepare(sql);
    statement.step();
    return statement.columnInt(0);
}

// Inserts copy `copy` of every reference row of the table, in stored order, with
// the food number moved up by the stride; autoincrement keys are assigned anew.
void copyFoodRows(SqliteDatabase& db, const std::string& table, int copy)
{
    std::string columns;
    std::string values;
    for (const auto& field : tableDefinition(table).fields) {
        if (field.type == FieldType::AutoIncrement)
            continue;
        const std::string name = quoteIdentifier(field.name);
        columns += (columns.empty() ? "" : ", ") + name;
        values += (values.empty() ? "" : ", ") + (field.name == "NDB_No" ? name + " + ?1" : name);
    }
    auto insert = db.prepare("INSERT INTO " + quoteIdentifier(table) + " (" + columns + ") SELECT " + values + " FROM "
                             + quoteIdentifier(table) + " WHERE NDB_No < ?2 ORDER BY rowid");
    insert.bindInt(1, copy * kCopyStride);
    insert.bindInt(2, kCopyStride);
    insert.step();
}

// SQL over a copy of the full data file: far faster than importing ten times.
void buildTenfoldData(const fs::path& source, const fs::path& target)
{
    const fs::path work = target.parent_path() / ".data.building";
    fs::remove_all(work);
    fs::create_directories(work);
    fs::copy_file(source / kDatabaseFileName, work / kDatabaseFileName);
    {
        SqliteDatabase db((work / kDatabaseFileName).string(), SqliteDatabase::Mode::OpenExisting);
        if (valueOf(db, R"(SELECT max(NDB_No) FROM "FOOD_DES.db")") >= kCopyStride)
            throw ProgramError("food numbers reach the copy stride");
        db.execute("PRAGMA synchronous = OFF");
        db.execute("PRAGMA journal_mode = MEMORY");
        // Indexes are dropped and made again after the copy: one sort instead of
        // millions of scattered inserts.
        std::vector<std::string> indexes;
        {
            auto list = db.prepare("SELECT name, sql FROM sqlite_schema WHERE type = 'index' AND sql IS NOT NULL"
                                   " AND tbl_name IN ('FOOD_DES.db', 'NUT_DATA.db', 'WEIGHT.db')");
            std::vector<std::string> names;
            while (list.step()) {
                names.push_back(list.columnText(0));
                indexes.push_back(list.columnText(1));
            }
            list.reset();
            for (const auto& name : names)
                db.execute("DROP INDEX " + quoteIdentifier(name));
        }
        SqliteTransaction transaction(db);
        for (int copy = 1; copy < kCopies; ++copy)
            for (const char* table : kFoodTables)
                copyFoodRows(db, table, copy);
        transaction.commit();
        for (const auto& sql : indexes)
            db.execute(sql);
        db.execute("PRAGMA journal_mode = DELETE");
        db.execute("ANALYZE");
    }
    fs::rename(work, target);
}

// Words recipes are made of: names, lines and procedures draw from them.
const char* const kDishes[] = {"stew", "soup", "salad", "curry", "bake", "roast", "pie", "stir-fry", "risotto",
                               "tagine", "gratin", "pasta", "tacos", "chowder", "omelette", "casserole"};
const char* const kSentences[] = {
    "Heat the oil in a large pan over a medium heat. ",
    "Add the onion and cook gently until soft and golden, about ten minutes. ",
    "Stir in the garlic and spices and cook for a minute more. ",
    "Pour in the stock, bring to the boil, then lower the heat and simmer. ",
    "Season to taste with salt and freshly ground pepper. ",
    "Meanwhile, bring a large pot of salted water to the boil. ",
    "Fold the herbs through just before serving. ",
    "Bake in the preheated oven until golden and bubbling. ",
    "Leave to rest for five minutes before slicing. ",
    "Whisk the eggs with the milk until smooth. ",
    "Scatter over the toasted seeds and serve at once. ",
    "Cover and chill for at least an hour, or overnight. "};
const char* const kUnits[] = {"g", "cup", "tbsp", "tsp", "ml", "medium", "slices", "clove"};

// 10,000 recipes over the full data, made with SQL and a seeded generator so that
// every build has the same ones; totals summed from the linked foods.
void buildRecipeData(const fs::path& source, const fs::path& target)
{
    const fs::path work = target.parent_path() / ".data.building";
    fs::remove_all(work);
    fs::create_directories(work);
    fs::copy_file(source / kDatabaseFileName, work / kDatabaseFileName);
    {
        SqliteDatabase db((work / kDatabaseFileName).string(), SqliteDatabase::Mode::OpenExisting);
        db.execute("PRAGMA synchronous = OFF");
        db.execute("PRAGMA journal_mode = MEMORY");
        std::vector<std::pair<std::int64_t, std::string>> foods;
        {
            auto list = db.prepare(R"(SELECT NDB_No, "Desc" FROM "FOOD_DES.db" ORDER BY NDB_No)");
            while (list.step())
                foods.emplace_back(list.columnInt(0), list.columnText(1));
        }
        std::mt19937 random(20261209);
        const auto pick = [&](int count) { return int(random() % unsigned(count)); };
        SqliteTransaction transaction(db);
        auto recipe = db.prepare(R"(INSERT INTO "Recipe_Des.DB" (R_ID, "Recipe Name", Cuisine_ID, "Preperation Time",
            "Cooking Time", "Number of Serves", Procedures, Author, Source) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?))");
        auto type = db.prepare(R"(INSERT INTO "Recipe_DesAndTypes.DB" (RTYPE_ID, R_ID) VALUES (?, ?))");
        auto line = db.prepare(R"(INSERT INTO "Rescipe_ingredients.DB" ("Ingredient Name", R_ID, Quantity, Unit, NDB_No,
            NDB_ByGram, NDB_Quantity, WeightInGram) VALUES (?, ?, ?, ?, ?, 1, ?, ?))");
        auto kept = db.prepare(R"(INSERT INTO "Ingredient_Line.db" (R_ING_ID, Line) VALUES (?, ?))");
        for (int n = 0; n < kSyntheticRecipes; ++n) {
            const std::int64_t id = kFirstSyntheticRecipe + n;
            const auto& main = foods[std::size_t(pick(int(foods.size())))].second;
            const std::string name = main.substr(0, main.find(',')) + " " + kDishes[pick(16)] + " " + std::to_string(n);
            std::string procedure;
            const std::size_t length = 300 + std::size_t(pick(1200));
            while (procedure.size() < length)
                procedure += kSentences[pick(12)];
            recipe.bindInt(1, id);
            recipe.bindText(2, name);
            recipe.bindInt(3, 1 + pick(12));
            if (pick(10) == 0)
                recipe.bindNull(4); // some recipes say no time
            else
                recipe.bindInt(4, 5 * pick(7));
            recipe.bindInt(5, 5 * pick(25));
            recipe.bindInt(6, 1 + pick(8));
            recipe.bindText(7, procedure.substr(0, length));
            recipe.bindText(8, "Bench cook " + std::to_string(pick(50)));
            recipe.bindText(9, "Bench kitchen");
            recipe.step();
            recipe.reset();
            for (int t = 0, types = 1 + pick(3); t < types; ++t) {
                type.bindInt(1, 1 + (n + t * 5) % 12);
                type.bindInt(2, id);
                type.step();
                type.reset();
            }
            for (int i = 0, lines = 8 + pick(8); i < lines; ++i) {
                const auto& [food, description] = foods[std::size_t(pick(int(foods.size())))];
                const int grams = 5 + pick(400);
                const char* unit = kUnits[pick(8)];
                const std::string ingredient = description.substr(0, std::min<std::size_t>(description.size(), 60));
                line.bindText(1, ingredient);
                line.bindInt(2, id);
                line.bindInt(3, 1 + pick(4));
                line.bindText(4, unit);
                line.bindInt(5, food);
                line.bindInt(6, grams);
                line.bindInt(7, grams);
                line.step();
                line.reset();
                if (pick(2) == 0) {
                    kept.bindInt(1, db.lastInsertRowId());
                    kept.bindText(2, std::to_string(grams) + " g " + ingredient + ", chopped");
                    kept.step();
                    kept.reset();
                }
            }
        }
        db.execute(R"(INSERT INTO "Recipe_NUT_DATA.db" (R_ID, Nutr_No, Nutr_Val)
            SELECT i.R_ID, n.Nutr_No, SUM(n.Nutr_Val * i.WeightInGram / 100) FROM "Rescipe_ingredients.DB" i
            JOIN "NUT_DATA.db" n ON n.NDB_No = i.NDB_No WHERE i.R_ID >= )"
                   + std::to_string(kFirstSyntheticRecipe) + " GROUP BY i.R_ID, n.Nutr_No ORDER BY i.R_ID, n.Nutr_No");
        RecipeTextIndex::catchUp(db);
        transaction.commit();
        db.execute("PRAGMA journal_mode = DELETE");
        db.execute("ANALYZE");
    }
    fs::rename(work, target);
}

// Figures run on files of the current layout: an older folder is upgraded in place;
// a newer one, left by another build, is removed so that it is made again.
void keepCurrent(const fs::path& folder)
{
    if (!fs::exists(folder))
        return;
    bool newer = false;
    {
        SqliteDatabase db((folder / kDatabaseFileName).string(), SqliteDatabase::Mode::OpenExisting);
        newer = storedSchemaVersion(db) > currentSchemaVersion();
        if (!newer)
            applySchemaSteps(db);
    }
    if (newer)
        fs::remove_all(folder);
}

// Runs the benchmark with another data folder's directory as the working directory.
void inDirectory(const fs::path& directory, BenchmarkFunction function, benchmark::State& state)
{
    const fs::path previous = fs::current_path();
    fs::current_path(directory);
    function(state);
    fs::current_path(previous);
}

} // namespace

const fs::path& benchDirectory()
{
    static const fs::path directory = fs::absolute("bench-data");
    return directory;
}

const fs::path& tenfoldDirectory()
{
    static const fs::path directory = fs::absolute("bench-data-x10");
    return directory;
}

const fs::path& tenThousandRecipesDirectory()
{
    static const fs::path directory = fs::absolute("bench-data-10k-recipes");
    return directory;
}

void prepareBenchData()
{
    const fs::path data = benchDirectory() / "data";
    const fs::path tenfold = tenfoldDirectory() / "data";
    const fs::path recipes = tenThousandRecipesDirectory() / "data";
    keepCurrent(data);
    keepCurrent(tenfold);
    keepCurrent(recipes);
    if (!fs::exists(data)) {
        std::printf("Building the full reference data for the benchmarks...\n");
        fs::create_directories(benchDirectory());
        installDataFolder({SAPORIA_REFERENCE_DIR, data, std::nullopt});
    }
    if (!fs::exists(tenfold)) {
        std::printf("Building the tenfold data for the benchmarks...\n");
        const auto start = std::chrono::steady_clock::now();
        fs::create_directories(tenfoldDirectory());
        buildTenfoldData(data, tenfold);
        SqliteDatabase db((tenfold / kDatabaseFileName).string(), SqliteDatabase::Mode::OpenExisting);
        std::printf("  %lld foods in %.1f s\n", static_cast<long long>(valueOf(db, R"(SELECT count(*) FROM "FOOD_DES.db")")),
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    if (!fs::exists(recipes)) {
        std::printf("Building the 10,000 recipes for the benchmarks...\n");
        const auto start = std::chrono::steady_clock::now();
        fs::create_directories(tenThousandRecipesDirectory());
        buildRecipeData(data, recipes);
        std::printf("  in %.1f s\n", std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}

benchmark::internal::Benchmark* registerOnRecipeData(const std::string& name, Measure measure, BenchmarkFunction function)
{
    auto* registered = benchmark::RegisterBenchmark(
        (name + "_10k" + (measure == Measure::Baseline ? ".baseline" : "")).c_str(),
        [function](benchmark::State& state) { inDirectory(tenThousandRecipesDirectory(), function, state); });
    registered->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
    return registered;
}

std::array<benchmark::internal::Benchmark*, 2> registerOnBothDataSets(const std::string& name, Measure measure,
                                                                      BenchmarkFunction function)
{
    const std::string suffix = measure == Measure::Baseline ? ".baseline" : "";
    std::array<benchmark::internal::Benchmark*, 2> registered = {
        benchmark::RegisterBenchmark((name + suffix).c_str(), function),
        benchmark::RegisterBenchmark((name + "_x10" + suffix).c_str(),
                                     [function](benchmark::State& state) { inDirectory(tenfoldDirectory(), function, state); }),
    };
    for (auto* benchmark : registered)
        benchmark->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
    return registered;
}
