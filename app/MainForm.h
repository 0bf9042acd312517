#pragma once

#include "ui/NavigationTree.h"

#include <QColor>
#include <QWidget>

class LinkLabel;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class TDBGrid;
class TDBText;
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
    TGraphicButton* BtnNewFood;
    TGraphicButton* BtnDeleteFood;
    TGraphicButton* BtnEditFood;
    QLabel* LabelActiveDispalyFoods;
    QWidget* PanelBrowseFoods;
    QLabel* Panel2;
    SkinPicture* ImgSplitterRightFoods;
    TNavigationTree* TreeViewFoods;
    QSplitter* SplitterClientFoods;
    QWidget* PanelClientFoods;
    TDBGrid* DBGrid2;
    SkinPicture* ImgSplitterLeftFoods;
    QWidget* PaneelClientFoodNutrient;
    QWidget* PanelFoodMeasures;
    QLabel* Panel1;
    QLabel* LabelQuantity;
    QLineEdit* EditAmount; // focused when the Foods tab is chosen
    QLabel* LabelMeasure;
    QComboBox* ComboBoxMeasures;
    QLabel* LabelAmountIngram;
    TDBText* DBTextAmountInGram;
    TDBGrid* DBGrid3;
    QWidget* PanelSearching;
    QMenu* PopupMenuFoodTree;
    QAction* NewFoodGroup;
    QAction* EditFoodGroup;
    QAction* DeleteFoodGroup;
    QAction* ViewAllFoods;
    QAction* NewSimpleSearch;
    QAction* ClearSearchHistory;
    QAction* NewAdvancedSearch;
    QAction* EditAdvancedSearch;
    QAction* DeleteAdvancedSearch;

    // Info Base page
    QWidget* PanelHeaderClientInfoBase;
    QLabel* LabelActiveDispalyInfoBase;
    QSplitter* SplitterClientInfoBase;
    QWidget* PanelClientInfoBase;
    QLabel* Label3;
    QWidget* PanelBrowseInfoBase;

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

    // Foods page
    void BuildFoodTree();
    void FillFoodGroupNodes();
    void FillFoodSimpleSearchNodes();
    void FillFoodAdvancedSearchNodes();
    void RefreshSimpleSearchNodes();
    void RefreshAdvancedSearchNodes();
    void RefreshMeasures();
    void TreeViewFoodsChange();
    void ComboBoxMeasuresChange();
    void BtnNewFoodClick();
    void BtnEditFoodClick();
    void BtnDeleteFoodClick();
    void PopupMenuFoodTreePopup(QTreeWidgetItem* node, const QPoint& globalPos);
    void UpdateFoodTreeMenu(const QTreeWidgetItem* node);

    // Alpha blending of the window (0 transparent .. 255 opaque).
    bool AlphaBlend() const { return alphaBlend_; }
    int AlphaBlendValue() const { return alphaBlendValue_; }

    // State, in the order the window declares it; the tree nodes join with the pages.
    double MouseDownX = 0; // the last press on a header picture, in its coordinates
    double MouseDownY = 0;
    bool Dragging = false;
    QTreeWidgetItem* NodeFoodGroups = nullptr;
    QTreeWidgetItem* NodeViewAllFoods = nullptr;
    QTreeWidgetItem* NodeFoodSimpleSearch = nullptr;
    QTreeWidgetItem* NodeFoodAdvancedSearch = nullptr;
    bool Shown = false;
    // The node selected when the food tree's change handler last finished, kept by
    // its path: the branch it stood in may have been rebuilt since.
    NodePath LastFoodNode;
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
    // Foods page
    void showFoodsPageData(); // binds the page to the food module on the first show
    void selectFoodNode(QTreeWidgetItem* node); // runs the node's command even if it is selected
    void deleteFromFoodTree(const QTreeWidgetItem* node);
    void runRuleGroupSearch(const QString& name);
    static QWidget* colouredPanel(QWidget* parent, const QColor& colour);
    void setAlphaBlend(bool on, int value);

    WindowDrag* headerDrag_;
    int measureListener_ = 0;
    NodePath foodMenuNode_; // the node the food tree's menu was opened on
    bool alphaBlend_ = true;
    int alphaBlendValue_ = 40;
};

extern TFormMain* FormMain;
