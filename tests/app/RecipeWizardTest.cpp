#include "tests/app/AppTestSupport.h"
#include "foods/DatabaseFood.h"
#include "recipes/DatabaseRecipes.h"
#include "recipes/IngredientEdit.h"
#include "recipes/RecipeEdit.h"
#include "recipes/RecipeNutrientValue.h"
#include "store/ProgramError.h"
#include "ui/DataControls.h"
#include "ui/GraphicButton.h"
#include "ui/UiTestSupport.h"
#include "ui/WizardPages.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace {

constexpr std::int64_t kButter = 1001;
constexpr std::int64_t kRicotta = 1036;
constexpr std::int64_t kProtein = 203;
constexpr std::int64_t kPancakes = 1; // a starter recipe: five ingredients, two types

TDialogRecipeEdit& wizard()
{
    return *DialogRecipeEdit;
}

void type(QLineEdit* box, const QString& text)
{
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
    box->clearFocus(); // a number is taken when its box is left
}

void next(int times = 1)
{
    for (int i = 0; i < times; ++i)
        ui_test::click(wizard().BtnNext);
}

void showTab(QWidget* tab)
{
    QTabWidget* tabs = wizard().NutrientTabs;
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(tabs->indexOf(tab)).center());
}

QString cell(TDBGrid* grid, int row, int column)
{
    return grid->model()->data(grid->model()->index(row, column), Qt::DisplayRole).toString();
}

const std::vector<std::string> kRecipeTables = {"Recipe_Des.DB", "Rescipe_ingredients.DB", "Recipe_DesAndTypes.DB",
                                                "Recipe_NUT_DATA.db"};

class RecipeWizard : public ProgramTest {
protected:
    ScriptedDialogs dialogs;

    void SetUp() override
    {
        ProgramTest::SetUp();
        DataModuleFoods->QueryAllFoods();
        DataModuleFoods->ShowSearchResults();
    }

    // What the Recipes page does around the wizard; returns the recipe's id.
    std::int64_t newRecipe(bool ok, const std::function<void()>& user)
    {
        DataModuleRecipes->BeginNewRecipe();
        const std::int64_t id = DataModuleRecipes->tblRecipeDescEdit.fieldByName("R_ID").asInteger();
        dialogs.expect([&](TFormTemplateDialog&) {
            user();
            ui_test::click(ok ? wizard().BtnOk : wizard().BtnCancel);
        });
        if (wizard().ShowModal() == mrOk)
            DataModuleRecipes->PostNewRecipe();
        else
            DataModuleRecipes->CancelNewRecipe();
        return id;
    }

    void editRecipe(std::int64_t id, bool ok, const std::function<void()>& user)
    {
        EXPECT_TRUE(DataModuleRecipes->tblDispalyRecipesAll.locate("R_ID", Value(id)));
        DataModuleRecipes->BeginEditRecipe();
        dialogs.expect([&](TFormTemplateDialog&) {
            user();
            ui_test::click(ok ? wizard().BtnOk : wizard().BtnCancel);
        });
        if (wizard().ShowModal() == mrOk)
            DataModuleRecipes->PostEditedRecipe();
        else
            DataModuleRecipes->CancelEditedRecipe();
    }

    // A new ingredient through the ingredient dialog, linked to `food` by its first
    // measure (`amount` of it) or in grams.
    void addIngredient(const QString& name, std::int64_t food, const QString& amount, bool inGrams)
    {
        dialogs.expect([=](TFormTemplateDialog&) {
            TDialogIngredientEdit& ingredient = *DialogIngredientEdit;
            type(ingredient.DBEdit2, name);
            ASSERT_TRUE(DataModuleFoods->qrySearchFoods.locate("NDB_No", Value(food)));
            ui_test::click(inGrams ? ingredient.rdInGram : ingredient.rdByMeasure);
            type(ingredient.EditAmount, amount);
            ui_test::click(ingredient.btnAddLinkIngredient);
            ui_test::click(ingredient.BtnOk);
        });
        ui_test::click(wizard().BtnCreate);
    }

    void addType(const char* name)
    {
        ASSERT_TRUE(DataModuleRecipes->tblRecipeTypes2.locate("Recipe Type", Value(std::string(name))));
        ui_test::click(wizard().GraphicButton2);
    }

    void addNutrient(std::int64_t nutrient, const QString& total)
    {
        ASSERT_TRUE(DataModuleFoods->tblNutrientDef.locate("Nutr_No", Value(nutrient)));
        dialogs.expect([=](TFormTemplateDialog&) {
            type(DialogRecipeNutrientValue->DBEdit1, total);
            ui_test::click(DialogRecipeNutrientValue->BtnOk);
        });
        ui_test::click(wizard().GraphicButton3);
    }

    std::vector<std::string> rowsOf(std::int64_t recipe)
    {
        std::vector<std::string> all;
        for (const auto& table : kRecipeTables)
            for (const auto& row : dir.stored().rows("SELECT * FROM \"" + table + "\" WHERE R_ID = "
                                                     + std::to_string(recipe) + " ORDER BY rowid"))
                all.push_back(table + ": " + row);
        return all;
    }

    std::int64_t countOf(const std::string& table, std::int64_t recipe)
    {
        return dir.stored().count("SELECT COUNT(*) FROM \"" + table + "\" WHERE R_ID = " + std::to_string(recipe));
    }
};

TEST_F(RecipeWizard, ANewRecipeIsStoredWithItsIngredientsTypeAndTotalsWorkedOutFromItsFoods)
{
    const std::int64_t id = newRecipe(true, [&] {
        type(wizard().DBEditName, "Ricotta toast");
        type(wizard().DBEditServes, "2");
        next();
        addIngredient("Butter", kButter, "10", true);
        addIngredient("Ricotta", kRicotta, "1", false); // one cup: 248 g
        EXPECT_EQ(cell(wizard().DBGridRIngredientList, 0, 0), "YES");
        next(2);
        addType("Breakfast");
        next();
        addNutrient(kProtein, "99"); // replaced by the calculation
        ui_test::click(wizard().GraphicButton6);
    });
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_TRUE(dialogs.allUsed());
    const std::string recipe = std::to_string(id);
    EXPECT_EQ(dir.stored().rows("SELECT \"Recipe Name\", \"Number of Serves\" FROM \"Recipe_Des.DB\" WHERE R_ID = " + recipe),
              std::vector<std::string>{"Ricotta toast|2.0"});
    EXPECT_EQ(dir.stored().rows("SELECT NDB_No, WeightInGram FROM \"Rescipe_ingredients.DB\" WHERE R_ID = " + recipe
                                + " ORDER BY R_ING_ID"),
              (std::vector<std::string>{"1001|10.0", "1036|248.0"}));
    EXPECT_EQ(dir.stored().rows("SELECT RTYPE_ID FROM \"Recipe_DesAndTypes.DB\" WHERE R_ID = " + recipe),
              std::vector<std::string>{"1"});

    const std::string stored = "SELECT Nutr_No, printf('%.9g', Nutr_Val) FROM \"Recipe_NUT_DATA.db\" WHERE R_ID = "
        + recipe + " ORDER BY Nutr_No";
    const std::string expected =
        "SELECT n.Nutr_No, printf('%.9g', SUM(n.Nutr_Val * i.WeightInGram * 0.01)) FROM \"NUT_DATA.db\" n "
        "JOIN \"Rescipe_ingredients.DB\" i ON i.NDB_No = n.NDB_No WHERE i.R_ID = " + recipe
        + " GROUP BY n.Nutr_No ORDER BY n.Nutr_No";
    const auto totals = dir.stored().rows(stored);
    EXPECT_GT(totals.size(), 20u);
    EXPECT_EQ(totals, dir.stored().rows(expected));
}

TEST_F(RecipeWizard, CancellingANewRecipeLeavesNoRowInAnyRecipeTable)
{
    const std::int64_t id = newRecipe(false, [&] {
        type(wizard().DBEditName, "Not kept");
        next();
        addIngredient("Butter", kButter, "10", true);
        next(2);
        addType("Lunch");
        next();
        ui_test::click(wizard().GraphicButton6);
    });
    for (const auto& table : kRecipeTables)
        EXPECT_EQ(countOf(table, id), 0) << table;
    EXPECT_FALSE(DataModuleRecipes->tblRecipeNutrientDataEdit.updatesPending());
}

TEST_F(RecipeWizard, CancellingAnEditedStarterRecipeKeepsItsRowsAndOkStoresExactlyTheChanges)
{
    const auto before = rowsOf(kPancakes);
    const auto nutrients = dir.stored().rows("SELECT * FROM \"Recipe_NUT_DATA.db\" WHERE R_ID = 1 ORDER BY rowid");
    auto change = [&] {
        next();
        TDBGrid* grid = wizard().DBGridRIngredientList;
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(0, 3)).center());
        messages.answer(true);
        ui_test::click(wizard().BtnDelete); // the first ingredient, flour
        next(2);
        addType("Snack");
    };
    editRecipe(kPancakes, false, change);
    EXPECT_EQ(rowsOf(kPancakes), before);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Are you sure you want to delete [Plain flour]"});
    messages.clear();

    editRecipe(kPancakes, true, change);
    EXPECT_EQ(countOf("Rescipe_ingredients.DB", kPancakes), 4);
    EXPECT_EQ(dir.stored().count("SELECT COUNT(*) FROM \"Rescipe_ingredients.DB\" WHERE R_ID = 1 AND \"Ingredient Name\" = 'Plain flour'"), 0);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Are you sure you want to delete [Plain flour]"});
    EXPECT_EQ(countOf("Recipe_DesAndTypes.DB", kPancakes), 3);
    // Deleting an ingredient does not work the totals out again.
    EXPECT_EQ(dir.stored().rows("SELECT * FROM \"Recipe_NUT_DATA.db\" WHERE R_ID = 1 ORDER BY rowid"), nutrients);
}

TEST_F(RecipeWizard, ATypeOrNutrientTheRecipeHasIsAddedOnce)
{
    const std::int64_t id = newRecipe(true, [&] {
        next(3);
        addType("Soup");
        addType("Soup");
        next();
        addNutrient(kProtein, "4");
        ui_test::click(wizard().GraphicButton3); // All Nutrients still on protein
        showTab(wizard().TabMyNutrients);
        ASSERT_TRUE(DataModuleFoods->tblNutrientPreference.locate("Nutr_No", Value(kProtein)));
        ui_test::click(wizard().GraphicButton3);
    });
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Soup Already Added", "Protein Already Added",
                                                          "Protein Already Added"}));
    EXPECT_EQ(countOf("Recipe_DesAndTypes.DB", id), 1);
    EXPECT_EQ(dir.stored().rows("SELECT Nutr_No, Nutr_Val FROM \"Recipe_NUT_DATA.db\" WHERE R_ID = " + std::to_string(id)),
              std::vector<std::string>{"203|4.0"});
    // The tab chosen is kept for the next showing.
    newRecipe(false, [] { EXPECT_EQ(wizard().NutrientTabs->currentWidget(), wizard().TabMyNutrients); });
}

TEST_F(RecipeWizard, PerServeFollowsTheServesAsTypedNow)
{
    newRecipe(false, [&] {
        type(wizard().DBEditServes, "4");
        next(4);
        addNutrient(kProtein, "10");
        EXPECT_EQ(cell(wizard().DBGrid5, 0, 1), "10");
        EXPECT_EQ(cell(wizard().DBGrid5, 0, 2), "2.5");
        ui_test::click(wizard().BtnPrev);
        ui_test::click(wizard().BtnPrev);
        ui_test::click(wizard().BtnPrev);
        ui_test::click(wizard().BtnPrev);
        type(wizard().DBEditServes, "2");
        next(4);
        EXPECT_EQ(cell(wizard().DBGrid5, 0, 2), "5");
    });
}

TEST_F(RecipeWizard, PrevAndNextPageThroughSixStepsAndEveryShowingStartsOnTheFirst)
{
    WizardPages* pages = wizard().NoteBookPages;
    ASSERT_EQ(pages->PageCount(), 6);
    EXPECT_EQ(pages->StepLabel(5)->text(), "(Step 6/6)");
    auto state = [&] {
        return std::to_string(pages->PageIndex()) + (wizard().BtnPrev->isEnabled() ? " prev" : "")
            + (wizard().BtnNext->isEnabled() ? " next" : "");
    };
    std::vector<std::string> seen;
    newRecipe(false, [&] {
        seen.push_back(state());
        ui_test::click(wizard().BtnPrev);
        seen.push_back(state());
        next(5);
        seen.push_back(state());
        next();
        seen.push_back(state());
        ui_test::click(wizard().BtnPrev);
        seen.push_back(state());
        next();
    });
    newRecipe(false, [&] { seen.push_back(state()); });
    EXPECT_EQ(seen, (std::vector<std::string>{"0 next", "0 next", "5 prev", "5 prev", "4 prev next", "0 next"}));
}

TEST_F(RecipeWizard, AStoreFailingHalfWayStoresNothingKeepsTheRecipeAndARetryStoresItOnce)
{
    DataModuleRecipes->DatabaseRecipe.failNextWriteTo("Recipe_NUT_DATA.db", "disk full");
    std::int64_t id = 0;
    try {
        id = newRecipe(true, [&] {
            type(wizard().DBEditName, "Kept");
            next();
            addIngredient("Butter", kButter, "10", true);
            next(2);
            addType("Snack");
            next();
            ui_test::click(wizard().GraphicButton6);
        });
        FAIL() << "the store did not fail";
    } catch (const ProgramError& error) {
        EXPECT_NE(std::string(error.what()).find("The change was not stored"), std::string::npos) << error.what();
    }
    id = DataModuleRecipes->tblRecipeDescEdit.fieldByName("R_ID").asInteger();
    for (const auto& table : kRecipeTables)
        EXPECT_EQ(countOf(table, id), 0) << table;

    DataModuleRecipes->PostNewRecipe(); // the retry, once the disk has room
    EXPECT_EQ(countOf("Recipe_Des.DB", id), 1);
    EXPECT_EQ(countOf("Rescipe_ingredients.DB", id), 1);
    EXPECT_EQ(countOf("Recipe_DesAndTypes.DB", id), 1);
    EXPECT_EQ(countOf("Recipe_NUT_DATA.db", id),
              dir.stored().count("SELECT COUNT(*) FROM \"NUT_DATA.db\" WHERE NDB_No = 1001"));
    EXPECT_FALSE(DataModuleRecipes->tblRecipeIngredientEdit.updatesPending());
}

TEST_F(RecipeWizard, CancelInTheSmallDialogsLeavesNoRowAndRefusedTotalsNeverReachATable)
{
    const std::int64_t id = newRecipe(true, [&] {
        next();
        dialogs.expect([](TFormTemplateDialog&) {
            type(DialogIngredientEdit->DBEdit2, "Butter");
            ui_test::click(DialogIngredientEdit->btnAddLinkIngredient);
            ui_test::click(DialogIngredientEdit->BtnCancel);
        });
        ui_test::click(wizard().BtnCreate);
        EXPECT_EQ(DataModuleRecipes->tblRecipeIngredientEdit.recordCount(), 0);
        next(3);
        ASSERT_TRUE(DataModuleFoods->tblNutrientDef.locate("Nutr_No", Value(kProtein)));
        dialogs.expect([](TFormTemplateDialog& value) {
            EXPECT_EQ(DialogRecipeNutrientValue->DBText1->text(), "Protein");
            for (const QString text : {"1e999", "nan"}) {
                type(DialogRecipeNutrientValue->DBEdit1, text);
                ui_test::click(DialogRecipeNutrientValue->BtnOk);
                EXPECT_TRUE(value.isVisible()) << text.toStdString();
            }
            ui_test::click(DialogRecipeNutrientValue->BtnCancel);
        });
        ui_test::click(wizard().GraphicButton3);
        EXPECT_EQ(DataModuleRecipes->tblRecipeNutrientDataEdit.recordCount(), 0);
    });
    EXPECT_EQ(countOf("Rescipe_ingredients.DB", id), 0);
    EXPECT_EQ(countOf("Recipe_NUT_DATA.db", id), 0);
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"The amount must be a number above 0 and at most 100 kg.",
                                                          "Nutrient Value: \"1e999\" is not a number.",
                                                          "Nutrient Value: \"nan\" is not a number."}));
}

TEST_F(RecipeWizard, AnUnlinkedIngredientBlocksTheCalculationAndKeepsTheTypedTotals)
{
    newRecipe(false, [&] {
        next();
        dialogs.expect([](TFormTemplateDialog&) {
            type(DialogIngredientEdit->DBEdit2, "A pinch of love");
            ui_test::click(DialogIngredientEdit->BtnOk);
        });
        ui_test::click(wizard().BtnCreate);
        EXPECT_EQ(cell(wizard().DBGridRIngredientList, 0, 0), "NO");
        next(3);
        addNutrient(kProtein, "7");
        ui_test::click(wizard().GraphicButton6);
        EXPECT_EQ(DataModuleRecipes->tblRecipeNutrientDataEdit.recordCount(), 1);
    });
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"Can't Calculate becuase One or more Ingredient are not Linked\n\n"
                                       "Calculate the totals from the linked ingredient lines only?"});
}

// No recipe types, no ingredients and an empty "My Nutrients" list.
class EmptyRecipeWizard : public RecipeWizard {
protected:
    void SetUp() override
    {
        dir.stored().execute("DELETE FROM \"Recipe_DesAndTypes.DB\"");
        dir.stored().execute("DELETE FROM \"Recipe_Types.DB\"");
        dir.stored().execute("DELETE FROM \"Nutr_Preference.db\"");
        RecipeWizard::SetUp();
    }
};

TEST_F(EmptyRecipeWizard, EmptyListsHaveNothingToAddOrRemoveAndEditStartsANewIngredient)
{
    const std::int64_t id = newRecipe(true, [&] {
        next();
        ui_test::click(wizard().BtnDelete);
        dialogs.expect([](TFormTemplateDialog&) {
            EXPECT_EQ(DataModuleRecipes->tblRecipeIngredientEdit.state(), DataSetState::Insert);
            type(DialogIngredientEdit->DBEdit2, "Water");
            ui_test::click(DialogIngredientEdit->BtnOk);
        });
        ui_test::click(wizard().BtnEdit);
        next(2);
        ui_test::click(wizard().GraphicButton2);
        ui_test::click(wizard().GraphicButton4);
        next();
        showTab(wizard().TabMyNutrients);
        ui_test::click(wizard().GraphicButton3);
        ui_test::click(wizard().GraphicButton5);
    });
    EXPECT_EQ(messages.texts(), std::vector<std::string>(3, "No Selected Record to Delete"));
    EXPECT_EQ(dialogs.shown(), (std::vector<std::string>{"DialogRecipeEdit", "DialogIngredientEdit"}));
    EXPECT_EQ(dir.stored().rows("SELECT \"Ingredient Name\" FROM \"Rescipe_ingredients.DB\" WHERE R_ID = "
                                + std::to_string(id)),
              std::vector<std::string>{"Water"});
    EXPECT_EQ(countOf("Recipe_DesAndTypes.DB", id), 0);
    EXPECT_EQ(countOf("Recipe_NUT_DATA.db", id), 0);
}

} // namespace
