#include "store/ProgramError.h"
#include "store/Sqlite.h"
#include "tests/store/StoreTestSupport.h"
#include "store/Table.h"

#include <chrono>
#include <fstream>
#include <future>
#include <string>
#include <thread>

namespace {

const std::string kKept = "The change was not stored.";

class DataFileTrouble : public StoreTest {
protected:
    void addGroup(Table& groups, std::int64_t code)
    {
        groups.append();
        groups.fieldByName("FdGrp_Cd").setAsInteger(code);
        groups.fieldByName("FdGrp_Desc").setAsString("kept while the file is in trouble");
        groups.post();
    }

    std::int64_t storedGroup(std::int64_t code)
    {
        return dir.stored().count(R"(SELECT count(*) FROM "FD_GROUP.db" WHERE FdGrp_Cd = )" + std::to_string(code));
    }
};

TEST_F(DataFileTrouble, AReadOnlyFileRefusesTheChangeAndTheUserKeepsIt)
{
    Database readOnly("sv FoodDatabase", "data", Database::Access::ReadOnly);
    Table groups(readOnly, "tblFoodGroups2", "FD_GROUP.db");
    groups.setCachedUpdates(true);
    groups.open();
    addGroup(groups, 9600);
    EXPECT_EQ(errorOf([&] { groups.applyUpdates(); }),
              "The data file data/saporia.sqlite is read-only: the change was not stored.");
    EXPECT_TRUE(groups.updatesPending());
    EXPECT_TRUE(groups.locate("FdGrp_Cd", Value(std::int64_t{9600})));
    EXPECT_EQ(storedGroup(9600), 0);

    // A set writing straight through stays in its edit, the row as typed.
    Table direct(readOnly, "tblFoodGroups", "FD_GROUP.db");
    direct.open();
    direct.edit();
    direct.fieldByName("FdGrp_Desc").setAsString("typed");
    EXPECT_EQ(errorOf([&] { direct.post(); }), "The data file data/saporia.sqlite is read-only: the change was not stored.");
    EXPECT_EQ(direct.state(), DataSetState::Edit);
    EXPECT_EQ(direct.fieldByName("FdGrp_Desc").asString(), "typed");
}

TEST_F(DataFileTrouble, AFileBusyForAMomentIsWaitedFor)
{
    Table groups(db, "tblFoodGroups2", "FD_GROUP.db");
    groups.setCachedUpdates(true);
    groups.open();
    addGroup(groups, 9700);

    std::promise<void> locked;
    std::thread other([&] {
        SqliteDatabase connection(dir.databaseFile().string(), SqliteDatabase::Mode::OpenExisting);
        connection.execute("BEGIN IMMEDIATE");
        connection.execute(R"(INSERT INTO "FD_GROUP.db" (FdGrp_Cd, FdGrp_Desc) VALUES (9701, 'other program'))");
        locked.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        connection.execute("COMMIT");
    });
    locked.get_future().wait();
    EXPECT_NO_THROW(groups.applyUpdates());
    other.join();
    EXPECT_EQ(storedGroup(9700), 1);
    EXPECT_EQ(storedGroup(9701), 1);
}

TEST_F(DataFileTrouble, AFileHeldByAnotherProgramIsToldAndARetryStoresTheKeptChangeOnce)
{
    Table groups(db, "tblFoodGroups2", "FD_GROUP.db");
    groups.setCachedUpdates(true);
    groups.open();
    addGroup(groups, 9800);
    {
        HeldDataFile other(dir.databaseFile());
        EXPECT_EQ(errorOf([&] { groups.applyUpdates(); }),
                  "The data file data/saporia.sqlite is in use by another program.\n" + kKept);
    }
    EXPECT_TRUE(groups.updatesPending());
    groups.applyUpdates();
    EXPECT_FALSE(groups.updatesPending());
    EXPECT_EQ(storedGroup(9800), 1);
}

TEST_F(DataFileTrouble, WriteErrorsNameTheirTableAndSayTheChangeIsKept)
{
    Table groups(db, "tblFoodGroups2", "FD_GROUP.db");
    groups.setCachedUpdates(true);
    groups.open();
    addGroup(groups, 9900);
    db.failNextWriteTo("FD_GROUP.db", "disk I/O error");
    EXPECT_EQ(errorOf([&] { groups.applyUpdates(); }), "disk I/O error (table FD_GROUP.db)\n" + kKept);
    EXPECT_TRUE(groups.updatesPending());
}

TEST(DataFileMissing, AForeignFileOrAMissingFolderIsToldInTheUsersTerms)
{
    {
        TestWorkingDirectory dir(TestWorkingDirectory::Data::None);
        const std::string folder = std::filesystem::absolute("data").string();
        EXPECT_EQ(errorOf([] { Database db("sv FoodDatabase", "data"); }),
                  "The data folder " + folder + " does not exist. Started from the application menu, Saporia creates "
                  "its data folder on the first start; to create this one, run: saporia-makedb " + folder);
        std::filesystem::create_directory("data");
        std::ofstream("data/saporia.sqlite") << std::string(4096, 'x');
        EXPECT_EQ(errorOf([] { Database db("sv FoodDatabase", "data"); }),
                  "The data file data/saporia.sqlite is not a Saporia data file.");
    }
}

} // namespace

TEST_F(DataFileTrouble, AReadSnapshotHoldsOnlyWhileItLivesAndNeverEndsATransactionItDidNotBegin)
{
    Database db("sv FoodDatabase", "data");
    SqliteDatabase& sqlite = db.sqlite();
    {
        const SqliteReadSnapshot snapshot(sqlite);
        EXPECT_TRUE(sqlite.inTransaction());
    }
    EXPECT_FALSE(sqlite.inTransaction());
    dir.stored().execute(R"(INSERT INTO "FD_GROUP.db" (FdGrp_Cd, FdGrp_Desc) VALUES (9700, 'written after the snapshot'))");
    EXPECT_EQ(storedGroup(9700), 1);

    SqliteTransaction outer(sqlite);
    { const SqliteReadSnapshot inside(sqlite); }
    EXPECT_TRUE(sqlite.inTransaction());
    outer.commit();
}
