#include "bench/BenchSupport.h"

#include "store/ProgramError.h"
#include "store/Schema.h"
#include "store/SchemaUpgrade.h"
#include "store/Sqlite.h"
#include "store/TableDefinitions.h"
#include "tools/DataFolderInstaller.h"

#include <chrono>
#include <cstdio>
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

// Runs the benchmark with the tenfold data as the working directory.
void onTenfoldData(BenchmarkFunction function, benchmark::State& state)
{
    const fs::path previous = fs::current_path();
    fs::current_path(tenfoldDirectory());
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

void prepareBenchData()
{
    const fs::path data = benchDirectory() / "data";
    const fs::path tenfold = tenfoldDirectory() / "data";
    keepCurrent(data);
    keepCurrent(tenfold);
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
}

std::array<benchmark::internal::Benchmark*, 2> registerOnBothDataSets(const std::string& name, Measure measure,
                                                                      BenchmarkFunction function)
{
    const std::string suffix = measure == Measure::Baseline ? ".baseline" : "";
    std::array<benchmark::internal::Benchmark*, 2> registered = {
        benchmark::RegisterBenchmark((name + suffix).c_str(), function),
        benchmark::RegisterBenchmark((name + "_x10" + suffix).c_str(),
                                     [function](benchmark::State& state) { onTenfoldData(function, state); }),
    };
    for (auto* benchmark : registered)
        benchmark->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
    return registered;
}
