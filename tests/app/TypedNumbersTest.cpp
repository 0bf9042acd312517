#include "tests/app/AppTestSupport.h"
#include "app/MainForm.h"
#include "foods/AdvancedSearch.h"
#include "foods/AdvancedSearchEdit.h"
#include "foods/DatabaseFood.h"
#include "foods/FoodEdit.h"
#include "foods/Measurements.h"
#include "recipes/DatabaseRecipes.h"
#include "recipes/RecipeEdit.h"
#include "ui/AdvButton.h"
#include "ui/DataControls.h"
#include "ui/GraphicButton.h"
#include "ui/UiTestSupport.h"
#include "ui/WizardPages.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

// A number box stores exactly the number it shows, or nothing.
namespace {

// Typed, then left for the next box as a user leaves it.
void typeAndLeave(QLineEdit* box, QLineEdit* next, const QString& text)
{
    typeInto(box, text);
    next->setFocus();
}

class TypedNumbers : public ProgramTest {
protected:
    ScriptedDialogs dialogs;

    void SetUp() override
    {
        ProgramTest::SetUp();
        FormMain->show();
    }

    std::string storedRecipe(const std::string& name)
    {
        const auto rows = dir.stored().rows(R"(SELECT "Number of Serves", "Preperation Time", "Cooking Time" )"
                                            R"(FROM "Recipe_Des.DB" WHERE "Recipe Name" = ')" + name + "'");
        return rows.empty() ? "none" : rows.front();
    }
    std::int64_t recipes() { return dir.stored().count(R"(SELECT count(*) FROM "Recipe_Des.DB")"); }
};

TEST_F(TypedNumbers, TheRecipeWizardRefusesATextThatIsNotANumberWhenLeftAndOnNextOkAndStoresNothing)
{
    const auto before = recipes();
    dialogs.expect([&](TFormTemplateDialog& dialog) {
        QApplication::setActiveWindow(&dialog); // focus moves between its boxes as under a window system
        TDialogRecipeEdit& wizard = *DialogRecipeEdit;
        typeInto(wizard.DBEditName, "Half a serve");
        typeAndLeave(wizard.DBEditServes, wizard.DBEditPreparation, "1/2");
        EXPECT_EQ(messages.texts(), std::vector<std::string>{"Serves/Yeilds: \"1/2\" is not a number."});
        EXPECT_TRUE(wizard.DBEditServes->hasFocus());
        EXPECT_EQ(wizard.DBEditServes->text(), "1/2");

        messages.clear();
        ui_test::click(wizard.BtnNext);
        EXPECT_EQ(wizard.NoteBookPages->PageIndex(), 0);
        EXPECT_EQ(messages.texts(), std::vector<std::string>{"Serves/Yeilds: \"1/2\" is not a number."});

        // OK on another page shows the page of the refused box.
        typeInto(wizard.DBEditServes, "4");
        typeAndLeave(wizard.DBEditCooking, wizard.DBEditName, "20 min");
        messages.clear();
        wizard.DBEditName->setFocus();
        ui_test::click(wizard.BtnOk);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(messages.texts(), std::vector<std::string>{"Cooking Time: \"20 min\" is not a number."});

        // Cancel closes whatever a box holds, without a word.
        messages.clear();
        typeInto(wizard.DBEditPreparation, "abc");
        ui_test::click(wizard.BtnCancel);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(messages.texts().empty());
    });
    ui_test::click(FormMain->BtnNewRecipe);
    EXPECT_EQ(recipes(), before);
    EXPECT_TRUE(dialogs.allUsed());
}

TEST_F(TypedNumbers, ADecimalCommaIsStoredAsTheNumberShownAndThousandsAreGrouped)
{
    dialogs.expect([&](TFormTemplateDialog&) {
        TDialogRecipeEdit& wizard = *DialogRecipeEdit;
        typeInto(wizard.DBEditName, "Comma numbers");
        typeAndLeave(wizard.DBEditServes, wizard.DBEditPreparation, "1,5");
        typeAndLeave(wizard.DBEditPreparation, wizard.DBEditCooking, " 7,5 ");
        typeInto(wizard.DBEditCooking, "1,000");
        ui_test::click(wizard.BtnOk); // the box still has the focus: OK takes what it shows
    });
    ui_test::click(FormMain->BtnNewRecipe);
    EXPECT_EQ(storedRecipe("Comma numbers"), "1.5|7.5|1000.0");
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(TypedNumbers, ASmallDialogNamesTheBoxInTheUsersWordsAndStaysOpen)
{
    ui_test::click(FormMain->BtnFoods);
    dialogs.expect([&](TFormTemplateDialog& wizard) {
        typeInto(DialogFoodEdit->DBEdit1, "Typed measures");
        dialogs.expect([&](TFormTemplateDialog& dialog) {
            typeInto(FormMeasurements->DBEdit2, "slice");
            typeInto(FormMeasurements->DBEdit1, "1");
            typeInto(FormMeasurements->DBEdit3, "2 1/2");
            ui_test::click(FormMeasurements->BtnOk);
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(messages.texts(), std::vector<std::string>{"Weight In Grams: \"2 1/2\" is not a number."});
            typeInto(FormMeasurements->DBEdit3, "28,5");
            ui_test::click(FormMeasurements->BtnOk);
        });
        ui_test::click(DialogFoodEdit->BtnAddMeasure);
        ui_test::click(DialogFoodEdit->BtnOk);
        EXPECT_FALSE(wizard.isVisible());
    });
    ui_test::click(FormMain->BtnNewFood);
    EXPECT_EQ(dir.stored().rows(R"(SELECT w.Msre_Desc, w.Gm_Wgt FROM "WEIGHT.db" w JOIN "FOOD_DES.db" f )"
                                R"(ON f.NDB_No = w.NDB_No WHERE f."Desc" = 'Typed measures')"),
              std::vector<std::string>{"slice|28.5"});
    EXPECT_TRUE(dialogs.allUsed());
}

TEST_F(TypedNumbers, ARuleRefusesATypedConditionOrValueInItsOwnWordsAndTheDropDownOnlyOffersComparisons)
{
    TDialogFoodAdvancedSearchEdit& editor = *DialogFoodAdvancedSearchEdit;
    QComboBox* condition = editor.ComboBoxCondition;
    const int offered = condition->count();
    typeInto(condition->lineEdit(), "=>");
    QTest::keyClick(condition->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(condition->count(), offered);

    DataModuleFoods->BeginNewRuleGroup();
    editor.SetItemIndex(2); // a nutrient rule
    editor.GraphicButton2Click();
    EXPECT_EQ(messages.texts().back(), "Condition: \"=>\" is not a comparison.");
    condition->setCurrentIndex(-1);
    condition->setEditText({});
    editor.GraphicButton2Click();
    EXPECT_EQ(messages.texts().back(), "Please Select a Condition.");
    condition->setCurrentIndex(condition->findText(">"));
    typeInto(editor.edtValue, "lots");
    editor.GraphicButton2Click();
    EXPECT_EQ(messages.texts().back(), "Value: \"lots\" is not a number.");
    typeInto(editor.edtValue, "");
    editor.GraphicButton2Click();
    EXPECT_EQ(messages.texts().back(), "Please Enter a Value.");
    typeInto(editor.edtValue, "2,5");
    messages.clear();
    editor.GraphicButton2Click();
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_EQ(DataModuleFoods->tblFoodSQLRules.fieldByName("RValue").asString(), "2.5");
    DataModuleFoods->CancelRuleGroup();
}

} // namespace
