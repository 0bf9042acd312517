#pragma once

#include <QColor>
#include <QWidget>

class LinkLabel;
class QLabel;
class QSplitter;
class QStackedWidget;
class QTimer;
class SkinPicture;
class TAdvButton;
class TGraphicButton;
class WindowDrag;

// The main window: a borderless, skinned frame moved by its header, with its own
// minimise, maximise and close buttons, three latching page tabs, a bottom bar of
// links, and a fade-in when first shown. It touches data only from its first show.
class TFormMain : public QWidget {
public:
    TFormMain();
    ~TFormMain() override;

    // Frame
    QWidget* PanelHeader;
    SkinPicture* ImgHeaderLeft;
    SkinPicture* ImgHeaderCenter;
    SkinPicture* ImgHeaderRight;
    TAdvButton* BtnRecipes;
    TAdvButton* BtnFoods;
    TAdvButton* BtnInfoBase;
    TGraphicButton* ButtonMinimized;
    TGraphicButton* ButtonMaximized;
    TGraphicButton* ButtonExit;
    SkinPicture* ImgLeftBroder;
    SkinPicture* ImgRightBorder;
    QWidget* PanelBottom;
    SkinPicture* ImgBottomLeft;
    SkinPicture* ImgBottomCenter;
    SkinPicture* ImgBottomRight;
    LinkLabel* btnPreference;
    LinkLabel* btnmailinglist;
    LinkLabel* btnForum;
    LinkLabel* btnHomePage;
    QStackedWidget* NotebookClient;
    QWidget* PageRecipes;
    QWidget* PageFoods;
    QWidget* PageInfoBase;
    QTimer* Timer1;

    // Recipes page (app/MainFormRecipes.cpp)
    QWidget* PanelHeaderClientRecipes;
    QLabel* LabelActiveDispalyRecipes;

    // Foods page (app/MainFormFoods.cpp)
    QWidget* PanelHeaderClientFoods;
    QLabel* LabelActiveDispalyFoods;

    // Info Base page
    QWidget* PanelHeaderClientInfoBase;
    QLabel* LabelActiveDispalyInfoBase;
    QSplitter* SplitterClientInfoBase;
    QWidget* PanelClientInfoBase;
    QLabel* Label3;
    QWidget* PanelBrowseInfoBase;

    // The Foods page's amount box, focused when the Foods tab is chosen.
    QWidget* EditAmount = nullptr;

    // Handlers
    void FormCreate();
    void FormShow();
    void Timer1Timer();
    void ImgHeaderCenterMouseDown(double x, double y);
    void ImgHeaderCenterMouseMove(double x, double y);
    void ImgHeaderCenterMouseUp();
    void ImgHeaderCenterDblClick();
    void ButtonMaximizedClick();
    void ButtonMinimizedClick();
    void ButtonExitClick();
    void BtnRecipesClick();
    void BtnFoodsClick();
    void BtnInfoBaseClick();
    void btnPreferenceClick();
    void btnHomePageClick();
    void btnmailinglistClick();
    void btnForumClick();

    // Alpha blending of the window (0 transparent .. 255 opaque).
    bool AlphaBlend() const { return alphaBlend_; }
    int AlphaBlendValue() const { return alphaBlendValue_; }

    // State, in the order the window declares it; the tree nodes join with the pages.
    double MouseDownX = 0; // the last press on a header picture, in its coordinates
    double MouseDownY = 0;
    bool Dragging = false;
    bool Shown = false;
    const QColor LinkColorHover;
    const QColor LinkColorNormal;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildHeader();
    void buildBottomBar();
    void buildRecipesPage();
    void buildFoodsPage();
    void buildInfoBasePage();
    // The strip above a page with its display label at the right.
    QWidget* buildPageHeader(QWidget* page, const QString& caption, QLabel*& label);
    void layoutFrame();
    void layoutPageHeader(QWidget* header, QLabel* label);
    void layoutRecipesPage();
    void layoutFoodsPage();
    void setAlphaBlend(bool on, int value);

    WindowDrag* headerDrag_;
    bool alphaBlend_ = true;
    int alphaBlendValue_ = 40;
};

extern TFormMain* FormMain;
