#include "tests/app/AppTestSupport.h"
#include "foods/DatabaseFood.h"
#include "foods/FoodEdit.h"
#include "foods/Measurements.h"
#include "foods/NutrientValue.h"
#include "store/ProgramError.h"
#include "ui/DataControls.h"
#include "ui/GraphicButton.h"
#include "ui/NutrientPicker.h"
#include "ui/SkinPicture.h"
#include "ui/WizardPages.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>


namespace {

constexpr std::int64_t kButter = 1001;
constexpr std::int64_t kProtein = 203;
constexpr std::int64_t kFat = 204;
constexpr std::int64_t kStarch = 209; // butter has no value for it

void mouse(QWidget* widget, QEvent::Type type, QPoint at)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void click(QWidget* widget)
{
    const QPoint centre = widget->rect().center();
    mouse(widget, QEvent::MouseButtonPress, centre);
    mouse(widget, QEvent::MouseButtonRelease, centre);
}

// Replaces what a box shows with `text`, typed key by key.
void type(QLineEdit* box, const QString& text)
{
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

void clickRow(TDBGrid* grid, int row)
{
    const QRect cell = grid->visualRect(grid->model()->index(row, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

void showTab(QWidget* tab)
{
    QTabWidget* tabs = DialogFoodEdit->NutrientTabs;
    const QRect rect = tabs->tabBar()->tabRect(tabs->indexOf(tab));
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, rect.center());
}

void chooseGroup(const QString& name)
{
    TDBLookupComboBox* box = DialogFoodEdit->DBLookupComboBox1;
    const int index = box->findText(name);
    ASSERT_GE(index, 0);
    box->setCurrentIndex(index);
    emit box->activated(index);
}

class FoodEditWizard : public ProgramTest {
protected:
    ScriptedDialogs dialogs;

    // What the Foods page does around the wizard.
    int newFood(const ScriptedDialogs::Script& script)
    {
        DataModuleFoods->BeginNewFood();
        dialogs.expect(script);
        const int result = DialogFoodEdit->ShowModal();
        if (result == 1)
            DataModuleFoods->PostNewFood();
        else
            DataModuleFoods->CancelNewFood();
        return result;
    }

    int editFood(std::int64_t food, const ScriptedDialogs::Script& script)
    {
        DataModuleFoods->QueryAllFoods();
        DataModuleFoods->ShowSearchResults();
        EXPECT_TRUE(DataModuleFoods->qrySearchFoods.locate("NDB_No", Value(food)));
        DataModuleFoods->BeginEditFood();
        dialogs.expect(script);
        const int result = DialogFoodEdit->ShowModal();
        if (result == 1)
            DataModuleFoods->PostEditedFood();
        else
            DataModuleFoods->CancelEditedFood();
        return result;
    }

    // Adds a value from the tab shown, typing `value` and pressing OK.
    void addValue(std::int64_t nutrient, const QString& value)
    {
        RecordSet& list = DialogFoodEdit->NutrientTabs->currentWidget() == DialogFoodEdit->TabAllNutrients
            ? static_cast<RecordSet&>(DataModuleFoods->tblNutrientDef)
            : DataModuleFoods->tblNutrientPreference;
        ASSERT_TRUE(list.locate("Nutr_No", Value(nutrient)));
        dialogs.expect([value](TFormTemplateDialog&) {
            type(FormNutrientValue->DBEdit1, value);
            click(FormNutrientValue->BtnOk);
        });
        click(DialogFoodEdit->GraphicButton2);
    }

    void addMeasure(const QString& description, const QString& amount, const QString& grams)
    {
        dialogs.expect([=](TFormTemplateDialog&) {
            type(FormMeasurements->DBEdit2, description);
            type(FormMeasurements->DBEdit1, amount);
            type(FormMeasurements->DBEdit3, grams);
            click(FormMeasurements->BtnOk);
        });
        click(DialogFoodEdit->BtnAddMeasure);
    }

    // A new food with a name, a group, two values (one from each tab) and a measure.
    void fillNewFood()
    {
        type(DialogFoodEdit->DBEdit1, "Rye loaf");
        chooseGroup("Baked Products");
        click(DialogFoodEdit->BtnNext);
        addValue(kProtein, "8.5");
        showTab(DialogFoodEdit->TabMyNutrients);
        addValue(kFat, "3");
        click(DialogFoodEdit->BtnNext);
        addMeasure("slice", "1", "32");
    }

    std::int64_t count(const std::string& sql) { return dir.stored().count(sql); }
    std::vector<std::string> rows(const std::string& sql) { return dir.stored().rows(sql); }
    std::vector<std::string> valuesOf(std::int64_t food)
    {
        return rows("SELECT * FROM \"NUT_DATA.db\" WHERE NDB_No = " + std::to_string(food) + " ORDER BY rowid");
    }
    std::vector<std::string> measuresOf(std::int64_t food)
    {
        return rows("SELECT * FROM \"WEIGHT.db\" WHERE NDB_No = " + std::to_string(food) + " ORDER BY rowid");
    }
    std::int64_t highestFood() { return count("SELECT MAX(NDB_No) FROM \"FOOD_DES.db\""); }
};

TEST_F(FoodEditWizard, ANewFoodIsStoredWithItsGroupValuesAndMeasureOnOk)
{
    const std::int64_t number = highestFood() + 1;
    const int result = newFood([&](TFormTemplateDialog&) {
        fillNewFood();
        click(DialogFoodEdit->BtnOk);
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(dialogs.allUsed());
    EXPECT_TRUE(messages.messages().empty());

    const std::string food = std::to_string(number);
    EXPECT_EQ(rows("SELECT \"Desc\", FdGrp_Cd FROM \"FOOD_DES.db\" WHERE NDB_No = " + food),
              std::vector<std::string>{"Rye loaf|1800"});
    EXPECT_EQ(rows("SELECT Nutr_No, Nutr_Val FROM \"NUT_DATA.db\" WHERE NDB_No = " + food + " ORDER BY Nutr_No"),
              (std::vector<std::string>{"203|8.5", "204|3.0"}));
    EXPECT_EQ(rows("SELECT Msre_Desc, Amount, Gm_Wgt, Seq FROM \"WEIGHT.db\" WHERE NDB_No = " + food),
              std::vector<std::string>{"slice|1.0|32.0|NULL"});

    // The Foods page lists all foods afresh and stands on the last: the new one.
    DataModuleFoods->QueryAllFoods();
    DataModuleFoods->qrySearchFoods.last();
    EXPECT_EQ(DataModuleFoods->qrySearchFoods.fieldByName("NDB_No").asInteger(), number);
    EXPECT_FALSE(DataModuleFoods->tblNutrientData2.cachedUpdates());
}

TEST_F(FoodEditWizard, CancellingANewFoodLeavesNoRowUnderItsNumberAndNothingForTheNext)
{
    const std::int64_t number = highestFood() + 1;
    const std::string food = std::to_string(number);
    const int result = newFood([&](TFormTemplateDialog&) {
        fillNewFood();
        click(DialogFoodEdit->BtnCancel);
    });
    EXPECT_EQ(result, 2);
    for (const char* table : {"FOOD_DES.db", "NUT_DATA.db", "WEIGHT.db"})
        EXPECT_EQ(count(std::string("SELECT COUNT(*) FROM \"") + table + "\" WHERE NDB_No = " + food), 0) << table;

    newFood([&](TFormTemplateDialog& dialog) {
        EXPECT_EQ(DataModuleFoods->tblFoodDesc2.fieldByName("NDB_No").asInteger(), number);
        EXPECT_EQ(DialogFoodEdit->grdNutrientBy100g->model()->rowCount(), 0);
        EXPECT_EQ(DialogFoodEdit->grdMeasures->model()->rowCount(), 0);
        dialog.GraphicButton1Click();
    });
    EXPECT_TRUE(dialogs.allUsed());
}

// On Butter: a value added and one removed, a measure edited and one deleted.
class ButterChanges : public FoodEditWizard {
protected:
    void change()
    {
        click(DialogFoodEdit->BtnNext);
        addValue(kStarch, "0.5");
        clickRow(DialogFoodEdit->grdNutrientBy100g, 0); // Protein
        messages.answer(true);
        click(DialogFoodEdit->GraphicButton4);

        click(DialogFoodEdit->BtnNext);
        clickRow(DialogFoodEdit->grdMeasures, 0); // pat
        dialogs.expect([](TFormTemplateDialog&) {
            type(FormMeasurements->DBEdit3, "6");
            click(FormMeasurements->BtnOk);
        });
        click(DialogFoodEdit->BtnEditMeasure);
        clickRow(DialogFoodEdit->grdMeasures, 1); // tbsp
        messages.answer(true);
        click(DialogFoodEdit->BtnDeleteMeasure);
    }
};

TEST_F(ButterChanges, CancelLeavesItsRowsExactlyAsTheyWereAndOkStoresExactlyTheChanges)
{
    const auto values = valuesOf(kButter);
    const auto measures = measuresOf(kButter);
    const auto food = rows("SELECT * FROM \"FOOD_DES.db\" WHERE NDB_No = 1001");

    editFood(kButter, [&](TFormTemplateDialog&) {
        change();
        click(DialogFoodEdit->BtnCancel);
    });
    EXPECT_EQ(valuesOf(kButter), values);
    EXPECT_EQ(measuresOf(kButter), measures);
    EXPECT_EQ(rows("SELECT * FROM \"FOOD_DES.db\" WHERE NDB_No = 1001"), food);
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Are you sure you want to delete [Protein]",
                                                          "Are you sure you want to delete Meaure [tbsp]"}));
    EXPECT_EQ(messages.messages().front().caption, "Confirm");

    editFood(kButter, [&](TFormTemplateDialog&) {
        change();
        click(DialogFoodEdit->BtnOk);
    });
    EXPECT_TRUE(dialogs.allUsed());
    const std::string others = " FROM \"NUT_DATA.db\" WHERE NDB_No = 1001 AND Nutr_No NOT IN (203, 209)";
    EXPECT_EQ(rows("SELECT *" + others + " ORDER BY rowid").size(), values.size() - 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"NUT_DATA.db\" WHERE NDB_No = 1001 AND Nutr_No = 203"), 0);
    EXPECT_EQ(rows("SELECT Nutr_Val FROM \"NUT_DATA.db\" WHERE NDB_No = 1001 AND Nutr_No = 209"),
              std::vector<std::string>{"0.5"});
    EXPECT_EQ(rows("SELECT Msre_Desc, Gm_Wgt FROM \"WEIGHT.db\" WHERE NDB_No = 1001 ORDER BY rowid"),
              (std::vector<std::string>{"pat (1\" sq, 1/3\" high)|6.0", "cup|227.0", "stick|113.0"}));
}

TEST_F(ButterChanges, AFailingStoreKeepsTheTablesAsTheyWereAndARetryStoresTheChangesOnce)
{
    const auto values = valuesOf(kButter);
    const auto measures = measuresOf(kButter);
    DataModuleFoods->DatabaseFoods.failNextWriteTo("WEIGHT.db", "Record locked by another user");
    EXPECT_THROW(editFood(kButter,
                          [&](TFormTemplateDialog&) {
                              change();
                              click(DialogFoodEdit->BtnOk);
                          }),
                 ProgramError);
    EXPECT_EQ(valuesOf(kButter), values);
    EXPECT_EQ(measuresOf(kButter), measures);

    DataModuleFoods->PostEditedFood();
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"NUT_DATA.db\" WHERE NDB_No = 1001"), static_cast<std::int64_t>(values.size()));
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"NUT_DATA.db\" WHERE NDB_No = 1001 AND Nutr_No = 209"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"WEIGHT.db\" WHERE NDB_No = 1001"), 3);
    EXPECT_FALSE(DataModuleFoods->tblNutrientWeight2.cachedUpdates());
}

TEST_F(FoodEditWizard, AFailingStoreOfANewFoodStoresNoneOfItsRows)
{
    const std::string food = std::to_string(highestFood() + 1);
    DataModuleFoods->DatabaseFoods.failNextWriteTo("WEIGHT.db", "Record locked by another user");
    EXPECT_THROW(newFood([&](TFormTemplateDialog&) {
                     fillNewFood();
                     click(DialogFoodEdit->BtnOk);
                 }),
                 ProgramError);
    for (const char* table : {"FOOD_DES.db", "NUT_DATA.db", "WEIGHT.db"})
        EXPECT_EQ(count(std::string("SELECT COUNT(*) FROM \"") + table + "\" WHERE NDB_No = " + food), 0) << table;

    DataModuleFoods->CancelNewFood(); // the user gives up: the kept work goes
    EXPECT_FALSE(DataModuleFoods->tblNutrientData2.updatesPending());
    EXPECT_FALSE(DataModuleFoods->tblFoodDesc2.updatesPending());
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"NUT_DATA.db\" WHERE NDB_No = " + food), 0);
}

TEST_F(FoodEditWizard, ANutrientTheFoodHasIsRefusedFromEitherTab)
{
    const auto values = valuesOf(kButter);
    editFood(kButter, [&](TFormTemplateDialog&) {
        click(DialogFoodEdit->BtnNext);
        ASSERT_TRUE(DataModuleFoods->tblNutrientDef.locate("Nutr_No", Value(kProtein)));
        click(DialogFoodEdit->GraphicButton2);
        showTab(DialogFoodEdit->TabMyNutrients);
        ASSERT_TRUE(DataModuleFoods->tblNutrientPreference.locate("Nutr_No", Value(kProtein)));
        click(DialogFoodEdit->GraphicButton2);
        // One added in this showing counts too.
        showTab(DialogFoodEdit->TabAllNutrients);
        addValue(kStarch, "1");
        click(DialogFoodEdit->GraphicButton2);
        click(DialogFoodEdit->BtnOk);
    });
    EXPECT_EQ(messages.texts(), std::vector<std::string>(3, "Already Added"));
    EXPECT_EQ(valuesOf(kButter).size(), values.size() + 1);
}

TEST_F(FoodEditWizard, EmptyListsHaveNothingToRemoveEditOrAdd)
{
    // An empty "My Nutrients" list.
    RecordSet& mine = DataModuleFoods->tblNutrientPreference;
    while (!mine.isEmpty())
        mine.deleteRecord();
    mine.applyUpdates();

    newFood([&](TFormTemplateDialog& dialog) {
        click(DialogFoodEdit->GraphicButton4);
        click(DialogFoodEdit->BtnDeleteMeasure);
        click(DialogFoodEdit->BtnEditMeasure);
        showTab(DialogFoodEdit->TabMyNutrients);
        click(DialogFoodEdit->GraphicButton2); // no dialog, no row
        EXPECT_EQ(DataModuleFoods->tblNutrientData2.recordCount(), 0);

        // Cancelling either small dialog leaves no row behind.
        dialogs.expect([](TFormTemplateDialog& measure) {
            type(FormMeasurements->DBEdit1, "abc");
            click(FormMeasurements->BtnCancel);
            EXPECT_FALSE(measure.isVisible());
        });
        click(DialogFoodEdit->BtnAddMeasure);
        showTab(DialogFoodEdit->TabAllNutrients);
        dialogs.expect([](TFormTemplateDialog& value) { value.GraphicButton1Click(); });
        click(DialogFoodEdit->GraphicButton2);
        EXPECT_EQ(DataModuleFoods->tblNutrientData2.recordCount(), 0);
        EXPECT_EQ(DataModuleFoods->tblNutrientWeight2.recordCount(), 0);
        dialog.CloseOk();
    });
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"No Selected Record to Delete", "No Selected Record to Delete",
                                                          "No Selected Record to Edit"}));
    EXPECT_EQ(dialogs.shown(),
              (std::vector<std::string>{"DialogFoodEdit", "FormMeasurements", "FormNutrientValue"}));
    // No field is required: the food is stored without name or group.
    EXPECT_EQ(rows("SELECT \"Desc\", FdGrp_Cd FROM \"FOOD_DES.db\" ORDER BY NDB_No DESC LIMIT 1"),
              std::vector<std::string>{"NULL|NULL"});
}

TEST_F(FoodEditWizard, ANumberTheFieldRefusesKeepsTheDialogOpenAndNeverReachesATable)
{
    const std::string food = std::to_string(highestFood() + 1);
    newFood([&](TFormTemplateDialog&) {
        click(DialogFoodEdit->BtnNext);
        ASSERT_TRUE(DataModuleFoods->tblNutrientDef.locate("Nutr_No", Value(kStarch)));
        dialogs.expect([&](TFormTemplateDialog& dialog) {
            EXPECT_EQ(FormNutrientValue->DBText1->text(), "Starch");
            EXPECT_EQ(FormNutrientValue->DBText2->text(), "g");
            // Typed key by key, "1e99" is a number on the way to "1e999", which is not.
            for (const QString text : {"abc", "1e999", "nan", "-inf"}) {
                type(FormNutrientValue->DBEdit1, text);
                click(FormNutrientValue->BtnOk);
                EXPECT_TRUE(dialog.isVisible()) << text.toStdString();
            }
            type(FormNutrientValue->DBEdit1, "2.5");
            click(FormNutrientValue->BtnOk);
        });
        click(DialogFoodEdit->GraphicButton2);

        click(DialogFoodEdit->BtnNext);
        dialogs.expect([&](TFormTemplateDialog& dialog) {
            type(FormMeasurements->DBEdit2, "slice");
            type(FormMeasurements->DBEdit1, "1");
            type(FormMeasurements->DBEdit3, "1e999");
            click(FormMeasurements->BtnOk);
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(FormMeasurements->DBEdit3->text(), "1e999"); // as typed, not the last number it took
            type(FormMeasurements->DBEdit3, "30");
            click(FormMeasurements->BtnOk);
        });
        click(DialogFoodEdit->BtnAddMeasure);
        click(DialogFoodEdit->BtnOk);
    });
    // Each refusal names the box in the user's words.
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Nutrient Value: \"abc\" is not a number.",
                                                          "Nutrient Value: \"1e999\" is not a number.",
                                                          "Nutrient Value: \"nan\" is not a number.",
                                                          "Nutrient Value: \"-inf\" is not a number.",
                                                          "Weight In Grams: \"1e999\" is not a number."}));
    EXPECT_EQ(rows("SELECT Nutr_Val FROM \"NUT_DATA.db\" WHERE NDB_No = " + food), std::vector<std::string>{"2.5"});
    EXPECT_EQ(rows("SELECT Gm_Wgt FROM \"WEIGHT.db\" WHERE NDB_No = " + food), std::vector<std::string>{"30.0"});
}

TEST_F(FoodEditWizard, PrevAndNextPageThroughAndEveryShowingStartsOnTheFirstPage)
{
    WizardPages* pages = DialogFoodEdit->NoteBookPages;
    auto state = [&] {
        return std::to_string(pages->PageIndex()) + (DialogFoodEdit->BtnPrev->isEnabled() ? " prev" : "")
            + (DialogFoodEdit->BtnNext->isEnabled() ? " next" : "");
    };
    std::vector<std::string> seen;
    editFood(kButter, [&](TFormTemplateDialog&) {
        seen.push_back(state());
        click(DialogFoodEdit->BtnPrev); // disabled: ignored
        seen.push_back(state());
        click(DialogFoodEdit->BtnNext);
        seen.push_back(state());
        click(DialogFoodEdit->BtnNext);
        seen.push_back(state());
        click(DialogFoodEdit->BtnNext); // disabled: ignored
        seen.push_back(state());
        click(DialogFoodEdit->BtnPrev);
        seen.push_back(state());
        click(DialogFoodEdit->BtnNext);
        click(DialogFoodEdit->BtnCancel); // closed on the last page
    });
    editFood(kButter, [&](TFormTemplateDialog& dialog) {
        seen.push_back(state());
        dialog.CloseCancel();
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"0 next", "0 next", "1 prev next", "2 prev", "2 prev", "1 prev next",
                                              "0 next"}));
}

TEST_F(FoodEditWizard, EachPageShowsItsStepAndDragsTheDialogByItsBackground)
{
    WizardPages* pages = DialogFoodEdit->NoteBookPages;
    ASSERT_EQ(pages->PageCount(), 3);
    const char* names[] = {"FoodDetails", "FoodNutrients", "FoodMeasures"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(pages->Page(i)->objectName().toStdString(), names[i]);
        EXPECT_EQ(pages->StepLabel(i)->text().toStdString(), "(Step " + std::to_string(i + 1) + "/3)");
        EXPECT_EQ(pages->PageImage(i)->objectName().toStdString(), "ImgPage" + std::to_string(i + 1));
    }

    editFood(kButter, [&](TFormTemplateDialog& dialog) {
        click(DialogFoodEdit->BtnNext);
        SkinPicture* background = pages->PageImage(1);
        EXPECT_EQ(background->size(), pages->size());
        const QPoint start = dialog.pos();
        mouse(background, QEvent::MouseButtonPress, {40, 300});
        mouse(background, QEvent::MouseMove, {70, 310});
        mouse(background, QEvent::MouseButtonRelease, {70, 310});
        EXPECT_EQ(dialog.pos(), start + QPoint(30, 10));
        dialog.CloseCancel();
    });
}

} // namespace
