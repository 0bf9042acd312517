#include "store/Database.h"
#include "store/ProgramError.h"
#include "store/Schema.h"
#include "store/SchemaUpgrade.h"
#include "store/Sqlite.h"
#include "store/TableDefinitions.h"
#include "support/TestDataFolder.h"
#include "tests/store/StoreTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

namespace fs = std::filesystem;

namespace {

std::string contentsOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Every table of the file with its rows, counted past the engine.
std::map<std::string, std::int64_t> rowsOf(const StoredData& stored)
{
    std::map<std::string, std::int64_t> rows;
    for (const auto& table : allTableDefinitions())
        rows[table.name] = stored.count("SELECT count(*) FROM " + quoteIdentifier(table.name));
    return rows;
}

std::int64_t versionOf(const StoredData& stored)
{
    return stored.count("PRAGMA user_version");
}

bool hasTable(const StoredData& stored, const std::string& table)
{
    return stored.count("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = '" + table + "'") == 1;
}

fs::path copyBeforeVersion(const TestWorkingDirectory& dir, int version)
{
    return dir.databaseFile().string() + ".before-v" + std::to_string(version);
}

// The fixture as a Saporia made before the layout carried a version wrote it.
class OlderDataFolder : public ::testing::Test {
protected:
    OlderDataFolder()
    {
        dir.stored().revertLayoutTo(0);
    }

    TestWorkingDirectory dir;
};

TEST_F(OlderDataFolder, IsUpgradedKeepingEveryRowAndACopyOfTheFileAsItWas)
{
    const auto rowsBefore = rowsOf(dir.stored());

    const std::string notice = prepareDataFolder("data");
    EXPECT_TRUE(contains(notice, "upgraded")) << notice;
    EXPECT_TRUE(contains(notice, copyBeforeVersion(dir, 0).filename().string())) << notice;

    EXPECT_EQ(versionOf(dir.stored()), currentSchemaVersion());
    EXPECT_EQ(rowsOf(dir.stored()), rowsBefore);
    Database db("sv RecipeDatabase", "data");
    EXPECT_FALSE(db.readOnly());
    EXPECT_EQ(db.schemaVersion(), currentSchemaVersion());
    EXPECT_NO_THROW(checkStoredTable(db.sqlite(), tableDefinition(kIngredientLineTable)));

    const StoredData copy(copyBeforeVersion(dir, 0));
    EXPECT_EQ(versionOf(copy), 0);
    EXPECT_EQ(rowsOf(copy), rowsBefore);
    EXPECT_FALSE(hasTable(copy, kIngredientLineTable));
}

TEST_F(OlderDataFolder, ASecondStartFindsNothingToDo)
{
    prepareDataFolder("data");
    const std::string upgraded = contentsOf(dir.databaseFile());
    EXPECT_EQ(prepareDataFolder("data"), "");
    EXPECT_EQ(contentsOf(dir.databaseFile()), upgraded);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.dataFolder()), fs::directory_iterator()), 2);
}

TEST_F(OlderDataFolder, AStepThatFailsHalfWayLeavesTheFileAsItWas)
{
    const std::string before = contentsOf(dir.databaseFile());
    const std::vector<SchemaStep> failing = {
        {1, [](SqliteDatabase& db) {
             db.execute(R"(CREATE TABLE "Half.db" (ID INTEGER))");
             db.execute(R"(INSERT INTO "Half.db" VALUES (1))");
             throw ProgramError("disk I/O error");
         }},
    };
    const std::string error = errorOf([&] { prepareDataFolder("data", failing); });
    EXPECT_TRUE(contains(error, "could not upgrade")) << error;
    EXPECT_TRUE(contains(error, "disk I/O error")) << error;
    EXPECT_TRUE(contains(error, copyBeforeVersion(dir, 0).filename().string())) << error;
    EXPECT_EQ(contentsOf(dir.databaseFile()), before);

    // The next start tries again from the same file and keeps the first copy.
    EXPECT_TRUE(contains(prepareDataFolder("data"), "upgraded"));
    EXPECT_EQ(versionOf(dir.stored()), currentSchemaVersion());
    EXPECT_EQ(versionOf(StoredData(copyBeforeVersion(dir, 0))), 0);
}

TEST_F(OlderDataFolder, StepsAlreadyDoneAreNotRunAgain)
{
    int runs = 0;
    const std::vector<SchemaStep> steps = {{1, [&](SqliteDatabase&) { ++runs; }},
                                           {2, [&](SqliteDatabase&) { ++runs; }}};
    SqliteDatabase db(dir.databaseFile().string(), SqliteDatabase::Mode::OpenExisting);
    db.execute("PRAGMA user_version = 1");
    applySchemaSteps(db, steps);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(storedSchemaVersion(db), 2);
}

TEST_F(OlderDataFolder, ThatCannotBeWrittenOpensAsItIsAndReadOnly)
{
    const std::string before = contentsOf(dir.databaseFile());
    const ReadOnlyDataFolders readOnly;
    const std::string notice = prepareDataFolder("data");
    EXPECT_TRUE(contains(notice, "read-only")) << notice;
    EXPECT_TRUE(contains(notice, "changes cannot be stored")) << notice;
    EXPECT_TRUE(contains(notice, fs::absolute(dir.dataFolder()).string())) << notice;

    Database db("sv FoodDatabase", "data");
    EXPECT_TRUE(db.readOnly());
    EXPECT_EQ(db.schemaVersion(), 0);
    EXPECT_EQ(contentsOf(dir.databaseFile()), before);
    EXPECT_FALSE(fs::exists(copyBeforeVersion(dir, 0)));
}

TEST(NewerDataFolder, IsRefusedAndNeverWritten)
{
    TestWorkingDirectory dir;
    dir.stored().execute("PRAGMA user_version = " + std::to_string(currentSchemaVersion() + 1));
    const std::string before = contentsOf(dir.databaseFile());
    const std::string error = errorOf([] { prepareDataFolder("data"); });
    EXPECT_TRUE(contains(error, "made by a newer Saporia")) << error;
    EXPECT_TRUE(contains(errorOf([] { Database db("sv FoodDatabase", "data"); }), "made by a newer Saporia"));
    EXPECT_EQ(contentsOf(dir.databaseFile()), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.dataFolder()), fs::directory_iterator()), 1);
}

TEST(CurrentDataFolder, OpensWithoutAWord)
{
    TestWorkingDirectory dir;
    const std::string before = contentsOf(dir.databaseFile());
    EXPECT_EQ(prepareDataFolder("data"), "");
    EXPECT_EQ(contentsOf(dir.databaseFile()), before);
}

} // namespace
