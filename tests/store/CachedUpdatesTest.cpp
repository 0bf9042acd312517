#include "store/ProgramError.h"
#include "tests/store/StoreTestSupport.h"
#include "store/Table.h"
#include "store/Value.h"

#include <sqlite3.h>

namespace {

class CachedUpdates : public StoreTest {
protected:
    Table weights{db, "tblNutrientWeight", "WEIGHT.db", "NDB_Index"};
    Table history{db, "tblFoodSimpleSearch", "FoodSimpleSearch.db"};
    Table groups{db, "tblFoodGroups2", "FD_GROUP.db"};

    void SetUp() override
    {
        for (Table* set : {&weights, &history, &groups}) {
            set->setCachedUpdates(true);
            set->open();
        }
    }

    void addWeight(const std::string& description)
    {
        weights.append();
        weights.fieldByName("NDB_No").setAsInteger(1001);
        weights.fieldByName("Amount").setAsFloat(1);
        weights.fieldByName("Msre_Desc").setAsString(description);
        weights.fieldByName("Gm_Wgt").setAsFloat(10);
        weights.post();
    }

    std::int64_t storedWeights() { return dir.stored().count(R"(SELECT count(*) FROM "WEIGHT.db")"); }
};

TEST_F(CachedUpdates, PendingChangesStayOutOfStorageUntilApplied)
{
    const auto before = storedWeights();
    addWeight("new measure");
    weights.first();
    weights.edit();
    weights.fieldByName("Msre_Desc").setAsString("pat, edited");
    weights.post();
    weights.next();
    weights.deleteRecord();
    EXPECT_TRUE(weights.updatesPending());
    EXPECT_EQ(storedWeights(), before);

    weights.applyUpdates();
    weights.commitUpdates();
    EXPECT_FALSE(weights.updatesPending());
    EXPECT_EQ(storedWeights(), before);
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "WEIGHT.db" WHERE Msre_Desc IN ('new measure', 'pat, edited'))"), 2);
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "WEIGHT.db" WHERE Msre_Desc = 'tbsp' AND NDB_No = 1001)"), 0);
}

TEST_F(CachedUpdates, ApplyAssignsAutoincrementValuesInOrder)
{
    const auto highest = dir.stored().count(R"(SELECT max(Weight_ID) FROM "WEIGHT.db")");
    addWeight("first");
    addWeight("second");
    EXPECT_TRUE(weights.fieldByName("Weight_ID").isNull());
    weights.applyUpdates();
    ASSERT_TRUE(weights.locate("Msre_Desc", Value(std::string("first"))));
    EXPECT_EQ(weights.fieldByName("Weight_ID").asInteger(), highest + 1);
    ASSERT_TRUE(weights.locate("Msre_Desc", Value(std::string("second"))));
    EXPECT_EQ(weights.fieldByName("Weight_ID").asInteger(), highest + 2);
}

TEST_F(CachedUpdates, CancelDropsEverythingAndShowsTheStoredRowsAgain)
{
    const int rows = weights.recordCount();
    const std::string firstDescription = weights.fieldByName("Msre_Desc").asString();
    addWeight("gone");
    weights.first();
    weights.edit();
    weights.fieldByName("Msre_Desc").setAsString("also gone");
    weights.post();
    weights.cancelUpdates();
    EXPECT_FALSE(weights.updatesPending());
    EXPECT_EQ(weights.recordCount(), rows);
    weights.first();
    EXPECT_EQ(weights.fieldByName("Msre_Desc").asString(), firstDescription);
}

TEST_F(CachedUpdates, ApplyPostsAnOpenEditFirst)
{
    history.append();
    history.fieldByName("Keyword").setAsString("butter");

    db.applyUpdates({&history});
    EXPECT_EQ(history.state(), DataSetState::Browse);
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "FoodSimpleSearch.db" WHERE Keyword = 'butter')"), 1);
}

TEST_F(CachedUpdates, AnApplyThatFailsHalfWayStoresNothingAndKeepsEveryCache)
{
    addWeight("kept pending");
    history.append();
    history.fieldByName("Keyword").setAsString("kept pending too");
    history.post();
    groups.append();
    groups.fieldByName("FdGrp_Cd").setAsInteger(9700);
    groups.fieldByName("FdGrp_Desc").setAsString("third set");
    groups.post();
    db.failNextWriteTo("FD_GROUP.db", "disk full");

    const auto before = storedWeights();
    EXPECT_THROW(db.applyUpdates({&weights, &history, &groups}), ProgramError);
    EXPECT_EQ(storedWeights(), before);
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "FoodSimpleSearch.db")"), 0);
    EXPECT_TRUE(weights.updatesPending());
    EXPECT_TRUE(history.updatesPending());
    EXPECT_TRUE(groups.updatesPending());
    EXPECT_TRUE(weights.fieldByName("Weight_ID").isNull());

    // The same changes apply once the cause is gone.
    db.applyUpdates({&weights, &history, &groups});
    EXPECT_EQ(storedWeights(), before + 1);
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "FD_GROUP.db" WHERE FdGrp_Cd = 9700)"), 1);
}

TEST_F(CachedUpdates, AKeyViolationOnApplyKeepsTheCache)
{
    groups.append();
    groups.fieldByName("FdGrp_Cd").setAsInteger(100);
    groups.post();
    try {
        groups.applyUpdates();
        FAIL() << "no error";
    } catch (const ProgramError& e) {
        EXPECT_EQ(e.code(), SQLITE_CONSTRAINT_PRIMARYKEY);
        const std::string text = e.what();
        EXPECT_EQ(text.substr(0, text.find('\n')), "Key violation in table FD_GROUP.db");
    }
    EXPECT_TRUE(groups.updatesPending());
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "FD_GROUP.db")"), 25);
}

TEST_F(CachedUpdates, DeletingAPendingInsertLeavesNothingToApply)
{
    addWeight("never stored");
    weights.deleteRecord();
    EXPECT_FALSE(weights.updatesPending());
}

TEST_F(CachedUpdates, ADetailAppliedWithItsMasterShowsEachRowOnce)
{
    // The master lets go of its changes first and tells its detail, which re-reads
    // while its own new row is already stored: it must not show that row twice.
    DataSource dscGroups{"dscFoodGroups2", &groups};
    Table foods{db, "tblFoodDesc2", "FOOD_DES.db", "FdGrp_Index"};
    foods.setMaster(dscGroups, "FdGrp_Cd");
    foods.setCachedUpdates(true);
    foods.open();
    const int shown = foods.recordCount();
    foods.append();
    foods.fieldByName("NDB_No").setAsInteger(99001);
    foods.fieldByName("Desc").setAsString("new food");
    foods.post();
    groups.edit();
    groups.fieldByName("FdGrp_Desc").setAsString("renamed group");
    groups.post();

    db.applyUpdates({&groups, &foods});
    EXPECT_EQ(foods.recordCount(), shown + 1);
    EXPECT_EQ(dir.stored().count(R"(SELECT count(*) FROM "FOOD_DES.db" WHERE NDB_No = 99001)"), 1);
}

TEST(DisplayFormat, ShowsItsDecimalsAtMostAndALeadingZeroOnlyWhereTheFormatAsks)
{
    EXPECT_EQ(formatNumber(2.5, "#.##"), "2.5");
    EXPECT_EQ(formatNumber(0.456, "#.##"), ".46");
    EXPECT_EQ(formatNumber(0, "#.##"), "");
    EXPECT_EQ(formatNumber(0.001, "#.##"), "");
    EXPECT_EQ(formatNumber(12, "#.##"), "12");
    EXPECT_EQ(formatNumber(7.0 / 3, "0.###"), "2.333");
    EXPECT_EQ(formatNumber(0.125, "0.###"), "0.125");
    EXPECT_EQ(formatNumber(0.5, "0.###"), "0.5");
    EXPECT_EQ(formatNumber(0, "0.###"), "0");
    EXPECT_EQ(formatNumber(-0.0001, "0.###"), "0");
    EXPECT_EQ(formatNumber(-0.5, "#.##"), "-.5");
    EXPECT_EQ(formatNumber(1234.567, "#.##"), "1234.57");
    EXPECT_EQ(numberText(81.11), "81.11");
    EXPECT_EQ(numberText(5), "5");
}

} // namespace
