#include "tests/app/AppTestSupport.h"
#include "app/MainForm.h"
#include "foods/AdvancedSearch.h"
#include "foods/AdvancedSearchEdit.h"
#include "foods/DatabaseFood.h"
#include "foods/FoodEdit.h"
#include "foods/FoodGroupEdit.h"
#include "foods/FoodGroups.h"
#include "foods/SimpleSearch.h"
#include "ui/AdvButton.h"
#include "ui/DataControls.h"
#include "ui/GraphicButton.h"
#include "ui/UiTestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

namespace {

constexpr std::int64_t kButter = 1001;        // used by a starter recipe's ingredient
constexpr std::int64_t kWhippedButter = 1002; // used by none

class FoodsPage : public ProgramTest {
protected:
    ScriptedDialogs dialogs;

    void SetUp() override
    {
        ProgramTest::SetUp();
        showWindow();
    }

    void showWindow()
    {
        FormMain->show();
        ui_test::click(FormMain->BtnFoods);
    }

    // Data changed behind the program's back: start it again over the stored file.
    void restart()
    {
        DestroyApplicationObjects();
        CreateApplicationObjects();
        showWindow();
    }

    static TNavigationTree* tree() { return FormMain->TreeViewFoods; }
    static QString label() { return FormMain->LabelActiveDispalyFoods->text(); }
    static QString selected() { return tree()->Selected() ? tree()->Selected()->text(0) : QString(); }

    static QStringList children(QTreeWidgetItem* root)
    {
        QStringList texts;
        for (int i = 0; i < root->childCount(); ++i)
            texts << root->child(i)->text(0);
        return texts;
    }

    static QTreeWidgetItem* child(QTreeWidgetItem* root, const QString& text)
    {
        QTreeWidgetItem* node = TNavigationTree::ChildByText(root, text);
        EXPECT_NE(node, nullptr) << text.toStdString();
        return node;
    }

    // A click on the node, as the user makes it: its branch open and in view.
    static void clickNode(QTreeWidgetItem* node, Qt::MouseButton button = Qt::LeftButton)
    {
        ASSERT_NE(node, nullptr);
        if (node->parent())
            node->parent()->setExpanded(true);
        tree()->scrollToItem(node);
        const QPoint at = tree()->visualItemRect(node).center();
        QTest::mouseClick(tree()->viewport(), button, {}, at);
    }

    static int listRows() { return FormMain->DBGrid2->model()->rowCount(); }
    static std::string currentFood()
    {
        return DataModuleFoods->dscFoodDesc.dataSet()->fieldByName("Desc").asString();
    }

    static void clickRow(TDBGrid* grid, int row)
    {
        const QRect cell = grid->visualRect(grid->model()->index(row, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

    static void typeAmount(const QString& text)
    {
        FormMain->EditAmount->selectAll();
        QTest::keyClick(FormMain->EditAmount, Qt::Key_Delete);
        QTest::keyClicks(FormMain->EditAmount, text);
    }

    static void chooseMeasure(const QString& text)
    {
        QComboBox* box = FormMain->ComboBoxMeasures;
        const int wanted = box->findText(text);
        ASSERT_GE(wanted, 0) << text.toStdString();
        while (box->currentIndex() < wanted)
            QTest::keyClick(box, Qt::Key_Down);
    }

    // The nutrient grid's text in `column` on the row of `nutrient`.
    static QString nutrientCell(const QString& nutrient, int column)
    {
        QAbstractItemModel* grid = FormMain->DBGrid3->model();
        for (int row = 0; row < grid->rowCount(); ++row)
            if (grid->index(row, 0).data().toString() == nutrient)
                return grid->index(row, column).data().toString();
        ADD_FAILURE() << "no row for " << nutrient.toStdString();
        return {};
    }
    static QString grams() { return FormMain->DBTextAmountInGram->text(); }

    std::int64_t storedFoods(const std::string& where = "1")
    {
        return dir.stored().count(R"(SELECT COUNT(*) FROM "FOOD_DES.db" Food_des WHERE )" + where);
    }
    std::int64_t storedGroupCode(const std::string& name)
    {
        return dir.stored().count(R"(SELECT FdGrp_Cd FROM "FD_GROUP.db" WHERE FdGrp_Desc = ')" + name + "'");
    }
};

TEST_F(FoodsPage, AFreshStartListsAllFoodsWithOneUnitOfTheFirstFoodsFirstMeasure)
{
    EXPECT_EQ(selected(), "View All Foods");
    EXPECT_EQ(label(), "View All Foods");
    EXPECT_EQ(listRows(), storedFoods());
    EXPECT_EQ(currentFood(), "Butter, salted");
    EXPECT_EQ(FormMain->EditAmount->text(), "1");
    EXPECT_EQ(FormMain->ComboBoxMeasures->currentText(), "pat (1\" sq, 1/3\" high)");
    EXPECT_EQ(grams(), "5");

    EXPECT_EQ(children(FormMain->NodeFoodGroups).size(), 2 + 25);
    EXPECT_EQ(children(FormMain->NodeFoodGroups).mid(0, 3),
              (QStringList{"New Food Group", "Edit Food Groups", "Dairy and Egg Products"}));
    EXPECT_EQ(FormMain->NodeViewAllFoods->childCount(), 0);
    EXPECT_EQ(children(FormMain->NodeFoodSimpleSearch), QStringList{"New Search"});
    EXPECT_EQ(children(FormMain->NodeFoodAdvancedSearch), (QStringList{"New Search", "Edit Advanced Search"}));
    for (QTreeWidgetItem* root : {FormMain->NodeFoodGroups, FormMain->NodeFoodSimpleSearch})
        EXPECT_FALSE(root->isExpanded());
}

TEST_F(FoodsPage, ButterByTheTablespoonShowsItsEnergyPerMeasureAndGrams)
{
    clickRow(FormMain->DBGrid2, 0);
    chooseMeasure("tbsp");
    EXPECT_EQ(nutrientCell("Energy", 1), "717");
    EXPECT_EQ(nutrientCell("Energy", 2), "101.81");
    EXPECT_EQ(grams(), "14.2");

    typeAmount("2.5");
    EXPECT_EQ(grams(), "35.5");
    typeAmount("1e3");
    EXPECT_EQ(grams(), "14200");
    EXPECT_DOUBLE_EQ(DataModuleFoods->CurrentGramWeight(), 14200);
    for (const char* unreadable : {"abc", "", "inf", "nan", "1e999", "0x10"}) {
        typeAmount("2");
        typeAmount(unreadable);
        EXPECT_EQ(DataModuleFoods->CurrentGramWeight(), 0) << unreadable;
        EXPECT_EQ(nutrientCell("Energy", 2), "") << unreadable;
    }
    // Beyond the amount rule there are no per-measure values: never inf, nan or a 300-digit weight.
    for (const char* refused : {"1e308", "1e307", "-100", "8000"}) {
        typeAmount(refused);
        EXPECT_EQ(nutrientCell("Energy", 2), "") << refused;
        EXPECT_EQ(grams(), "") << refused;
    }
    typeAmount("2,5");
    EXPECT_EQ(grams(), "35.5");
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(FoodsPage, MovingToAnotherFoodStartsAgainAtOneUnitOfItsFirstMeasure)
{
    chooseMeasure("tbsp");
    typeAmount("3");
    FormMain->DBGrid2->setFocus();
    QTest::keyClick(FormMain->DBGrid2, Qt::Key_Down);

    EXPECT_EQ(currentFood(), "Butter, whipped, with salt");
    EXPECT_EQ(FormMain->EditAmount->text(), "1");
    EXPECT_EQ(FormMain->ComboBoxMeasures->currentIndex(), 0);
    QStringList stored;
    for (const std::string& row : dir.stored().rows(
             R"(SELECT Msre_Desc FROM "WEIGHT.db" WHERE NDB_No = 1002 GROUP BY Msre_Desc ORDER BY MIN(rowid))"))
        stored << QString::fromStdString(row);
    QStringList shown;
    for (int i = 0; i < FormMain->ComboBoxMeasures->count(); ++i)
        shown << FormMain->ComboBoxMeasures->itemText(i);
    EXPECT_EQ(shown, stored);
    const double firstGrams = static_cast<double>(dir.stored().count(
        R"(SELECT Gm_Wgt * 1000 / Amount FROM "WEIGHT.db" WHERE NDB_No = 1002 ORDER BY rowid LIMIT 1)")) / 1000;
    EXPECT_NEAR(DataModuleFoods->CurrentGramWeight(), firstGrams, 0.001);
}

TEST_F(FoodsPage, AFoodWithoutMeasuresShowsNoGramsRatherThanThePreviousFoods)
{
    dir.stored().execute(R"(DELETE FROM "WEIGHT.db" WHERE NDB_No = 1002)");
    restart();
    chooseMeasure("cup");
    EXPECT_EQ(nutrientCell("Energy", 2), "1627.59");
    FormMain->DBGrid2->setFocus();
    QTest::keyClick(FormMain->DBGrid2, Qt::Key_Down);

    EXPECT_EQ(currentFood(), "Butter, whipped, with salt");
    EXPECT_EQ(FormMain->ComboBoxMeasures->count(), 0);
    EXPECT_EQ(DataModuleFoods->CurrentGramWeight(), 0);
    EXPECT_EQ(nutrientCell("Energy", 2), "");
    EXPECT_EQ(grams(), "");
    typeAmount("2");
    EXPECT_EQ(DataModuleFoods->CurrentGramWeight(), 0);
}

TEST_F(FoodsPage, ASearchGoesIntoTheHistoryWhichIsClearedOnlyOnYes)
{
    dialogs.expect([](TFormTemplateDialog&) { DialogSimpleSearch->CloseCancel(); });
    clickNode(child(FormMain->NodeFoodSimpleSearch, "New Search"));
    EXPECT_EQ(selected(), "Simple Search");
    EXPECT_EQ(label(), "View All Foods");

    dialogs.expect([](TFormTemplateDialog&) {
        QTest::keyClicks(DialogSimpleSearch->EditSearchSimple, "whipped");
        QTest::keyClick(DialogSimpleSearch->EditSearchSimple, Qt::Key_Return);
    });
    clickNode(child(FormMain->NodeFoodSimpleSearch, "New Search"));
    EXPECT_EQ(children(FormMain->NodeFoodSimpleSearch),
              (QStringList{"New Search", "Clear Search History", "whipped"}));
    EXPECT_EQ(selected(), "whipped");
    EXPECT_EQ(label(), "Simple Search : whipped");
    EXPECT_EQ(listRows(), storedFoods("LOWER(\"Desc\") LIKE '%whipped%'"));
    EXPECT_GT(listRows(), 0);
    EXPECT_EQ(dir.stored().rows(R"(SELECT Keyword FROM "FoodSimpleSearch.db")"), std::vector<std::string>{"whipped"});

    // The same keyword in other letters stays one keyword, as last typed.
    dialogs.expect([](TFormTemplateDialog&) {
        QTest::keyClicks(DialogSimpleSearch->EditSearchSimple, "WHIPPED");
        QTest::keyClick(DialogSimpleSearch->EditSearchSimple, Qt::Key_Return);
    });
    clickNode(child(FormMain->NodeFoodSimpleSearch, "New Search"));
    EXPECT_EQ(children(FormMain->NodeFoodSimpleSearch),
              (QStringList{"New Search", "Clear Search History", "WHIPPED"}));
    EXPECT_EQ(selected(), "WHIPPED");

    // Arrowing onto the clearing node asks at once; No keeps the history.
    messages.answer(false);
    QTreeWidgetItem* clear = child(FormMain->NodeFoodSimpleSearch, "Clear Search History");
    tree()->setFocus();
    QTest::keyClick(tree(), Qt::Key_Up);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].kind, MessageKind::Warning);
    EXPECT_EQ(messages.messages()[0].text, "Are you sure you want to clear all the Search History");
    EXPECT_EQ(selected(), "Simple Search");
    EXPECT_EQ(dir.stored().count(R"(SELECT COUNT(*) FROM "FoodSimpleSearch.db")"), 1);

    messages.answer(true);
    clickNode(clear);
    EXPECT_EQ(children(FormMain->NodeFoodSimpleSearch), QStringList{"New Search"});
    EXPECT_EQ(selected(), "Simple Search");
    EXPECT_TRUE(FormMain->NodeFoodSimpleSearch->isExpanded());
    EXPECT_EQ(dir.stored().count(R"(SELECT COUNT(*) FROM "FoodSimpleSearch.db")"), 0);
    EXPECT_TRUE(dialogs.allUsed());
}

TEST_F(FoodsPage, AHistoryKeywordSearchesAgainAndOneNamedLikeAnActionActsAsIt)
{
    dir.stored().execute(R"(INSERT INTO "FoodSimpleSearch.db" (Keyword) VALUES ('cheddar'), ('New Search'))");
    restart();
    EXPECT_EQ(children(FormMain->NodeFoodSimpleSearch),
              (QStringList{"New Search", "Clear Search History", "New Search", "cheddar"}));
    clickNode(child(FormMain->NodeFoodSimpleSearch, "cheddar"));
    EXPECT_EQ(label(), "Simple Search : cheddar");
    EXPECT_EQ(listRows(), storedFoods("LOWER(\"Desc\") LIKE '%cheddar%'"));

    QTreeWidgetItem* keyword = FormMain->NodeFoodSimpleSearch->child(2);
    EXPECT_TRUE(customDrawNode(keyword, false, false).bold);
    EXPECT_EQ(customDrawNode(keyword, false, false).colour, QColor(0, 128, 0));
    dialogs.expect([](TFormTemplateDialog&) { DialogSimpleSearch->CloseCancel(); });
    clickNode(keyword);
    EXPECT_TRUE(dialogs.allUsed()) << "the keyword opened the search dialog";
    EXPECT_EQ(selected(), "Simple Search");
}

TEST_F(FoodsPage, NewAdvancedSearchOpensTheRuleEditorForANewGroupStoredOnOkAndRunAtOnce)
{
    const auto groups = [&] { return dir.stored().count(R"(SELECT count(*) FROM "FoodSQL.DB")"); };
    const auto rules = [&] { return dir.stored().count(R"(SELECT count(*) FROM "FoodSQLRules.DB")"); };
    const auto groupsBefore = groups();
    const auto rulesBefore = rules();
    const auto nameAndWord = [](const QString& name, const QString& word) {
        TDialogFoodAdvancedSearchEdit& editor = *DialogFoodAdvancedSearchEdit;
        typeInto(editor.dbedtRuleGroupName, name);
        editor.SetItemIndex(0);
        typeInto(editor.edtSearchFoodName, word);
        editor.GraphicButton2Click();
    };

    // Cancel takes back the group and its rule.
    dialogs.expect([&](TFormTemplateDialog&) {
        nameAndWord("Never", "cheddar");
        DialogFoodAdvancedSearchEdit->BtnCancelClick();
    });
    clickNode(child(FormMain->NodeFoodAdvancedSearch, "New Search"));
    EXPECT_EQ(groups(), groupsBefore);
    EXPECT_EQ(rules(), rulesBefore);
    EXPECT_EQ(selected(), "View All Foods");

    dialogs.expect([&](TFormTemplateDialog&) {
        nameAndWord("Cheddars", "cheddar");
        DialogFoodAdvancedSearchEdit->BtnOkClick();
    });
    clickNode(child(FormMain->NodeFoodAdvancedSearch, "New Search"));
    EXPECT_TRUE(dialogs.allUsed());
    EXPECT_EQ(groups(), groupsBefore + 1);
    EXPECT_EQ(rules(), rulesBefore + 1);
    EXPECT_EQ(selected(), "Cheddars");
    EXPECT_EQ(label(), "Advanced Search: Cheddars");
    EXPECT_EQ(listRows(), storedFoods("LOWER(\"Desc\") LIKE '%cheddar%'"));
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(FoodsPage, NodesAreDrawnByKindAndASelectedNodeInAFocusedTreeKeepsTheHighlight)
{
    const QColor navy(0, 0, 128), green(0, 128, 0), purple(128, 0, 128);
    const auto look = [](QTreeWidgetItem* node, bool selected = false, bool focused = false) {
        const NodeLook l = customDrawNode(node, selected, focused);
        return std::make_pair(l.bold, l.colour);
    };
    EXPECT_EQ(look(FormMain->NodeViewAllFoods), std::make_pair(true, navy));
    EXPECT_EQ(look(child(FormMain->NodeFoodGroups, "New Food Group")), std::make_pair(true, green));
    EXPECT_EQ(look(child(FormMain->NodeFoodGroups, "Edit Food Groups")), std::make_pair(true, purple));
    EXPECT_EQ(look(child(FormMain->NodeFoodAdvancedSearch, "Edit Advanced Search")), std::make_pair(true, purple));
    EXPECT_EQ(look(child(FormMain->NodeFoodGroups, "Baby Foods")), std::make_pair(false, QColor()));
    EXPECT_EQ(look(FormMain->NodeViewAllFoods, true, false), std::make_pair(true, navy));
    EXPECT_EQ(look(FormMain->NodeViewAllFoods, true, true), std::make_pair(true, QColor()));
}

TEST_F(FoodsPage, AGroupCreatedRenamedAndDeletedLeavesTreeLabelAndListInAgreement)
{
    // Cancelled: nothing stored, the listing before it selected again.
    dialogs.expect([](TFormTemplateDialog&) {
        QTest::keyClicks(DialogFoodGroupEdit->DBEdit1, "Never");
        ui_test::click(DialogFoodGroupEdit->BtnCancel);
    });
    clickNode(child(FormMain->NodeFoodGroups, "New Food Group"));
    EXPECT_EQ(selected(), "View All Foods");
    EXPECT_EQ(dir.stored().count(R"(SELECT COUNT(*) FROM "FD_GROUP.db")"), 25);

    dialogs.expect([](TFormTemplateDialog&) {
        QTest::keyClicks(DialogFoodGroupEdit->DBEdit1, "Home Baking");
        ui_test::click(DialogFoodGroupEdit->BtnOk);
    });
    clickNode(child(FormMain->NodeFoodGroups, "New Food Group"));
    EXPECT_EQ(selected(), "Home Baking");
    EXPECT_EQ(label(), "Food Group: Home Baking");
    EXPECT_EQ(listRows(), 0);
    EXPECT_GT(storedGroupCode("Home Baking"), 0);

    // Renamed in the list dialog, which opens on the group being browsed.
    clickNode(child(FormMain->NodeFoodGroups, "Dairy and Egg Products"));
    dialogs.expect([](TFormTemplateDialog&) {
        EXPECT_EQ(DataModuleFoods->tblFoodGroups2.fieldByName("FdGrp_Desc").asString(), "Dairy and Egg Products");
        ui_test::click(DialogFoodGroups->BtnEdit);
        ui_test::click(DialogFoodGroups->BtnOk);
    });
    dialogs.expect([](TFormTemplateDialog&) {
        DialogFoodGroupEdit->DBEdit1->selectAll();
        QTest::keyClicks(DialogFoodGroupEdit->DBEdit1, "<b>Dairy</b>");
        ui_test::click(DialogFoodGroupEdit->BtnOk);
    });
    clickNode(child(FormMain->NodeFoodGroups, "Edit Food Groups"));
    EXPECT_EQ(selected(), "<b>Dairy</b>");
    EXPECT_EQ(label(), "Food Group: <b>Dairy</b>");
    EXPECT_EQ(FormMain->LabelActiveDispalyFoods->textFormat(), Qt::PlainText);
    EXPECT_EQ(TNavigationTree::ChildByText(FormMain->NodeFoodGroups, "Dairy and Egg Products"), nullptr);
    EXPECT_EQ(listRows(), storedFoods("FdGrp_Cd = " + std::to_string(storedGroupCode("<b>Dairy</b>"))));
    EXPECT_GT(listRows(), 0);

    // Deleted from the tree's menu: the listing it showed goes with it.
    QTreeWidgetItem* baking = child(FormMain->NodeFoodGroups, "Home Baking");
    clickNode(baking, Qt::RightButton);
    EXPECT_EQ(selected(), "Home Baking");
    FormMain->UpdateFoodTreeMenu(baking);
    ASSERT_TRUE(FormMain->DeleteFoodGroup->isEnabled());
    FormMain->PopupMenuFoodTree->hide();
    messages.answer(true);
    FormMain->PopupMenuFoodTreePopup(baking, {});
    FormMain->DeleteFoodGroup->trigger();
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Are you sure you want to delete [ Home Baking ]"});
    EXPECT_EQ(TNavigationTree::ChildByText(FormMain->NodeFoodGroups, "Home Baking"), nullptr);
    EXPECT_EQ(dir.stored().count(R"(SELECT COUNT(*) FROM "FD_GROUP.db" WHERE FdGrp_Desc = 'Home Baking')"), 0);
    EXPECT_EQ(selected(), "View All Foods");
    EXPECT_EQ(label(), "View All Foods");
    EXPECT_EQ(listRows(), storedFoods());
    FormMain->PopupMenuFoodTree->hide();
    EXPECT_TRUE(dialogs.allUsed());
}

TEST_F(FoodsPage, TheMenuOffersTheActionsOnEveryNodeAndTheDeletesOnlyOnTheirOwnKind)
{
    dir.stored().execute(R"(INSERT INTO "FoodSQL.DB" (SQL_ID, "SQL Name") VALUES (1, 'Fatty'))");
    restart();
    const auto enabled = [](QTreeWidgetItem* node) {
        FormMain->UpdateFoodTreeMenu(node);
        QStringList names;
        for (QAction* action : FormMain->PopupMenuFoodTree->actions())
            if (action->isEnabled() && !action->isSeparator())
                names << action->objectName();
        return names;
    };
    const QStringList actions = {"NewFoodGroup", "EditFoodGroup", "ViewAllFoods", "NewSimpleSearch",
                                 "NewAdvancedSearch", "EditAdvancedSearch"};
    EXPECT_EQ(enabled(FormMain->NodeFoodGroups), actions);
    EXPECT_EQ(enabled(child(FormMain->NodeFoodSimpleSearch, "New Search")), actions);
    EXPECT_EQ(enabled(child(FormMain->NodeFoodGroups, "Baby Foods")),
              (QStringList{"NewFoodGroup", "EditFoodGroup", "DeleteFoodGroup", "ViewAllFoods", "NewSimpleSearch",
                           "NewAdvancedSearch", "EditAdvancedSearch"}));
    QStringList withRuleGroup = actions;
    withRuleGroup << "DeleteAdvancedSearch";
    EXPECT_EQ(enabled(child(FormMain->NodeFoodAdvancedSearch, "Fatty")), withRuleGroup);

    // An item runs its action node's command.
    FormMain->NewAdvancedSearch->trigger();
    FormMain->NewAdvancedSearch->trigger();
    EXPECT_EQ(messages.messages().size(), 2u) << "a menu item runs its command even on the selected node";
    FormMain->ViewAllFoods->trigger();
    EXPECT_EQ(selected(), "View All Foods");
}

TEST_F(FoodsPage, ARuleGroupNodeRunsItsSearchAndNeverLeavesTheNoticeUp)
{
    dir.stored().execute(R"(INSERT INTO "FoodSQL.DB" (SQL_ID, "SQL Name") VALUES (1, 'Whipped'), (2, 'Broken'))");
    dir.stored().execute(R"(INSERT INTO "FoodSQLRules.DB" (Field, Condition, RValue, SQL_ID, ExtraInfo)
                            VALUES ('FoodName', 'contains', 'whipped', 1, ''), ('Energy', 'about', 'x', 2, '208'))");
    restart();
    clickNode(child(FormMain->NodeFoodAdvancedSearch, "Whipped"));
    EXPECT_FALSE(FormMain->PanelSearching->isVisible());
    EXPECT_EQ(label(), "Advanced Search: Whipped");
    EXPECT_EQ(listRows(), storedFoods("LOWER(\"Desc\") LIKE '%whipped%'"));

    // Refused: said once, and the listing before it shown again under its own label.
    const int whipped = listRows();
    clickNode(child(FormMain->NodeFoodAdvancedSearch, "Broken"));
    EXPECT_FALSE(FormMain->PanelSearching->isVisible());
    EXPECT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(selected(), "Whipped");
    EXPECT_EQ(label(), "Advanced Search: Whipped");
    EXPECT_EQ(listRows(), whipped);
    clickNode(FormMain->NodeViewAllFoods);
    clickNode(child(FormMain->NodeFoodAdvancedSearch, "Broken"));
    EXPECT_EQ(selected(), "View All Foods");
    EXPECT_EQ(label(), "View All Foods");
    EXPECT_EQ(listRows(), storedFoods());
    messages.clear();

    // Deleted from the menu with its rule, both at once.
    messages.answer(true);
    FormMain->PopupMenuFoodTreePopup(child(FormMain->NodeFoodAdvancedSearch, "Whipped"), {});
    FormMain->DeleteAdvancedSearch->trigger();
    FormMain->PopupMenuFoodTree->hide();
    EXPECT_EQ(children(FormMain->NodeFoodAdvancedSearch), (QStringList{"New Search", "Edit Advanced Search", "Broken"}));
    EXPECT_EQ(dir.stored().count(R"(SELECT COUNT(*) FROM "FoodSQL.DB")"), 1);
    EXPECT_EQ(dir.stored().count(R"(SELECT COUNT(*) FROM "FoodSQLRules.DB" WHERE SQL_ID = 1)"), 0);
}

TEST_F(FoodsPage, TheSavedSearchListStoresOnOkAndRunsTheFirstSearchShownOrOpensAnEmptyBranch)
{
    // Accepted with no saved search: the branch is selected and opened.
    dialogs.expect([](TFormTemplateDialog&) { ui_test::click(DialogFoodAdvancedSearch->BtnOk); });
    clickNode(child(FormMain->NodeFoodAdvancedSearch, "Edit Advanced Search"));
    EXPECT_EQ(selected(), "Advanced Search");
    EXPECT_TRUE(FormMain->NodeFoodAdvancedSearch->isExpanded());
    EXPECT_EQ(label(), "View All Foods");

    // Cancelled: the search made in it is dropped, the listing before it shown again.
    const auto createWhipped = [this](bool keep) {
        dialogs.expect([keep](TFormTemplateDialog&) {
            ui_test::click(DialogFoodAdvancedSearch->BtnCreate);
            ui_test::click(keep ? DialogFoodAdvancedSearch->BtnOk : DialogFoodAdvancedSearch->BtnCancel);
        });
        dialogs.expect([](TFormTemplateDialog&) {
            TDialogFoodAdvancedSearchEdit& editor = *DialogFoodAdvancedSearchEdit;
            QTest::keyClicks(editor.dbedtRuleGroupName, "Whipped");
            editor.edtSearchFoodName->setText("whipped");
            ui_test::click(editor.GraphicButton2);
            ui_test::click(editor.BtnOk);
        });
    };
    clickNode(FormMain->NodeViewAllFoods);
    createWhipped(false);
    clickNode(child(FormMain->NodeFoodAdvancedSearch, "Edit Advanced Search"));
    EXPECT_EQ(selected(), "View All Foods");
    EXPECT_EQ(dir.stored().count(R"(SELECT COUNT(*) FROM "FoodSQL.DB")"), 0);
    EXPECT_EQ(dir.stored().count(R"(SELECT COUNT(*) FROM "FoodSQLRules.DB")"), 0);

    // Accepted with a saved search: stored with its rule, and run at once.
    createWhipped(true);
    clickNode(child(FormMain->NodeFoodAdvancedSearch, "Edit Advanced Search"));
    EXPECT_EQ(children(FormMain->NodeFoodAdvancedSearch), (QStringList{"New Search", "Edit Advanced Search", "Whipped"}));
    EXPECT_EQ(selected(), "Whipped");
    EXPECT_EQ(label(), "Advanced Search: Whipped");
    EXPECT_EQ(listRows(), storedFoods("LOWER(\"Desc\") LIKE '%whipped%'"));
    EXPECT_EQ(dir.stored().count(R"(SELECT COUNT(*) FROM "FoodSQL.DB" WHERE "SQL Name" = 'Whipped')"), 1);
    EXPECT_EQ(dir.stored().count(R"(SELECT COUNT(*) FROM "FoodSQLRules.DB")"), 1);
    EXPECT_TRUE(dialogs.allUsed());
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(FoodsPage, AFoodUsedInARecipeIsNotDeletedAndAnUnusedOneIsAfterYes)
{
    ASSERT_GT(dir.stored().count("SELECT COUNT(*) FROM \"Rescipe_ingredients.DB\" WHERE NDB_No = "
                                 + std::to_string(kButter)),
              0);
    const std::int64_t before = storedFoods();
    ui_test::click(FormMain->BtnDeleteFood);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{
                                    "Can't Delete a food used in recipe ingredients...\n Remove it from the Recipe(s) First!!"});
    EXPECT_EQ(storedFoods(), before);

    messages.clear();
    clickRow(FormMain->DBGrid2, 1);
    ASSERT_EQ(currentFood(), "Butter, whipped, with salt");
    messages.answer(true);
    ui_test::click(FormMain->BtnDeleteFood);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Are you sure you want to delete [ Butter, whipped, with salt ]"});
    const std::string number = std::to_string(kWhippedButter);
    EXPECT_EQ(storedFoods("NDB_No = " + number), 0);
    EXPECT_EQ(dir.stored().count("SELECT COUNT(*) FROM \"NUT_DATA.db\" WHERE NDB_No = " + number), 0);
    EXPECT_EQ(dir.stored().count("SELECT COUNT(*) FROM \"WEIGHT.db\" WHERE NDB_No = " + number), 0);
    EXPECT_EQ(selected(), "View All Foods");
    EXPECT_EQ(listRows(), before - 1);
}

TEST_F(FoodsPage, EditAndDeleteOnAnEmptyListOnlySaySo)
{
    clickNode(child(FormMain->NodeFoodGroups, "Baby Foods"));
    ASSERT_EQ(listRows(), 0);
    ui_test::click(FormMain->BtnEditFood);
    ui_test::click(FormMain->BtnDeleteFood);
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"No Selected Record to Edit", "No Selected Record to Delete"}));
}

TEST_F(FoodsPage, ANewFoodIsListedLastAmongAllFoodsAndACancelledOneKeepsTheListing)
{
    clickNode(child(FormMain->NodeFoodGroups, "Dairy and Egg Products"));
    const int groupRows = listRows();
    dialogs.expect([](TFormTemplateDialog&) { ui_test::click(DialogFoodEdit->BtnCancel); });
    ui_test::click(FormMain->BtnNewFood);
    EXPECT_EQ(selected(), "Dairy and Egg Products");
    EXPECT_EQ(listRows(), groupRows);

    const std::int64_t highest = dir.stored().count(R"(SELECT MAX(NDB_No) FROM "FOOD_DES.db")");
    dialogs.expect([](TFormTemplateDialog&) {
        QTest::keyClicks(DialogFoodEdit->DBEdit1, "Home-made ghee");
        ui_test::click(DialogFoodEdit->BtnOk);
    });
    ui_test::click(FormMain->BtnNewFood);
    EXPECT_EQ(selected(), "View All Foods");
    EXPECT_EQ(listRows(), storedFoods());
    EXPECT_EQ(currentFood(), "Home-made ghee");
    EXPECT_EQ(DataModuleFoods->dscFoodDesc.dataSet()->fieldByName("NDB_No").asInteger(), highest + 1);
    EXPECT_EQ(FormMain->DBGrid2->currentIndex().row(), listRows() - 1);
    EXPECT_TRUE(dialogs.allUsed());
}

} // namespace
