#include "ui/GraphicButton.h"
#include "tests/ui/UiTestSupport.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <cmath>

using namespace ui_test;

namespace {

struct GraphicButtonTest : ::testing::Test {
    QWidget parent;
    TGraphicButton* button = new TGraphicButton(&parent);
    SkinImage up = solid("up", {40, 30}, Qt::green);
    SkinImage down = solid("down", {40, 30}, Qt::darkGreen);
    SkinImage over = solid("over", {40, 30}, Qt::cyan);
    int clicks = 0;

    void SetUp() override
    {
        parent.resize(200, 200);
        button->OnClick = [this] { ++clicks; };
    }
    void setAll()
    {
        button->SetImage(&up);
        button->SetImageDown(&down);
        button->SetImageOver(&over);
    }
};

TEST_F(GraphicButtonTest, Starts25SquareWithoutPicturesAndWithTheDefaultHoverFont)
{
    EXPECT_EQ(button->size(), QSize(25, 25));
    EXPECT_EQ(button->Image(), nullptr);
    EXPECT_FALSE(button->AllowDown());
    EXPECT_FALSE(button->Down());
    EXPECT_EQ(button->FontOver().font.family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(button->FontOver().font.pixelSize(), 11);
}

TEST_F(GraphicButtonTest, OnlyTheNormalPictureSizesTheButton)
{
    button->SetImageDown(&over);
    button->SetImageOver(&over);
    EXPECT_EQ(button->size(), QSize(25, 25));
    button->SetImage(&up);
    EXPECT_EQ(button->size(), QSize(40, 30));
    button->SetImage(nullptr);
    EXPECT_EQ(button->size(), QSize(40, 30));
}

TEST_F(GraphicButtonTest, DownIsRefusedUnlessTheButtonLatches)
{
    button->SetDown(true);
    EXPECT_FALSE(button->Down());
    EXPECT_FALSE(button->PressedLook());

    button->SetAllowDown(true);
    button->SetDown(true);
    EXPECT_TRUE(button->Down());
    EXPECT_TRUE(button->PressedLook());

    button->SetAllowDown(false); // leaves Down as it was
    EXPECT_TRUE(button->Down());
    button->SetDown(true);
    EXPECT_FALSE(button->Down());
}

TEST_F(GraphicButtonTest, PlainButtonLooksPressedWhileHeldAndClicksOnRelease)
{
    setAll();
    enter(button);
    EXPECT_TRUE(button->MouseOver());
    press(button);
    EXPECT_TRUE(button->PressedLook());
    EXPECT_EQ(clicks, 0);
    release(button);
    EXPECT_FALSE(button->PressedLook());
    EXPECT_FALSE(button->Down());
    EXPECT_EQ(clicks, 1);
    leave(button);
    EXPECT_FALSE(button->MouseOver());
}

TEST_F(GraphicButtonTest, DraggingOffEndsThePressedLookAndGivesNoClick)
{
    setAll();
    enter(button);
    press(button);
    leave(button);
    EXPECT_FALSE(button->PressedLook());
    EXPECT_FALSE(button->MouseOver());
    release(button, {-20, -20});
    EXPECT_EQ(clicks, 0);
}

// The same through the window system's own pointer traffic, where the toolkit
// grabs the pointer for the pressed button.
TEST_F(GraphicButtonTest, PointerDraggedOffAHeldButtonDropsThePressedLookAtOnce)
{
    setAll();
    button->move(50, 50);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    QWindow* window = parent.windowHandle();
    const QPoint on(60, 60);
    const QPoint off(150, 150);
    QTest::mouseMove(window, {10, 10});
    QTest::mouseMove(window, on);
    QTest::mousePress(window, Qt::LeftButton, {}, on);
    EXPECT_EQ(button->PlanPaint().picture, &down);

    QTest::mouseMove(window, off);
    EXPECT_FALSE(button->PressedLook());
    EXPECT_FALSE(button->MouseOver());
    EXPECT_EQ(button->PlanPaint().picture, &up);
    QTest::mouseMove(window, on); // back on: hovered, not pressed
    EXPECT_TRUE(button->MouseOver());
    EXPECT_EQ(button->PlanPaint().picture, &over);
    QTest::mouseRelease(window, Qt::LeftButton, {}, on);
    EXPECT_EQ(clicks, 1);

    QTest::mousePress(window, Qt::LeftButton, {}, on);
    QTest::mouseMove(window, off);
    EXPECT_FALSE(button->PressedLook());
    QTest::mouseRelease(window, Qt::LeftButton, {}, off);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button->MouseOver());
}

TEST_F(GraphicButtonTest, ReleaseWithoutAPressOnTheButtonGivesNoClick)
{
    release(button);
    send(button, QEvent::MouseButtonPress, {5, 5}, Qt::RightButton);
    send(button, QEvent::MouseButtonRelease, {5, 5}, Qt::RightButton);
    EXPECT_EQ(clicks, 0);
}

TEST_F(GraphicButtonTest, LatchingButtonFlipsAtThePressAndShowsItAtTheRelease)
{
    setAll();
    button->SetAllowDown(true);
    enter(button);
    press(button);
    EXPECT_TRUE(button->Down());
    EXPECT_FALSE(button->PressedLook()); // the old look stays while held
    release(button);
    EXPECT_TRUE(button->PressedLook());
    EXPECT_EQ(clicks, 1);

    press(button);
    EXPECT_FALSE(button->Down());
    EXPECT_TRUE(button->PressedLook());
    leave(button); // the new look shows when the pointer goes, too
    EXPECT_FALSE(button->PressedLook());
}

TEST_F(GraphicButtonTest, DoubleClickIsASecondPressSoALatchingButtonFlipsTwiceButClicksOnce)
{
    button->SetAllowDown(true);
    doubleClick(button);
    EXPECT_FALSE(button->Down());
    EXPECT_FALSE(button->PressedLook());
    EXPECT_EQ(clicks, 1);

    // A plain button looks pressed again while the second press is held.
    button->SetAllowDown(false);
    click(button);
    send(button, QEvent::MouseButtonDblClick);
    EXPECT_TRUE(button->PressedLook());
    release(button);
    EXPECT_FALSE(button->PressedLook());
    EXPECT_EQ(clicks, 2);
}

// The picture table, row by row: (over, pressed look, AllowDown, pictures set).
TEST_F(GraphicButtonTest, PictureAndCaptionOffsetFollowTheStateTable)
{
    struct Row {
        bool over, pressed, allowDown;
        bool hasDown, hasOver;
        const SkinImage* expected;
        int offset;
    };
    const Row rows[] = {
        {false, false, false, true, true, &up, 0},
        {false, false, true, true, true, &up, 0},
        {false, true, true, true, true, &down, 1},
        {true, true, false, true, true, &down, 1},
        {true, true, true, false, true, &up, 0},
        {true, false, true, true, true, &up, 0},
        {true, false, false, true, true, &over, 0},
        {true, false, false, true, false, &down, 1},
        {true, false, false, false, false, &up, 0},
    };
    for (const Row& row : rows) {
        TGraphicButton b(&parent);
        b.SetText(QStringLiteral("Go"));
        b.SetImage(&up);
        b.SetImageDown(row.hasDown ? &down : nullptr);
        b.SetImageOver(row.hasOver ? &over : nullptr);
        b.SetAllowDown(row.allowDown);
        if (row.over)
            enter(&b);
        if (row.pressed) {
            if (row.allowDown)
                b.SetDown(true);
            else
                press(&b);
        }
        const auto still = b.PlanPaint();
        ASSERT_EQ(b.PressedLook(), row.pressed);
        EXPECT_EQ(still.picture, row.expected) << row.over << row.pressed << row.allowDown;

        const QFontMetrics metrics(still.font.font);
        const double x = 20 - metrics.horizontalAdvance(QStringLiteral("Go")) / 2.0;
        EXPECT_EQ(still.textX, static_cast<int>(x + row.offset));
    }
}

TEST_F(GraphicButtonTest, HoverFontShowsOnAHoveredPlainButtonAndALatchedButtonNotHovered)
{
    ButtonFont red = defaultButtonFont();
    red.color = Qt::red;
    button->SetFontOver(red);
    setAll();
    EXPECT_NE(button->PlanPaint().font.color, QColor(Qt::red));
    enter(button);
    EXPECT_EQ(button->PlanPaint().font.color, QColor(Qt::red));

    button->SetAllowDown(true);
    button->SetDown(true);
    EXPECT_NE(button->PlanPaint().font.color, QColor(Qt::red)); // latched but hovered
    leave(button);
    EXPECT_EQ(button->PlanPaint().font.color, QColor(Qt::red));
}

TEST_F(GraphicButtonTest, WithoutTheNormalPictureNothingIsDrawnNotEvenTheText)
{
    button->SetText(QStringLiteral("Text"));
    button->resize(60, 20);
    EXPECT_EQ(button->PlanPaint().picture, nullptr);
    EXPECT_TRUE(blank(paintedAlone(button)));

    // A state that picks a set pressed picture still draws it, centred on the button.
    button->SetImageDown(&down);
    press(button);
    const auto drawing = button->PlanPaint();
    EXPECT_EQ(drawing.picture, &down);
    const QFontMetrics metrics(drawing.font.font);
    EXPECT_EQ(drawing.textX, static_cast<int>(30 - metrics.horizontalAdvance(QStringLiteral("Text")) / 2.0 + 1));
    EXPECT_FALSE(blank(paintedAlone(button)));
}

TEST_F(GraphicButtonTest, ACaptionWiderThanThePictureIsTruncatedTowardZero)
{
    SkinImage narrow = solid("narrow", {19, 19}, Qt::green);
    button->SetImage(&narrow);
    // Find a text of even width wider than the picture: x ends in .5 and is negative.
    const QFontMetrics metrics(button->Font().font);
    QString text = QStringLiteral("W");
    while (metrics.horizontalAdvance(text) <= 21 || metrics.horizontalAdvance(text) % 2 != 0)
        text += text.size() % 2 ? QStringLiteral("i") : QStringLiteral("W");
    button->SetText(text);
    const double x = 9.5 - metrics.horizontalAdvance(text) / 2.0;
    ASSERT_LT(x, 0);
    ASSERT_NE(std::floor(x), x);
    EXPECT_EQ(button->PlanPaint().textX, static_cast<int>(std::ceil(x)));
}

} // namespace
