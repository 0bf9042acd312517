#include "tests/store/StoreTestSupport.h"
#include "store/Table.h"
#include "store/UndoPoint.h"

#include <optional>
#include <string>
#include <vector>

namespace {

class UndoPoints : public StoreTest {
protected:
    Table groups{db, "tblFoodGroups2", "FD_GROUP.db"};
    Table weights{db, "tblNutrientWeight", "WEIGHT.db", "NDB_Index"};

    void SetUp() override
    {
        for (Table* set : {&groups, &weights}) {
            set->setCachedUpdates(true);
            set->open();
        }
    }

    void addGroup(std::int64_t code, const std::string& name)
    {
        groups.append();
        groups.fieldByName("FdGrp_Cd").setAsInteger(code);
        groups.fieldByName("FdGrp_Desc").setAsString(name);
        groups.post();
    }

    void rename(std::int64_t code, const std::string& name)
    {
        ASSERT_TRUE(groups.locate("FdGrp_Cd", Value(code)));
        groups.edit();
        groups.fieldByName("FdGrp_Desc").setAsString(name);
        groups.post();
    }

    std::vector<std::string> names()
    {
        std::vector<std::string> shown;
        for (groups.first(); !groups.eof(); groups.next())
            shown.push_back(groups.fieldByName("FdGrp_Cd").asString() + " " + groups.fieldByName("FdGrp_Desc").asString());
        return shown;
    }
};

TEST_F(UndoPoints, RollingBackTakesBackOnlyWhatChangedSinceTheMark)
{
    addGroup(9100, "before the mark");
    rename(100, "renamed before the mark");
    ASSERT_TRUE(groups.locate("FdGrp_Cd", Value(std::int64_t{200})));
    groups.deleteRecord();
    const auto before = names();

    UndoPoint mark({&groups, &weights});
    addGroup(9200, "after the mark");
    rename(100, "renamed again");
    rename(9100, "pending row renamed");
    rename(300, "stored row renamed");
    ASSERT_TRUE(groups.locate("FdGrp_Cd", Value(std::int64_t{9100})));
    groups.deleteRecord();
    ASSERT_TRUE(groups.locate("FdGrp_Cd", Value(std::int64_t{400})));
    groups.deleteRecord();
    weights.first();
    weights.deleteRecord();
    groups.edit();
    groups.fieldByName("FdGrp_Desc").setAsString("left open");

    mark.rollBack();
    EXPECT_EQ(groups.state(), DataSetState::Browse);
    EXPECT_EQ(names(), before);
    EXPECT_FALSE(weights.updatesPending());

    // What was pending before the mark is still stored once, as it was.
    const auto stored = dir.stored().count(R"(SELECT count(*) FROM "FD_GROUP.db")");
    db.applyUpdates({&groups, &weights});
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "FD_GROUP.db")"), stored);
    EXPECT_EQ(dir.stored().rows(R"(SELECT FdGrp_Desc FROM "FD_GROUP.db" WHERE FdGrp_Cd IN (100, 9100) ORDER BY 1)"),
              (std::vector<std::string>{"before the mark", "renamed before the mark"}));
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "FD_GROUP.db" WHERE FdGrp_Cd IN (200, 9200))"), 0);
}

TEST_F(UndoPoints, TheSetStandsOnASensibleRowAfterwards)
{
    ASSERT_TRUE(groups.locate("FdGrp_Cd", Value(std::int64_t{500})));
    std::optional<UndoPoint> mark;
    mark.emplace(std::vector<RecordSet*>{&groups});
    addGroup(9300, "current when rolled back");
    mark->rollBack();
    EXPECT_GE(groups.recNo(), 1);
    EXPECT_LE(groups.recNo(), groups.recordCount());
    EXPECT_FALSE(groups.updatesPending());

    // A kept row stays current; rolling back again takes back what came since.
    ASSERT_TRUE(groups.locate("FdGrp_Cd", Value(std::int64_t{500})));
    rename(600, "second round");
    ASSERT_TRUE(groups.locate("FdGrp_Cd", Value(std::int64_t{500})));
    mark->rollBack();
    EXPECT_EQ(groups.fieldByName("FdGrp_Cd").asInteger(), 500);
    EXPECT_FALSE(groups.updatesPending());
    mark.reset();

    // After an apply there is nothing left to take back but what came since.
    UndoPoint second({&groups});
    addGroup(9400, "applied");
    db.applyUpdates({&groups});
    addGroup(9500, "not applied");
    second.rollBack();
    EXPECT_FALSE(groups.updatesPending());
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "FD_GROUP.db" WHERE FdGrp_Cd = 9400)"), 1);
    EXPECT_FALSE(groups.locate("FdGrp_Cd", Value(std::int64_t{9500})));
}

} // namespace
