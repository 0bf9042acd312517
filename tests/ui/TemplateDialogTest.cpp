#include "store/ProgramError.h"
#include "ui/TemplateDialog.h"
#include "tests/ui/UiTestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

using namespace ui_test;

namespace {

void key(QWidget* widget, int code, const QString& text = {})
{
    QKeyEvent event(QEvent::KeyPress, code, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &event);
}

struct TemplateDialogTest : ::testing::Test {
    TFormTemplateDialog dialog;
};

TEST_F(TemplateDialogTest, FrameIsBorderlessAndFollowsTheWindowSize)
{
    EXPECT_TRUE(dialog.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(dialog.size(), QSize(500, 346));
    EXPECT_EQ(dialog.GraphicButton1->geometry(), QRect(476, 6, 19, 19));
    EXPECT_EQ(dialog.ImgMiddleCenter->geometry(), QRect(5, 5, 490, 336));
    EXPECT_EQ(dialog.ImgTopLeft->size(), QSize(11, 5));
    EXPECT_EQ(dialog.ImgBottomLeft->size(), QSize(15, 5));
    EXPECT_EQ(dialog.GraphicButton1->Image()->Name(), QStringLiteral("ImgExitNormal"));
    EXPECT_EQ(dialog.GraphicButton1->ImageOver()->Name(), QStringLiteral("ImgExitOver"));

    // A derived dialog only resizes the window; the frame keeps to its edges.
    dialog.show();
    dialog.resize(640, 420);
    EXPECT_EQ(dialog.GraphicButton1->geometry(), QRect(616, 6, 19, 19));
    EXPECT_EQ(dialog.PanelBottom->geometry(), QRect(0, 415, 640, 5));
    EXPECT_EQ(dialog.ImgMiddleRight->geometry(), QRect(635, 5, 5, 410));
    EXPECT_EQ(dialog.ImgTopRight->geometry(), QRect(630, 0, 10, 5));
}

TEST_F(TemplateDialogTest, OkGives1AndEveryCancelPathGives2)
{
    ScriptedDialogs script;
    script.expect([](TFormTemplateDialog& d) { d.CloseOk(); });
    script.expect([](TFormTemplateDialog& d) { click(d.GraphicButton1); });
    script.expect([](TFormTemplateDialog& d) { d.CloseCancel(); });
    script.expect([](TFormTemplateDialog& d) { key(&d, Qt::Key_Escape, QStringLiteral("\x1b")); });
    EXPECT_EQ(dialog.ShowModal(), 1);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.ShowModal(), 2);
    EXPECT_EQ(dialog.ShowModal(), 2);
    EXPECT_EQ(dialog.ShowModal(), 2);
    EXPECT_TRUE(script.allUsed());
}

TEST_F(TemplateDialogTest, TheStoredCodeSurvivesBetweenShowingsButABareCloseIsACancel)
{
    ScriptedDialogs script;
    script.expect([](TFormTemplateDialog& d) {
        EXPECT_EQ(d.StoredCode(), 0);
        d.CloseOk();
    });
    script.expect([](TFormTemplateDialog& d) {
        EXPECT_EQ(d.StoredCode(), 1); // not reset by showing again
        d.close();                   // the window system's close, no OK or Cancel
    });
    EXPECT_EQ(dialog.ShowModal(), 1);
    EXPECT_EQ(dialog.ShowModal(), 2);
}

TEST_F(TemplateDialogTest, ARealModalRunEndsWithTheCloseAndHidesTheDialog)
{
    QTimer::singleShot(0, &dialog, [this] { dialog.CloseOk(); });
    EXPECT_EQ(dialog.ShowModal(), 1);
    QTimer::singleShot(0, &dialog, [this] { click(dialog.GraphicButton1); });
    EXPECT_EQ(dialog.ShowModal(), 2);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(TemplateDialogTest, ADialogClosedByAClickOnItsCloseButtonOpensAgainWithoutTheHoverLook)
{
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QWindow* window = dialog.windowHandle();
    const QPoint onClose = dialog.GraphicButton1->geometry().center();
    QTest::mouseMove(window, {100, 100});
    QTest::mouseMove(window, onClose);
    ASSERT_TRUE(dialog.GraphicButton1->MouseOver());
    QTest::mouseClick(window, Qt::LeftButton, {}, onClose);
    ASSERT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 2);

    dialog.show();
    EXPECT_FALSE(dialog.GraphicButton1->MouseOver());
    EXPECT_EQ(dialog.GraphicButton1->PlanPaint().picture->Name(), QStringLiteral("ImgExitNormal"));
}

TEST_F(TemplateDialogTest, DialogsOpenCentredOnTheMainWindow)
{
    QWidget main;
    main.setGeometry(100, 80, 800, 600);
    TFormTemplateDialog::SetMainWindow(&main);
    ScriptedDialogs script;
    QPoint centre;
    script.expect([&centre](TFormTemplateDialog& d) {
        centre = d.geometry().center();
        d.CloseCancel();
    });
    dialog.ShowModal();
    TFormTemplateDialog::SetMainWindow(nullptr);
    EXPECT_LE((centre - main.frameGeometry().center()).manhattanLength(), 2);
}

TEST_F(TemplateDialogTest, UnscriptedDialogsAndDialogsLeftOpenAreErrorsInTests)
{
    ScriptedDialogs script;
    EXPECT_THROW(dialog.ShowModal(), ProgramError);
    script.expect([](TFormTemplateDialog&) {});
    EXPECT_THROW(dialog.ShowModal(), ProgramError);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(script.shown().size(), 2u);
}

struct EscapeTest : TemplateDialogTest {
    QLineEdit* edit = new QLineEdit(dialog.ImgMiddleCenter);
    QLineEdit* routed = new QLineEdit(dialog.ImgMiddleCenter);

    void SetUp() override
    {
        dialog.RouteKeyPress(routed);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
    }
};

TEST_F(EscapeTest, EscapeInAnEditBoxDoesNotCloseTheDialog)
{
    edit->setFocus();
    ASSERT_EQ(dialog.focusWidget(), edit);
    key(edit, Qt::Key_Escape, QStringLiteral("\x1b"));
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(EscapeTest, EscapeFromARoutedControlCancelsOnce)
{
    routed->setFocus();
    key(routed, Qt::Key_A, QStringLiteral("a"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(routed->text(), QStringLiteral("a")); // the control still gets its keys
    key(routed, Qt::Key_Escape, QStringLiteral("\x1b"));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 2);
}

TEST_F(TemplateDialogTest, EscapeToTheWindowItselfCancelsAndOtherKeysAreLeftAlone)
{
    dialog.show();
    key(&dialog, Qt::Key_A, QStringLiteral("a"));
    key(&dialog, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_TRUE(dialog.isVisible());
    key(&dialog, Qt::Key_Escape, QStringLiteral("\x1b"));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 2);
}

struct DragTest : TemplateDialogTest {
    void SetUp() override
    {
        dialog.show();
        dialog.move(200, 150);
    }
};

TEST_F(DragTest, DraggingTheBackgroundMovesTheWindowWithThePointer)
{
    QWidget* handle = dialog.ImgMiddleCenter;
    send(handle, QEvent::MouseButtonPress, {40, 30}, Qt::RightButton); // any button starts a drag
    EXPECT_TRUE(dialog.Dragging());
    send(handle, QEvent::MouseMove, {55, 50});
    EXPECT_EQ(dialog.pos(), QPoint(215, 170));
    // The handle moved with the window; the start point stays in its coordinates.
    send(handle, QEvent::MouseMove, {35, 30});
    EXPECT_EQ(dialog.pos(), QPoint(210, 170));
    send(handle, QEvent::MouseButtonRelease, {35, 30}, Qt::RightButton);
    EXPECT_FALSE(dialog.Dragging());
    send(handle, QEvent::MouseMove, {90, 90});
    EXPECT_EQ(dialog.pos(), QPoint(210, 170));
}

TEST_F(DragTest, PointerOffsetsAreTruncatedTowardZero)
{
    // As the main window moves: the offset, not the new position, is truncated,
    // so a window left of or above the screen's origin moves as any other.
    dialog.move(-50, -40);
    dialog.ImgMiddleCenterMouseDown(10, 10);
    dialog.ImgMiddleCenterMouseMove(8.5, 11.7);
    EXPECT_EQ(dialog.pos(), QPoint(-51, -39)); // -1.5 -> -1, +1.7 -> +1
}

TEST_F(DragTest, AMaximisedDialogDoesNotMove)
{
    dialog.showMaximized();
    ASSERT_TRUE(dialog.isMaximized());
    const QPoint before = dialog.pos();
    dialog.ImgMiddleCenterMouseDown(10, 10);
    dialog.ImgMiddleCenterMouseMove(60, 60);
    EXPECT_EQ(dialog.pos(), before);
}

TEST_F(DragTest, DerivedDialogsBindMoreDragHandles)
{
    auto* page = new QWidget(dialog.ImgMiddleCenter);
    page->setGeometry(10, 40, 100, 100);
    dialog.BindDragHandle(page);
    send(page, QEvent::MouseButtonPress, {5, 5});
    send(page, QEvent::MouseMove, {8, 9});
    EXPECT_EQ(dialog.pos(), QPoint(203, 154));
}

} // namespace
