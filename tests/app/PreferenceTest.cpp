#include "tests/app/AppTestSupport.h"
#include "foods/DatabaseFood.h"
#include "recipes/DatabaseRecipes.h"
#include "ui/GraphicButton.h"
#include "app/MainForm.h"
#include "foods/Preference.h"
#include "ui/ErrorGuard.h"
#include "ui/TemplateDialog.h"

namespace {

class PreferenceDialog : public ProgramTest {
protected:
    ScriptedDialogs dialogs;

    std::vector<std::int64_t> stored()
    {
        return dir.stored().numbers(R"(SELECT Nutr_No FROM "Nutr_Preference.db" ORDER BY rowid)");
    }

    static void choose(std::int64_t nutrient)
    {
        ASSERT_TRUE(DataModuleFoods->tblNutrientDef.locate("Nutr_No", Value(nutrient)));
    }

    static std::string foodFilter() { return DataModuleFoods->tblNutrientData.filter(); }
    static std::string recipeFilter() { return DataModuleRecipes->tblRecipeNutrientData.filter(); }
};

TEST_F(PreferenceDialog, AddingRefiltersBothGridsAtOnceAndOkStoresInTheOrderAdded)
{
    const auto before = stored();
    dialogs.expect([&](TFormTemplateDialog&) {
        choose(318); // vitamin A
        DialogPreference->GraphicButton2Click();
        EXPECT_NE(foodFilter().find("Nutr_No=318"), std::string::npos);
        EXPECT_NE(recipeFilter().find("318"), std::string::npos);
        choose(320);
        DialogPreference->GraphicButton2Click();
        DialogPreference->BtnOkClick();
    });
    FormMain->btnPreferenceClick();
    auto expected = before;
    expected.push_back(318);
    expected.push_back(320);
    EXPECT_EQ(stored(), expected);
    EXPECT_TRUE(dialogs.allUsed());

    // A fresh start filters by the stored list.
    DestroyApplicationObjects();
    CreateApplicationObjects();
    EXPECT_TRUE(foodFilter().ends_with("Nutr_No=318 OR Nutr_No=320"));
}

TEST_F(PreferenceDialog, ADuplicateStoredOrPendingIsRefused)
{
    dialogs.expect([&](TFormTemplateDialog&) {
        choose(203);
        DialogPreference->GraphicButton2Click();
        choose(318);
        DialogPreference->GraphicButton2Click();
        DialogPreference->GraphicButton2Click();
        DialogPreference->BtnCancelClick();
    });
    FormMain->btnPreferenceClick();
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Already Added", "Already Added"}));
}

TEST_F(PreferenceDialog, CancelDropsEveryChangeAndRestoresBothGrids)
{
    const auto before = stored();
    const std::string foodBefore = foodFilter();
    const std::string recipeBefore = recipeFilter();
    dialogs.expect([&](TFormTemplateDialog& dialog) {
        choose(318);
        DialogPreference->GraphicButton2Click();
        DialogPreference->GraphicButton4Click(); // removes the row just added
        DataModuleFoods->tblNutrientPreference.first();
        DialogPreference->GraphicButton4Click();
        EXPECT_NE(foodFilter(), foodBefore);
        dialog.GraphicButton1Click(); // the frame's close button cancels
    });
    FormMain->btnPreferenceClick();
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(foodFilter(), foodBefore);
    EXPECT_EQ(recipeFilter(), recipeBefore);
    EXPECT_FALSE(DataModuleFoods->tblNutrientPreference.updatesPending());
}

TEST_F(PreferenceDialog, AFailedStoreKeepsTheChoiceAndTheNextOkStoresItOnce)
{
    const auto before = stored();
    DataModuleFoods->DatabaseFoods.failNextWriteTo("Nutr_Preference.db", "disk full");
    dialogs.expect([&](TFormTemplateDialog&) {
        choose(318);
        DialogPreference->GraphicButton2Click();
        DialogPreference->BtnOkClick();
    });
    EXPECT_FALSE(guarded([] { FormMain->btnPreferenceClick(); }));
    EXPECT_EQ(stored(), before);
    EXPECT_TRUE(DataModuleFoods->tblNutrientPreference.updatesPending());
    EXPECT_NE(foodFilter().find("Nutr_No=318"), std::string::npos);
    EXPECT_NE(recipeFilter().find("318"), std::string::npos);

    dialogs.expect([&](TFormTemplateDialog&) { DialogPreference->BtnOkClick(); });
    FormMain->btnPreferenceClick();
    auto expected = before;
    expected.push_back(318);
    EXPECT_EQ(stored(), expected);
    EXPECT_FALSE(DataModuleFoods->tblNutrientPreference.updatesPending());
}

TEST_F(PreferenceDialog, RemovingFromAnEmptyListDoesNothingAndEveryNutrientShows)
{
    dialogs.expect([&](TFormTemplateDialog&) {
        while (!DataModuleFoods->tblNutrientPreference.isEmpty())
            DialogPreference->GraphicButton4Click();
        DialogPreference->GraphicButton4Click();
        DialogPreference->BtnOkClick();
    });
    FormMain->btnPreferenceClick();
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_TRUE(stored().empty());
    EXPECT_EQ(foodFilter(), "");
}

TEST_F(PreferenceDialog, NutrientDefinitionsCannotBeEditedYet)
{
    DialogPreference->BtnAddMeasureClick();
    DialogPreference->BtnDeleteMeasureClick();
    DialogPreference->BtnEditMeasureClick();
    EXPECT_EQ(messages.texts(), std::vector<std::string>(3, "Not Implemented Yet"));
    EXPECT_EQ(DialogPreference->GraphicButton2->Hint().toStdString(), R"(Add Nutrient to My "Nutrient List")");
    EXPECT_EQ(DialogPreference->size(), QSize(552, 438));
}

TEST_F(PreferenceDialog, TheNutrientDescriptionButtonsUseTheDialogSizedPictures)
{
    EXPECT_EQ(DialogPreference->BtnAddMeasure->Image()->Name(), "ImgCreateUp");
    EXPECT_EQ(DialogPreference->BtnDeleteMeasure->ImageDown()->Name(), "ImgDeleteDown");
    EXPECT_EQ(DialogPreference->BtnEditMeasure->ImageOver()->Name(), "ImgEditOver");
    EXPECT_EQ(DialogPreference->BtnEditMeasure->size(), QSize(48, 48));
}

} // namespace
