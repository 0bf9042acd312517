#include "tests/app/AppTestSupport.h"
#include "app/InfoBasePage.h"
#include "app/MainForm.h"
#include "foods/DatabaseFood.h"
#include "ui/AdvButton.h"
#include "ui/NavigationTree.h"
#include "ui/UiTestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>

// The Info Base through its widgets: built on its first show, a nutrient's ranking
// as its boxes choose it, a food double-clicked over to the Foods page, a recipe's chart.
namespace {

class InfoBasePageTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        FormMain->show();
    }
};

TEST_F(InfoBasePageTest, RanksTheChosenNutrientAndADoubleClickShowsTheFoodOnTheFoodsPage)
{
    InfoBasePage& page = *FormMain->InfoBase;
    EXPECT_FALSE(page.Built()); // nothing of it at start-up
    ui_test::click(FormMain->BtnInfoBase);
    ASSERT_TRUE(page.Built());
    EXPECT_EQ(page.Tree->topLevelItemCount(), 7);

    page.Tree->Select(page.NutrientNode(303));
    EXPECT_EQ(FormMain->LabelActiveDispalyInfoBase->text(), "Iron, Fe");
    const auto ironFoods = dir.stored().count(R"(SELECT count(*) FROM "NUT_DATA.db" WHERE Nutr_No = 303 AND Nutr_Val IS NOT NULL)");
    ASSERT_GT(ironFoods, 0);
    EXPECT_EQ(page.GridRanking->rowCount(), std::min<std::int64_t>(ironFoods, 100));
    EXPECT_EQ(page.LabelShowing->text().toStdString(),
              "Showing " + std::to_string(page.GridRanking->rowCount()) + " of " + std::to_string(ironFoods) + " foods");
    EXPECT_EQ(page.Ranked().front().per100g,
              dir.stored().count(R"(SELECT MAX(Nutr_Val) * 1000 FROM "NUT_DATA.db" WHERE Nutr_No = 303)") / 1000.0);

    // Vegetables, lowest first.
    page.ComboGroup->setCurrentIndex(page.ComboGroup->findData(QVariant::fromValue(std::int64_t{1100})));
    page.ComboOrder->setCurrentIndex(1);
    const auto vegetables = dir.stored().numbers(
        R"(SELECT n.NDB_No FROM "NUT_DATA.db" n JOIN "FOOD_DES.db" f ON f.NDB_No = n.NDB_No
           WHERE n.Nutr_No = 303 AND n.Nutr_Val IS NOT NULL AND f.FdGrp_Cd = 1100 ORDER BY n.Nutr_Val, n.rowid)");
    ASSERT_FALSE(vegetables.empty());
    ASSERT_EQ(page.Ranked().size(), vegetables.size());
    EXPECT_EQ(page.Ranked().front().per100g,
              dir.stored().count(R"(SELECT MIN(n.Nutr_Val) * 1000 FROM "NUT_DATA.db" n JOIN "FOOD_DES.db" f USING (NDB_No)
                                    WHERE n.Nutr_No = 303 AND f.FdGrp_Cd = 1100)") / 1000.0);

    // The first food with a measure, double-clicked: the Foods page shows it by that measure.
    const auto withMeasure = std::find_if(page.Ranked().begin(), page.Ranked().end(),
                                          [](const RankedFood& food) { return food.weightId.has_value(); });
    ASSERT_NE(withMeasure, page.Ranked().end());
    const int row = static_cast<int>(withMeasure - page.Ranked().begin());
    page.GridRanking->scrollToItem(page.GridRanking->item(row, 1));
    const QRect cell = page.GridRanking->visualItemRect(page.GridRanking->item(row, 1));
    ui_test::doubleClick(page.GridRanking->viewport(), cell.center());
    EXPECT_EQ(FormMain->NotebookClient->currentIndex(), 1);
    EXPECT_TRUE(FormMain->BtnFoods->Down());
    EXPECT_EQ(DataModuleFoods->dscFoodDesc.dataSet()->fieldByName("NDB_No").asInteger(), withMeasure->ndbNo);
    EXPECT_EQ(FormMain->ComboBoxMeasures->currentText().toStdString(), withMeasure->measure);
}

TEST_F(InfoBasePageTest, ARecipeShowsItsDailyValuesAndTheRecipesPageOne)
{
    ui_test::click(FormMain->BtnInfoBase);
    InfoBasePage& page = *FormMain->InfoBase;
    const auto recipe = static_cast<std::int32_t>(dir.stored().count(R"(SELECT MIN(R_ID) FROM "Recipe_Des.DB")"));
    page.Tree->Select(page.RecipeNode(recipe));
    EXPECT_EQ(page.Views->currentWidget(), page.ChartArea);
    EXPECT_EQ(page.Chart->Values().recipeId, recipe);
    EXPECT_FALSE(page.Chart->Values().shares.empty());
    EXPECT_TRUE(page.Chart->Values().energy.has_value());

    // "Shown on the Recipes page" follows that page's list.
    const auto shown = static_cast<std::int32_t>(
        FormMain->InfoBase->ShownRecipe().value_or(0));
    ASSERT_NE(shown, 0);
    page.Tree->Select(page.NodeRecipes->child(0));
    EXPECT_EQ(page.Chart->Values().recipeId, shown);
}

} // namespace
