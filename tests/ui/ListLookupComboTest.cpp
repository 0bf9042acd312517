#include "ui/ListLookupCombo.h"
#include "store/Database.h"
#include "store/Table.h"
#include "support/TestDataFolder.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

// A list-mode combo box over the fixture's food groups, held in a cached set as
// the group dialogs hold them.
struct ListLookupCombo : ::testing::Test {
    TestWorkingDirectory dir;
    Database db{"sv FoodDatabase", "data"};
    Table groups{db, "tblFoodGroups2", "FD_GROUP.db"};
    DataSource dscGroups{"dscFoodGroups2", &groups};
    QWidget window;
    TListLookupComboBox* combo = new TListLookupComboBox(&window);

    void SetUp() override
    {
        groups.setFields({FieldSpec::data("FdGrp_Cd"), FieldSpec::data("FdGrp_Desc")});
        groups.setCachedUpdates(true);
        groups.open();
        combo->SetKeyField("FdGrp_Cd");
        combo->SetListField("FdGrp_Desc");
        combo->SetListSource(&dscGroups);
    }

    std::int64_t currentGroup() { return groups.fieldByName("FdGrp_Cd").asInteger(); }
};

TEST_F(ListLookupCombo, ChoosingAnEntryMovesTheSetAndTheChoiceOutlastsOtherMoves)
{
    EXPECT_EQ(combo->count(), 25);
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_TRUE(isNull(combo->KeyValue()));

    QTest::keyClicks(combo, "Fruits");
    EXPECT_EQ(combo->currentText(), "Fruits and Fruit Juices");
    EXPECT_EQ(currentGroup(), 900);

    groups.first(); // another window moves the set
    EXPECT_EQ(currentGroup(), 100);
    EXPECT_EQ(combo->currentText(), "Fruits and Fruit Juices");
    EXPECT_TRUE(sameValue(combo->KeyValue(), Value(std::int64_t{900})));
}

TEST_F(ListLookupCombo, FollowsARenamedEntryAndForgetsADeletedOne)
{
    combo->SetKeyValue(Value(std::int64_t{400}));
    EXPECT_EQ(currentGroup(), 400);
    groups.edit();
    groups.fieldByName("FdGrp_Desc").setAsString("Fats, Oils and Shortenings");
    groups.post();
    groups.first();
    EXPECT_EQ(combo->currentText(), "Fats, Oils and Shortenings");

    ASSERT_TRUE(groups.locate("FdGrp_Cd", Value(std::int64_t{400})));
    groups.deleteRecord();
    EXPECT_EQ(combo->count(), 24);
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_TRUE(isNull(combo->KeyValue()));
}

} // namespace
