#include "ui/ListDialog.h"
#include "ui/NameDialog.h"
#include "seams/Messages.h"
#include "store/Database.h"
#include "store/ProgramError.h"
#include "store/Table.h"
#include "support/TestDataFolder.h"
#include "ui/DataControls.h"
#include "ui/GraphicButton.h"
#include "tests/ui/UiTestSupport.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

// A list over the food groups whose Create runs the Begin / Post / Cancel shape
// with a name dialog, and whose post can be made to fail.
class GroupList : public TListDialog {
public:
    GroupList(DataSource& source, RecordSet& set, TNameDialog& names)
        : TListDialog({"GroupList", "Groups", &source, "FdGrp_Desc", "Food Group", "Create", "Edit", "Delete"}),
          set_(set), names_(names)
    {
    }

    bool refusePost = false;

    void BtnCreateClick() override
    {
        editRow([this] { set_.append(); }, names_,
                [this] {
                    if (refusePost)
                        throw ProgramError("Key violation");
                    set_.fieldByName("FdGrp_Cd").setAsInteger(9900);
                    set_.post();
                },
                [this] { set_.cancel(); });
    }
    void BtnEditClick() override {}
    void BtnDeleteClick() override {}

private:
    RecordSet& set_;
    TNameDialog& names_;
};

struct ListDialogTest : ::testing::Test {
    TestWorkingDirectory dir;
    Database db{"sv FoodDatabase", "data"};
    Table groups{db, "tblFoodGroups2", "FD_GROUP.db"};
    DataSource source{"dscFoodGroups2", &groups};
    MessageRecorder messages;
    ScriptedDialogs dialogs;
    TNameDialog names{{"GroupName", "Food Group", "Food Group:", &source, "FdGrp_Desc"}};
    GroupList list{source, groups, names};

    void SetUp() override
    {
        groups.setFields({FieldSpec::data("FdGrp_Cd"), FieldSpec::data("FdGrp_Desc")});
        groups.setCachedUpdates(true);
        groups.open();
    }

    void name(const char* typed, bool ok)
    {
        dialogs.expect([this, typed, ok](TFormTemplateDialog&) {
            QTest::keyClicks(names.DBEdit1, typed);
            ui_test::click(ok ? names.BtnOk : names.BtnCancel);
        });
    }
};

TEST_F(ListDialogTest, OkPostsTheNamedRowAndCancelDropsIt)
{
    const int before = groups.recordCount();
    name("Kept", true);
    ui_test::click(list.BtnCreate);
    EXPECT_EQ(groups.recordCount(), before + 1);
    EXPECT_EQ(groups.fieldByName("FdGrp_Desc").asString(), "Kept");
    name("Dropped", false);
    ui_test::click(list.BtnCreate);
    EXPECT_EQ(groups.recordCount(), before + 1);
    EXPECT_EQ(groups.state(), DataSetState::Browse);
    EXPECT_TRUE(dialogs.allUsed());
}

TEST_F(ListDialogTest, ARefusedPostIsReportedAndLeavesTheSetBrowsing)
{
    const int before = groups.recordCount();
    list.refusePost = true;
    name("Refused", true);
    ui_test::click(list.BtnCreate);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Key violation"});
    EXPECT_EQ(groups.state(), DataSetState::Browse);
    EXPECT_EQ(groups.recordCount(), before);
}

TEST_F(ListDialogTest, ButtonsCloseWithTheirResultsAndEscapeInTheGridCancels)
{
    dialogs.expect([this](TFormTemplateDialog&) { ui_test::click(list.BtnOk); });
    EXPECT_EQ(list.ShowModal(), mrOk);
    dialogs.expect([this](TFormTemplateDialog&) { QTest::keyClick(list.DBGrid1, Qt::Key_Escape); });
    EXPECT_EQ(list.ShowModal(), mrCancel);
    dialogs.expect([this](TFormTemplateDialog&) { ui_test::click(names.BtnCancel); });
    EXPECT_EQ(names.ShowModal(), mrCancel);
    // Escape typed into the name box is the box's: the dialog stays open.
    dialogs.expect([this](TFormTemplateDialog&) {
        QTest::keyClick(names.DBEdit1, Qt::Key_Escape);
        EXPECT_TRUE(names.isVisible());
        ui_test::click(names.BtnOk);
    });
    EXPECT_EQ(names.ShowModal(), mrOk);
}

} // namespace
