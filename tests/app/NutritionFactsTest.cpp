#include "tests/app/AppTestSupport.h"
#include "app/MainForm.h"
#include "facts/NutritionFacts.h"
#include "foods/DatabaseFood.h"
#include "recipes/DatabaseRecipes.h"
#include "ui/AdvButton.h"
#include "ui/DataControls.h"
#include "ui/GraphicButton.h"
#include "tests/ui/UiTestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QTest>

#include <fstream>

namespace {

// Puts the dialog's print and file dialogs back as they were.
struct HookGuard {
    decltype(TDialogNutritionFacts::PrintDialogHook) print = TDialogNutritionFacts::PrintDialogHook;
    decltype(TDialogNutritionFacts::SaveFileNameHook) save = TDialogNutritionFacts::SaveFileNameHook;
    ~HookGuard()
    {
        TDialogNutritionFacts::PrintDialogHook = print;
        TDialogNutritionFacts::SaveFileNameHook = save;
    }
};

class NutritionFacts : public ProgramTest {
protected:
    ScriptedDialogs dialogs;
    HookGuard hooks;

    void SetUp() override
    {
        ProgramTest::SetUp();
        FormMain->show();
    }

    // Opens the first starter recipe's label and runs `use` on it while it shows.
    void withRecipeLabel(const std::function<void(TDialogNutritionFacts&)>& use)
    {
        dialogs.expect([&](TFormTemplateDialog& shown) {
            auto* dialog = dynamic_cast<TDialogNutritionFacts*>(&shown);
            ASSERT_NE(dialog, nullptr);
            use(*dialog);
            dialog->GraphicButton1Click();
        });
        ShowRecipeNutritionFacts(1);
        EXPECT_TRUE(dialogs.allUsed());
    }

    std::filesystem::path file(const char* name) const { return dir.path() / name; }

    static std::uintmax_t sizeOf(const std::filesystem::path& path)
    {
        return std::filesystem::exists(path) ? std::filesystem::file_size(path) : 0;
    }
};

TEST_F(NutritionFacts, RecipeLabelOpensInItsDialog)
{
    withRecipeLabel([](TDialogNutritionFacts& dialog) {
        EXPECT_EQ(dialog.Label().name, "Classic Pancakes");
        EXPECT_TRUE(dialog.LabelView->isVisible());
        EXPECT_GT(dialog.LabelView->height(), dialog.LabelView->width());
    });
    EXPECT_EQ(dialogs.shown(), std::vector<std::string>{"DialogNutritionFacts"});
}

TEST_F(NutritionFacts, DisplayedRecipeLabelFollowsTheRecipesPage)
{
    DataModuleRecipes->ShowAllRecipes();
    ASSERT_TRUE(DataModuleRecipes->dscDisplayRecipes.dataSet()->locate("R_ID", Value(std::int64_t{2})));
    dialogs.expect([](TFormTemplateDialog& shown) {
        EXPECT_EQ(dynamic_cast<TDialogNutritionFacts&>(shown).Label().name, "Garden Salad");
        shown.CloseCancel();
    });
    ShowDisplayedRecipeNutritionFacts();
    EXPECT_TRUE(dialogs.allUsed());

    // A type without recipes shows none: there is no label to open.
    DataModuleRecipes->ShowRecipesByType("Bread");
    ASSERT_TRUE(DataModuleRecipes->dscDisplayRecipes.dataSet()->isEmpty());
    ShowDisplayedRecipeNutritionFacts();
    EXPECT_EQ(dialogs.shown().size(), 1u);
}

TEST_F(NutritionFacts, SavingAsPdfWritesTheChosenFileWithItsSuffix)
{
    QString suggested;
    TDialogNutritionFacts::SaveFileNameHook = [&](QWidget*, const QString& name) {
        suggested = name;
        return QString::fromStdString(file("label").string());
    };
    withRecipeLabel([](TDialogNutritionFacts& dialog) { ui_test::click(dialog.BtnSavePdf); });
    EXPECT_EQ(suggested, "Classic Pancakes.pdf");
    EXPECT_GT(sizeOf(file("label.pdf")), 1000u);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(NutritionFacts, CancelledFileDialogWritesNothing)
{
    TDialogNutritionFacts::SaveFileNameHook = [](QWidget*, const QString&) { return QString(); };
    withRecipeLabel([](TDialogNutritionFacts& dialog) { ui_test::click(dialog.BtnSavePdf); });
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_NE(entry.path().extension(), ".pdf");
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(NutritionFacts, PdfThatCannotBeWrittenIsToldInTheErrorBox)
{
    TDialogNutritionFacts::SaveFileNameHook = [&](QWidget*, const QString&) {
        return QString::fromStdString((dir.path() / "missing" / "label.pdf").string());
    };
    withRecipeLabel([](TDialogNutritionFacts& dialog) { ui_test::click(dialog.BtnSavePdf); });
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].kind, MessageKind::Error);
    EXPECT_NE(messages.messages()[0].text.find("could not be saved"), std::string::npos);
}

TEST_F(NutritionFacts, PrintingGoesToThePrinterTheDialogSetUp)
{
    const std::string printed = file("printed.pdf").string();
    TDialogNutritionFacts::PrintDialogHook = [&](QPrinter& printer, QWidget*) {
        EXPECT_EQ(printer.docName(), "Classic Pancakes");
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(printed));
        return true;
    };
    withRecipeLabel([](TDialogNutritionFacts& dialog) { ui_test::click(dialog.BtnPrint); });
    EXPECT_GT(sizeOf(printed), 1000u);

    std::filesystem::remove(printed);
    TDialogNutritionFacts::PrintDialogHook = [&](QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(printed));
        return false; // the user cancelled
    };
    withRecipeLabel([](TDialogNutritionFacts& dialog) { ui_test::click(dialog.BtnPrint); });
    EXPECT_EQ(sizeOf(printed), 0u);
    EXPECT_TRUE(messages.messages().empty());
}

class FoodNutritionFacts : public NutritionFacts {
protected:
    void SetUp() override
    {
        NutritionFacts::SetUp();
        ui_test::click(FormMain->BtnFoods);
    }

    static QMenu* menu() { return FormMain->DBGrid3->findChild<QMenu*>("PopupMenuFoodNutrients"); }

    static void rightClickNutrients()
    {
        QWidget* viewport = FormMain->DBGrid3->viewport();
        QContextMenuEvent event(QContextMenuEvent::Mouse, {10, 10}, viewport->mapToGlobal(QPoint(10, 10)));
        QCoreApplication::sendEvent(viewport, &event);
    }
};

TEST_F(FoodNutritionFacts, NutrientGridMenuOpensTheLabelForTheChosenMeasureAndAmount)
{
    QComboBox* measures = FormMain->ComboBoxMeasures;
    measures->setCurrentIndex(measures->findText("tbsp"));
    FormMain->EditAmount->setText("2");

    rightClickNutrients();
    ASSERT_NE(menu(), nullptr);
    EXPECT_TRUE(menu()->isVisible());
    QAction* action = menu()->findChild<QAction*>("NutritionFacts");
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), "Nutrition Facts...");
    EXPECT_TRUE(action->isEnabled());
    menu()->hide();

    dialogs.expect([](TFormTemplateDialog& shown) {
        const NutritionLabel& label = dynamic_cast<TDialogNutritionFacts&>(shown).Label();
        EXPECT_EQ(label.name, "Butter, salted");
        EXPECT_EQ(label.columns[0].heading, "Per 100 g");
        EXPECT_EQ(label.columns[1].heading, "Per 2 tbsp");
        EXPECT_DOUBLE_EQ(*label.columns[1].grams, 28.4);
        shown.CloseCancel();
    });
    action->trigger();
    EXPECT_TRUE(dialogs.allUsed());
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(FoodNutritionFacts, EmptyFoodListLeavesTheMenuItemOff)
{
    DataModuleFoods->SearchFoodsByKeyword("no food is called this");
    DataModuleFoods->ShowSearchResults();
    ASSERT_TRUE(DataModuleFoods->dscFoodDesc.dataSet()->isEmpty());
    rightClickNutrients();
    EXPECT_FALSE(menu()->findChild<QAction*>("NutritionFacts")->isEnabled());
    menu()->hide();
}

// Right-clicks a grid where a user would, and gives its "Nutrition Facts..." item.
QAction* rightClickForLabel(TDBGrid* grid, const char* menuName)
{
    QWidget* viewport = grid->viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, {10, 10}, viewport->mapToGlobal(QPoint(10, 10)));
    QCoreApplication::sendEvent(viewport, &event);
    auto* menu = grid->findChild<QMenu*>(menuName);
    if (!menu || !menu->isVisible())
        return nullptr;
    menu->hide();
    return menu->findChild<QAction*>("NutritionFacts");
}

TEST_F(NutritionFacts, RecipesPageGridsOpenTheLabelOfTheRecipeShownAndNoneForAnEmptyList)
{
    ui_test::click(FormMain->BtnRecipes);
    DataModuleRecipes->ShowAllRecipes();
    ASSERT_TRUE(DataModuleRecipes->dscDisplayRecipes.dataSet()->locate("R_ID", Value(std::int64_t{2})));
    for (const auto& [grid, menu] : {std::pair{FormMain->DBGridRecipeList, "PopupMenuRecipeList"},
                                     std::pair{FormMain->DBGridRecipeNutrientList, "PopupMenuRecipeNutrients"}}) {
        QAction* facts = rightClickForLabel(grid, menu);
        ASSERT_NE(facts, nullptr) << menu;
        EXPECT_EQ(facts->text(), "Nutrition Facts...");
        ASSERT_TRUE(facts->isEnabled()) << menu;
        dialogs.expect([](TFormTemplateDialog& shown) {
            EXPECT_EQ(dynamic_cast<TDialogNutritionFacts&>(shown).Label().name, "Garden Salad");
            shown.CloseCancel();
        });
        facts->trigger();
        EXPECT_TRUE(dialogs.allUsed()) << menu;
    }

    DataModuleRecipes->ShowRecipesByType("Bread");
    ASSERT_TRUE(DataModuleRecipes->dscDisplayRecipes.dataSet()->isEmpty());
    EXPECT_FALSE(rightClickForLabel(FormMain->DBGridRecipeNutrientList, "PopupMenuRecipeNutrients")->isEnabled());
    EXPECT_TRUE(messages.messages().empty());
}

} // namespace
