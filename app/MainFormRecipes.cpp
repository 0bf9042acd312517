// The Recipes page of the main window: what is listed, what the page header says,
// and which tree node is selected after each command.

#include "app/MainForm.h"

#include "app/PageParts.h"
#include "facts/NutritionFacts.h"
#include "recipes/DatabaseRecipes.h"
#include "recipes/RecipeCuisineEdit.h"
#include "recipes/RecipeCuisines.h"
#include "recipes/RecipeEdit.h"
#include "recipes/RecipeTypeEdit.h"
#include "recipes/RecipeTypes.h"
#include "seams/Messages.h"
#include "ui/DataControls.h"
#include "ui/ErrorGuard.h"
#include "ui/Fonts.h"
#include "ui/FormParts.h"
#include "ui/GraphicButton.h"
#include "ui/Skin.h"
#include "ui/SkinImage.h"
#include "ui/SkinPicture.h"
#include "ui/TemplateDialog.h"

#include <QBoxLayout>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocument>

#include <algorithm>

namespace {

enum RecipeNode {
    AllRecipesNode,
    OtherRootNode,
    NewCuisineNode,
    EditCuisinesNode,
    CuisineNode,
    NewTypeNode,
    EditTypesNode,
    TypeNode,
    NewKeywordNode,
    ClearHistoryNode,
    KeywordNode,
    NewSavedSearchNode,
    EditSavedSearchesNode,
    SavedSearchNode,
    NoNode,
};

const QString kCuisines = "Cuisines";
const QString kRecipeTypes = "Recipes Types";
const QString kViewAllRecipe = "View All Recipe";
const QString kSimpleSearch = "Simple Search";
const QString kAdvancedSearch = "Advanced Search";
const QString kNewCuisine = "New Cuisine";
const QString kEditCuisines = "Edit Cuisines";
const QString kNewRecipeType = "New Recipe Type";
const QString kEditRecipeType = "Edit Recipe Type";
const QString kNewSearch = "New Search";
const QString kEditAdvancedSearch = "Edit Advanced Search";
const QString kClearSearchHistory = "Clear Search History";

// A node's meaning, by level, parent and text; the first matching row wins.
const std::vector<NodeRule>& recipeNodeRules()
{
    static const std::vector<NodeRule> rules = {
        {0, {}, kViewAllRecipe, AllRecipesNode},
        {0, {}, {}, OtherRootNode},
        {1, kCuisines, kNewCuisine, NewCuisineNode},
        {1, kCuisines, kEditCuisines, EditCuisinesNode},
        {1, kCuisines, {}, CuisineNode},
        {1, kRecipeTypes, kNewRecipeType, NewTypeNode},
        {1, kRecipeTypes, kEditRecipeType, EditTypesNode},
        {1, kRecipeTypes, {}, TypeNode},
        {1, kSimpleSearch, kNewSearch, NewKeywordNode},
        {1, kSimpleSearch, kClearSearchHistory, ClearHistoryNode},
        {1, kSimpleSearch, {}, KeywordNode},
        {1, kAdvancedSearch, kNewSearch, NewSavedSearchNode},
        {1, kAdvancedSearch, kEditAdvancedSearch, EditSavedSearchesNode},
        {1, kAdvancedSearch, {}, SavedSearchNode},
    };
    return rules;
}

RecipeNode recipeNodeKind(const QTreeWidgetItem* node)
{
    return static_cast<RecipeNode>(nodeKind(node, recipeNodeRules(), NoNode));
}

bool isAction(RecipeNode kind)
{
    return kind == NewCuisineNode || kind == EditCuisinesNode || kind == NewTypeNode || kind == EditTypesNode
        || kind == NewKeywordNode || kind == ClearHistoryNode || kind == NewSavedSearchNode
        || kind == EditSavedSearchesNode;
}

QString fromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

// Tabs of one width.
class FixedWidthTabBar : public QTabBar {
public:
    explicit FixedWidthTabBar(int width) : width_(width) {}

protected:
    // Wider only where the substituted font needs more room for a caption.
    QSize tabSizeHint(int index) const override
    {
        const QSize natural = QTabBar::tabSizeHint(index);
        return {std::max(width_, natural.width()), natural.height()};
    }

private:
    int width_;
};

class RecipeTabs : public QTabWidget {
public:
    explicit RecipeTabs(QWidget* parent) : QTabWidget(parent) { setTabBar(new FixedWidthTabBar(80)); }
};

// Runs `moved` on every mouse move over the watched widget.
// The paste keys (Ctrl+V, Shift+Insert) pressed in a widget.
class PasteKeys : public QObject {
public:
    PasteKeys(QWidget* watched, std::function<void()> pasted) : QObject(watched), pasted_(std::move(pasted))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste))
            return false;
        guarded(pasted_);
        return true;
    }

private:
    std::function<void()> pasted_;
};

class MouseMoves : public QObject {
public:
    MouseMoves(QWidget* watched, std::function<void()> moved) : QObject(watched), moved_(std::move(moved))
    {
        watched->setMouseTracking(true);
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseMove)
            guarded(moved_);
        return false;
    }

private:
    std::function<void()> moved_;
};

TDBEdit* readOnlyEdit(QWidget* parent)
{
    auto* edit = new TDBEdit(parent);
    edit->setReadOnly(true);
    return edit;
}

struct LabelledRow {
    const char* caption;
    QWidget* box;
    int width;
};

// Captions in a column at the left, their boxes in a column beside the widest one.
void labelledRows(QWidget* page, std::initializer_list<LabelledRow> rows)
{
    constexpr int kTop = 10;
    constexpr int kStep = 28;
    constexpr int kHeight = 21;
    int boxes = 0;
    std::vector<QLabel*> captions;
    for (const LabelledRow& row : rows) {
        captions.push_back(captionLabel(page, row.caption, {10, 0}, Skin::darkGreen()));
        boxes = std::max(boxes, captions.back()->geometry().right() + 8);
    }
    int y = kTop;
    auto caption = captions.begin();
    for (const LabelledRow& row : rows) {
        QLabel* label = *caption++;
        label->move(10, y + (kHeight - label->height()) / 2);
        row.box->setGeometry(boxes, y, row.width, kHeight);
        y += kStep;
    }
}

QWidget* tabPage(QTabWidget* tabs, const char* name, const QString& caption)
{
    auto* page = new QWidget;
    page->setObjectName(name);
    tabs->addTab(page, caption);
    return page;
}

// A right click on the grid offers the label of the recipe the list shows.
void addNutritionFactsMenu(TDBGrid* grid, const char* name, const TDBGrid* recipeList)
{
    auto* menu = new QMenu(grid);
    menu->setObjectName(name);
    QAction* facts = menu->addAction("Nutrition Facts...");
    facts->setObjectName("NutritionFacts");
    QObject::connect(facts, &QAction::triggered, grid, [] { guarded(ShowDisplayedRecipeNutritionFacts); });
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(grid, &QWidget::customContextMenuRequested, menu, [grid, menu, facts, recipeList](QPoint at) {
        const DataSource* shown = recipeList->DataSourceOf();
        facts->setEnabled(shown && shown->dataSet() && shown->dataSet()->active() && !shown->dataSet()->isEmpty());
        menu->popup(grid->viewport()->mapToGlobal(at));
    });
}

} // namespace

void TFormMain::addTransferItems(QMenu* menu)
{
    menu->addSeparator();
    QAction* import = menu->addAction("Import Recipe\u2026");
    import->setObjectName("ImportRecipe");
    QObject::connect(import, &QAction::triggered, this, [this] { guarded([this] { BtnImportRecipeClick(); }); });
    QAction* exportRecipes = menu->addAction("Export Recipes\u2026");
    exportRecipes->setObjectName("ExportRecipes");
    QObject::connect(exportRecipes, &QAction::triggered, this, [this] { guarded([this] { BtnExportRecipesClick(); }); });
}

void TFormMain::buildRecipesPage()
{
    PanelHeaderClientRecipes = buildPageHeader(PageRecipes, "Recipes Display", LabelActiveDispalyRecipes);
    LabelActiveDispalyRecipes->setTextFormat(Qt::PlainText); // cuisine and type names are the user's text
    // Made after the label, so they stand above the label's wide box.
    BtnNewRecipe = imageButton(PanelHeaderClientRecipes, "ImgCreate32", "Create New Recipe", {5, 0});
    ButtonDeleteRecipe = imageButton(PanelHeaderClientRecipes, "ImgDelete32", "Delete Selected Recipe", {35, 0});
    BtnEditRecipes = imageButton(PanelHeaderClientRecipes, "ImgEdit32", "Edit Selected Recipe", {66, 0});
    BtnNewRecipe->setObjectName("BtnNewRecipe");
    ButtonDeleteRecipe->setObjectName("ButtonDeleteRecipe");
    BtnEditRecipes->setObjectName("BtnEditRecipes");
    BtnNewRecipe->OnClick = [this] { BtnNewRecipeClick(); };
    ButtonDeleteRecipe->OnClick = [this] { ButtonDeleteRecipeClick(); };
    BtnEditRecipes->OnClick = [this] { BtnEditRecipesClick(); };
    BtnImportRecipe = imageButton(PanelHeaderClientRecipes, "ImgImport32",
                                  "Import Recipe\u2026 (a saved web page, a JSON-LD file or text)", {107, 0});
    BtnExportRecipes = imageButton(PanelHeaderClientRecipes, "ImgExport32", "Export Recipes\u2026 (to a JSON-LD file)",
                                   {138, 0});
    BtnImportRecipe->setObjectName("BtnImportRecipe");
    BtnExportRecipes->setObjectName("BtnExportRecipes");
    BtnImportRecipe->OnClick = [this] { BtnImportRecipeClick(); };
    BtnExportRecipes->OnClick = [this] { BtnExportRecipesClick(); };
    buildCookbookButtons();

    SplitterClientRecipes = pageSplitter(PageRecipes, Skin::brightGreen());
    SplitterClientRecipes->setChildrenCollapsible(false);
    PanelClientRecipe = colouredPanel(nullptr, Skin::gridBackground());
    PanelBrowseRecipes = colouredPanel(nullptr, Skin::paleGreen());
    SplitterClientRecipes->addWidget(PanelClientRecipe);
    SplitterClientRecipes->addWidget(PanelBrowseRecipes);
    SplitterClientRecipes->setStretchFactor(0, 1);
    SplitterClientRecipes->setStretchFactor(1, 0);

    // The navigation side.
    Panel3 = PageParts::titleBar(PanelBrowseRecipes, "Recipes Navigation");
    Panel3->setFrameShape(QFrame::Box);
    ImgSplitterRight = PageParts::shadow(PanelBrowseRecipes, true);
    ImgSplitterRight->setFixedWidth(4);
    TreeViewRecipes = PageParts::navigationTree(PanelBrowseRecipes, "TreeViewRecipes");
    TreeViewRecipes->OnChange = [this] { TreeViewRecipesChange(); };
    auto* browse = new QVBoxLayout(PanelBrowseRecipes);
    browse->setContentsMargins(0, 0, 0, 0);
    browse->setSpacing(0);
    browse->addWidget(Panel3);
    auto* treeRow = new QHBoxLayout;
    treeRow->setSpacing(0);
    treeRow->addWidget(ImgSplitterRight);
    treeRow->addWidget(TreeViewRecipes);
    browse->addLayout(treeRow);

    // The recipe list and its nutrients over the five tabs, a shadow by the splitter.
    DBGridRecipeList = PageParts::grid(PanelClientRecipe, {}, {});
    DBGridRecipeList->setObjectName("DBGridRecipeList");
    DBGridRecipeList->horizontalHeader()->setStretchLastSection(true);
    const QColor valueColumns = colorFromNumber(15858174);
    const QColor valueTitles = Skin::paleGreen();
    DBGridRecipeNutrientList = PageParts::grid(PanelClientRecipe, {{1, valueColumns}, {3, valueColumns}},
                                               {{1, valueTitles}, {3, valueTitles}});
    DBGridRecipeNutrientList->setObjectName("DBGridRecipeNutrientList");
    DBGridRecipeNutrientList->setFixedWidth(268);
    addNutritionFactsMenu(DBGridRecipeList, "PopupMenuRecipeList", DBGridRecipeList);
    addNutritionFactsMenu(DBGridRecipeNutrientList, "PopupMenuRecipeNutrients", DBGridRecipeList);
    addTransferItems(DBGridRecipeList->findChild<QMenu*>("PopupMenuRecipeList"));
    addCookbookItems(DBGridRecipeList->findChild<QMenu*>("PopupMenuRecipeList"));
    new PasteKeys(DBGridRecipeList, [this] { PasteRecipe(); });
    PageControlRecipe = new RecipeTabs(PanelClientRecipe);
    PageControlRecipe->setObjectName("PageControlRecipe");
    PageControlRecipe->setFixedHeight(183);
    Image1 = PageParts::shadow(PanelClientRecipe, false);
    Image1->setFixedWidth(5);
    auto* upper = new QHBoxLayout;
    upper->setSpacing(0);
    upper->addWidget(DBGridRecipeList, 1);
    // The totals and, when they leave lines out, how many they count.
    LabelRecipeTotalsNote = new QLabel(PanelClientRecipe);
    LabelRecipeTotalsNote->setObjectName("LabelRecipeTotalsNote");
    LabelRecipeTotalsNote->setWordWrap(true);
    LabelRecipeTotalsNote->setFixedWidth(268);
    LabelRecipeTotalsNote->setStyleSheet("color: rgb(128, 0, 0); background: rgb(242, 252, 238); padding: 2px;");
    LabelRecipeTotalsNote->hide();
    auto* totals = new QVBoxLayout;
    totals->setSpacing(0);
    totals->addWidget(DBGridRecipeNutrientList, 1);
    totals->addWidget(LabelRecipeTotalsNote);
    upper->addLayout(totals);
    auto* column = new QVBoxLayout;
    column->setSpacing(0);
    column->addLayout(upper, 1);
    column->addWidget(PageControlRecipe);
    auto* client = new QHBoxLayout(PanelClientRecipe);
    client->setContentsMargins(0, 0, 0, 0);
    client->setSpacing(0);
    client->addLayout(column, 1);
    client->addWidget(Image1);

    TabInfo = tabPage(PageControlRecipe, "TabInfo", "Info");
    DBEdit1 = readOnlyEdit(TabInfo);
    DBEdit2 = readOnlyEdit(TabInfo);
    DBEdit3 = readOnlyEdit(TabInfo);
    DBEdit4 = readOnlyEdit(TabInfo);
    labelledRows(TabInfo, {{"Cuisine:", DBEdit1, 275},
                                               {"Serves/Yields:", DBEdit2, 64},
                                               {"Preperation Time:", DBEdit3, 64},
                                               {"Cooking Time:", DBEdit4, 64}});
    for (const TDBEdit* time : {DBEdit3, DBEdit4})
        captionLabel(TabInfo, "Min.", {time->geometry().right() + 7, time->y() + 4}, Skin::darkGreen());

    TabIngredients = tabPage(PageControlRecipe, "TabIngredients", "Ingredients");
    const QColor ingredientColumns = colorFromNumber(15269373);
    DBGridRIngredientList = PageParts::grid(TabIngredients, {{0, ingredientColumns}, {2, ingredientColumns}},
                                            {{0, valueTitles}, {2, valueTitles}});
    DBGridRIngredientList->setObjectName("DBGridRIngredientList");
    auto* ingredients = new QVBoxLayout(TabIngredients);
    ingredients->setContentsMargins(0, 0, 0, 0);
    ingredients->addWidget(DBGridRIngredientList);

    TabProcedure = tabPage(PageControlRecipe, "TabProcedure", "Procedures");
    DBMemo1 = new TDBMemo(TabProcedure);
    DBMemo1->setObjectName("DBMemo1");
    DBMemo1->setReadOnly(true);
    auto* procedure = new QVBoxLayout(TabProcedure);
    procedure->setContentsMargins(0, 0, 0, 0);
    procedure->addWidget(DBMemo1);

    TabTypes = tabPage(PageControlRecipe, "TabTypes", "Types");
    DBCtrlGrid2 = new TDBCtrlGrid(TabTypes);
    DBCtrlGrid2->setObjectName("DBCtrlGrid2");
    DBCtrlGrid2->SetLayout(2, 4, 200, 38);
    DBCtrlGrid2->move(4, 2);

    TabSource = tabPage(PageControlRecipe, "TabSource", "Source");
    DBEdit6 = readOnlyEdit(TabSource);
    DBEdit7 = readOnlyEdit(TabSource);
    dbTextWebName = new TDBText(TabSource);
    dbTextWebName->setObjectName("dbTextWebName");
    labelledRows(TabSource, {{"Author's Name:", DBEdit6, 289}, {"Source:", DBEdit7, 289}, {"WebPage:", dbTextWebName, 289}});
    dbTextWebName->setTextFormat(Qt::PlainText);
    QFont link = formFont();
    link.setUnderline(true);
    dbTextWebName->setFont(link);
    QPalette navy = dbTextWebName->palette();
    navy.setColor(QPalette::WindowText, colorFromNumber(8388608));
    dbTextWebName->setPalette(navy);
    new MouseMoves(dbTextWebName, [this] { dbTextWebNameMouseMove(); });

    PageControlRecipe->setCurrentWidget(TabIngredients);
}

void TFormMain::layoutRecipesPage()
{
    layoutPageHeader(PanelHeaderClientRecipes, LabelActiveDispalyRecipes);
    const int width = NotebookClient->width();
    const int height = std::max(0, NotebookClient->height() - 35);
    const bool first = SplitterClientRecipes->size() == QSize(0, 0) || !SplitterClientRecipes->isVisible();
    SplitterClientRecipes->setGeometry(0, 35, width, height);
    if (first || SplitterClientRecipes->sizes().value(1) <= 0)
        SplitterClientRecipes->setSizes({width - 220 - 3, 220});
}

void TFormMain::showRecipeTotalsNote()
{
    const std::string note = DataModuleRecipes->DisplayedLineCoverage().note();
    LabelRecipeTotalsNote->setText(QString::fromStdString(note).replace(0, 1, QStringLiteral("T")));
    LabelRecipeTotalsNote->setVisible(!note.empty());
}

// The recipe module exists from the first show on: the page's controls bind to it.
void TFormMain::showRecipesPageData()
{
    TDataModuleRecipes& recipes = *DataModuleRecipes;
    DBGridRecipeList->SetDataSource(&recipes.dscDisplayRecipes);
    DBGridRecipeList->SetColumns({{"Recipe Name", {}, 0}});
    DBGridRecipeNutrientList->SetDataSource(&recipes.dscRecipeNutrientData);
    for (DataSource* source : {&recipes.dscDisplayRecipes, &recipes.dscRecipeIngredients, &recipes.dscRecipeNutrientData})
        source->addListener([this](DataChange, Field*) { showRecipeTotalsNote(); });
    DBGridRecipeNutrientList->SetColumns({{"Nutr_Desc", "Nutrient Description", 105},
                                          {"Nutr_Val", "Total", 50},
                                          {"Serve_Val", "Per Serve", 50},
                                          {"Units", {}, 44}});
    PageParts::fitColumns(DBGridRecipeNutrientList, 0, {1, 2});
    DBGridRIngredientList->SetDataSource(&recipes.dscRecipeIngredients);
    DBGridRIngredientList->SetColumns({{"Quantity", {}, 44}, {"Unit", {}, 120}, {"Ingredient Name", {}, 0}});
    PageParts::fitColumns(DBGridRIngredientList, 2);

    const std::pair<TDBEdit*, const char*> edits[] = {{DBEdit1, "Cuisine"},          {DBEdit2, "Number of Serves"},
                                                      {DBEdit3, "Preperation Time"}, {DBEdit4, "Cooking Time"},
                                                      {DBEdit6, "Author"},           {DBEdit7, "Source"}};
    for (const auto& [edit, field] : edits) {
        edit->SetDataSource(&recipes.dscDisplayRecipes);
        edit->SetDataField(field);
    }
    DBMemo1->SetDataSource(&recipes.dscDisplayRecipes);
    DBMemo1->SetDataField("Procedures");
    DBCtrlGrid2->SetDataSource(&recipes.dscRecipeDescAndTypes3);
    DBCtrlGrid2->SetDataField("Recipe Type");
    dbTextWebName->SetDataSource(&recipes.dscDisplayRecipes);
    dbTextWebName->SetDataField("Web Page Name");
}

// ---------------------------------------------------------------------------
// The tree

void TFormMain::BuildRecipeTree()
{
    TreeViewRecipes->Rebuild([this] {
        NodeCuisines = TreeViewRecipes->AddRoot(kCuisines);
        FillCuisineNodes();
        NodeRecipeTypes = TreeViewRecipes->AddRoot(kRecipeTypes);
        FillRecipeTypeNodes();
        NodeViewAllRecipes = TreeViewRecipes->AddRoot(kViewAllRecipe);
        NodeRecipeSimpleSearch = TreeViewRecipes->AddRoot(kSimpleSearch);
        FillRecipeSimpleSearchNodes();
        NodeRecipeAdvancedSearch = TreeViewRecipes->AddRoot(kAdvancedSearch);
        FillRecipeAdvancedSearchNodes();
    });
}

void TFormMain::FillCuisineNodes()
{
    TNavigationTree::AddChild(NodeCuisines, kNewCuisine);
    TNavigationTree::AddChild(NodeCuisines, kEditCuisines);
    for (const std::string& name : DataModuleRecipes->GetCuisineNames())
        TNavigationTree::AddChild(NodeCuisines, fromStd(name));
}

void TFormMain::FillRecipeTypeNodes()
{
    TNavigationTree::AddChild(NodeRecipeTypes, kNewRecipeType);
    TNavigationTree::AddChild(NodeRecipeTypes, kEditRecipeType);
    for (const std::string& name : DataModuleRecipes->GetRecipeTypeNames())
        TNavigationTree::AddChild(NodeRecipeTypes, fromStd(name));
}

void TFormMain::FillRecipeSimpleSearchNodes()
{
    if (!Shown)
        return;
    TNavigationTree::AddChild(NodeRecipeSimpleSearch, kNewSearch);
    const auto history = DataModuleRecipes->Searches.GetSearchHistory();
    if (!history.empty())
        TNavigationTree::AddChild(NodeRecipeSimpleSearch, kClearSearchHistory);
    for (const std::string& keyword : history)
        TNavigationTree::AddChild(NodeRecipeSimpleSearch, fromStd(keyword));
}

void TFormMain::FillRecipeAdvancedSearchNodes()
{
    if (!Shown)
        return;
    TNavigationTree::AddChild(NodeRecipeAdvancedSearch, kNewSearch);
    TNavigationTree::AddChild(NodeRecipeAdvancedSearch, kEditAdvancedSearch);
    for (const std::string& name : DataModuleRecipes->Searches.GetSearchNames())
        TNavigationTree::AddChild(NodeRecipeAdvancedSearch, fromStd(name));
}

void TFormMain::showRecipeNodeAfterDialog(QTreeWidgetItem* root, void (TFormMain::*fill)(), const QString& name)
{
    TreeViewRecipes->RebuildChildren(root, [this, fill] { (this->*fill)(); });
    if (QTreeWidgetItem* match = TNavigationTree::ChildByText(root, name))
        TreeViewRecipes->Select(match);
}

void TFormMain::TreeViewRecipesChange()
{
    TDataModuleRecipes& recipes = *DataModuleRecipes;
    RecordSet& cuisines = recipes.tblRecipeCuisine2;
    RecordSet& types = recipes.tblRecipeTypes2;
    const QTreeWidgetItem* node = TreeViewRecipes->Selected();
    const RecipeNode kind = recipeNodeKind(node);
    const QString text = node ? node->text(0) : QString(); // the command may delete the node
    const QString parent = node ? parentText(node) : QString();
    const auto reselect = [this] { TreeViewRecipes->Reselect(LastRecipeNode); };
    const auto store = [](RecordSet& set) {
        set.applyUpdates();
        set.commitUpdates();
    };
    const auto currentName = [](RecordSet& set, const char* field) {
        return set.isEmpty() ? QString() : fromStd(set.fieldByName(field).asString());
    };

    try {
        switch (kind) {
        case AllRecipesNode:
            recipes.ShowAllRecipes();
            LabelActiveDispalyRecipes->setText(kViewAllRecipe);
            break;
        case NewCuisineNode:
            cuisines.append();
            if (DialogRecipeCuisineEdit->ShowModalStoring(
                    [&] { Database::postAndApply(cuisines, [&] { store(cuisines); }); }) == mrOk) {
                // The table numbered the new cuisine, and the stored list stands on it.
                const QString name = currentName(cuisines, "Cuisine");
                showRecipeNodeAfterDialog(NodeCuisines, &TFormMain::FillCuisineNodes, name);
            } else {
                cuisines.cancel();
                cuisines.cancelUpdates();
                reselect();
            }
            break;
        case EditCuisinesNode:
            cuisines.setRecNo(recipes.tblRecipeCuisine.recNo());
            if (DialogRecipeCuisines->ShowModalStoring([&] { store(cuisines); }) == mrOk) {
                const QString name = currentName(cuisines, "Cuisine");
                showRecipeNodeAfterDialog(NodeCuisines, &TFormMain::FillCuisineNodes, name);
            } else {
                cuisines.cancelUpdates();
                reselect();
            }
            break;
        case CuisineNode:
            recipes.ShowRecipesByCuisine(text.toStdString());
            LabelActiveDispalyRecipes->setText(parent + ": " + text);
            break;
        case NewTypeNode:
            types.append();
            if (DialogRecipeTypeEdit->ShowModalStoring([&] {
                    types.fieldByName("RTYPE_ID").setAsInteger(recipes.NextRecipeTypeId());
                    Database::postAndApply(types, [&] { store(types); });
                }) == mrOk) {
                showRecipeNodeAfterDialog(NodeRecipeTypes, &TFormMain::FillRecipeTypeNodes,
                                          currentName(types, "Recipe Type"));
            } else {
                types.cancel();
                types.cancelUpdates();
                reselect();
            }
            break;
        case EditTypesNode:
            types.setRecNo(recipes.tblRecipeTypes.recNo());
            if (DialogRecipeTypes->ShowModalStoring([&] { store(types); }) == mrOk) {
                showRecipeNodeAfterDialog(NodeRecipeTypes, &TFormMain::FillRecipeTypeNodes,
                                          currentName(types, "Recipe Type"));
            } else {
                types.cancelUpdates();
                reselect();
            }
            break;
        case TypeNode:
            recipes.ShowRecipesByType(text.toStdString());
            LabelActiveDispalyRecipes->setText(parent + ": " + text);
            break;
        case NewKeywordNode:
        case ClearHistoryNode:
        case KeywordNode:
            runRecipeKeywordNode(kind == NewKeywordNode ? RecipeKeywordCommand::Ask
                                 : kind == ClearHistoryNode ? RecipeKeywordCommand::ClearHistory
                                                            : RecipeKeywordCommand::Search,
                                 text);
            break;
        case NewSavedSearchNode:
        case EditSavedSearchesNode:
            editSavedRecipeSearches(kind == NewSavedSearchNode);
            break;
        case SavedSearchNode:
            runSavedRecipeSearch(text);
            break;
        case OtherRootNode:
        case NoNode:
            break;
        }
    } catch (...) {
        // A command that failed half way must not leave an action node selected:
        // selecting it again would raise nothing.
        if (isAction(recipeNodeKind(TreeViewRecipes->Selected())))
            guarded(reselect);
        LastRecipeNode = nodePath(TreeViewRecipes->Selected());
        throw;
    }
    LastRecipeNode = nodePath(TreeViewRecipes->Selected());
}

// ---------------------------------------------------------------------------
// Tool buttons

void TFormMain::BtnNewRecipeClick()
{
    TDataModuleRecipes& recipes = *DataModuleRecipes;
    const NodePath recipeNode = nodePath(TreeViewRecipes->Selected());
    recipes.BeginNewRecipe();
    if (DialogRecipeEdit->ShowModalStoring([&] { recipes.PostNewRecipe(); }) == mrOk) {
        TreeViewRecipes->SelectAndRun(NodeViewAllRecipes); // listed afresh even when they were shown
        recipes.dscDisplayRecipes.dataSet()->last(); // the new recipe has the highest id
    } else {
        recipes.CancelNewRecipe();
        TreeViewRecipes->Reselect(recipeNode);
    }
    // Picking ingredients moved the food list the Foods page shares.
    rerunFoodListing();
}

void TFormMain::BtnEditRecipesClick()
{
    TDataModuleRecipes& recipes = *DataModuleRecipes;
    if (recipes.dscDisplayRecipes.dataSet()->isEmpty()) {
        showMessage("No Selected Record to Edit");
        return;
    }
    recipes.BeginEditRecipe();
    if (DialogRecipeEdit->ShowModalStoring([&] { recipes.PostEditedRecipe(); }) != mrOk)
        recipes.CancelEditedRecipe();
    rerunFoodListing();
}

void TFormMain::ButtonDeleteRecipeClick()
{
    DataModuleRecipes->DeleteDisplayedRecipe();
}

// The link as the hint, as plain text: a link is the user's text, not markup.
void TFormMain::dbTextWebNameMouseMove()
{
    RecordSet* shown = DataModuleRecipes->dscDisplayRecipes.dataSet();
    QString link;
    if (shown && shown->active() && !shown->isEmpty())
        link = fromStd(shown->fieldByName("Web Page Link").asString());
    dbTextWebName->setToolTip(link.isEmpty() ? QString() : Qt::convertFromPlainText(link));
}
