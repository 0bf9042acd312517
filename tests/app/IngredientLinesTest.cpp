#include "tests/app/AppTestSupport.h"
#include "app/MainForm.h"
#include "foods/DatabaseFood.h"
#include "recipes/DatabaseRecipes.h"
#include "recipes/IngredientEdit.h"
#include "recipes/PasteIngredients.h"
#include "recipes/RecipeEdit.h"
#include "ui/DataControls.h"
#include "ui/GraphicButton.h"
#include "ui/UiTestSupport.h"
#include "ui/WizardPages.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

// Ingredient lines as the cook writes them, through the real dialogs: read into the
// row's fields, kept as written, and linked with their grams.
namespace {

constexpr std::int64_t kButter = 1001;

void typeInto(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

QString cell(TDBGrid* grid, int row, int column)
{
    return grid->model()->data(grid->model()->index(row, column), Qt::DisplayRole).toString();
}

class IngredientLines : public ProgramTest {
protected:
    ScriptedDialogs dialogs;

    void SetUp() override
    {
        ProgramTest::SetUp();
        FormMain->show();
    }

    std::vector<std::string> rows(const std::string& sql) { return dir.stored().rows(sql); }
    std::int64_t count(const std::string& sql) { return dir.stored().count(sql); }
    std::int64_t highestRecipe() { return count(R"(SELECT MAX(R_ID) FROM "Recipe_Des.DB")"); }
    std::int64_t tbspOfButter()
    {
        return count(R"(SELECT Weight_ID FROM "WEIGHT.db" WHERE NDB_No = 1001 AND Msre_Desc = 'tbsp' ORDER BY rowid LIMIT 1)");
    }
    std::vector<std::string> storedLines(std::int64_t recipe)
    {
        return rows(R"(SELECT i."Ingredient Name", i.Quantity, i.Unit, i.NDB_No, i.NDB_ByGram, i.NDB_Quantity, )"
                    R"(i.NDB_Weight_ID, i.WeightInGram, l.Line FROM "Rescipe_ingredients.DB" i )"
                    R"(LEFT JOIN "Ingredient_Line.db" l ON l.R_ING_ID = i.R_ING_ID WHERE i.R_ID = )"
                    + std::to_string(recipe) + " ORDER BY i.R_ING_ID");
    }
};

TEST_F(IngredientLines, ATypedLineFillsTheFieldsProposesTheLinkAndTheLinkButtonStoresItAsAHandMadeOne)
{
    dialogs.expect([&](TFormTemplateDialog&) {
        typeInto(DialogRecipeEdit->DBEditName, "Buttered");
        ui_test::click(DialogRecipeEdit->BtnNext);
        dialogs.expect([&](TFormTemplateDialog&) {
            TDialogIngredientEdit& dialog = *DialogIngredientEdit;
            typeInto(dialog.EditIngredientLine, "2 tbsp butter, softened");
            QTest::keyClick(dialog.EditIngredientLine, Qt::Key_Return);
            EXPECT_EQ(dialog.DBEdit1->text(), "2");
            EXPECT_EQ(dialog.DBEdit3->text(), "tbsp");
            EXPECT_EQ(dialog.DBEdit2->text(), "butter, softened");
            // The best food leads the list and is chosen; the link is proposed, not made.
            EXPECT_EQ(DataModuleFoods->dscFoodDesc.dataSet()->fieldByName("NDB_No").asInteger(), kButter);
            EXPECT_TRUE(dialog.rdByMeasure->isChecked());
            EXPECT_EQ(dialog.ComboBoxMeasures->currentText(), "tbsp");
            EXPECT_EQ(dialog.EditAmount->text(), "2");
            EXPECT_EQ(dialog.LabelAmountIngram->text(), "Amount (g): 28.4");
            EXPECT_TRUE(DataModuleRecipes->tblRecipeIngredientEdit.fieldByName("NDB_No").isNull());
            ui_test::click(dialog.btnAddLinkIngredient);
            EXPECT_EQ(dialog.DBEdit4->text(), "Butter, salted");
            ui_test::click(dialog.BtnOk);
        });
        ui_test::click(DialogRecipeEdit->BtnCreate);
        ui_test::click(DialogRecipeEdit->BtnOk);
    });
    ui_test::click(FormMain->BtnNewRecipe);
    EXPECT_EQ(storedLines(highestRecipe()),
              std::vector<std::string>{"butter, softened|2.0|tbsp|1001|0|2.0|" + std::to_string(tbspOfButter())
                                       + ".0|28.4|2 tbsp butter, softened"});
    EXPECT_TRUE(dialogs.allUsed());
}

TEST_F(IngredientLines, APastedBlockIsReadAndLinkedWhereSureCancelLeavesNoRowAndOkStoresAll)
{
    const auto recipes = count(R"(SELECT count(*) FROM "Recipe_Des.DB")");
    const auto lines = count(R"(SELECT count(*) FROM "Ingredient_Line.db")");
    const auto paste = [&](bool ok) {
        dialogs.expect([&, ok](TFormTemplateDialog&) {
            typeInto(DialogRecipeEdit->DBEditName, "Pasted");
            ui_test::click(DialogRecipeEdit->BtnNext);
            dialogs.expect([](TFormTemplateDialog&) {
                DialogRecipeEdit->PasteDialog->MemoLines->setPlainText(
                    "For the topping:\n2 tbsp butter\n\n1 pinch of stardust\nSalt, to taste\n");
                ui_test::click(DialogRecipeEdit->PasteDialog->BtnOk);
            });
            ui_test::click(DialogRecipeEdit->BtnPaste);
            TDBGrid* grid = DialogRecipeEdit->DBGridRIngredientList;
            EXPECT_EQ(grid->model()->rowCount(), 3);
            EXPECT_EQ(cell(grid, 0, 0), "YES");
            EXPECT_EQ(cell(grid, 1, 0), "NO");
            EXPECT_EQ(cell(grid, 2, 0), "NO");
            EXPECT_EQ(DialogRecipeEdit->LabelIngredientsNote->text(),
                      "3 lines added, 1 linked. Link the lines marked NO with Edit.");
            ui_test::click(ok ? DialogRecipeEdit->BtnOk : DialogRecipeEdit->BtnCancel);
        });
        ui_test::click(FormMain->BtnNewRecipe);
    };
    paste(false);
    EXPECT_EQ(count(R"(SELECT count(*) FROM "Recipe_Des.DB")"), recipes);
    EXPECT_EQ(count(R"(SELECT count(*) FROM "Ingredient_Line.db")"), lines);

    paste(true);
    const auto stored = storedLines(highestRecipe());
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0], "butter|2.0|tbsp|1001|0|2.0|" + std::to_string(tbspOfButter()) + ".0|28.4|2 tbsp butter");
    EXPECT_EQ(stored[2], "Salt, to taste|NULL||NULL|NULL|NULL|NULL|NULL|Salt, to taste");
    EXPECT_TRUE(dialogs.allUsed());
}

TEST_F(IngredientLines, LinkUnlinkedLinksALineTypedTheOldWayAndDeletingARecipeTakesItsLinesAlong)
{
    dialogs.expect([&](TFormTemplateDialog&) {
        typeInto(DialogRecipeEdit->DBEditName, "Old way");
        ui_test::click(DialogRecipeEdit->BtnNext);
        dialogs.expect([](TFormTemplateDialog&) {
            typeInto(DialogIngredientEdit->DBEdit2, "butter");
            typeInto(DialogIngredientEdit->DBEdit1, "2");
            typeInto(DialogIngredientEdit->DBEdit3, "tbsp");
            ui_test::click(DialogIngredientEdit->BtnOk);
        });
        ui_test::click(DialogRecipeEdit->BtnCreate);
        EXPECT_EQ(cell(DialogRecipeEdit->DBGridRIngredientList, 0, 0), "NO");
        ui_test::click(DialogRecipeEdit->BtnLinkUnlinked);
        EXPECT_EQ(cell(DialogRecipeEdit->DBGridRIngredientList, 0, 0), "YES");
        EXPECT_EQ(DialogRecipeEdit->LabelIngredientsNote->text(), "1 of 1 unlinked lines linked.");
        ui_test::click(DialogRecipeEdit->BtnOk);
    });
    ui_test::click(FormMain->BtnNewRecipe);
    const std::int64_t recipe = highestRecipe();
    // Typed the old way: no line is kept, the fields say it all.
    EXPECT_EQ(storedLines(recipe), std::vector<std::string>{"butter|2.0|tbsp|1001|0|2.0|"
                                                            + std::to_string(tbspOfButter()) + ".0|28.4|NULL"});

    // A pasted recipe's kept lines go with it when it is deleted.
    DataModuleRecipes->BeginEditRecipe();
    DataModuleRecipes->AddIngredientLines("1 cup ricotta\n3 tbsp butter");
    DataModuleRecipes->PostEditedRecipe();
    EXPECT_EQ(count(R"(SELECT count(*) FROM "Ingredient_Line.db" l JOIN "Rescipe_ingredients.DB" i )"
                    R"(ON i.R_ING_ID = l.R_ING_ID WHERE i.R_ID = )" + std::to_string(recipe)), 2);
    const auto before = count(R"(SELECT count(*) FROM "Ingredient_Line.db")");
    messages.answer(true);
    DataModuleRecipes->DeleteDisplayedRecipe();
    EXPECT_EQ(count(R"(SELECT count(*) FROM "Recipe_Des.DB" WHERE R_ID = )" + std::to_string(recipe)), 0);
    EXPECT_EQ(count(R"(SELECT count(*) FROM "Ingredient_Line.db")"), before - 2);
    EXPECT_EQ(count(R"(SELECT count(*) FROM "Ingredient_Line.db" WHERE R_ING_ID NOT IN )"
                    R"((SELECT R_ING_ID FROM "Rescipe_ingredients.DB"))"),
              0);
}

} // namespace
