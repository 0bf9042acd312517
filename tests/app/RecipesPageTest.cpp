#include "tests/app/RecipesPageSupport.h"
#include "app/MainForm.h"
#include "foods/DatabaseFood.h"
#include "foods/FoodGroupEdit.h"
#include "foods/FoodGroups.h"
#include "foods/SimpleSearch.h"
#include "recipes/DatabaseRecipes.h"
#include "recipes/IngredientEdit.h"
#include "recipes/RecipeCuisineEdit.h"
#include "recipes/RecipeCuisines.h"
#include "recipes/RecipeEdit.h"
#include "recipes/RecipeTypeEdit.h"
#include "recipes/RecipeTypes.h"
#include "ui/AdvButton.h"
#include "ui/DataControls.h"
#include "ui/GraphicButton.h"
#include "ui/SkinImage.h"
#include "ui/UiTestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::int64_t kButter = 1001;
constexpr std::int64_t kRicotta = 1036;

const std::vector<std::string> kRecipeTables = {"Recipe_Des.DB", "Rescipe_ingredients.DB", "Recipe_DesAndTypes.DB",
                                                "Recipe_NUT_DATA.db"};

void type(QLineEdit* box, const QString& text)
{
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
    box->clearFocus(); // a number is taken when its box is left
}

class RecipesPage : public RecipesPageTest {
protected:
    ScriptedDialogs dialogs;

    // Data changed behind the program's back: start it again over the stored file.
    void restart()
    {
        DestroyApplicationObjects();
        CreateApplicationObjects();
        FormMain->show();
    }

    static std::string currentRecipe()
    {
        return DataModuleRecipes->dscDisplayRecipes.dataSet()->fieldByName("Recipe Name").asString();
    }

    // The name dialog of a new cuisine or type, typed into and closed.
    void expectName(TNameDialog* (*editor)(), const QString& name, bool ok)
    {
        dialogs.expect([=](TFormTemplateDialog&) {
            type(editor()->DBEdit1, name);
            ui_test::click(ok ? editor()->BtnOk : editor()->BtnCancel);
        });
    }
    static TNameDialog* cuisineEditor() { return DialogRecipeCuisineEdit; }
    static TNameDialog* typeEditor() { return DialogRecipeTypeEdit; }

    // The recipe wizard, scripted, through the page's button.
    void throughWizard(TGraphicButton* button, bool ok, const std::function<void()>& user = [] {})
    {
        dialogs.expect([=](TFormTemplateDialog&) {
            user();
            ui_test::click(ok ? DialogRecipeEdit->BtnOk : DialogRecipeEdit->BtnCancel);
        });
        ui_test::click(button);
    }

    std::int64_t rowsOf(std::int64_t recipe)
    {
        std::int64_t rows = 0;
        for (const auto& table : kRecipeTables)
            rows += dir.stored().count("SELECT COUNT(*) FROM \"" + table + "\" WHERE R_ID = " + std::to_string(recipe));
        return rows;
    }

    static TNavigationTree* foodTree() { return FormMain->TreeViewFoods; }
    static int foodRows() { return FormMain->DBGrid2->model()->rowCount(); }
};

TEST_F(RecipesPage, AFreshStartListsAllRecipesWithTheIngredientsTabInFront)
{
    EXPECT_EQ(FormMain->NotebookClient->currentIndex(), 0);
    EXPECT_EQ(selected(), QStringList{"View All Recipe"});
    EXPECT_EQ(label(), "View All Recipe");
    EXPECT_EQ(listed(), (QStringList{"Classic Pancakes", "Garden Salad", "Chicken and Rice"}));
    EXPECT_EQ(FormMain->PageControlRecipe->currentWidget(), FormMain->TabIngredients);
    QStringList tabs;
    for (int i = 0; i < FormMain->PageControlRecipe->count(); ++i)
        tabs << FormMain->PageControlRecipe->tabText(i);
    EXPECT_EQ(tabs, (QStringList{"Info", "Ingredients", "Procedures", "Types", "Source"}));

    QStringList roots;
    for (int i = 0; i < tree()->topLevelItemCount(); ++i)
        roots << tree()->topLevelItem(i)->text(0);
    EXPECT_EQ(roots, (QStringList{"Cuisines", "Recipes Types", "View All Recipe", "Simple Search", "Advanced Search"}));
    EXPECT_EQ(children(FormMain->NodeCuisines).size(), 2 + 12);
    EXPECT_EQ(children(FormMain->NodeCuisines).mid(0, 3), (QStringList{"New Cuisine", "Edit Cuisines", "American"}));
    EXPECT_EQ(children(FormMain->NodeRecipeTypes).mid(0, 3),
              (QStringList{"New Recipe Type", "Edit Recipe Type", "Breakfast"}));
    EXPECT_EQ(children(FormMain->NodeRecipeSimpleSearch), QStringList{"New Search"});
    EXPECT_EQ(children(FormMain->NodeRecipeAdvancedSearch), (QStringList{"New Search", "Edit Advanced Search"}));

    // The first recipe's details, its totals and values per serve (4 serves).
    EXPECT_EQ(FormMain->DBEdit1->text(), "American");
    EXPECT_EQ(FormMain->DBGridRIngredientList->model()->rowCount(), 5);
    EXPECT_EQ(FormMain->DBCtrlGrid2->ShownTexts(), (QStringList{"Breakfast", "Dessert"}));
    EXPECT_GT(FormMain->DBGridRecipeNutrientList->model()->rowCount(), 0);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(RecipesPage, CancelledSearchDialogsGoBackToTheNodeBeforeAndStoreNothing)
{
    clickNode(FormMain->NodeCuisines, "American");
    ASSERT_EQ(selected(), (QStringList{"Cuisines", "American"}));
    const auto stored = [&] {
        return dir.stored().count(R"(SELECT (SELECT count(*) FROM "RecipeSimpleSearch.db") * 100
            + (SELECT count(*) FROM "RecipeSQL.db") * 10 + (SELECT count(*) FROM "RecipeSQLRules.db"))");
    };
    const auto before = stored();
    for (int i = 0; i < 3; ++i)
        dialogs.expect([](TFormTemplateDialog& dialog) { dialog.CloseCancel(); });
    clickNode(FormMain->NodeRecipeSimpleSearch, "New Search");
    clickNode(FormMain->NodeRecipeAdvancedSearch, "New Search");
    clickNode(FormMain->NodeRecipeAdvancedSearch, "Edit Advanced Search");
    EXPECT_EQ(dialogs.shown(), (std::vector<std::string>{"DialogRecipeSimpleSearch", "DialogRecipeAdvancedSearchEdit",
                                                         "DialogRecipeAdvancedSearch"}));
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(selected(), (QStringList{"Cuisines", "American"}));
    EXPECT_EQ(FormMain->LastRecipeNode, (QStringList{"Cuisines", "American"}));
    EXPECT_EQ(label(), "Cuisines: American");
    EXPECT_EQ(listed(), QStringList{"Classic Pancakes"});
}

TEST_F(RecipesPage, ArrowKeysSelectAndRunTheNodeActionNodesIncluded)
{
    clickNode(FormMain->NodeRecipeTypes, "Breakfast");
    tree()->setFocus();
    QTest::keyClick(tree(), Qt::Key_Down); // Lunch: no starter recipe
    EXPECT_EQ(label(), "Recipes Types: Lunch");
    EXPECT_TRUE(listed().isEmpty());
    QTest::keyClick(tree(), Qt::Key_Down);
    EXPECT_EQ(listed(), QStringList{"Chicken and Rice"});

    // Up onto the action node opens its dialog at once; cancelling comes back.
    dialogs.expect([](TFormTemplateDialog& list) { list.CloseCancel(); });
    for (int up = 0; up < 3; ++up)
        QTest::keyClick(tree(), Qt::Key_Up);
    EXPECT_EQ(dialogs.shown(), std::vector<std::string>{"DialogRecipeTypes"});
    EXPECT_EQ(selected(), (QStringList{"Recipes Types", "Breakfast"}));

    // A right click selects as well.
    QTreeWidgetItem* salad = TNavigationTree::ChildByText(FormMain->NodeRecipeTypes, "Salad");
    QTest::mouseClick(tree()->viewport(), Qt::RightButton, {}, tree()->visualItemRect(salad).center());
    EXPECT_EQ(listed(), QStringList{"Garden Salad"});
}

TEST_F(RecipesPage, ACuisineCreatedIsSelectedWithItsEmptyListAndACancelledOneRestoresTheNodeBefore)
{
    clickNode(FormMain->NodeRecipeTypes, "Dinner");
    expectName(cuisineEditor, "Nordic", true);
    clickNode(FormMain->NodeCuisines, "New Cuisine");
    EXPECT_EQ(dir.stored().count(R"(SELECT COUNT(*) FROM "Recipe_Cuisine.DB" WHERE Cuisine = 'Nordic')"), 1);
    EXPECT_EQ(selected(), (QStringList{"Cuisines", "Nordic"}));
    EXPECT_EQ(children(FormMain->NodeCuisines).back(), "Nordic");
    EXPECT_EQ(label(), "Cuisines: Nordic");
    EXPECT_TRUE(listed().isEmpty());

    clickNode(FormMain->NodeRecipeTypes, "Dinner");
    expectName(cuisineEditor, "Not kept", false);
    clickNode(FormMain->NodeCuisines, "New Cuisine");
    EXPECT_EQ(dir.stored().count(R"(SELECT COUNT(*) FROM "Recipe_Cuisine.DB")"), 13);
    EXPECT_FALSE(DataModuleRecipes->tblRecipeCuisine2.updatesPending());
    EXPECT_EQ(selected(), (QStringList{"Recipes Types", "Dinner"}));
    EXPECT_EQ(label(), "Recipes Types: Dinner");
    EXPECT_EQ(listed(), QStringList{"Chicken and Rice"});
    EXPECT_TRUE(dialogs.allUsed());
}

TEST_F(RecipesPage, ACuisineRenamedInTheListIsStoredAndItsNodeSelected)
{
    dialogs.expect([](TFormTemplateDialog&) {
        ASSERT_TRUE(DataModuleRecipes->tblRecipeCuisine2.locate("Cuisine", Value(std::string("Spanish"))));
        ui_test::click(DialogRecipeCuisines->BtnEdit);
        ui_test::click(DialogRecipeCuisines->BtnOk);
    });
    expectName(cuisineEditor, "Catalan", true);
    clickNode(FormMain->NodeCuisines, "Edit Cuisines");
    EXPECT_EQ(dir.stored().rows(R"(SELECT Cuisine FROM "Recipe_Cuisine.DB" WHERE Cuisine_ID = 9)"),
              std::vector<std::string>{"Catalan"});
    EXPECT_EQ(selected(), (QStringList{"Cuisines", "Catalan"}));
    EXPECT_EQ(listed(), QStringList{"Chicken and Rice"});
    EXPECT_EQ(TNavigationTree::ChildByText(FormMain->NodeCuisines, "Spanish"), nullptr);
}

TEST_F(RecipesPage, ANewRecipeTypeGetsTheIdAfterTheHighestStoredAndItsNodeIsSelected)
{
    // A gap below the highest id: the next id is not the count plus one.
    dir.stored().execute(R"(DELETE FROM "Recipe_Types.DB" WHERE "Recipe Type" = 'Soup')");
    restart();
    expectName(typeEditor, "Stew", true);
    clickNode(FormMain->NodeRecipeTypes, "New Recipe Type");
    EXPECT_EQ(dir.stored().rows(R"(SELECT RTYPE_ID FROM "Recipe_Types.DB" WHERE "Recipe Type" = 'Stew')"),
              std::vector<std::string>{"13"});
    EXPECT_EQ(selected(), (QStringList{"Recipes Types", "Stew"}));
    EXPECT_EQ(label(), "Recipes Types: Stew");
    EXPECT_TRUE(listed().isEmpty());

    expectName(typeEditor, "Not kept", false);
    clickNode(FormMain->NodeRecipeTypes, "New Recipe Type");
    EXPECT_EQ(dir.stored().count(R"(SELECT COUNT(*) FROM "Recipe_Types.DB")"), 12);
    EXPECT_EQ(selected(), (QStringList{"Recipes Types", "Stew"}));
}

TEST_F(RecipesPage, ItemsNamedLikeActionNodesActAndLookLikeThem)
{
    dir.stored().execute(R"(INSERT INTO "Recipe_Types.DB" VALUES (40, 'Edit Recipe Type'))");
    restart();
    clickNode(FormMain->NodeCuisines, "Greek");
    QTreeWidgetItem* named = FormMain->NodeRecipeTypes->child(FormMain->NodeRecipeTypes->childCount() - 1);
    ASSERT_EQ(named->text(0), "Edit Recipe Type");
    EXPECT_EQ(customDrawNode(named, false, false).colour, colorFromNumber(8388736));
    dialogs.expect([](TFormTemplateDialog& list) { list.CloseCancel(); });
    clickNode(tree(), named);
    EXPECT_EQ(dialogs.shown(), std::vector<std::string>{"DialogRecipeTypes"});
    EXPECT_EQ(selected(), (QStringList{"Cuisines", "Greek"}));
}

TEST_F(RecipesPage, ARecipeCancelledKeepsTheNodeAndAnEmptyListHasNothingToEditOrDelete)
{
    clickNode(FormMain->NodeCuisines, "Chinese");
    ASSERT_TRUE(listed().isEmpty());
    ui_test::click(FormMain->ButtonDeleteRecipe); // nothing to delete, nothing asked
    ui_test::click(FormMain->BtnEditRecipes);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"No Selected Record to Edit"});

    throughWizard(FormMain->BtnNewRecipe, false, [] { type(DialogRecipeEdit->DBEditName, "Not kept"); });
    EXPECT_EQ(dir.stored().count(R"(SELECT COUNT(*) FROM "Recipe_Des.DB")"), 3);
    EXPECT_EQ(selected(), (QStringList{"Cuisines", "Chinese"}));
    EXPECT_EQ(dialogs.shown(), std::vector<std::string>{"DialogRecipeEdit"});
}

TEST_F(RecipesPage, AnEditedRecipeIsStoredAndItsValuesPerServeFollowTheServes)
{
    clickNode(FormMain->NodeRecipeTypes, "Salad");
    ASSERT_EQ(currentRecipe(), "Garden Salad");
    throughWizard(FormMain->BtnEditRecipes, true, [] { type(DialogRecipeEdit->DBEditServes, "4"); });
    EXPECT_EQ(dir.stored().rows(R"(SELECT "Number of Serves" FROM "Recipe_Des.DB" WHERE R_ID = 2)"),
              std::vector<std::string>{"4.0"});
    EXPECT_EQ(selected(), (QStringList{"Recipes Types", "Salad"}));
    EXPECT_EQ(FormMain->DBEdit2->text(), "4");
    RecordSet& nutrients = DataModuleRecipes->tblRecipeNutrientData;
    ASSERT_FALSE(nutrients.isEmpty());
    for (nutrients.first(); !nutrients.eof(); nutrients.next())
        EXPECT_NEAR(nutrients.fieldByName("Serve_Val").asFloat(), nutrients.fieldByName("Nutr_Val").asFloat() / 4, 1e-9);
}

TEST_F(RecipesPage, TheDeleteButtonAsksAndKeepsTheRecipeOnNo)
{
    const std::int64_t rows = rowsOf(1);
    messages.answer(false);
    ui_test::click(FormMain->ButtonDeleteRecipe);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Are you sure you want to delete [Classic Pancakes]"});
    EXPECT_EQ(rowsOf(1), rows);
    EXPECT_EQ(listed().size(), 3);
}

TEST_F(RecipesPage, TheWebPageHintIsTheLinkAsPlainTextAndEmptyWithoutOne)
{
    dir.stored().execute(R"(UPDATE "Recipe_Des.DB" SET "Web Page Name" = '<i>Grandma</i>',
                            "Web Page Link" = '<b>x</b><img src=y>' WHERE R_ID = 1)");
    restart();
    FormMain->PageControlRecipe->setCurrentWidget(FormMain->TabSource);
    TDBText* web = FormMain->dbTextWebName;
    EXPECT_EQ(web->text(), "<i>Grandma</i>");
    EXPECT_EQ(web->textFormat(), Qt::PlainText);
    ui_test::send(web, QEvent::MouseMove, {3, 3});
    QTextDocument hint;
    hint.setHtml(web->toolTip());
    EXPECT_EQ(hint.toPlainText(), "<b>x</b><img src=y>");

    QTest::keyClick(FormMain->DBGridRecipeList, Qt::Key_Down); // a recipe without a link
    ui_test::send(web, QEvent::MouseMove, {3, 3});
    EXPECT_EQ(web->toolTip(), "");
    clickNode(FormMain->NodeCuisines, "Chinese"); // no recipe at all
    ui_test::send(web, QEvent::MouseMove, {3, 3});
    EXPECT_EQ(web->toolTip(), "");
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(RecipesPage, NamesInTheDisplayLabelShowAsTyped)
{
    expectName(cuisineEditor, "<b>Bold</b>", true);
    clickNode(FormMain->NodeCuisines, "New Cuisine");
    EXPECT_EQ(label(), "Cuisines: <b>Bold</b>");
    EXPECT_EQ(FormMain->LabelActiveDispalyRecipes->textFormat(), Qt::PlainText);
}

// The Foods page around the recipe dialog.
class RecipesPageAndFoods : public RecipesPage {
protected:
    void SetUp() override
    {
        RecipesPage::SetUp();
        ui_test::click(FormMain->BtnFoods);
    }

    void searchFoods(const QString& keyword)
    {
        dialogs.expect([=](TFormTemplateDialog&) {
            QTest::keyClicks(DialogSimpleSearch->EditSearchSimple, keyword);
            QTest::keyClick(DialogSimpleSearch->EditSearchSimple, Qt::Key_Return);
        });
        clickNode(foodTree(), TNavigationTree::ChildByText(FormMain->NodeFoodSimpleSearch, "New Search"));
    }

    std::int64_t storedFoods(const std::string& where)
    {
        return dir.stored().count(R"(SELECT COUNT(*) FROM "FOOD_DES.db" WHERE )" + where);
    }
};

TEST_F(RecipesPageAndFoods, TheFoodListingRunsAgainAfterTheRecipeDialogButNotAfterADelete)
{
    searchFoods("butter");
    const std::int64_t butters = storedFoods(R"(LOWER("Desc") LIKE '%butter%')");
    ASSERT_EQ(foodRows(), butters);
    ASSERT_EQ(FormMain->LabelActiveDispalyFoods->text(), "Simple Search : butter");

    // Picking ingredients lists all foods; closing the dialog searches again.
    throughWizard(FormMain->BtnEditRecipes, false, [] {
        DataModuleFoods->QueryAllFoods();
        DataModuleFoods->ShowSearchResults();
    });
    EXPECT_EQ(foodRows(), butters);
    EXPECT_EQ(nodePath(foodTree()->Selected()), (QStringList{"Simple Search", "butter"}));

    throughWizard(FormMain->BtnNewRecipe, true, [] {
        type(DialogRecipeEdit->DBEditName, "Kept");
        DataModuleFoods->QueryAllFoods();
        DataModuleFoods->ShowSearchResults();
    });
    EXPECT_EQ(foodRows(), butters);

    // A delete leaves the food list where it stood.
    DataModuleFoods->dscFoodDesc.dataSet()->setRecNo(2);
    messages.answer(true);
    ui_test::click(FormMain->ButtonDeleteRecipe);
    EXPECT_EQ(dir.stored().count(R"(SELECT COUNT(*) FROM "Recipe_Des.DB" WHERE "Recipe Name" = 'Kept')"), 0);
    EXPECT_EQ(DataModuleFoods->dscFoodDesc.dataSet()->recNo(), 2);
}

TEST_F(RecipesPageAndFoods, AnActionNodeLeftSelectedOnTheFoodsPageDoesNotRunAgain)
{
    clickNode(foodTree(), TNavigationTree::ChildByText(FormMain->NodeFoodAdvancedSearch, "New Search"));
    ASSERT_EQ(messages.texts().size(), 1u);
    throughWizard(FormMain->BtnEditRecipes, false, [] { DataModuleFoods->SearchFoodsByKeyword("cheese"); });
    EXPECT_EQ(messages.texts().size(), 1u) << "the action's message came again";
    // The listing shown under the action node is listed again.
    EXPECT_EQ(foodRows(), storedFoods("1"));
    EXPECT_EQ(FormMain->LabelActiveDispalyFoods->text(), "View All Foods");
}

TEST_F(RecipesPageAndFoods, AGroupRenamedInTheIngredientDialogLeavesTreeLabelAndListInAgreement)
{
    clickNode(foodTree(), TNavigationTree::ChildByText(FormMain->NodeFoodGroups, "Fats and Oils"));
    const std::int64_t oils = storedFoods("FdGrp_Cd = 400");
    ASSERT_EQ(foodRows(), oils);

    throughWizard(FormMain->BtnNewRecipe, false, [&] {
        ui_test::click(DialogRecipeEdit->BtnNext);
        dialogs.expect([&](TFormTemplateDialog&) {
            TDialogIngredientEdit& ingredient = *DialogIngredientEdit;
            dialogs.expect([](TFormTemplateDialog&) {
                ASSERT_TRUE(DataModuleFoods->tblFoodGroups2.locate("FdGrp_Desc", Value(std::string("Fats and Oils"))));
                ui_test::click(DialogFoodGroups->BtnEdit);
                ui_test::click(DialogFoodGroups->BtnOk);
            });
            dialogs.expect([](TFormTemplateDialog&) {
                type(DialogFoodGroupEdit->DBEdit1, "Oils");
                ui_test::click(DialogFoodGroupEdit->BtnOk);
            });
            ui_test::click(ingredient.SpeedButton1, QPointF(10, 10));
            QMenu* menu = ingredient.PopupMenu1;
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(ingredient.DisplaybyFoodGroup1).center());
            // The Foods page follows at once.
            EXPECT_EQ(nodePath(foodTree()->Selected()), (QStringList{"Food Groups", "Oils"}));
            EXPECT_EQ(FormMain->LabelActiveDispalyFoods->text(), "Food Group: Oils");
            ui_test::click(ingredient.BtnCancel);
        });
        ui_test::click(DialogRecipeEdit->BtnCreate);
    });
    EXPECT_TRUE(dialogs.allUsed());
    EXPECT_EQ(nodePath(foodTree()->Selected()), (QStringList{"Food Groups", "Oils"}));
    EXPECT_EQ(FormMain->LabelActiveDispalyFoods->text(), "Food Group: Oils");
    EXPECT_EQ(foodRows(), oils);
    EXPECT_EQ(TNavigationTree::ChildByText(FormMain->NodeFoodGroups, "Fats and Oils"), nullptr);
}

TEST_F(RecipesPageAndFoods, AGroupDeletedInTheIngredientDialogListsAllFoods)
{
    dir.stored().execute(R"(INSERT INTO "FD_GROUP.db" VALUES (9900, 'Empty shelf'))");
    restart();
    ui_test::click(FormMain->BtnFoods);
    clickNode(foodTree(), TNavigationTree::ChildByText(FormMain->NodeFoodGroups, "Empty shelf"));
    ASSERT_EQ(foodRows(), 0);
    messages.answer(true);
    throughWizard(FormMain->BtnNewRecipe, false, [&] {
        ui_test::click(DialogRecipeEdit->BtnNext);
        dialogs.expect([&](TFormTemplateDialog&) {
            TDialogIngredientEdit& ingredient = *DialogIngredientEdit;
            dialogs.expect([](TFormTemplateDialog&) {
                ASSERT_TRUE(DataModuleFoods->tblFoodGroups2.locate("FdGrp_Desc", Value(std::string("Empty shelf"))));
                ui_test::click(DialogFoodGroups->BtnDelete);
                ASSERT_TRUE(DataModuleFoods->tblFoodGroups2.locate("FdGrp_Desc", Value(std::string("Beverages"))));
                ui_test::click(DialogFoodGroups->BtnOk);
            });
            ui_test::click(ingredient.SpeedButton1, QPointF(10, 10));
            QMenu* menu = ingredient.PopupMenu1;
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(ingredient.DisplaybyFoodGroup1).center());
            ui_test::click(ingredient.BtnCancel);
        });
        ui_test::click(DialogRecipeEdit->BtnCreate);
    });
    EXPECT_EQ(dir.stored().count(R"(SELECT COUNT(*) FROM "FD_GROUP.db" WHERE FdGrp_Cd = 9900)"), 0);
    // The dialog listed Beverages: the Foods page shows that group, its node found after the rebuild.
    EXPECT_EQ(nodePath(foodTree()->Selected()), (QStringList{"Food Groups", "Beverages"}));
    EXPECT_EQ(foodRows(), storedFoods("FdGrp_Cd = 1400"));
}

TEST_F(RecipesPageAndFoods, AKeywordSearchedInTheIngredientDialogIsListedUnderSimpleSearch)
{
    throughWizard(FormMain->BtnNewRecipe, false, [&] {
        ui_test::click(DialogRecipeEdit->BtnNext);
        dialogs.expect([&](TFormTemplateDialog&) {
            TDialogIngredientEdit& ingredient = *DialogIngredientEdit;
            dialogs.expect([](TFormTemplateDialog&) {
                QTest::keyClicks(DialogSimpleSearch->EditSearchSimple, "cheese");
                QTest::keyClick(DialogSimpleSearch->EditSearchSimple, Qt::Key_Return);
            });
            ui_test::click(ingredient.SpeedButton1, QPointF(10, 10));
            QMenu* menu = ingredient.PopupMenu1;
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(ingredient.SimpleSearch1).center());
            ui_test::click(ingredient.BtnCancel);
        });
        ui_test::click(DialogRecipeEdit->BtnCreate);
    });
    EXPECT_TRUE(dialogs.allUsed());
    EXPECT_EQ(nodePath(foodTree()->Selected()), (QStringList{"Simple Search", "cheese"}));
    EXPECT_EQ(FormMain->LabelActiveDispalyFoods->text(), "Simple Search : cheese");
    EXPECT_EQ(foodRows(), storedFoods(R"(LOWER("Desc") LIKE '%cheese%')"));
}

// A whole sitting as a new user has it: a cuisine, a type, a recipe with two linked
// ingredients found under both, its figures checked, then deleted again.
TEST_F(RecipesPage, ANewUsersRecipeIsFoundUnderItsCuisineAndTypeWithItsTotalsAndGoesWhenDeleted)
{
    expectName(cuisineEditor, "Nordic", true);
    clickNode(FormMain->NodeCuisines, "New Cuisine");
    expectName(typeEditor, "Supper", true);
    clickNode(FormMain->NodeRecipeTypes, "New Recipe Type");

    const auto ingredient = [this](const QString& name, std::int64_t food, const QString& amount, bool inGrams) {
        dialogs.expect([=](TFormTemplateDialog&) {
            TDialogIngredientEdit& dialog = *DialogIngredientEdit;
            type(dialog.DBEdit2, name);
            ASSERT_TRUE(DataModuleFoods->dscFoodDesc.dataSet()->locate("NDB_No", Value(food)));
            ui_test::click(inGrams ? dialog.rdInGram : dialog.rdByMeasure);
            if (!inGrams)
                dialog.ComboBoxMeasures->setCurrentIndex(dialog.ComboBoxMeasures->findText("tbsp"));
            type(dialog.EditAmount, amount);
            ui_test::click(dialog.btnAddLinkIngredient);
            ui_test::click(dialog.BtnOk);
        });
        ui_test::click(DialogRecipeEdit->BtnCreate);
    };
    throughWizard(FormMain->BtnNewRecipe, true, [&] {
        TDialogRecipeEdit& wizard = *DialogRecipeEdit;
        type(wizard.DBEditName, "Ricotta on butter");
        QTest::keyClick(wizard.DBLookupComboBoxCuisine, Qt::Key_End); // the newest cuisine
        type(wizard.DBEditServes, "3");
        ui_test::click(wizard.BtnNext);
        ingredient("Butter", kButter, "2", false); // two tbsp: 28.4 g
        ingredient("Ricotta", kRicotta, "150", true);
        ui_test::click(wizard.BtnNext);
        ui_test::click(wizard.BtnNext);
        ASSERT_TRUE(DataModuleRecipes->tblRecipeTypes2.locate("Recipe Type", Value(std::string("Supper"))));
        ui_test::click(wizard.GraphicButton2);
        ui_test::click(wizard.BtnNext);
        ui_test::click(wizard.GraphicButton6);
    });
    EXPECT_TRUE(dialogs.allUsed());
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(selected(), QStringList{"View All Recipe"});
    EXPECT_EQ(currentRecipe(), "Ricotta on butter");
    const std::int64_t id = dir.stored().count(R"(SELECT R_ID FROM "Recipe_Des.DB" WHERE "Recipe Name" = 'Ricotta on butter')");
    EXPECT_EQ(id, 4);
    EXPECT_EQ(dir.stored().rows("SELECT NDB_No, NDB_ByGram, WeightInGram FROM \"Rescipe_ingredients.DB\" WHERE R_ID = 4 "
                                "ORDER BY R_ING_ID"),
              (std::vector<std::string>{"1001|0|28.4", "1036|1|150.0"}));

    clickNode(FormMain->NodeCuisines, "Nordic");
    EXPECT_EQ(listed(), QStringList{"Ricotta on butter"});
    clickNode(FormMain->NodeRecipeTypes, "Supper");
    EXPECT_EQ(listed(), QStringList{"Ricotta on butter"});

    // The grid's totals against an independent sum, and per serve a third of them.
    const auto expected = dir.stored().rows(
        "SELECT d.Nutr_Desc, printf('%.6f', SUM(n.Nutr_Val * i.WeightInGram * 0.01)) FROM \"NUT_DATA.db\" n "
        "JOIN \"Rescipe_ingredients.DB\" i ON i.NDB_No = n.NDB_No JOIN \"NUTR_DEF.db\" d ON d.Nutr_No = n.Nutr_No "
        "WHERE i.R_ID = 4 AND n.Nutr_No IN (SELECT Nutr_No FROM \"Nutr_Preference.db\") GROUP BY n.Nutr_No "
        "ORDER BY 1");
    RecordSet& nutrients = DataModuleRecipes->tblRecipeNutrientData;
    std::vector<std::string> shown;
    nutrients.first();
    for (int row = 0; row < nutrients.recordCount(); ++row, nutrients.next()) {
        const double total = nutrients.fieldByName("Nutr_Val").asFloat();
        char line[128];
        std::snprintf(line, sizeof line, "%s|%.6f", nutrients.fieldByName("Nutr_Desc").asString().c_str(), total);
        shown.push_back(line);
        EXPECT_NEAR(nutrients.fieldByName("Serve_Val").asFloat(), total / 3, 1e-9);
    }
    EXPECT_EQ(FormMain->DBGridRecipeNutrientList->model()->rowCount(), static_cast<int>(expected.size()));
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, expected);

    messages.answer(true);
    ui_test::click(FormMain->ButtonDeleteRecipe);
    EXPECT_EQ(rowsOf(id), 0);
    EXPECT_TRUE(listed().isEmpty());
}

} // namespace
