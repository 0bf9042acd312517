#include "tests/app/AppTestSupport.h"
#include "foods/DatabaseFood.h"
#include "foods/SimpleSearch.h"
#include "ui/GraphicButton.h"
#include "ui/UiTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

namespace {

class SimpleSearchDialog : public ProgramTest {
protected:
    ScriptedDialogs dialogs;

    QLineEdit* box() { return DialogSimpleSearch->EditSearchSimple; }

    std::vector<std::string> history()
    {
        return dir.stored().rows(R"(SELECT Keyword FROM "FoodSimpleSearch.db" ORDER BY rowid)");
    }

    std::vector<std::string> shownFoods()
    {
        RecordSet& found = DataModuleFoods->qrySearchFoods;
        std::vector<std::string> names;
        for (found.first(); !found.eof(); found.next())
            names.push_back(found.fieldByName("Desc").asString());
        return names;
    }

    // Runs the dialog as its callers do and returns its result.
    int search(const std::function<void()>& user)
    {
        dialogs.expect([&](TFormTemplateDialog&) { user(); });
        return DialogSimpleSearch->ShowModal();
    }
};

TEST_F(SimpleSearchDialog, EnterInTheBoxSearchesRecordsTheKeywordAndClosesWithOk)
{
    const auto before = history();
    const int result = search([&] {
        EXPECT_TRUE(box()->text().isEmpty());
        QTest::keyClicks(box(), "CHEESE");
        QTest::keyClick(box(), Qt::Key_Return);
    });
    EXPECT_EQ(result, mrOk);
    const auto foods = shownFoods();
    ASSERT_FALSE(foods.empty());
    for (const auto& food : foods)
        EXPECT_NE(QString::fromStdString(food).indexOf("cheese", 0, Qt::CaseInsensitive), -1) << food;
    auto expected = before;
    expected.push_back("CHEESE");
    EXPECT_EQ(history(), expected);

    // The next showing starts with an empty box.
    search([&] {
        EXPECT_TRUE(box()->text().isEmpty());
        DialogSimpleSearch->CloseCancel();
    });
}

TEST_F(SimpleSearchDialog, EscapeInTheBoxCancelsAndAnEmptyBoxSearchesNothing)
{
    const auto before = history();
    const int result = search([&] {
        ui_test::click(DialogSimpleSearch->ButtonSearch);
        QTest::keyClick(box(), Qt::Key_Return);
        EXPECT_TRUE(DialogSimpleSearch->isVisible()) << "an empty box keeps the dialog open";
        QTest::keyClicks(box(), "egg");
        QTest::keyClick(box(), Qt::Key_Escape);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(history(), before);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(SimpleSearchDialog, AnApostropheOrBlanksAreSearchedAsTypedAndALongPasteIsHeldToWhatTheHistoryKeeps)
{
    search([&] {
        QTest::keyClicks(box(), "babies' food");
        ui_test::click(DialogSimpleSearch->ButtonSearch);
    });
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(history().back(), "babies' food");

    search([&] {
        QTest::keyClicks(box(), " butter ");
        ui_test::click(DialogSimpleSearch->ButtonSearch);
    });
    EXPECT_EQ(history().back(), " butter ");
    for (const auto& food : shownFoods()) // the blanks are part of the keyword
        EXPECT_NE(QString::fromStdString(food).indexOf(" butter ", 0, Qt::CaseInsensitive), -1) << food;

    const std::string pasted(300, 'k');
    search([&] {
        QApplication::clipboard()->setText(QString::fromStdString(pasted));
        box()->paste();
        EXPECT_EQ(box()->text().size(), 255);
        ui_test::click(DialogSimpleSearch->ButtonSearch);
    });
    EXPECT_EQ(history().back(), pasted.substr(0, 255));
    EXPECT_EQ(DataModuleFoods->GetSearchHistory().front(), pasted.substr(0, 255));
}

TEST_F(SimpleSearchDialog, AKeywordDifferingOnlyInLetterCaseReplacesTheStoredOne)
{
    for (const char* typed : {"apple", "Butter", "APPLE"})
        search([&] {
            QTest::keyClicks(box(), typed);
            ui_test::click(DialogSimpleSearch->ButtonSearch);
        });
    const auto rows = history();
    EXPECT_EQ(std::count(rows.begin(), rows.end(), "apple"), 0);
    EXPECT_EQ(std::count(rows.begin(), rows.end(), "APPLE"), 1);
    EXPECT_EQ(DataModuleFoods->GetSearchHistory().front(), "APPLE");
}

} // namespace
