#include "tests/app/RecipesPageSupport.h"
#include "cookbook/ScaleRecipeDialog.h"
#include "cookbook/ShoppingListDialog.h"
#include "recipes/RecipeEdit.h"
#include "store/Amount.h"
#include "ui/GraphicButton.h"
#include "ui/UiTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTreeWidget>

// The Recipes page's kitchen tools through their windows: a recipe scaled and
// reviewed in the wizard, and a shopping list of chosen recipes.
namespace {

class Cookbook : public RecipesPageTest {
protected:
    ScriptedDialogs dialogs;

    std::int64_t count(const std::string& sql) { return dir.stored().count(sql); }
    std::vector<std::string> rows(const std::string& sql) { return dir.stored().rows(sql); }
    std::int64_t highestRecipe() { return count(R"(SELECT MAX(R_ID) FROM "Recipe_Des.DB")"); }
    std::int64_t allRows()
    {
        return count(R"(SELECT (SELECT count(*) FROM "Recipe_Des.DB") + (SELECT count(*) FROM "Rescipe_ingredients.DB")
                        + (SELECT count(*) FROM "Recipe_DesAndTypes.DB") + (SELECT count(*) FROM "Recipe_NUT_DATA.db")
                        + (SELECT count(*) FROM "Ingredient_Line.db"))");
    }

    // The recipe's amounts, each to the last bit, in row order.
    std::vector<std::string> amounts(std::int64_t recipe, double factor)
    {
        const std::string f = "(" + std::to_string(factor) + ")";
        return rows(R"(SELECT printf('%.17g|%.17g|%.17g', Quantity * )" + f + ", NDB_Quantity * " + f +
                    ", WeightInGram * " + f + R"() FROM "Rescipe_ingredients.DB" WHERE R_ID = )" +
                    std::to_string(recipe) + " ORDER BY R_ING_ID");
    }

    // Totals that differ from the sum of the linked foods' values worked out here,
    // plus nutrients the sum has and the totals lack.
    std::int64_t totalsOffTheSum(std::int64_t recipe)
    {
        const std::string sum = R"(SELECT n.Nutr_No, SUM(n.Nutr_Val * i.WeightInGram / 100) AS v FROM "Rescipe_ingredients.DB" i)"
                                R"( JOIN "NUT_DATA.db" n ON n.NDB_No = i.NDB_No WHERE i.R_ID = )" +
                                std::to_string(recipe) + " GROUP BY n.Nutr_No";
        return count("SELECT (SELECT count(*) FROM (" + sum + R"() s LEFT JOIN "Recipe_NUT_DATA.db" t ON t.Nutr_No = s.Nutr_No)"
                     R"( AND t.R_ID = )" + std::to_string(recipe) +
                     R"( WHERE t.Nutr_Val IS NULL OR abs(t.Nutr_Val - s.v) > 1e-9 * max(1, abs(s.v))))"
                     R"( + (SELECT count(*) FROM "Recipe_NUT_DATA.db" WHERE R_ID = )" + std::to_string(recipe) +
                     ") - (SELECT count(*) FROM (" + sum + "))");
    }

    static void selectRecipe(const QString& name)
    {
        TDBGrid* grid = FormMain->DBGridRecipeList;
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            if (grid->model()->index(row, 0).data().toString() == name) {
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                                  grid->visualRect(grid->model()->index(row, 0)).center());
                return;
            }
        FAIL() << "no recipe " << name.toStdString();
    }

    // Scales the selected recipe: `byServes` or by factor, typed as `typed`.
    void scale(bool byServes, const QString& typed, bool itself)
    {
        dialogs.expect([=](TFormTemplateDialog& dialog) {
            auto& scaler = dynamic_cast<TDialogScaleRecipe&>(dialog);
            (byServes ? scaler.RadioServes : scaler.RadioFactor)->click();
            if (byServes)
                typeInto(scaler.EditServes, typed);
            else
                scaler.ComboFactor->setEditText(typed);
            (itself ? scaler.RadioItself : scaler.RadioNewRecipe)->click();
            ui_test::click(scaler.BtnOk);
        });
    }

    void review(bool ok, const std::function<void()>& check = {})
    {
        dialogs.expect([=](TFormTemplateDialog&) {
            if (check)
                check();
            ui_test::click(ok ? DialogRecipeEdit->BtnOk : DialogRecipeEdit->BtnCancel);
        });
    }
};

TEST_F(Cookbook, ScaledByTwoIsANewRecipeWithEveryAmountExactlyDoubledAndCancelLeavesNothing)
{
    // A line kept as the cook wrote it, as pasting or an import leaves it.
    dir.stored().execute(R"(INSERT INTO "Ingredient_Line.db" (R_ING_ID, Line) SELECT R_ING_ID, '1 ½ cups plain flour')"
                         R"( FROM "Rescipe_ingredients.DB" WHERE R_ID = 1 AND "Ingredient Name" = 'Plain flour')");
    selectRecipe("Classic Pancakes");
    const std::int64_t before = allRows();
    scale(false, "2", false);
    review(false, [] {
        EXPECT_EQ(DialogRecipeEdit->DBEditName->text(), "Classic Pancakes (8 serves)");
        EXPECT_EQ(DialogRecipeEdit->DBEditServes->text(), "8");
        EXPECT_TRUE(DialogRecipeEdit->LabelImportNote->text().contains("Scaled by 2 as a new recipe"));
    });
    ui_test::click(FormMain->BtnScaleRecipe);
    EXPECT_EQ(allRows(), before);

    scale(false, "2", false);
    review(true);
    ui_test::click(FormMain->BtnScaleRecipe);
    const std::int64_t scaled = highestRecipe();
    ASSERT_EQ(scaled, 4);
    EXPECT_EQ(rows(R"(SELECT "Recipe Name", "Number of Serves", Cuisine_ID, "Preperation Time" FROM "Recipe_Des.DB" WHERE R_ID = 4)"),
              rows(R"(SELECT "Recipe Name" || ' (8 serves)', "Number of Serves" * 2, Cuisine_ID, "Preperation Time")"
                   R"( FROM "Recipe_Des.DB" WHERE R_ID = 1)"));
    EXPECT_EQ(amounts(scaled, 1), amounts(1, 2));
    EXPECT_EQ(rows(R"(SELECT Line FROM "Ingredient_Line.db" l JOIN "Rescipe_ingredients.DB" i USING (R_ING_ID) WHERE R_ID = 4)"),
              std::vector<std::string>{"3 cups plain flour"});
    EXPECT_EQ(count(R"(SELECT count(*) FROM "Recipe_DesAndTypes.DB" WHERE R_ID = 4)"), 2);
    EXPECT_GT(count(R"(SELECT count(*) FROM "Recipe_NUT_DATA.db" WHERE R_ID = 4)"), 0);
    EXPECT_EQ(totalsOffTheSum(scaled), 0);
    EXPECT_EQ(listed().last(), "Classic Pancakes (8 serves)");
    EXPECT_TRUE(dialogs.allUsed());
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(Cookbook, ScaledToOneServeTheRecipeItselfChangesInPlaceOnlyOnOk)
{
    selectRecipe("Chicken and Rice");
    const std::vector<std::string> quarter = amounts(3, 0.25);
    const std::vector<std::string> asStored = amounts(3, 1);
    const std::int64_t before = allRows();
    scale(true, "1", true);
    review(false);
    ui_test::click(FormMain->BtnScaleRecipe);
    EXPECT_EQ(amounts(3, 1), asStored);

    scale(true, "1", true);
    review(true, [] { EXPECT_EQ(DialogRecipeEdit->DBEditServes->text(), "1"); });
    ui_test::click(FormMain->BtnScaleRecipe);
    EXPECT_EQ(amounts(3, 1), quarter);
    EXPECT_EQ(count(R"(SELECT "Number of Serves" FROM "Recipe_Des.DB" WHERE R_ID = 3)"), 1);
    EXPECT_EQ(rows(R"(SELECT "Recipe Name" FROM "Recipe_Des.DB" WHERE R_ID = 3)"), std::vector<std::string>{"Chicken and Rice"});
    EXPECT_EQ(totalsOffTheSum(3), 0);
    EXPECT_EQ(allRows(), before);
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(Cookbook, FactorsOutOfRangeAndLinesAbove100KgAreRefusedWithTheDialogOpen)
{
    dir.stored().execute(R"(UPDATE "Rescipe_ingredients.DB" SET WeightInGram = 2000 WHERE R_ID = 3 AND NDB_No = 5062)");
    selectRecipe("Chicken and Rice");
    const std::int64_t before = allRows();
    dialogs.expect([](TFormTemplateDialog& dialog) {
        auto& scaler = dynamic_cast<TDialogScaleRecipe&>(dialog);
        scaler.RadioFactor->click();
        for (const char* typed : {"abc", "0", "101", "-2", "nan", "60"}) {
            scaler.ComboFactor->setEditText(typed);
            ui_test::click(scaler.BtnOk);
            EXPECT_TRUE(scaler.isVisible()) << typed;
        }
        ui_test::click(scaler.BtnCancel);
    });
    ui_test::click(FormMain->BtnScaleRecipe);
    const std::string factorRule = kScaleFactorMessage;
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{factorRule, factorRule, factorRule, factorRule, factorRule,
                                                          "\"30000 g Chicken breast\" would weigh 120.0 kg. " +
                                                              std::string(kAmountRuleMessage)}));
    EXPECT_EQ(allRows(), before);
    EXPECT_TRUE(dialogs.allUsed());
}

// Two recipes that both use salted butter by the tablespoon, one with a line no food fits.
class ShoppingList : public Cookbook {
protected:
    void SetUp() override
    {
        const StoredData stored = dir.stored();
        stored.execute(R"(INSERT INTO "Recipe_Des.DB" (R_ID, "Recipe Name", "Number of Serves") VALUES
                          (10, 'Butter Toast', 1), (11, 'Butter Rice', 2))");
        stored.execute(R"(INSERT INTO "Rescipe_ingredients.DB" ("Ingredient Name", R_ID, Quantity, Unit, NDB_No,
                          NDB_ByGram, NDB_Quantity, NDB_Weight_ID, WeightInGram) VALUES
                          ('Butter', 10, 2, 'tbsp', 1001, 0, 2, 2, 28.4),
                          ('Butter', 11, 4, 'tbsp', 1001, 0, 4, 2, 56.8),
                          ('Salt to taste', 11, NULL, '', NULL, NULL, NULL, NULL, NULL))");
        RecipesPageTest::SetUp();
    }

    static QStringList listLines(QTreeWidget* tree)
    {
        QStringList lines;
        for (int group = 0; group < tree->topLevelItemCount(); ++group) {
            lines << "# " + tree->topLevelItem(group)->text(0);
            for (int item = 0; item < tree->topLevelItem(group)->childCount(); ++item)
                lines << tree->topLevelItem(group)->child(item)->text(0);
        }
        return lines;
    }
};

TEST_F(ShoppingList, LinesOfOneFoodMergeWithTheirGramsSummedAndServesScaleThem)
{
    selectRecipe("Butter Toast");
    dialogs.expect([this](TFormTemplateDialog& dialog) {
        auto& shopping = dynamic_cast<TDialogShoppingList&>(dialog);
        QTableWidget* recipes = shopping.GridRecipes;
        EXPECT_EQ(listLines(shopping.TreeList), (QStringList{"# Dairy and Egg Products", "Butter, salted \u2014 28 g (2 tbsp)"}));

        // Both recipes, the second for 4 instead of 2.
        int rice = -1;
        for (int row = 0; row < recipes->rowCount(); ++row)
            if (recipes->item(row, 0)->text() == "Butter Rice")
                rice = row;
        ASSERT_GE(rice, 0);
        recipes->item(rice, 0)->setCheckState(Qt::Checked);
        const double grams = double(count(R"(SELECT round(SUM(WeightInGram) * 100) FROM "Rescipe_ingredients.DB" WHERE NDB_No = 1001 AND R_ID IN (10, 11))")) / 100;
        EXPECT_DOUBLE_EQ(grams, 85.2);
        EXPECT_EQ(listLines(shopping.TreeList), (QStringList{"# Dairy and Egg Products", "Butter, salted \u2014 85 g (6 tbsp)",
                                                             "# Other", "Salt to taste"}));
        recipes->item(rice, 1)->setText("4");
        EXPECT_EQ(listLines(shopping.TreeList).at(1), "Butter, salted \u2014 142 g (10 tbsp)");
        recipes->item(rice, 1)->setText("lots");
        EXPECT_EQ(recipes->item(rice, 1)->text(), "4");

        ui_test::click(shopping.BtnCopy);
        EXPECT_EQ(QApplication::clipboard()->text(), "Butter, salted \u2014 142 g (10 tbsp)\nSalt to taste\n");
        EXPECT_EQ(shopping.TreeList->topLevelItem(0)->child(0)->checkState(0), Qt::Unchecked);
        ui_test::click(shopping.BtnClose);
    });
    ui_test::click(FormMain->BtnShoppingList);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Serves: \"lots\" is not a number above 0."});
    EXPECT_TRUE(dialogs.allUsed());
}

} // namespace
