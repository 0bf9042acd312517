#include "tools/DataFolderInstaller.h"
#include "store/ProgramError.h"
#include "store/Schema.h"
#include "store/SchemaUpgrade.h"
#include "store/Sqlite.h"
#include "support/TestDataFolder.h"
#include "tools/StarterContent.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <csignal>
#include <fstream>
#include <iterator>
#include <map>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool leftoverWorkFolders(const fs::path& folder)
{
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().find(".partial-") != std::string::npos)
            return true;
    return false;
}

TEST(Installation, CreatedSchemaEqualsTheTableDefinitionsAtTheCurrentVersion)
{
    TestWorkingDirectory dir;
    SqliteDatabase db(dir.databaseFile().string(), SqliteDatabase::Mode::OpenExisting);
    EXPECT_EQ(storedSchemaVersion(db), currentSchemaVersion());
    std::vector<TableDefinition> tables = allTableDefinitions();
    tables.insert(tables.end(), ownTableDefinitions().begin(), ownTableDefinitions().end());
    for (const auto& table : tables) {
        SCOPED_TRACE(table.name);
        auto columns = db.prepare("SELECT name, type, pk FROM pragma_table_info(?) ORDER BY cid");
        columns.bindText(1, table.name);
        for (const auto& field : table.fields) {
            ASSERT_TRUE(columns.step()) << "missing " << field.name;
            EXPECT_EQ(columns.columnText(0), field.name);
            EXPECT_EQ(columns.columnText(1), sqliteColumnType(field.type));
            EXPECT_EQ(columns.columnInt(2) == 1, field.name == table.keyField) << field.name;
        }
        EXPECT_FALSE(columns.step()) << "more columns than defined";

        std::map<std::string, std::vector<std::string>> stored;
        auto indexes = db.prepare("SELECT il.name, ii.name FROM pragma_index_list(?1) il, pragma_index_info(il.name) ii "
                                  "WHERE il.origin = 'c' ORDER BY il.name, ii.seqno");
        indexes.bindText(1, table.name);
        while (indexes.step())
            stored[indexes.columnText(0)].push_back(indexes.columnText(1));
        std::map<std::string, std::vector<std::string>> defined;
        for (const auto& index : table.indexes)
            defined[table.storageIndexName(index)] = index.fields;
        for (const auto& index : table.storageIndexes)
            defined[table.storageIndexName(index)] = index.fields;
        // The recipe searches' own indexes over two recipe tables.
        if (table.name == "Recipe_NUT_DATA.db")
            defined["Recipe_NUT_DATA_Nutrient"] = {"Nutr_No", "R_ID", "Nutr_Val"};
        if (table.name == "Rescipe_ingredients.DB")
            defined["Rescipe_ingredients_Food"] = {"NDB_No", "R_ID"};
        if (table.name == "Recipe_Des.DB")
            defined["Recipe_Des_List"] = {"R_ID",         "Recipe Name", "Cuisine_ID", "Preperation Time", "Cooking Time",
                                          "Number of Serves", "Author",  "Source",     "Web Page Name"};
        if (table.name == "Recipe_Des.DB")
            defined["Recipe_Des_Cuisine_List"] = {"Cuisine_ID",       "R_ID",   "Recipe Name", "Preperation Time",
                                                  "Cooking Time",     "Number of Serves", "Author", "Source",
                                                  "Web Page Name"};
        EXPECT_EQ(stored, defined);
    }
}

TEST(Installation, AutoincrementKeysRiseInFileOrder)
{
    TestWorkingDirectory dir;
    SqliteDatabase db(dir.databaseFile().string(), SqliteDatabase::Mode::OpenExisting);
    auto first = db.prepare(R"(SELECT Weight_ID, NDB_No, Seq, Msre_Desc FROM "WEIGHT.db" ORDER BY Weight_ID LIMIT 2)");
    ASSERT_TRUE(first.step());
    EXPECT_EQ(first.columnInt(0), 1);
    EXPECT_EQ(first.columnInt(1), 1001);
    EXPECT_EQ(first.columnText(3), "pat (1\" sq, 1/3\" high)");
    ASSERT_TRUE(first.step());
    EXPECT_EQ(first.columnInt(0), 2);
    EXPECT_EQ(first.columnText(3), "tbsp");
}

TEST(Installation, StarterRecipeTotalsEqualAnIndependentSum)
{
    TestWorkingDirectory dir;
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "Recipe_Des.DB")"), 3);
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "Rescipe_ingredients.DB" WHERE NDB_No IS NULL)"), 0);
    SqliteDatabase db(dir.databaseFile().string(), SqliteDatabase::Mode::OpenExisting);

    auto expected = db.prepare(R"(
        SELECT i.R_ID, n.Nutr_No, SUM(n.Nutr_Val * i.WeightInGram / 100.0)
        FROM "Rescipe_ingredients.DB" i JOIN "NUT_DATA.db" n ON n.NDB_No = i.NDB_No
        GROUP BY i.R_ID, n.Nutr_No ORDER BY i.R_ID, n.Nutr_No)");
    auto stored = db.prepare(
        R"(SELECT R_ID, Nutr_No, Nutr_Val FROM "Recipe_NUT_DATA.db" ORDER BY R_ID, Nutr_No)");
    int rows = 0;
    while (expected.step()) {
        ASSERT_TRUE(stored.step());
        EXPECT_EQ(stored.columnInt(0), expected.columnInt(0));
        EXPECT_EQ(stored.columnInt(1), expected.columnInt(1));
        const double want = expected.columnDouble(2);
        EXPECT_NEAR(stored.columnDouble(2), want, 1e-9 * std::max(1.0, std::fabs(want)));
        ++rows;
    }
    EXPECT_FALSE(stored.step());
    EXPECT_GT(rows, 100);

    // Ingredients by measure carry the measure's id and its grams.
    auto byMeasure = db.prepare(R"(
        SELECT i.WeightInGram, w.Gm_Wgt / w.Amount * i.NDB_Quantity FROM "Rescipe_ingredients.DB" i
        JOIN "WEIGHT.db" w ON w.Weight_ID = i.NDB_Weight_ID WHERE i.NDB_ByGram = 0)");
    int measured = 0;
    while (byMeasure.step()) {
        EXPECT_DOUBLE_EQ(byMeasure.columnDouble(0), byMeasure.columnDouble(1));
        ++measured;
    }
    EXPECT_GT(measured, 5);
}

// Enough foods for a complete installation, so a refusal is the only thing that can stop it.
InstallOptions smallInstallation()
{
    std::set<std::int32_t> foods{1001};
    for (std::int32_t food : starterFoods())
        foods.insert(food);
    return {referenceFolder(), "data", foods};
}

std::string contentsOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A run that fails at its first reference file, after its start-up cleanup.
void runFailingInstallation()
{
    EXPECT_THROW(installDataFolder({"no-reference", "data", std::nullopt}), ProgramError);
}

void expectRefusal(const InstallOptions& options)
{
    try {
        installDataFolder(options);
        ADD_FAILURE() << "installed over existing data";
    } catch (const ProgramError& e) {
        EXPECT_STREQ(e.what(), "The folder data already holds data; nothing was changed");
    }
}

TEST(Installation, RefusesAFolderThatHoldsDataAndLeavesItUntouched)
{
    TestWorkingDirectory dir(TestWorkingDirectory::Data::None);
    fs::create_directory("data");
    std::ofstream("data/keep.txt") << "user data";
    expectRefusal(smallInstallation());
    EXPECT_EQ(contentsOf("data/keep.txt"), "user data");
    EXPECT_EQ(std::distance(fs::directory_iterator("data"), fs::directory_iterator()), 1);
    EXPECT_FALSE(leftoverWorkFolders("."));
}

TEST(Installation, RefusesAPlainFileWhereTheDataFolderGoesAndKeepsIt)
{
    TestWorkingDirectory dir(TestWorkingDirectory::Data::None);
    std::ofstream("data") << "a file the user keeps";
    expectRefusal(smallInstallation());
    ASSERT_TRUE(fs::is_regular_file("data"));
    EXPECT_EQ(contentsOf("data"), "a file the user keeps");
    EXPECT_FALSE(leftoverWorkFolders("."));
}

TEST(Installation, TheNextRunRemovesTheWorkFoldersOfKilledRunsAndNothingElse)
{
    TestWorkingDirectory dir(TestWorkingDirectory::Data::None);
    const std::vector<std::string> killed = {".data.partial-Ab12Cd", ".data.partial-zzzzzz"};
    const std::vector<std::string> others = {".data.partial-Ab12C", ".data.partial-Ab12Cde", ".data.partial-Ab_2Cd",
                                             ".other.partial-Ab12Cd", "data.partial-Ab12Cd", ".data.partial-"};
    for (const auto& name : killed) {
        fs::create_directories(fs::path(name) / "half");
        std::ofstream(fs::path(name) / "saporia.sqlite") << "half built";
    }
    for (const auto& name : others)
        fs::create_directory(name);
    std::ofstream(".data.partial-File00") << "not a work folder";
    fs::create_directory("elsewhere");
    fs::create_directory_symlink("elsewhere", ".data.partial-Link00");

    // An installation still building beside it keeps its folder.
    fs::create_directory(".data.partial-Busy00");
    const int busy = ::open(".data.partial-Busy00", O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(busy, LOCK_EX | LOCK_NB), 0);

    runFailingInstallation();
    ::close(busy);

    for (const auto& name : killed)
        EXPECT_FALSE(fs::exists(name)) << name;
    for (const auto& name : others)
        EXPECT_TRUE(fs::is_directory(name)) << name;
    EXPECT_TRUE(fs::is_regular_file(".data.partial-File00"));
    EXPECT_TRUE(fs::is_symlink(".data.partial-Link00"));
    EXPECT_TRUE(fs::is_directory(".data.partial-Busy00"));
}

TEST(Installation, ATargetWrittenWithATrailingSlashIsTheSameFolder)
{
    TestWorkingDirectory dir(TestWorkingDirectory::Data::None);
    fs::create_directory(".data.partial-Ab12Cd");
    EXPECT_THROW(installDataFolder({"no-reference", "data/", std::nullopt}), ProgramError);
    EXPECT_FALSE(leftoverWorkFolders("."));
    EXPECT_FALSE(fs::exists("data"));

    fs::create_directory("data");
    std::ofstream("data/keep.txt") << "user data";
    InstallOptions options = smallInstallation();
    options.target = "data/";
    expectRefusal(options);
}

TEST(Installation, AKilledInstallationLeavesOnlyWhatTheNextRunRemoves)
{
    TestWorkingDirectory dir(TestWorkingDirectory::Data::None);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        installDataFolder({referenceFolder(), "data", std::nullopt});
        ::_exit(0);
    }
    // Killed while it builds: as soon as its work folder holds the data file.
    bool building = false;
    for (int wait = 0; wait < 10000 && !building; ++wait) {
        for (const auto& entry : fs::directory_iterator("."))
            building = building || fs::exists(entry.path() / "saporia.sqlite");
        if (!building)
            ::usleep(1000);
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(building);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_FALSE(fs::exists("data"));
    EXPECT_TRUE(leftoverWorkFolders("."));

    runFailingInstallation();
    EXPECT_FALSE(leftoverWorkFolders("."));
}

TEST(Installation, AFailedInstallationLeavesNoFolderBehind)
{
    TestWorkingDirectory dir(TestWorkingDirectory::Data::None);
    fs::create_directory("reference");
    for (const char* name : {"FOOD_DES.txt.gz", "NUTR_DEF.txt.gz", "NUT_DATA.txt.gz", "WEIGHT.txt.gz"})
        fs::copy_file(referenceFolder() / name, fs::path("reference") / name);
    gzFile groups = gzopen("reference/FD_GROUP.txt.gz", "wb");
    const std::string broken = "~0100~^~Dairy and Egg Products~\r\n~0200~^~Spices\r\n";
    gzwrite(groups, broken.data(), static_cast<unsigned>(broken.size()));
    gzclose(groups);

    try {
        installDataFolder({"reference", "data", std::set<std::int32_t>{1001}});
        FAIL() << "no error";
    } catch (const ProgramError& e) {
        EXPECT_STREQ(e.what(), "FD_GROUP.txt line 2: unterminated text in field 2");
    }
    EXPECT_FALSE(fs::exists("data"));
    EXPECT_FALSE(leftoverWorkFolders("."));
}

TEST(Installation, MissingStarterFoodsFailTheInstallation)
{
    TestWorkingDirectory dir(TestWorkingDirectory::Data::None);
    EXPECT_THROW(installDataFolder({referenceFolder(), "data", std::set<std::int32_t>{1001}}), ProgramError);
    EXPECT_FALSE(fs::exists("data"));
}

// The one test over the whole reference data.
TEST(Installation, FullReferenceDataImportsEveryRowDecodedAndChecked)
{
    TestWorkingDirectory dir(TestWorkingDirectory::Data::None);
    const InstallReport report = installDataFolder({referenceFolder(), "data", std::nullopt});
    std::map<std::string, std::int64_t> counts(report.rowCounts.begin(), report.rowCounts.end());
    EXPECT_EQ(counts["FD_GROUP.db"], 25);
    EXPECT_EQ(counts["FOOD_DES.db"], 8789);
    EXPECT_EQ(counts["NUTR_DEF.db"], 150);
    EXPECT_EQ(counts["NUT_DATA.db"], 679045);
    EXPECT_EQ(counts["WEIGHT.db"], 15438);
    EXPECT_EQ(counts["Nutr_Preference.db"], 12);
    EXPECT_EQ(counts["FoodSimpleSearch.db"], 0);
    EXPECT_EQ(counts["FoodSQL.DB"], 0);
    EXPECT_EQ(report.textsCut, 0);

    const StoredData db("data/saporia.sqlite");
    EXPECT_EQ(db.count( R"(SELECT count(*) FROM "NUTR_DEF.db" WHERE Units = 'µg')"), 21);
    EXPECT_EQ(db.count(R"(SELECT count(*) FROM "FD_GROUP.db" WHERE FdGrp_Cd = 3500
                          AND FdGrp_Desc = 'Am. Indian/Alaska Native Foods')"), 1);
    EXPECT_EQ(db.count(R"(SELECT count(*) FROM "WEIGHT.db" WHERE Msre_Desc LIKE '%Entrée%')"), 1);
    EXPECT_EQ(db.count(R"(SELECT max(length(FdGrp_Desc)) FROM "FD_GROUP.db")") <= 33, true);
    EXPECT_EQ(db.count(R"(SELECT CAST(round(Nutr_Val * 100) AS INTEGER) FROM "NUT_DATA.db" WHERE NDB_No = 1001 AND Nutr_No = 204)"), 8111);

    EXPECT_THROW(installDataFolder({referenceFolder(), "data", std::nullopt}), ProgramError);
}

} // namespace
