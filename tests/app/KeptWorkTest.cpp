#include "tests/app/AppTestSupport.h"
#include "app/MainForm.h"
#include "foods/AdvancedSearch.h"
#include "foods/DatabaseFood.h"
#include "foods/FoodEdit.h"
#include "foods/FoodGroupEdit.h"
#include "foods/FoodGroups.h"
#include "foods/Preference.h"
#include "foods/SimpleSearch.h"
#include "recipes/DatabaseRecipes.h"
#include "recipes/RecipeCuisineEdit.h"
#include "recipes/RecipeCuisines.h"
#include "recipes/RecipeEdit.h"
#include "recipes/RecipeTypeEdit.h"
#include "recipes/RecipeTypes.h"
#include "store/Database.h"
#include "store/ProgramError.h"
#include "store/Sqlite.h"
#include "ui/AdvButton.h"
#include "ui/DataControls.h"
#include "ui/GraphicButton.h"
#include "ui/NavigationTree.h"
#include "ui/UiTestSupport.h"

#include <QLineEdit>
#include <QApplication>
#include <QCursor>
#include <QTest>
#include <QTimer>

#include <optional>

// A dialog whose store fails (the file is held by another program, or cannot be
// written) stays open with everything typed; OK then stores it once, and only
// its own Cancel drops it.
namespace {

bool mentions(const std::vector<std::string>& texts, const std::string& part)
{
    return std::any_of(texts.begin(), texts.end(), [&](const std::string& text) { return text.find(part) != std::string::npos; });
}

class KeptWork : public ProgramTest {
protected:
    ScriptedDialogs dialogs;

    void SetUp() override
    {
        ProgramTest::SetUp();
        FormMain->show();
    }

    std::int64_t count(const std::string& sql) { return dir.stored().count(sql); }

    // OK while another program holds the file: the dialog stays open, says what
    // happened and that OK tries again; OK after the file is free stores.
    void okWhileHeldThenOk(TFormTemplateDialog& dialog, TGraphicButton* ok)
    {
        {
            HeldDataFile other(dir.databaseFile());
            ui_test::click(ok);
            EXPECT_TRUE(dialog.isVisible()) << dialog.objectName().toStdString();
            EXPECT_TRUE(mentions(messages.texts(), "in use by another program")) << dialog.objectName().toStdString();
            EXPECT_TRUE(mentions(messages.texts(), "OK tries again"));
        }
        messages.clear();
        ui_test::click(ok);
        EXPECT_FALSE(dialog.isVisible()) << dialog.objectName().toStdString();
        EXPECT_TRUE(messages.texts().empty());
    }

    static void clickNode(TNavigationTree* tree, QTreeWidgetItem* node)
    {
        ASSERT_NE(node, nullptr);
        if (node->parent())
            node->parent()->setExpanded(true);
        tree->scrollToItem(node);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
    }
};

TEST_F(KeptWork, ARecipeWizardOkOnAHeldFileKeepsTheRecipeOpenAndEditableAndALaterOkStoresItOnce)
{
    const auto recipes = count(R"(SELECT count(*) FROM "Recipe_Des.DB")");
    dialogs.expect([&](TFormTemplateDialog& dialog) {
        typeInto(DialogRecipeEdit->DBEditName, "Kept through a busy file");
        okWhileHeldThenOk(dialog, DialogRecipeEdit->BtnOk);
    });
    dialogs.expect([&](TFormTemplateDialog& dialog) {
        typeInto(DialogRecipeEdit->DBEditName, "Typed");
        {
            HeldDataFile other(dir.databaseFile());
            ui_test::click(DialogRecipeEdit->BtnOk);
            ASSERT_TRUE(dialog.isVisible());
            // Still the user's recipe: the boxes take typing.
            EXPECT_FALSE(DialogRecipeEdit->DBEditName->isReadOnly());
            typeInto(DialogRecipeEdit->DBEditName, "Typed again");
        }
        ui_test::click(DialogRecipeEdit->BtnCancel);
    });
    ui_test::click(FormMain->BtnNewRecipe);
    ui_test::click(FormMain->BtnNewRecipe);
    EXPECT_EQ(count(R"(SELECT count(*) FROM "Recipe_Des.DB")"), recipes + 1);
    EXPECT_EQ(count(R"(SELECT count(*) FROM "Recipe_Des.DB" WHERE "Recipe Name" = 'Kept through a busy file')"), 1);
    EXPECT_EQ(count(R"(SELECT count(*) FROM "Recipe_Des.DB" WHERE "Recipe Name" LIKE 'Typed%')"), 0);
    EXPECT_TRUE(dialogs.allUsed());
}

TEST_F(KeptWork, AFoodWizardOkOnAHeldFileKeepsTheFoodUntilItIsStored)
{
    dialogs.expect([&](TFormTemplateDialog& dialog) {
        typeInto(DialogFoodEdit->DBEdit1, "Kept ghee");
        okWhileHeldThenOk(dialog, DialogFoodEdit->BtnOk);
    });
    ui_test::click(FormMain->BtnNewFood);
    EXPECT_EQ(count(R"(SELECT count(*) FROM "FOOD_DES.db" WHERE "Desc" = 'Kept ghee')"), 1);
}

TEST_F(KeptWork, NameDialogsAndListsOfTheTreesKeepTheirWorkOnAHeldFile)
{
    // A new cuisine, then the cuisine list renaming it.
    dialogs.expect([&](TFormTemplateDialog& dialog) {
        typeInto(DialogRecipeCuisineEdit->DBEdit1, "Basque");
        okWhileHeldThenOk(dialog, DialogRecipeCuisineEdit->BtnOk);
    });
    clickNode(FormMain->TreeViewRecipes, TNavigationTree::ChildByText(FormMain->NodeCuisines, "New Cuisine"));
    EXPECT_EQ(count(R"(SELECT count(*) FROM "Recipe_Cuisine.DB" WHERE Cuisine = 'Basque')"), 1);

    // A new recipe type.
    dialogs.expect([&](TFormTemplateDialog& dialog) {
        typeInto(DialogRecipeTypeEdit->DBEdit1, "Pintxos");
        okWhileHeldThenOk(dialog, DialogRecipeTypeEdit->BtnOk);
    });
    clickNode(FormMain->TreeViewRecipes, TNavigationTree::ChildByText(FormMain->NodeRecipeTypes, "New Recipe Type"));
    EXPECT_EQ(count(R"(SELECT count(*) FROM "Recipe_Types.DB" WHERE "Recipe Type" = 'Pintxos')"), 1);

    // A new food group, and the food group list.
    ui_test::click(FormMain->BtnFoods);
    dialogs.expect([&](TFormTemplateDialog& dialog) {
        typeInto(DialogFoodGroupEdit->DBEdit1, "Home Baking");
        okWhileHeldThenOk(dialog, DialogFoodGroupEdit->BtnOk);
    });
    clickNode(FormMain->TreeViewFoods, TNavigationTree::ChildByText(FormMain->NodeFoodGroups, "New Food Group"));
    EXPECT_EQ(count(R"(SELECT count(*) FROM "FD_GROUP.db" WHERE FdGrp_Desc = 'Home Baking')"), 1);

    dialogs.expect([&](TFormTemplateDialog& dialog) {
        ui_test::click(DialogFoodGroups->BtnCreate);
        okWhileHeldThenOk(dialog, DialogFoodGroups->BtnOk);
    });
    dialogs.expect([](TFormTemplateDialog&) {
        typeInto(DialogFoodGroupEdit->DBEdit1, "Preserves");
        ui_test::click(DialogFoodGroupEdit->BtnOk);
    });
    clickNode(FormMain->TreeViewFoods, TNavigationTree::ChildByText(FormMain->NodeFoodGroups, "Edit Food Groups"));
    EXPECT_EQ(count(R"(SELECT count(*) FROM "FD_GROUP.db" WHERE FdGrp_Desc = 'Preserves')"), 1);
    EXPECT_TRUE(dialogs.allUsed());
}

TEST_F(KeptWork, MyNutrientsKeepsItsChoiceOnAHeldFileAndShowsNothingUnstoredOnceCancelled)
{
    const auto before = count(R"(SELECT count(*) FROM "Nutr_Preference.db")");
    dialogs.expect([&](TFormTemplateDialog& dialog) {
        ASSERT_TRUE(DataModuleFoods->tblNutrientDef.locate("Nutr_No", Value(std::int64_t{318})));
        DialogPreference->GraphicButton2Click();
        okWhileHeldThenOk(dialog, DialogPreference->BtnOk);
    });
    FormMain->btnPreferenceClick();
    EXPECT_EQ(count(R"(SELECT count(*) FROM "Nutr_Preference.db" WHERE Nutr_No = 318)"), 1);

    dialogs.expect([&](TFormTemplateDialog& dialog) {
        ASSERT_TRUE(DataModuleFoods->tblNutrientDef.locate("Nutr_No", Value(std::int64_t{320})));
        DialogPreference->GraphicButton2Click();
        HeldDataFile other(dir.databaseFile());
        ui_test::click(DialogPreference->BtnOk);
        ASSERT_TRUE(dialog.isVisible());
        ui_test::click(DialogPreference->BtnCancel);
    });
    FormMain->btnPreferenceClick();
    EXPECT_EQ(count(R"(SELECT count(*) FROM "Nutr_Preference.db")"), before + 1);
    EXPECT_EQ(DataModuleFoods->tblNutrientData.filter().find("320"), std::string::npos);
}

TEST_F(KeptWork, ANewRowWhoseNumberCannotBeReadIsNoRowAndIsNeverStored)
{
    ui_test::click(FormMain->BtnFoods);
    const auto groups = count(R"(SELECT count(*) FROM "FD_GROUP.db")");
    dialogs.expect([&](TFormTemplateDialog&) {
        {
            HeldDataFile other(dir.databaseFile(), HeldDataFile::Hold::Everything);
            ui_test::click(DialogFoodGroups->BtnCreate); // reading the highest code fails
        }
        EXPECT_TRUE(mentions(messages.texts(), "in use by another program"));
        EXPECT_NE(DataModuleFoods->tblFoodGroups2.state(), DataSetState::Insert);
        ui_test::click(DialogFoodGroups->BtnOk);
    });
    clickNode(FormMain->TreeViewFoods, TNavigationTree::ChildByText(FormMain->NodeFoodGroups, "Edit Food Groups"));
    EXPECT_EQ(count(R"(SELECT count(*) FROM "FD_GROUP.db")"), groups);
    EXPECT_EQ(count(R"(SELECT count(*) FROM "FD_GROUP.db" WHERE FdGrp_Desc IS NULL OR FdGrp_Desc = '')"), 0);
    EXPECT_TRUE(dialogs.allUsed());
}

TEST_F(KeptWork, WaitingForABusyFileKeepsTheEventLoopTurningUnderABusyCursorAndEndsInTheMessage)
{
    RecordSet& groups = DataModuleFoods->tblFoodGroups2;
    groups.append();
    groups.fieldByName("FdGrp_Cd").setAsInteger(9900);
    groups.post();
    bool turnedWhileWaiting = false;
    bool busyCursorShown = false;
    {
        HeldDataFile other(dir.databaseFile());
        SqliteDatabase::setBusyTimeout(std::chrono::milliseconds(300));
        // A timer stands for the repaints a window needs while the file is waited for.
        QTimer::singleShot(50, [&] {
            turnedWhileWaiting = true;
            busyCursorShown = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        });
        EXPECT_EQ(errorOf([&] { groups.applyUpdates(); }),
                  "The data file data/saporia.sqlite is in use by another program.\nThe change was not stored.");
    }
    EXPECT_TRUE(turnedWhileWaiting);
    EXPECT_TRUE(busyCursorShown);
    QTest::qWait(200); // the wait is over: the cursor goes back
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    groups.cancelUpdates();
}

class ReadOnlyData : public KeptWork {
protected:
    std::optional<ReadOnlyDataFolders> readOnly;

    void SetUp() override
    {
        readOnly.emplace(); // the file as a user who may not write it sees it
        KeptWork::SetUp();
        messages.clear(); // start-up's own notice is not the test's
    }
    void TearDown() override
    {
        KeptWork::TearDown();
        readOnly.reset();
    }
};

TEST_F(ReadOnlyData, ASearchRunsWithoutWritingItsHistoryAndADialogThatWouldStoreSaysItCannotAndCancels)
{
    ui_test::click(FormMain->BtnFoods);
    dialogs.expect([](TFormTemplateDialog&) {
        QTest::keyClicks(DialogSimpleSearch->EditSearchSimple, "cheese");
        QTest::keyClick(DialogSimpleSearch->EditSearchSimple, Qt::Key_Return);
    });
    clickNode(FormMain->TreeViewFoods, TNavigationTree::ChildByText(FormMain->NodeFoodSimpleSearch, "New Search"));
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_GT(DataModuleFoods->dscFoodDesc.dataSet()->recordCount(), 0);
    EXPECT_EQ(count(R"(SELECT count(*) FROM "FoodSimpleSearch.db")"), 0);

    dialogs.expect([&](TFormTemplateDialog& dialog) {
        typeInto(DialogRecipeEdit->DBEditName, "Never stored");
        ui_test::click(DialogRecipeEdit->BtnOk);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(mentions(messages.texts(), "read-only"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    ui_test::click(FormMain->BtnRecipes);
    ui_test::click(FormMain->BtnNewRecipe);
    EXPECT_EQ(count(R"(SELECT count(*) FROM "Recipe_Des.DB" WHERE "Recipe Name" = 'Never stored')"), 0);
    EXPECT_TRUE(dialogs.allUsed());
}

} // namespace
