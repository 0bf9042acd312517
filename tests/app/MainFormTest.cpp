#include "ui/AdvButton.h"
#include "tests/app/AppTestSupport.h"
#include "ui/GraphicButton.h"
#include "app/LinkLabel.h"
#include "app/MainForm.h"
#include "ui/SkinPicture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStackedWidget>
#include <QStyle>
#include <QTest>
#include <QTimer>

namespace {

class MainWindow : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        FormMain->show();
    }

    void mouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QMouseEvent event(type, at, widget->mapToGlobal(at), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }

    void click(QWidget* widget)
    {
        const QPoint centre = widget->rect().center();
        mouse(widget, QEvent::MouseButtonPress, centre);
        mouse(widget, QEvent::MouseButtonRelease, centre);
    }
};

TEST_F(MainWindow, OpensOnTheRecipesPageAtItsClientSize)
{
    EXPECT_TRUE(FormMain->Shown);
    EXPECT_EQ(FormMain->size(), QSize(800, 580));
    EXPECT_EQ(FormMain->minimumSize(), QSize(780, 580));
    EXPECT_EQ(FormMain->NotebookClient->currentIndex(), 0);
    EXPECT_TRUE(FormMain->BtnRecipes->Down());
    EXPECT_FALSE(FormMain->BtnFoods->Down());
    EXPECT_TRUE(FormMain->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(FormMain->windowTitle(), "Main Form");
    EXPECT_EQ(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 300);
}

TEST_F(MainWindow, FadesInStepByStepUntilOpaqueAndStaysOpaque)
{
    EXPECT_TRUE(FormMain->Timer1->isActive());
    std::vector<int> values;
    while (FormMain->AlphaBlend()) {
        FormMain->Timer1Timer();
        values.push_back(FormMain->AlphaBlendValue());
    }
    ASSERT_EQ(values.size(), 18u);
    EXPECT_EQ(values.front(), 50);
    EXPECT_EQ(values.back(), 220);
    EXPECT_FALSE(FormMain->Timer1->isActive());
    FormMain->hide();
    FormMain->show();
    EXPECT_FALSE(FormMain->AlphaBlend()) << "blending never comes back";
}

TEST_F(MainWindow, TheHeaderDragsTheWindowWithAnyButtonButNeverWhenMaximised)
{
    const QPoint start = FormMain->pos();
    QWidget* header = FormMain->ImgHeaderCenter;
    mouse(header, QEvent::MouseButtonPress, {10, 10}, Qt::RightButton);
    EXPECT_TRUE(FormMain->Dragging);
    FormMain->ImgHeaderCenterMouseMove(35.7, 4.2);
    EXPECT_EQ(FormMain->pos(), start + QPoint(25, -5));
    mouse(header, QEvent::MouseButtonRelease, {10, 10}, Qt::RightButton);
    EXPECT_FALSE(FormMain->Dragging);
    FormMain->ImgHeaderCenterMouseMove(100, 100);
    EXPECT_EQ(FormMain->pos(), start + QPoint(25, -5));

    mouse(FormMain->ImgHeaderRight, QEvent::MouseButtonDblClick, {5, 5});
    EXPECT_TRUE(FormMain->isMaximized());
    const QPoint maximised = FormMain->pos();
    FormMain->ImgHeaderCenterMouseDown(10, 10);
    FormMain->ImgHeaderCenterMouseMove(50, 50);
    EXPECT_EQ(FormMain->pos(), maximised);
    FormMain->ImgHeaderCenterDblClick();
    EXPECT_FALSE(FormMain->isMaximized());
}

TEST_F(MainWindow, CaptionButtonsMaximiseMinimiseAndClose)
{
    click(FormMain->ButtonMaximized);
    EXPECT_TRUE(FormMain->isMaximized());
    click(FormMain->ButtonMaximized);
    EXPECT_FALSE(FormMain->isMaximized());
    click(FormMain->ButtonMinimized);
    EXPECT_TRUE(FormMain->windowState() & Qt::WindowMinimized);
    FormMain->setWindowState(Qt::WindowNoState);
    click(FormMain->ButtonExit);
    EXPECT_FALSE(FormMain->isVisible());
}

TEST_F(MainWindow, TabsLatchAsOneGroupAndSwitchPages)
{
    click(FormMain->BtnFoods);
    EXPECT_EQ(FormMain->NotebookClient->currentIndex(), 1);
    EXPECT_TRUE(FormMain->BtnFoods->Down());
    EXPECT_FALSE(FormMain->BtnRecipes->Down());
    click(FormMain->BtnInfoBase);
    EXPECT_EQ(FormMain->NotebookClient->currentIndex(), 2);
    EXPECT_FALSE(FormMain->BtnFoods->Down());
    click(FormMain->BtnRecipes);
    EXPECT_EQ(FormMain->NotebookClient->currentIndex(), 0);
    EXPECT_TRUE(FormMain->BtnRecipes->Down());
}

TEST_F(MainWindow, LinksShowTheHoverColourOnlyWhileThePointerIsOverThem)
{
    for (LinkLabel* link : {FormMain->btnPreference, FormMain->btnmailinglist, FormMain->btnForum, FormMain->btnHomePage})
        EXPECT_EQ(link->FontColor(), FormMain->LinkColorNormal);
    EXPECT_EQ(FormMain->LinkColorHover, QColor(214, 240, 254));
    EXPECT_EQ(FormMain->LinkColorNormal, QColor(132, 209, 251));
    QEnterEvent enter({5, 5}, {5, 5}, {5, 5});
    QApplication::sendEvent(FormMain->btnForum, &enter);
    EXPECT_EQ(FormMain->btnForum->FontColor(), FormMain->LinkColorHover);
    EXPECT_EQ(FormMain->btnHomePage->FontColor(), FormMain->LinkColorNormal);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(FormMain->btnForum, &leave);
    EXPECT_EQ(FormMain->btnForum->FontColor(), FormMain->LinkColorNormal);
}

} // namespace
