#include "ui/AdvButton.h"
#include "tests/ui/UiTestSupport.h"

#include <QFontMetrics>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

using namespace ui_test;

namespace {

struct TabGroupTest : ::testing::Test {
    QWidget header;
    SkinImage chosen = solid("TabButtonUp", {106, 31}, Qt::green);
    SkinImage idle = solid("TabButtonDown", {106, 31}, Qt::darkGreen);
    TAdvButton* recipes = tab("Recipes", 1);
    TAdvButton* foods = tab("Foods", 1);
    TAdvButton* infoBase = tab("Info Base", 1);
    std::vector<std::string> clicked;

    TAdvButton* tab(const char* caption, int group, QWidget* parent = nullptr)
    {
        auto* button = new TAdvButton(parent ? parent : &header);
        button->SetCaption(QString::fromLatin1(caption));
        button->SetGroupIndex(group);
        button->SetImage(&chosen);
        button->SetImageDown(&idle);
        button->OnClick = [this, caption] { clicked.emplace_back(caption); };
        return button;
    }
};

TEST_F(TabGroupTest, ClickingATabPutsItDownAndTheRestOfItsGroupUp)
{
    recipes->SetDown(true);
    click(foods);
    EXPECT_TRUE(foods->Down());
    EXPECT_FALSE(recipes->Down());
    EXPECT_FALSE(infoBase->Down());
    EXPECT_EQ(clicked, std::vector<std::string>{"Foods"});

    // The down tab stays down when clicked, and still reports the click.
    click(foods);
    EXPECT_TRUE(foods->Down());
    EXPECT_EQ(clicked, (std::vector<std::string>{"Foods", "Foods"}));
}

TEST_F(TabGroupTest, GroupsArePerIndexAndPerParent)
{
    QWidget otherParent;
    TAdvButton* otherGroup = tab("Other", 2);
    TAdvButton* elsewhere = tab("Elsewhere", 1, &otherParent);
    otherGroup->SetDown(true);
    elsewhere->SetDown(true);
    recipes->SetDown(true);
    click(infoBase);
    EXPECT_TRUE(infoBase->Down());
    EXPECT_FALSE(recipes->Down());
    EXPECT_TRUE(otherGroup->Down());
    EXPECT_TRUE(elsewhere->Down());
}

TEST_F(TabGroupTest, OnlyAnotherTabOfTheGroupPutsADownTabUp)
{
    recipes->SetDown(true);
    recipes->SetDown(false);
    EXPECT_TRUE(recipes->Down());
    foods->SetDown(true);
    EXPECT_FALSE(recipes->Down());
}

TEST_F(TabGroupTest, ADoubleClickedTabLatchesAndClicksOnce)
{
    recipes->SetDown(true);
    doubleClick(foods);
    EXPECT_TRUE(foods->Down());
    EXPECT_FALSE(recipes->Down());
    EXPECT_EQ(clicked, std::vector<std::string>{"Foods"});
}

TEST_F(TabGroupTest, ReleasingAwayFromTheTabNeitherLatchesNorClicks)
{
    recipes->SetDown(true);
    press(foods);
    release(foods, {-30, 5});
    EXPECT_FALSE(foods->Down());
    EXPECT_TRUE(recipes->Down());
    EXPECT_TRUE(clicked.empty());
}

TEST_F(TabGroupTest, ATabHeldAndDraggedOffLosesItsHoverAtOnceAndDoesNotLatch)
{
    recipes->SetDown(true);
    foods->move(120, 0);
    header.resize(300, 100);
    header.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&header));
    QWindow* window = header.windowHandle();
    QTest::mouseMove(window, {150, 10});
    QTest::mousePress(window, Qt::LeftButton, {}, {150, 10});
    EXPECT_TRUE(foods->MouseOver());
    QTest::mouseMove(window, {150, 80});
    EXPECT_FALSE(foods->MouseOver());
    QTest::mouseRelease(window, Qt::LeftButton, {}, {150, 80});
    EXPECT_FALSE(foods->Down());
    EXPECT_TRUE(recipes->Down());
    EXPECT_TRUE(clicked.empty());
}

TEST_F(TabGroupTest, AHoveredTabThatIsHiddenIsNoLongerHovered)
{
    header.show();
    enter(foods);
    header.hide();
    EXPECT_FALSE(foods->MouseOver());
}

TEST_F(TabGroupTest, WithoutAGroupATabIsNeverDownAndDrawsNothing)
{
    TAdvButton* loose = tab("Loose", 0);
    loose->SetDown(true);
    EXPECT_FALSE(loose->Down());
    EXPECT_EQ(loose->PlanPaint().picture, nullptr);
    EXPECT_TRUE(blank(paintedAlone(loose)));
    EXPECT_FALSE(blank(paintedAlone(recipes)));
}

TEST_F(TabGroupTest, ChosenTabDrawsItsImageAndFontIdleTabsTheDownImageOnePixelLower)
{
    ButtonFont white = defaultButtonFont();
    white.color = Qt::white;
    ButtonFont silver = defaultButtonFont();
    silver.color = QColor(192, 192, 192);
    for (TAdvButton* b : {recipes, foods}) {
        b->SetFont(white);
        b->SetFontOver(silver);
    }
    recipes->SetDown(true);

    const auto down = recipes->PlanPaint();
    EXPECT_EQ(down.picture, &chosen);
    EXPECT_EQ(down.font.color, QColor(Qt::white));
    const QFontMetrics metrics(down.font.font);
    const double x = 53 - metrics.horizontalAdvance(QStringLiteral("Recipes")) / 2.0;
    const double y = 15.5 - metrics.height() / 2.0;
    EXPECT_EQ(down.textX, static_cast<int>(x));
    EXPECT_EQ(down.textY, static_cast<int>(y));

    const auto up = foods->PlanPaint();
    EXPECT_EQ(up.picture, &idle);
    EXPECT_EQ(up.font.color, QColor(192, 192, 192));
    const double upX = 53 - QFontMetrics(up.font.font).horizontalAdvance(QStringLiteral("Foods")) / 2.0;
    EXPECT_EQ(up.textX, static_cast<int>(upX + 1));

    enter(foods); // a hovered tab shows the ordinary font
    EXPECT_EQ(foods->PlanPaint().font.color, QColor(Qt::white));
    EXPECT_EQ(foods->PlanPaint().picture, &idle);
    leave(foods);
    EXPECT_EQ(foods->PlanPaint().font.color, QColor(192, 192, 192));
}

TEST_F(TabGroupTest, MissingPicturesFallBackOrDrawNothing)
{
    foods->SetImageDown(nullptr);
    EXPECT_EQ(foods->PlanPaint().picture, &chosen); // up: Image in place of ImageDown

    TAdvButton* bare = tab("Bare", 1);
    bare->SetImage(nullptr);
    bare->SetImageDown(nullptr);
    bare->SetDown(true);
    const auto drawing = bare->PlanPaint();
    EXPECT_EQ(drawing.picture, nullptr);
    EXPECT_EQ(drawing.textX, 0); // no Image: the caption keeps its first position
}

TEST_F(TabGroupTest, TheHoverPictureIsKeptButNeverDrawn)
{
    SkinImage hover = solid("over", {106, 31}, Qt::yellow);
    foods->SetImageOver(&hover);
    EXPECT_EQ(foods->ImageOver(), &hover);
    enter(foods);
    EXPECT_EQ(foods->PlanPaint().picture, &idle);
    EXPECT_EQ(foods->size(), QSize(106, 31));
}

} // namespace
