#include "ui/DataControls.h"
#include "store/Database.h"
#include "seams/Messages.h"
#include "store/Table.h"
#include "support/TestDataFolder.h"
#include "tests/ui/UiTestSupport.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

// The fixture's 25 food groups behind a data source, as a data module holds them.
struct DataControlsTest : ::testing::Test {
    TestWorkingDirectory dir;
    Database db{"sv FoodDatabase", "data"};
    Table groups{db, "tblFoodGroups", "FD_GROUP.db"};
    DataSource dscGroups{"dscFoodGroups", &groups};
    QWidget window;

    void SetUp() override
    {
        groups.setFields({FieldSpec::data("FdGrp_Cd").withLabel("Code"), FieldSpec::data("FdGrp_Desc")});
        groups.open();
        window.resize(600, 400);
    }
    std::string descriptionAt(int row) { return groups.displayTextAt(row, groups.fieldByName("FdGrp_Desc")); }
};

struct GridTest : DataControlsTest {
    TDBGrid* grid = new TDBGrid(&window);
    void SetUp() override
    {
        DataControlsTest::SetUp();
        grid->resize(500, 300);
        grid->SetDataSource(&dscGroups);
    }
    int selectedRow() { return grid->currentIndex().row(); }
};

TEST_F(GridTest, ShowsTheFieldsItIsGivenWithLabelsOrItsOwnTitles)
{
    EXPECT_EQ(grid->Model()->rowCount(), 25);
    EXPECT_EQ(grid->Model()->columnCount(), 2);
    EXPECT_EQ(grid->Model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Code"));

    grid->SetColumns({{"FdGrp_Desc", QStringLiteral("Food Group"), 240}});
    EXPECT_EQ(grid->Model()->columnCount(), 1);
    EXPECT_EQ(grid->Model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Food Group"));
    EXPECT_EQ(grid->columnWidth(0), 240);
    EXPECT_EQ(grid->Model()->index(3, 0).data().toString().toStdString(), descriptionAt(3));
    EXPECT_FALSE(grid->Model()->flags(grid->Model()->index(3, 0)) & Qt::ItemIsEditable);
}

TEST_F(GridTest, SelectionAndCurrentRowAreOneThingBothWays)
{
    EXPECT_EQ(selectedRow(), 0);
    groups.setRecNo(7);
    EXPECT_EQ(selectedRow(), 6);
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(6, {}));

    grid->setCurrentIndex(grid->Model()->index(12, 1));
    EXPECT_EQ(groups.recNo(), 13);
    groups.last();
    EXPECT_EQ(selectedRow(), 24);
}

TEST_F(GridTest, FollowsEditsAndReloadsOfItsSet)
{
    groups.setRecNo(3);
    groups.edit();
    groups.fieldByName("FdGrp_Desc").setAsString("Renamed");
    EXPECT_EQ(grid->Model()->index(2, 1).data().toString(), QStringLiteral("Renamed"));
    groups.post();

    groups.setFilter("FdGrp_Cd = 100 OR FdGrp_Cd = 200");
    groups.setFiltered(true);
    EXPECT_EQ(grid->Model()->rowCount(), 2);
    EXPECT_GE(selectedRow(), 0);
    EXPECT_EQ(selectedRow(), groups.currentRow());
}

TEST_F(GridTest, ShowsTheSetItNowHasAfterACloseAReopenOrASwitch)
{
    groups.close();
    EXPECT_EQ(grid->Model()->rowCount(), 0);
    EXPECT_EQ(grid->Model()->columnCount(), 0);
    grid->grab(); // painting a closed set reads nothing

    groups.open();
    EXPECT_EQ(grid->Model()->columnCount(), 2);
    EXPECT_EQ(grid->Model()->index(1, 1).data().toString().toStdString(), descriptionAt(1));

    Table foods(db, "tblFoodDesc", "FOOD_DES.db");
    foods.setFields({FieldSpec::data("NDB_No"), FieldSpec::data("Desc").withLabel("Food Description")});
    foods.open();
    dscGroups.setDataSet(&foods);
    EXPECT_EQ(grid->Model()->rowCount(), foods.recordCount());
    EXPECT_EQ(grid->Model()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Food Description"));
    EXPECT_EQ(grid->Model()->index(0, 1).data().toString().toStdString(),
              foods.displayTextAt(0, foods.fieldByName("Desc")));
    grid->grab();
    dscGroups.setDataSet(&groups); // before the table this test made goes
    EXPECT_EQ(grid->Model()->columnCount(), 2);
}

TEST_F(GridTest, GivenColumnsKeepTheirTitlesWhileTheSetIsClosed)
{
    grid->SetColumns({{"FdGrp_Desc", QStringLiteral("Food Group"), 0}, {"FdGrp_Cd", {}, 0}});
    groups.close();
    EXPECT_EQ(grid->Model()->columnCount(), 2);
    EXPECT_EQ(grid->Model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Food Group"));
    EXPECT_EQ(grid->Model()->index(0, 0).data(), QVariant());
    groups.open();
    EXPECT_EQ(grid->Model()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Code"));
    EXPECT_EQ(grid->Model()->index(0, 0).data().toString().toStdString(), descriptionAt(0));
}

TEST_F(GridTest, EditsInPlaceOnlyWhenAskedAndThenWritesThroughTheField)
{
    const QModelIndex cell = grid->Model()->index(4, 1);
    EXPECT_FALSE(grid->Model()->setData(cell, QStringLiteral("Nope"), Qt::EditRole));
    EXPECT_EQ(groups.state(), DataSetState::Browse);

    grid->SetReadOnly(false);
    EXPECT_TRUE(grid->Model()->flags(cell) & Qt::ItemIsEditable);
    EXPECT_TRUE(grid->Model()->setData(cell, QStringLiteral("Typed"), Qt::EditRole));
    EXPECT_EQ(groups.recNo(), 5);
    EXPECT_EQ(groups.state(), DataSetState::Edit);
    EXPECT_EQ(groups.fieldByName("FdGrp_Desc").asString(), "Typed");
}

TEST_F(GridTest, ARefusedWriteIsReportedNotThrown)
{
    MessageRecorder recorder;
    grid->SetReadOnly(false);
    EXPECT_FALSE(grid->Model()->setData(grid->Model()->index(0, 0), QStringLiteral("not a number"), Qt::EditRole));
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].kind, MessageKind::Error);
}

TEST_F(DataControlsTest, EditBoxTakesTypingOnlyWhileTheSetIsEditing)
{
    auto* edit = new TDBEdit(&window);
    edit->SetDataSource(&dscGroups);
    edit->SetDataField("FdGrp_Desc");
    EXPECT_EQ(edit->text().toStdString(), descriptionAt(0));
    EXPECT_EQ(edit->maxLength(), 33);
    EXPECT_TRUE(edit->isReadOnly());
    QTest::keyClicks(edit, "xyz");
    EXPECT_EQ(groups.fieldByName("FdGrp_Desc").asString(), descriptionAt(0));

    groups.edit();
    EXPECT_FALSE(edit->isReadOnly());
    edit->selectAll();
    QTest::keyClicks(edit, "Soups");
    EXPECT_EQ(groups.fieldByName("FdGrp_Desc").asString(), "Soups");
    groups.post();
    EXPECT_TRUE(edit->isReadOnly());

    groups.next();
    EXPECT_EQ(edit->text().toStdString(), descriptionAt(1));
}

TEST_F(DataControlsTest, EditBoxTypesIntoANewRowAndShowsTheOldTextAgainOnCancel)
{
    auto* edit = new TDBEdit(&window);
    edit->SetDataSource(&dscGroups);
    edit->SetDataField("FdGrp_Desc");
    groups.setRecNo(2);
    groups.append();
    EXPECT_EQ(edit->text(), QString());
    EXPECT_FALSE(edit->isReadOnly());
    QTest::keyClicks(edit, "Fresh");
    EXPECT_EQ(groups.fieldByName("FdGrp_Desc").asString(), "Fresh");
    groups.cancel();
    EXPECT_EQ(edit->text().toStdString(), descriptionAt(groups.currentRow()));
    EXPECT_TRUE(edit->isReadOnly());
}

TEST_F(DataControlsTest, AHalfTypedNumberIsReportedOnlyWhenTheBoxIsLeft)
{
    MessageRecorder recorder;
    auto* edit = new TDBEdit(&window);
    edit->SetDataSource(&dscGroups);
    edit->SetDataField("FdGrp_Cd");
    groups.edit();
    edit->selectAll();
    QTest::keyClicks(edit, "12x");
    EXPECT_TRUE(recorder.messages().empty());
    emit edit->editingFinished();
    EXPECT_EQ(recorder.messages().size(), 1u);
    edit->selectAll();
    QTest::keyClicks(edit, "4242");
    EXPECT_EQ(groups.fieldByName("FdGrp_Cd").asInteger(), 4242);
}

TEST_F(DataControlsTest, MemoAndTextFollowTheCurrentRow)
{
    auto* memo = new TDBMemo(&window);
    memo->SetDataSource(&dscGroups);
    memo->SetDataField("FdGrp_Desc");
    auto* label = new TDBText(&window);
    label->SetDataSource(&dscGroups);
    label->SetDataField("FdGrp_Desc");
    groups.setRecNo(4);
    EXPECT_EQ(memo->toPlainText().toStdString(), descriptionAt(3));
    EXPECT_EQ(label->text().toStdString(), descriptionAt(3));

    groups.edit();
    memo->selectAll();
    QTest::keyClicks(memo, "Long text");
    EXPECT_EQ(groups.fieldByName("FdGrp_Desc").asString(), "Long text");
    EXPECT_EQ(label->text(), QStringLiteral("Long text"));
}

TEST_F(DataControlsTest, LookupComboListsTheLookupSetAndWritesTheKeyWhileEditing)
{
    Table foods(db, "tblFoodDesc", "FOOD_DES.db");
    foods.open();
    DataSource dscFoods("dscFoodDesc", &foods);
    auto* combo = new TDBLookupComboBox(&window);
    combo->SetListSource(&dscGroups);
    combo->SetKeyField("FdGrp_Cd");
    combo->SetListField("FdGrp_Desc");
    combo->SetDataSource(&dscFoods);
    combo->SetDataField("FdGrp_Cd");
    ASSERT_EQ(combo->count(), 25);
    const std::int64_t before = foods.fieldByName("FdGrp_Cd").asInteger();
    ASSERT_TRUE(groups.locate("FdGrp_Cd", Value(before)));
    EXPECT_EQ(combo->currentIndex(), groups.currentRow());

    const int other = combo->currentIndex() == 5 ? 6 : 5;
    combo->setCurrentIndex(other);
    emit combo->activated(other); // browsing: not taken
    EXPECT_EQ(foods.fieldByName("FdGrp_Cd").asInteger(), before);
    EXPECT_NE(combo->currentIndex(), other);

    foods.edit();
    combo->setCurrentIndex(other);
    emit combo->activated(other);
    EXPECT_EQ(Value(foods.fieldByName("FdGrp_Cd").asInteger()), groups.valueAt(other, groups.fieldByName("FdGrp_Cd")));
    foods.cancel();

    // A group added to the list set is offered at once.
    groups.append();
    groups.fieldByName("FdGrp_Cd").setAsInteger(9900);
    groups.fieldByName("FdGrp_Desc").setAsString("Home Made");
    groups.post();
    EXPECT_EQ(combo->count(), 26);
    EXPECT_GE(combo->findText(QStringLiteral("Home Made")), 0);
    delete combo; // before the data source this test made goes
}

TEST_F(DataControlsTest, RepeatingPanelsShowAPageOfRowsAndPickTheClickedOne)
{
    auto* panels = new TDBCtrlGrid(&window);
    panels->SetDataSource(&dscGroups);
    panels->SetDataField("FdGrp_Desc");
    EXPECT_EQ(panels->PanelCount(), 8);
    QStringList texts = panels->ShownTexts();
    ASSERT_EQ(texts.size(), 8);
    EXPECT_EQ(texts[1].toStdString(), descriptionAt(1));

    groups.setRecNo(20); // row 19 comes into view
    EXPECT_LE(panels->FirstShownRow(), 19);
    EXPECT_GT(panels->FirstShownRow() + 8, 19);

    const int first = panels->FirstShownRow();
    ui_test::press(panels, {250, 45}); // second column, second line
    EXPECT_EQ(groups.currentRow(), first + 3);
}

} // namespace
