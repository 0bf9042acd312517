#include "tests/app/AppTestSupport.h"
#include "foods/AdvancedSearch.h"
#include "foods/DatabaseFood.h"
#include "foods/FoodGroupEdit.h"
#include "foods/FoodGroups.h"
#include "foods/SimpleSearch.h"
#include "recipes/DatabaseRecipes.h"
#include "recipes/IngredientEdit.h"
#include "ui/DataControls.h"
#include "ui/GraphicButton.h"
#include "ui/UiTestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

constexpr std::int64_t kButter = 1001;
constexpr std::int64_t kWhippedButter = 1002;
constexpr std::int64_t kRicotta = 1036; // its first "cup" row counts half a cup: 248 g per cup

TDialogIngredientEdit& dialog()
{
    return *DialogIngredientEdit;
}

void type(QLineEdit* box, const QString& text)
{
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

void chooseMeasure(const QString& measure)
{
    QComboBox* box = dialog().ComboBoxMeasures;
    const int index = box->findText(measure);
    ASSERT_GE(index, 0) << measure.toStdString();
    box->setCurrentIndex(index);
}

// The food list's row for `food`, clicked in the dialog's grid.
void chooseFood(std::int64_t food)
{
    RecordSet& foods = *DataModuleFoods->dscFoodDesc.dataSet();
    ASSERT_TRUE(foods.locate("NDB_No", Value(food)));
    TDBGrid* grid = dialog().DBGridIngredients;
    const QModelIndex row = grid->model()->index(foods.currentRow(), 0);
    grid->scrollTo(row);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(row).center());
}

void clickRadio(QRadioButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

QString gramsLabel()
{
    return dialog().LabelAmountIngram->text();
}

class IngredientDialog : public ProgramTest {
protected:
    ScriptedDialogs dialogs;
    std::int64_t recipe = 0;

    void SetUp() override
    {
        ProgramTest::SetUp();
        // The food list as the Foods page leaves it: all foods.
        DataModuleFoods->QueryAllFoods();
        DataModuleFoods->ShowSearchResults();
        DataModuleRecipes->BeginNewRecipe();
        recipe = DataModuleRecipes->tblRecipeDescEdit.fieldByName("R_ID").asInteger();
    }

    static RecordSet& ingredients() { return DataModuleRecipes->tblRecipeIngredientEdit; }

    // What the recipe wizard does around the dialog: a new or edited row, posted on OK.
    int openIngredient(bool newRow, const std::function<void()>& user)
    {
        if (newRow)
            ingredients().append();
        else
            ingredients().edit();
        dialogs.expect([&](TFormTemplateDialog&) { user(); });
        const int result = dialog().ShowModal();
        if (result == mrOk)
            ingredients().post();
        else
            ingredients().cancel();
        return result;
    }

    std::vector<std::string> storedIngredients()
    {
        DataModuleRecipes->PostNewRecipe();
        return dir.stored().rows("SELECT \"Ingredient Name\", NDB_No, NDB_ByGram, NDB_Quantity, NDB_Weight_ID, "
                                 "WeightInGram FROM \"Rescipe_ingredients.DB\" WHERE R_ID = "
                                 + std::to_string(recipe) + " ORDER BY R_ING_ID");
    }

    std::int64_t weightId(std::int64_t food, const std::string& measure)
    {
        return dir.stored().count("SELECT Weight_ID FROM \"WEIGHT.db\" WHERE NDB_No = " + std::to_string(food)
                                  + " AND Msre_Desc = '" + measure + "' ORDER BY rowid LIMIT 1");
    }
};

TEST_F(IngredientDialog, ButterLinkedByOneAndAHalfTablespoonsStoresTheGramsShown)
{
    const double foodsPageGrams = DataModuleFoods->CurrentGramWeight();
    openIngredient(true, [] {
        type(dialog().DBEdit2, "Butter, melted");
        type(dialog().DBEdit1, "2");
        type(dialog().DBEdit3, "tablespoons");
        clickRadio(dialog().rdByMeasure);
        chooseFood(kWhippedButter);
        chooseFood(kButter);
        EXPECT_EQ(dialog().ComboBoxMeasures->currentText(), "pat (1\" sq, 1/3\" high)");
        chooseMeasure("tbsp");
        type(dialog().EditAmount, "1.5");
        EXPECT_EQ(gramsLabel(), "Amount (g): 21.3");
        ui_test::click(dialog().btnAddLinkIngredient);
        EXPECT_EQ(dialog().DBEdit4->text(), "Butter, salted");
        EXPECT_EQ(dialog().DBEdit5->text(), "1.5");
        EXPECT_EQ(dialog().DBEdit6->text(), "tbsp");
        ui_test::click(dialog().BtnOk);
    });
    // The Foods page keeps its own grams: the dialog works its figures out itself.
    EXPECT_EQ(DataModuleFoods->CurrentGramWeight(), foodsPageGrams);
    EXPECT_EQ(storedIngredients(), std::vector<std::string>{"Butter, melted|1001|0|1.5|"
                                                            + std::to_string(weightId(kButter, "tbsp")) + ".0|21.3"});
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(IngredientDialog, GramsFollowTheMeasureTheAmountAndTheFood)
{
    openIngredient(true, [] {
        clickRadio(dialog().rdByMeasure);
        chooseFood(kRicotta);
        type(dialog().EditAmount, "1.5");
        EXPECT_EQ(dialog().ComboBoxMeasures->count(), 1); // one entry per description
        EXPECT_EQ(gramsLabel(), "Amount (g): 372");
        EXPECT_DOUBLE_EQ(dialog().GramWeight, 372);

        // Another food: its measures, its first one chosen, the grams worked out again.
        chooseFood(kButter);
        EXPECT_EQ(dialog().ComboBoxMeasures->count(), 4);
        EXPECT_EQ(dialog().ComboBoxMeasures->currentIndex(), 0);
        EXPECT_EQ(gramsLabel(), "Amount (g): 7.5");

        // An emptied or unreadable amount counts nothing.
        type(dialog().EditAmount, "");
        EXPECT_EQ(gramsLabel(), "Amount (g): ");
        EXPECT_EQ(dialog().GramWeight, 0);
        type(dialog().EditAmount, "1e999");
        EXPECT_EQ(dialog().GramWeight, 0);
        type(dialog().EditAmount, "2.5kg");
        EXPECT_DOUBLE_EQ(dialog().GramWeight, 12.5);

        // In grams the amount is the weight, the label is empty and the measure box is off.
        clickRadio(dialog().rdInGram);
        type(dialog().EditAmount, "125");
        EXPECT_EQ(gramsLabel(), "");
        EXPECT_FALSE(dialog().ComboBoxMeasures->isEnabled());
        EXPECT_EQ(dialog().ComboBoxMeasures->palette().color(QPalette::Disabled, QPalette::Base), QColor(201, 214, 199));
        chooseFood(kRicotta);
        EXPECT_EQ(dialog().GramWeight, 125);
        ui_test::click(dialog().btnAddLinkIngredient);
        ui_test::click(dialog().BtnOk);
    });
    // The measure shown is stored in grams too.
    EXPECT_EQ(storedIngredients(),
              std::vector<std::string>{"NULL|1036|1|125.0|" + std::to_string(weightId(kRicotta, "cup")) + ".0|125.0"});
}

TEST_F(IngredientDialog, AmountRadioChoiceAndGramsAreKeptBetweenShowingsAndOkWithoutLinkingKeepsTheLink)
{
    openIngredient(true, [] {
        clickRadio(dialog().rdInGram);
        type(dialog().EditAmount, "80");
        chooseFood(kButter);
        ui_test::click(dialog().btnAddLinkIngredient);
        ui_test::click(dialog().BtnOk);
    });
    openIngredient(false, [] {
        EXPECT_EQ(dialog().EditAmount->text(), "80");
        EXPECT_TRUE(dialog().rdInGram->isChecked());
        EXPECT_EQ(dialog().GramWeight, 80);
        // Another food and amount on screen, but not linked: OK keeps the stored link.
        chooseFood(kRicotta);
        type(dialog().EditAmount, "3");
        type(dialog().DBEdit2, "Butter");
        ui_test::click(dialog().BtnOk);
    });
    EXPECT_EQ(storedIngredients(),
              std::vector<std::string>{"Butter|1001|1|80.0|" + std::to_string(weightId(kButter, "pat (1\" sq, 1/3\" high)"))
                                       + ".0|80.0"});
}

TEST_F(IngredientDialog, CancelDropsTheNewRowAndTheLinkMadeInIt)
{
    openIngredient(true, [] {
        type(dialog().DBEdit2, "Butter");
        chooseFood(kButter);
        ui_test::click(dialog().btnAddLinkIngredient);
        ui_test::click(dialog().BtnCancel);
    });
    EXPECT_EQ(ingredients().recordCount(), 0);
    EXPECT_TRUE(storedIngredients().empty());
}

// Whipped butter's measures are gone from the data, so it can only be linked in grams.
class IngredientDialogWithoutMeasures : public IngredientDialog {
protected:
    void SetUp() override
    {
        dir.stored().execute("DELETE FROM \"WEIGHT.db\" WHERE NDB_No = 1002");
        IngredientDialog::SetUp();
    }
};

TEST_F(IngredientDialogWithoutMeasures, ByMeasureIsRefusedAndInGramsLeavesNoOtherFoodsMeasure)
{
    openIngredient(true, [] {
        clickRadio(dialog().rdByMeasure);
        type(dialog().EditAmount, "2");
        chooseFood(kButter);
        chooseMeasure("tbsp");
        ui_test::click(dialog().btnAddLinkIngredient); // butter by 2 tbsp: 28.4 g
        chooseFood(kWhippedButter);
        EXPECT_EQ(dialog().ComboBoxMeasures->count(), 0);
        EXPECT_EQ(gramsLabel(), "Amount (g): "); // not the previous food's grams
        ui_test::click(dialog().btnAddLinkIngredient);
        EXPECT_EQ(dialog().DBEdit4->text(), "Butter, salted"); // unchanged

        clickRadio(dialog().rdInGram);
        type(dialog().EditAmount, "30");
        ui_test::click(dialog().btnAddLinkIngredient);
        EXPECT_EQ(dialog().DBEdit6->text(), "");
        ui_test::click(dialog().BtnOk);
    });
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"This food has no household measure: link it In Grams."});
    EXPECT_EQ(storedIngredients(), std::vector<std::string>{"NULL|1002|1|30.0|NULL|30.0"});
}

TEST_F(IngredientDialog, WithAnEmptyFoodListTheLinkButtonDoesNothing)
{
    DataModuleFoods->SearchFoodsByKeyword("no such food anywhere");
    openIngredient(true, [] {
        EXPECT_EQ(dialog().DBGridIngredients->model()->rowCount(), 0);
        ui_test::click(dialog().btnAddLinkIngredient);
        ui_test::click(dialog().BtnOk);
    });
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(storedIngredients(), std::vector<std::string>{"NULL|NULL|NULL|NULL|NULL|NULL"});
}

TEST_F(IngredientDialog, TheMeasureListFollowsTheCurrentFoodWhileTheDialogIsHidden)
{
    DataModuleFoods->qrySearchFoods.locate("NDB_No", Value(kRicotta));
    EXPECT_EQ(dialog().ComboBoxMeasures->count(), 1);
    ASSERT_EQ(dialog().MeasureList.size(), 1u);
    EXPECT_DOUBLE_EQ(dialog().MeasureList[0].GramsPerUnit, 248);
    DataModuleFoods->qrySearchFoods.locate("NDB_No", Value(kButter));
    EXPECT_EQ(dialog().ComboBoxMeasures->itemText(1), "tbsp");
}

// The filter menu, as the user opens it from the "Food Filter" button.
class FoodFilterMenu : public IngredientDialog {
protected:
    std::vector<std::string> followed; // what the Foods page was told

    void SetUp() override
    {
        IngredientDialog::SetUp();
        dialog().FoodListChanged = [this](FoodListFilter filter, const std::string& name) {
            followed.push_back(std::to_string(static_cast<int>(filter)) + ":" + name);
        };
    }
    void TearDown() override
    {
        dialog().FoodListChanged = nullptr;
        IngredientDialog::TearDown();
    }

    static void choose(QAction* item)
    {
        ui_test::click(dialog().SpeedButton1, QPointF(10, 10));
        QMenu* menu = dialog().PopupMenu1;
        EXPECT_TRUE(menu->isVisible());
        EXPECT_EQ(menu->pos(), dialog().SpeedButton1->mapToGlobal(QPoint(0, dialog().SpeedButton1->height())));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    }

    std::vector<std::string> listedFoods()
    {
        RecordSet& foods = *DataModuleFoods->dscFoodDesc.dataSet();
        std::vector<std::string> names;
        for (int row = 0; row < foods.recordCount(); ++row)
            names.push_back(foods.displayTextAt(row, foods.fieldByName("NDB_No")));
        return names;
    }
};

TEST_F(FoodFilterMenu, TheMenuHasItsFourItemsAndDisplayAllFoodsListsEveryFood)
{
    QStringList items;
    for (QAction* action : dialog().PopupMenu1->actions())
        items << action->text();
    EXPECT_EQ(items, (QStringList{"Display All Foods", "Display by Food Group", "Simple Search", "Advanced Search"}));
    EXPECT_EQ(dialog().SpeedButton1->contextMenuPolicy(), Qt::DefaultContextMenu);

    DataModuleFoods->SearchFoodsByKeyword("butter");
    openIngredient(true, [&] {
        choose(dialog().DisplayAllFoods1);
        ui_test::click(dialog().BtnOk);
    });
    EXPECT_EQ(static_cast<std::int64_t>(listedFoods().size()), dir.stored().count("SELECT COUNT(*) FROM \"FOOD_DES.db\""));
    EXPECT_EQ(followed, std::vector<std::string>{"0:"});
}

TEST_F(FoodFilterMenu, AGroupRenamedInTheGroupListIsStoredShownAndToldToTheFoodsPage)
{
    openIngredient(true, [&] {
        dialogs.expect([](TFormTemplateDialog&) {
            ASSERT_TRUE(DataModuleFoods->tblFoodGroups2.locate("FdGrp_Desc", Value(std::string("Fats and Oils"))));
            ui_test::click(DialogFoodGroups->BtnEdit);
            ui_test::click(DialogFoodGroups->BtnOk);
        });
        dialogs.expect([](TFormTemplateDialog&) {
            type(DialogFoodGroupEdit->DBEdit1, "Oils");
            ui_test::click(DialogFoodGroupEdit->BtnOk);
        });
        choose(dialog().DisplaybyFoodGroup1);
        // The list shows the group's foods, and the measures follow its first food.
        EXPECT_EQ(DataModuleFoods->dscFoodDesc.dataSet(), &DataModuleFoods->tblFoodDesc);
        EXPECT_EQ(dialog().DBGridIngredients->model()->rowCount(),
                  dir.stored().count("SELECT COUNT(*) FROM \"FOOD_DES.db\" WHERE FdGrp_Cd = 400"));
        ui_test::click(dialog().BtnCancel);
    });
    EXPECT_EQ(dir.stored().rows("SELECT FdGrp_Desc FROM \"FD_GROUP.db\" WHERE FdGrp_Cd = 400"),
              std::vector<std::string>{"Oils"});
    EXPECT_EQ(followed, std::vector<std::string>{"1:Oils"});
}

TEST_F(FoodFilterMenu, CancelledGroupListAndSearchChangeNothing)
{
    const auto groups = dir.stored().rows("SELECT * FROM \"FD_GROUP.db\" ORDER BY FdGrp_Cd");
    const auto shown = listedFoods();
    openIngredient(true, [&] {
        dialogs.expect([](TFormTemplateDialog&) {
            ui_test::click(DialogFoodGroups->BtnCreate);
            ui_test::click(DialogFoodGroups->BtnCancel);
        });
        dialogs.expect([](TFormTemplateDialog&) {
            type(DialogFoodGroupEdit->DBEdit1, "Home Baking");
            ui_test::click(DialogFoodGroupEdit->BtnOk);
        });
        choose(dialog().DisplaybyFoodGroup1);
        dialogs.expect([](TFormTemplateDialog& search) { search.CloseCancel(); });
        choose(dialog().SimpleSearch1);
        ui_test::click(dialog().BtnOk);
    });
    EXPECT_FALSE(DataModuleFoods->tblFoodGroups2.updatesPending());
    EXPECT_EQ(dir.stored().rows("SELECT * FROM \"FD_GROUP.db\" ORDER BY FdGrp_Cd"), groups);
    EXPECT_EQ(listedFoods(), shown);
    EXPECT_TRUE(followed.empty());
}

TEST_F(FoodFilterMenu, ASimpleSearchShowsItsResultsAndTellsTheKeyword)
{
    openIngredient(true, [&] {
        dialogs.expect([](TFormTemplateDialog&) {
            QTest::keyClicks(DialogSimpleSearch->EditSearchSimple, "ricotta");
            QTest::keyClick(DialogSimpleSearch->EditSearchSimple, Qt::Key_Return);
        });
        choose(dialog().SimpleSearch1);
        EXPECT_EQ(listedFoods(), std::vector<std::string>{"1036"});
        EXPECT_EQ(dialog().ComboBoxMeasures->currentText(), "cup");
        ui_test::click(dialog().btnAddLinkIngredient);
        ui_test::click(dialog().BtnOk);
    });
    EXPECT_EQ(followed, std::vector<std::string>{"2:ricotta"});
    EXPECT_EQ(storedIngredients().size(), 1u);
    EXPECT_TRUE(dialogs.allUsed());
}

// Two saved searches: the cheeses, and one whose rule names no nutrient.
class SavedSearchMenu : public FoodFilterMenu {
protected:
    void SetUp() override
    {
        dir.stored().execute("INSERT INTO \"FoodSQL.DB\" VALUES (1, 'Cheeses'), (2, 'Broken')");
        dir.stored().execute("INSERT INTO \"FoodSQLRules.DB\" (\"Field\", \"Condition\", RValue, SQL_ID, ExtraInfo) "
                             "VALUES ('FoodName', 'Contains', 'cheese', 1, ''), ('Nutrient', '>', '5', 2, 'fat')");
        FoodFilterMenu::SetUp();
    }

    void runSearch(const char* name, bool ok)
    {
        dialogs.expect([=](TFormTemplateDialog& list) {
            ASSERT_TRUE(DataModuleFoods->tblFoodAdvancedSearch.locate("SQL Name", Value(std::string(name))));
            ui_test::click(ok ? DialogFoodAdvancedSearch->BtnOk : DialogFoodAdvancedSearch->BtnCancel);
            EXPECT_FALSE(list.isVisible());
        });
        choose(dialog().AdvancedSearch1);
    }
};

TEST_F(SavedSearchMenu, ASavedSearchChosenWithOkListsItsFoodsAndARefusedOneListsAllFoods)
{
    const std::int64_t cheeses =
        dir.stored().count("SELECT COUNT(*) FROM \"FOOD_DES.db\" WHERE LOWER(\"Desc\") LIKE '%cheese%'");
    openIngredient(true, [&] {
        runSearch("Cheeses", false);
        EXPECT_TRUE(followed.empty());
        runSearch("Cheeses", true);
        EXPECT_EQ(dialog().DBGridIngredients->model()->rowCount(), cheeses);
        runSearch("Broken", true);
        EXPECT_EQ(dialog().DBGridIngredients->model()->rowCount(),
                  dir.stored().count(R"(SELECT COUNT(*) FROM "FOOD_DES.db")"));
        ui_test::click(dialog().BtnOk);
    });
    EXPECT_EQ(followed, (std::vector<std::string>{"3:Cheeses", "0:"}));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(dialogs.shown(), (std::vector<std::string>{"DialogIngredientEdit", "DialogFoodAdvancedSearch",
                                                         "DialogFoodAdvancedSearch", "DialogFoodAdvancedSearch"}));
}

} // namespace

namespace {

TEST_F(IngredientDialog, AnAmountBeyondTheAmountRuleIsRefusedAtTheLinkButtonAndLinksNothing)
{
    openIngredient(true, [this] {
        type(dialog().DBEdit2, "Butter");
        EXPECT_NE(weightId(kButter, "tbsp"), 0);
        clickRadio(dialog().rdByMeasure);
        chooseFood(kButter);
        chooseMeasure("tbsp");
        for (const char* amount : {"1e308", "0", "-2"}) {
            type(dialog().EditAmount, amount);
            EXPECT_EQ(gramsLabel(), "Amount (g): ") << amount; // never inf, nan or a negative weight
            messages.clear();
            ui_test::click(dialog().btnAddLinkIngredient);
            EXPECT_EQ(messages.texts(), std::vector<std::string>{"The amount must be a number above 0 and at most 100 kg."})
                << amount;
            EXPECT_TRUE(ingredients().fieldByName("NDB_No").isNull()) << amount;
        }
        clickRadio(dialog().rdInGram);
        for (const char* amount : {"-100", "100001", "1e307"}) {
            type(dialog().EditAmount, amount);
            messages.clear();
            ui_test::click(dialog().btnAddLinkIngredient);
            EXPECT_EQ(messages.texts().size(), 1u) << amount;
            EXPECT_TRUE(ingredients().fieldByName("NDB_No").isNull()) << amount;
        }
        // The comma rule: "7,5" is 7.5 g, and 100 kg is the most a line may weigh.
        type(dialog().EditAmount, "7,5");
        ui_test::click(dialog().btnAddLinkIngredient);
        EXPECT_EQ(ingredients().fieldByName("WeightInGram").asFloat(), 7.5);
        type(dialog().EditAmount, "100,000");
        ui_test::click(dialog().btnAddLinkIngredient);
        EXPECT_EQ(ingredients().fieldByName("WeightInGram").asFloat(), 100000);
        ui_test::click(dialog().BtnOk);
    });
    // In grams the measure shown is kept as ever; the grams are the amount.
    EXPECT_EQ(storedIngredients(), std::vector<std::string>{"Butter|1001|1|100000.0|"
                                                            + std::to_string(weightId(kButter, "tbsp")) + ".0|100000.0"});
}

} // namespace
