#pragma once

#include "ui/NavigationTree.h"

#include <QColor>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

enum class FoodListFilter;

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
class QTabWidget;
class TDBCtrlGrid;
class TDBEdit;
class TDBMemo;
class QTimer;
class SkinPicture;
class TAdvButton;
class TDataModuleFoods;
class InfoBasePage;
class TDialogExportRecipes;
class TDialogPrintPreview;
class TDialogScaleRecipe;
class TDialogShoppingList;
struct RecipeReading;
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
    TGraphicButton* BtnNewRecipe;
    TGraphicButton* ButtonDeleteRecipe;
    TGraphicButton* BtnEditRecipes;
    TGraphicButton* BtnImportRecipe;
    TGraphicButton* BtnExportRecipes;
    TDialogExportRecipes* DialogExportRecipes = nullptr; // made on first use
    TGraphicButton* BtnPrintRecipe;
    TGraphicButton* BtnSaveRecipePdf;
    TGraphicButton* BtnSaveCookbookPdf;
    TGraphicButton* BtnScaleRecipe;
    TGraphicButton* BtnShoppingList;
    TDialogPrintPreview* DialogPrintPreview = nullptr; // made on first use
    TDialogScaleRecipe* DialogScaleRecipe = nullptr;   // made on first use
    TDialogShoppingList* DialogShoppingList = nullptr; // made on first use
    QLabel* LabelActiveDispalyRecipes;
    QLabel* LabelRecipeTotalsNote; // "Totals from 10 of 12 ingredient lines", when they leave lines out
    QWidget* PanelBrowseRecipes;
    QLabel* Panel3;
    SkinPicture* ImgSplitterRight;
    TNavigationTree* TreeViewRecipes;
    QSplitter* SplitterClientRecipes;
    SkinPicture* Image1;
    QWidget* PanelClientRecipe;
    TDBGrid* DBGridRecipeList;
    TDBGrid* DBGridRecipeNutrientList;
    QTabWidget* PageControlRecipe;
    QWidget* TabInfo;
    TDBEdit* DBEdit1; // Cuisine
    TDBEdit* DBEdit2; // Number of Serves
    TDBEdit* DBEdit3; // Preperation Time
    TDBEdit* DBEdit4; // Cooking Time
    QWidget* TabIngredients;
    TDBGrid* DBGridRIngredientList;
    QWidget* TabProcedure;
    TDBMemo* DBMemo1;
    QWidget* TabTypes;
    TDBCtrlGrid* DBCtrlGrid2;
    QWidget* TabSource;
    TDBEdit* DBEdit6; // Author
    TDBEdit* DBEdit7; // Source
    TDBText* dbTextWebName;

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
    QWidget* PanelBrowseInfoBase;
    std::unique_ptr<InfoBasePage> InfoBase;

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

    // Recipes page
    void BuildRecipeTree();
    void FillCuisineNodes();
    void FillRecipeTypeNodes();
    void FillRecipeSimpleSearchNodes();
    void FillRecipeAdvancedSearchNodes();
    void TreeViewRecipesChange();
    void BtnNewRecipeClick();
    void BtnEditRecipesClick();
    void ButtonDeleteRecipeClick();
    // Recipes in and out (app/MainFormRecipeTransfer.cpp)
    void BtnImportRecipeClick();
    void BtnExportRecipesClick();
    void PasteRecipe(); // Ctrl+V on the recipe list
    // Kitchen tools (app/MainFormCookbook.cpp)
    void BtnPrintRecipeClick();
    void BtnSaveRecipePdfClick();
    void BtnSaveCookbookPdfClick();
    void BtnScaleRecipeClick();
    void BtnShoppingListClick();
    // The Foods page, showing the food with the measure given (the Info Base's double-click).
    void ShowFood(std::int32_t ndbNo, std::optional<std::int32_t> weightId);
    void dbTextWebNameMouseMove();

    // Foods page
    void BuildFoodTree();
    void FillFoodGroupNodes();
    void FillFoodSimpleSearchNodes();
    void FillFoodAdvancedSearchNodes();
    void RefreshSimpleSearchNodes();
    void RefreshAdvancedSearchNodes();
    void refreshSearchBranch(QTreeWidgetItem* branch, const std::function<void()>& fill);
    void RefreshMeasures();
    void TreeViewFoodsChange();
    void ComboBoxMeasuresChange();
    void BtnNewFoodClick();
    void BtnEditFoodClick();
    void BtnDeleteFoodClick();
    void PopupMenuFoodTreePopup(QTreeWidgetItem* node, const QPoint& globalPos);
    void UpdateFoodTreeMenu(const QTreeWidgetItem* node);
    // The main window refreshes its measure box on every change of the current
    // food, before the ingredient dialog does: it listens from start-up on.
    void followCurrentFood(TDataModuleFoods& foods);
    // The ingredient dialog changed what the shared food list shows, or the groups
    // and searches the food tree lists: the tree and label follow.
    void foodListChanged(FoodListFilter filter, const std::string& name);

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
    QTreeWidgetItem* NodeCuisines = nullptr;
    QTreeWidgetItem* NodeRecipeTypes = nullptr;
    QTreeWidgetItem* NodeViewAllRecipes = nullptr;
    QTreeWidgetItem* NodeRecipeSimpleSearch = nullptr;
    QTreeWidgetItem* NodeRecipeAdvancedSearch = nullptr;
    bool Shown = false;
    // The node selected when the food tree's change handler last finished, kept by
    // its path: the branch it stood in may have been rebuilt since.
    NodePath LastFoodNode;
    // The node selected when the recipe tree's change handler last finished.
    NodePath LastRecipeNode;
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
    // Recipes page
    void showRecipesPageData(); // binds the page to the recipe module on the first show
    void showRecipeTotalsNote();
    void addTransferItems(QMenu* menu); // import and export in the recipe list's menu
    void buildCookbookButtons();
    void addCookbookItems(QMenu* menu); // scaling, shopping, printing in the recipe list's menu
    // Each recipe read opens in the wizard in turn; OK stores it, Cancel drops it.
    void reviewImportedRecipes(const RecipeReading& reading);
    // After a type or cuisine dialog stored its changes: the branch afresh, and the
    // node named `name` selected, which lists its recipes.
    void showRecipeNodeAfterDialog(QTreeWidgetItem* root, void (TFormMain::*fill)(), const QString& name);
    // Recipe searches (app/MainFormRecipeSearch.cpp)
    enum class RecipeKeywordCommand { Ask, ClearHistory, Search };
    void runRecipeKeywordNode(RecipeKeywordCommand command, const QString& keyword);
    void editSavedRecipeSearches(bool newSearch);
    void runSavedRecipeSearch(const QString& name);
    void makeRecipeSearchDialogs(); // on first use
    // Foods page
    // Lists again what the page lists, even if nothing changed its node; all
    // foods when its node is gone.
    void rerunFoodListing();
    void showFoodsPageData(); // binds the page to the food module on the first show
    void deleteFromFoodTree(const QTreeWidgetItem* node);
    void runRuleGroupSearch(const QString& name);
    static QWidget* colouredPanel(QWidget* parent, const QColor& colour);
    void setAlphaBlend(bool on, int value);

    WindowDrag* headerDrag_;
    int measureListener_ = 0;
    NodePath foodMenuNode_; // the node the food tree's menu was opened on
    // The listing node whose foods the Foods page shows; an action node may stay
    // selected after its command, without a listing of its own.
    NodePath foodListingNode_;
    bool alphaBlend_ = true;
    int alphaBlendValue_ = 40;
};

extern TFormMain* FormMain;

// The file dialogs of recipe import and export; tests answer them instead.
struct RecipeFileDialogs {
    static std::function<QString(QWidget* owner)> OpenHook;
    static std::function<QString(QWidget* owner, const QString& suggested)> SaveHook;
};
