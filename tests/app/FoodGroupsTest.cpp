#include "tests/app/AppTestSupport.h"
#include "foods/DatabaseFood.h"
#include "foods/FoodGroupEdit.h"
#include "foods/FoodGroups.h"
#include "ui/DataControls.h"
#include "ui/ErrorGuard.h"
#include "ui/GraphicButton.h"
#include "ui/UiTestSupport.h"

#include <QTest>

namespace {

class FoodGroupDialogs : public ProgramTest {
protected:
    ScriptedDialogs dialogs;

    std::vector<std::string> storedGroups()
    {
        return dir.stored().rows(R"(SELECT FdGrp_Cd, FdGrp_Desc FROM "FD_GROUP.db" ORDER BY FdGrp_Cd)");
    }
    std::int64_t highestCode() { return dir.stored().count(R"(SELECT MAX(FdGrp_Cd) FROM "FD_GROUP.db")"); }

    static RecordSet& groups() { return DataModuleFoods->tblFoodGroups2; }

    // The user's part in the name dialog: a name typed, then OK or Cancel.
    struct Name {
        const char* typed;
        bool ok = true;
    };

    // Opens the list as the Foods page does: OK stores the changes, anything else
    // drops them. `names` script the name dialogs the list opens, in order.
    int openList(const std::function<void()>& user, std::vector<Name> names = {})
    {
        dialogs.expect([&](TFormTemplateDialog&) { user(); });
        for (const Name& name : names)
            dialogs.expect([name](TFormTemplateDialog&) {
                DialogFoodGroupEdit->DBEdit1->selectAll();
                QTest::keyClicks(DialogFoodGroupEdit->DBEdit1, name.typed);
                ui_test::click(name.ok ? DialogFoodGroupEdit->BtnOk : DialogFoodGroupEdit->BtnCancel);
            });
        const int result = DialogFoodGroups->ShowModal();
        guarded([&] {
            if (result == mrOk) {
                groups().applyUpdates();
                groups().commitUpdates();
            } else {
                groups().cancelUpdates();
            }
        });
        return result;
    }

    static bool locateGroup(const char* name) { return groups().locate("FdGrp_Desc", Value(std::string(name))); }
};

TEST_F(FoodGroupDialogs, TheListShowsEveryGroupUnderItsTitleWithTheButtonsHints)
{
    EXPECT_EQ(DialogFoodGroups->DBGrid1->Model()->rowCount(), 25);
    EXPECT_EQ(DialogFoodGroups->DBGrid1->Model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Food Group"));
    EXPECT_EQ(DialogFoodGroups->BtnCreate->Hint(), QStringLiteral("Create New Food Group"));
    EXPECT_EQ(DialogFoodGroups->BtnEdit->Hint(), QStringLiteral("Edit Selected Group"));
    EXPECT_EQ(DialogFoodGroups->BtnDelete->Hint(), QStringLiteral("Delete Selected Food Group"));
    EXPECT_EQ(DialogFoodGroupEdit->DBEdit1->maxLength(), 33);
}

TEST_F(FoodGroupDialogs, TwoGroupsCreatedInOneVisitGetTheNextTwoCodes)
{
    const std::int64_t highest = highestCode();
    EXPECT_EQ(openList(
                  [] {
                      ui_test::click(DialogFoodGroups->BtnCreate);
                      ui_test::click(DialogFoodGroups->BtnCreate);
                      ui_test::click(DialogFoodGroups->BtnOk);
                  },
                  {{"Home Baking"}, {"Preserves"}}),
              mrOk);
    const auto rows = storedGroups();
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(rows[rows.size() - 2], std::to_string(highest + 1) + "|Home Baking");
    EXPECT_EQ(rows.back(), std::to_string(highest + 2) + "|Preserves");
    EXPECT_TRUE(dialogs.allUsed());
}

TEST_F(FoodGroupDialogs, CreateRenameAndDeleteThenCancelLeavesTheTableAsItWas)
{
    const auto before = storedGroups();
    messages.answer(true);
    const int result = openList([] {
        ui_test::click(DialogFoodGroups->BtnCreate);
        ASSERT_TRUE(locateGroup("Baby Foods"));
        ui_test::click(DialogFoodGroups->BtnEdit);
        ASSERT_TRUE(locateGroup("Home Baking"));
        ui_test::click(DialogFoodGroups->BtnDelete); // unused: asked, and deleted
        EXPECT_FALSE(locateGroup("Home Baking"));
        QTest::keyClick(DialogFoodGroups->DBGrid1, Qt::Key_Escape);
    }, {{"Home Baking"}, {"Renamed"}});
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(storedGroups(), before);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Are you sure you want to delete [ Home Baking ]"});
}

TEST_F(FoodGroupDialogs, ANameCancelledInTheEditDialogLeavesTheGroupAsItWas)
{
    const auto before = storedGroups();
    ASSERT_TRUE(locateGroup("Baby Foods"));
    openList([] {
        ui_test::click(DialogFoodGroups->BtnEdit);
        ui_test::click(DialogFoodGroups->BtnCreate);
        EXPECT_EQ(groups().state(), DataSetState::Browse);
        ui_test::click(DialogFoodGroups->BtnOk);
    }, {{"Not This", false}, {"Not That", false}});
    EXPECT_EQ(storedGroups(), before);
}

TEST_F(FoodGroupDialogs, AGroupThatHoldsFoodsIsNotDeleted)
{
    const auto before = storedGroups();
    ASSERT_TRUE(locateGroup("Dairy and Egg Products"));
    openList([] {
        ui_test::click(DialogFoodGroups->BtnDelete);
        ui_test::click(DialogFoodGroups->BtnOk);
    });
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"Can't Delete a Group with food items in it...\n Delete Food Item(s) First!!"});
    EXPECT_EQ(storedGroups(), before);
}

TEST_F(FoodGroupDialogs, AnUnusedGroupDeletedOnYesIsGoneAfterOk)
{
    const std::int64_t before = dir.stored().count(R"(SELECT COUNT(*) FROM "FD_GROUP.db")");
    ASSERT_TRUE(locateGroup("Baby Foods")); // none of the fixture's foods
    messages.answer(false);
    messages.answer(true);
    openList([] {
        ui_test::click(DialogFoodGroups->BtnDelete); // No: kept
        ui_test::click(DialogFoodGroups->BtnDelete);
        ui_test::click(DialogFoodGroups->BtnOk);
    });
    EXPECT_EQ(dir.stored().count(R"(SELECT COUNT(*) FROM "FD_GROUP.db")"), before - 1);
    EXPECT_EQ(dir.stored().count(R"(SELECT COUNT(*) FROM "FD_GROUP.db" WHERE FdGrp_Desc = 'Baby Foods')"), 0);
}

TEST_F(FoodGroupDialogs, EditAndDeleteOnAnEmptyListDoNothing)
{
    dir.stored().execute(R"(DELETE FROM "FD_GROUP.db")");
    dir.stored().execute(R"(DELETE FROM "FOOD_DES.db")");
    DestroyApplicationObjects();
    CreateApplicationObjects();
    openList([] {
        ui_test::click(DialogFoodGroups->BtnEdit);
        ui_test::click(DialogFoodGroups->BtnDelete);
        EXPECT_EQ(groups().state(), DataSetState::Browse);
        ui_test::click(DialogFoodGroups->BtnOk);
    });
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(dir.stored().count(R"(SELECT COUNT(*) FROM "FD_GROUP.db")"), 0);
}

TEST_F(FoodGroupDialogs, AFailedApplyKeepsTheChangesAndTheNextOkStoresThemOnce)
{
    const auto before = storedGroups();
    const std::int64_t highest = highestCode();
    DataModuleFoods->DatabaseFoods.failNextWriteTo("FD_GROUP.db", "disk full");
    openList(
        [] {
            ui_test::click(DialogFoodGroups->BtnCreate);
            ui_test::click(DialogFoodGroups->BtnOk);
        },
        {{"Home Baking"}});
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].kind, MessageKind::Error);
    EXPECT_EQ(storedGroups(), before);
    EXPECT_TRUE(groups().updatesPending());
    EXPECT_TRUE(locateGroup("Home Baking"));

    openList([] { ui_test::click(DialogFoodGroups->BtnOk); });
    EXPECT_EQ(dir.stored().count(R"(SELECT COUNT(*) FROM "FD_GROUP.db" WHERE FdGrp_Desc = 'Home Baking')"), 1);
    EXPECT_EQ(highestCode(), highest + 1);
    EXPECT_FALSE(groups().updatesPending());
}

} // namespace
