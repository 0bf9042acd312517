#include "tests/app/RecipesPageSupport.h"
#include "cookbook/PrintPreview.h"
#include "cookbook/RecipeCard.h"
#include "cookbook/ShoppingListDialog.h"
#include "ui/GraphicButton.h"
#include "ui/UiTestSupport.h"

#include <QFile>
#include <QLabel>
#include <QPageRanges>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <filesystem>

// Recipe cards, cookbooks and shopping lists on paper: the PDF each writes is read
// back with pdftotext, page by page, as a reader would see it.
namespace {

constexpr int kLines = 40;
constexpr int kSteps = 30;

QString ingredientLine(int i)
{
    return QStringLiteral("%1 cups of ingredient number %2, finely chopped").arg(i % 3 + 1).arg(i);
}

QString stepText(int i)
{
    return QStringLiteral("Stir the pot slowly for a while and taste it, then add a little more of everything that "
                          "seems to be missing, keeping the heat low; this is what step %1 asks, and nothing more "
                          "than that, mark%1.")
        .arg(i);
}

// The text of a PDF, or of one of its pages, as pdftotext lays it out.
QString pdfText(const QString& file, int page = 0)
{
    QStringList arguments{QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    arguments << file << QStringLiteral("-");
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), arguments);
    tool.waitForFinished(30000);
    return QString::fromUtf8(tool.readAllStandardOutput());
}

int pdfPages(const QString& file)
{
    QProcess tool;
    tool.start(QStringLiteral("pdfinfo"), {file});
    tool.waitForFinished(30000);
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(tool.readAllStandardOutput());
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

// A long recipe: many lines as written and many long steps, so that it runs over pages.
class RecipePages : public RecipesPageTest {
protected:
    ScriptedDialogs dialogs;
    QString saved;

    void SetUp() override
    {
        ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            << "pdftotext (Debian package poppler-utils) reads the PDFs back";
        const StoredData stored = dir.stored();
        QStringList steps;
        for (int i = 1; i <= kSteps; ++i)
            steps << QStringLiteral("%1. %2").arg(i).arg(stepText(i));
        stored.execute("INSERT INTO \"Recipe_Des.DB\" (R_ID, \"Recipe Name\", \"Number of Serves\", \"Procedures\", Author)"
                       " VALUES (9, 'Long Stew', 6, '" + steps.join(u'\n').toStdString() + "', 'A. Cook')");
        for (int i = 1; i <= kLines; ++i) {
            stored.execute("INSERT INTO \"Rescipe_ingredients.DB\" (R_ING_ID, \"Ingredient Name\", R_ID) VALUES (" +
                           std::to_string(900 + i) + ", 'x', 9)");
            stored.execute("INSERT INTO \"Ingredient_Line.db\" (R_ING_ID, Line) VALUES (" + std::to_string(900 + i) +
                           ", '" + ingredientLine(i).toStdString() + "')");
        }
        RecipesPageTest::SetUp();
        previousSave_ = TDialogPrintPreview::SaveFileNameHook;
        previousPrint_ = TDialogPrintPreview::PrintDialogHook;
        saved = QString::fromStdString((dir.path() / "out.pdf").string());
        TDialogPrintPreview::SaveFileNameHook = [this](QWidget*, const QString&) { return saved; };
    }

    void TearDown() override
    {
        TDialogPrintPreview::SaveFileNameHook = previousSave_;
        TDialogPrintPreview::PrintDialogHook = previousPrint_;
        RecipesPageTest::TearDown();
    }

    static void selectRecipe(const QString& name)
    {
        RecordSet& shown = *DataModuleRecipes->dscDisplayRecipes.dataSet();
        ASSERT_TRUE(shown.locate("Recipe Name", Value(name.toStdString())));
    }

private:
    decltype(TDialogPrintPreview::SaveFileNameHook) previousSave_;
    decltype(TDialogPrintPreview::PrintDialogHook) previousPrint_;
};

TEST_F(RecipePages, ALongRecipeRunsOverPagesWithEveryLineAndStepAndNothingOffThePage)
{
    selectRecipe("Long Stew");
    ui_test::click(FormMain->BtnSaveRecipePdf);
    const int pages = pdfPages(saved);
    ASSERT_GE(pages, 3);

    // Each page read on its own: the running header on the later ones, then what follows.
    QString body;
    for (int page = 1; page <= pages; ++page) {
        QString text = pdfText(saved, page);
        if (page > 1) {
            const QString header = text.section(u'\n', 0, 0).simplified();
            EXPECT_EQ(header, QStringLiteral("Long Stew Page %1").arg(page));
            text = text.section(u'\n', 1);
        }
        body += text + u'\n';
    }
    body = body.simplified();
    EXPECT_TRUE(body.startsWith("Long Stew Serves 6")) << body.left(80).toStdString();
    for (int i = 1; i <= kLines; ++i)
        EXPECT_TRUE(body.contains(ingredientLine(i))) << i;
    for (int i = 1; i <= kSteps; ++i)
        EXPECT_TRUE(body.contains(QStringLiteral("%1. %2").arg(i).arg(stepText(i)))) << i;
    EXPECT_TRUE(body.contains("Author: A. Cook"));
    EXPECT_TRUE(body.contains("Nutrition Facts"));

    // Every item within the paper's margins, on paper of either size.
    for (const PageSetup& setup : {pageSetupFor({595.28, 841.89}), pageSetupFor({612, 792})}) {
        const PagedDocument card = recipeCard(cardRecipe(DataModuleRecipes->DatabaseRecipe.sqlite(), 9), setup);
        for (const Page& page : card.pages)
            for (const PageItem& item : page.items)
                EXPECT_TRUE(setup.body().adjusted(-0.5, -0.5, 0.5, 0.5).contains(item.rect)) << item.text.toStdString();
    }
}

// Headings are bold, and nothing else that can end a page is: the last text of
// every page is plain, however far down the ingredient lines push the steps.
TEST_F(RecipePages, NoHeadingEndsAPageWhereverTheStepsBegin)
{
    CardRecipe recipe = cardRecipe(DataModuleRecipes->DatabaseRecipe.sqlite(), 9);
    recipe.draft.procedure = "For the stock\n" + recipe.draft.procedure;
    const std::vector<DraftIngredient> lines = recipe.draft.ingredients;
    for (const PageSetup& setup : {pageSetupFor({595.28, 841.89}), pageSetupFor({612, 792})}) {
        for (std::size_t count = 0; count <= lines.size(); ++count) {
            recipe.draft.ingredients.assign(lines.begin(), lines.begin() + std::ptrdiff_t(count));
            const PagedDocument card = recipeCard(recipe, setup);
            for (std::size_t page = 0; page < card.pages.size(); ++page) {
                const auto& items = card.pages[page].items;
                const auto last = std::find_if(items.rbegin(), items.rend(),
                                               [](const PageItem& item) { return item.kind == PageItem::Kind::Text; });
                if (last != items.rend()) {
                    EXPECT_FALSE(last->font.bold()) << count << " lines: page " << page + 1 << " ends with "
                                                    << last->text.toStdString();
                }
            }
        }
    }
}

TEST_F(RecipePages, ACookbooksContentsNameThePageEachRecipeStartsOn)
{
    ui_test::click(FormMain->BtnSaveCookbookPdf);
    const int pages = pdfPages(saved);
    const QString title = pdfText(saved, 1).simplified();
    EXPECT_EQ(title, "All Recipes 4 recipes");

    const QString contents = pdfText(saved, 2);
    QStringList names;
    const QRegularExpression entry(QStringLiteral("^\\s*(\\S.*?\\S)\\s*(?:\\.\\s*){3,}(\\d+)\\s*$"));
    for (const QString& line : contents.split(u'\n')) {
        const auto match = entry.match(line);
        if (!match.hasMatch())
            continue;
        names << match.captured(1);
        const int page = match.captured(2).toInt();
        ASSERT_GE(page, 3);
        ASSERT_LE(page, pages);
        EXPECT_TRUE(pdfText(saved, page).trimmed().startsWith(match.captured(1))) << match.captured(1).toStdString();
        if (page > 3) { // the recipe before it ends on the page before
            EXPECT_FALSE(pdfText(saved, page - 1).trimmed().startsWith(match.captured(1)));
        }
    }
    EXPECT_EQ(names.join(u'|'), "Classic Pancakes|Garden Salad|Chicken and Rice|Long Stew") << contents.toStdString();
}

TEST_F(RecipePages, ThePreviewTurnsPagesPrintsOnThePrintersPaperAndSaves)
{
    selectRecipe("Long Stew");
    const QString printed = QString::fromStdString((dir.path() / "printed.pdf").string());
    TDialogPrintPreview::PrintDialogHook = [&](QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        return true;
    };
    dialogs.expect([&](TFormTemplateDialog& dialog) {
        auto& preview = dynamic_cast<TDialogPrintPreview&>(dialog);
        const int pages = static_cast<int>(preview.Document().pages.size());
        EXPECT_EQ(preview.LabelPage->text(), QStringLiteral("Page 1 of %1").arg(pages));
        EXPECT_FALSE(preview.BtnPrev->isEnabled());
        ui_test::click(preview.BtnNext);
        EXPECT_EQ(preview.LabelPage->text(), QStringLiteral("Page 2 of %1").arg(pages));
        ui_test::click(preview.BtnPrint);
        ui_test::click(preview.BtnSavePdf);
        ui_test::click(preview.BtnClose);
    });
    ui_test::click(FormMain->BtnPrintRecipe);
    EXPECT_TRUE(dialogs.allUsed());
    EXPECT_TRUE(pdfText(printed).contains("Long Stew"));
    EXPECT_TRUE(pdfText(saved).simplified().contains(stepText(kSteps)));
    EXPECT_TRUE(messages.texts().empty());
}

// What the print dialog chose is what prints; what cannot be done says so and
// leaves no file behind.
TEST_F(RecipePages, OnlyThePagesChosenPrintAndWhatFailsIsReportedWithNoFileLeft)
{
    selectRecipe("Long Stew");
    const QString printed = QString::fromStdString((dir.path() / "printed.pdf").string());
    QPageRanges chosen;
    TDialogPrintPreview::PrintDialogHook = [&](QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setPageRanges(chosen);
        return true;
    };
    int pages = 0;
    dialogs.expect([&](TFormTemplateDialog& dialog) {
        auto& preview = dynamic_cast<TDialogPrintPreview&>(dialog);
        pages = static_cast<int>(preview.Document().pages.size());
        chosen.addRange(2, 3);
        ui_test::click(preview.BtnPrint);
        EXPECT_EQ(pdfPages(printed), 2);
        for (int page : {2, 3})
            EXPECT_TRUE(pdfText(printed, page - 1).simplified().startsWith(QStringLiteral("Long Stew Page %1").arg(page)));
        ASSERT_TRUE(QFile::remove(printed));
        chosen.clear();
        chosen.addRange(pages + 1, pages + 4);
        ui_test::click(preview.BtnPrint);
        TDialogPrintPreview::SaveFileNameHook = [this](QWidget*, const QString&) {
            return QString::fromStdString((dir.path() / "no such folder" / "card.pdf").string());
        };
        ui_test::click(preview.BtnSavePdf);
        ui_test::click(preview.BtnClose);
    });
    ui_test::click(FormMain->BtnPrintRecipe);
    ASSERT_TRUE(dialogs.allUsed());
    ASSERT_GE(pages, 3);
    EXPECT_FALSE(QFile::exists(printed)) << "pages beyond the document print nothing";
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "no such folder"));
    const std::vector<std::string> shown = messages.texts();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NE(shown[0].find(QStringLiteral("(%1-%2)").arg(pages + 1).arg(pages + 4).toStdString()), std::string::npos)
        << shown[0];
    EXPECT_NE(shown[1].find("The PDF was not saved"), std::string::npos) << shown[1];
}

TEST_F(RecipePages, AShoppingListSavesAsPdfWithItsLines)
{
    selectRecipe("Garden Salad");
    dialogs.expect([](TFormTemplateDialog& dialog) {
        auto& shopping = dynamic_cast<TDialogShoppingList&>(dialog);
        ui_test::click(shopping.BtnSavePdf);
        ui_test::click(shopping.BtnClose);
    });
    ui_test::click(FormMain->BtnShoppingList);
    const QString text = pdfText(saved).simplified();
    EXPECT_TRUE(text.startsWith("Shopping List: Garden Salad")) << text.toStdString();
    EXPECT_TRUE(text.contains("Butter, salted") || text.contains("Salt")) << text.toStdString();
}

} // namespace
