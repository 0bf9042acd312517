// The Foods page of the main window: what is listed, what the page header says,
// and which tree node is selected after each command.

#include "app/MainForm.h"

#include "app/PageParts.h"
#include "facts/NutritionFacts.h"
#include "foods/AdvancedSearch.h"
#include "foods/AdvancedSearchEdit.h"
#include "foods/DatabaseFood.h"
#include "foods/FoodEdit.h"
#include "foods/FoodGroupEdit.h"
#include "foods/FoodGroups.h"
#include "foods/FoodInRecipes.h"
#include "foods/SimpleSearch.h"
#include "recipes/IngredientEdit.h"
#include "seams/Messages.h"
#include "ui/AdvButton.h"
#include "store/Amount.h"
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
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSplitter>
#include <QStackedWidget>

#include <optional>

namespace {

enum FoodNode {
    AllFoodsNode,
    OtherRootNode,
    NewGroupNode,
    EditGroupsNode,
    GroupNode,
    NewSimpleSearchNode,
    ClearHistoryNode,
    KeywordNode,
    NewAdvancedSearchNode,
    EditRuleGroupsNode,
    RuleGroupNode,
    NoNode,
};

const QString kFoodGroups = "Food Groups";
const QString kViewAllFoods = "View All Foods";
const QString kSimpleSearch = "Simple Search";
const QString kAdvancedSearch = "Advanced Search";
const QString kNewFoodGroup = "New Food Group";
const QString kEditFoodGroups = "Edit Food Groups";
const QString kNewSearch = "New Search";
const QString kClearSearchHistory = "Clear Search History";
const QString kEditAdvancedSearch = "Edit Advanced Search";

// A node's meaning, by level, parent and text; the first matching row wins.
const std::vector<NodeRule>& foodNodeRules()
{
    static const std::vector<NodeRule> rules = {
        {0, {}, kViewAllFoods, AllFoodsNode},
        {0, {}, {}, OtherRootNode},
        {1, kFoodGroups, kNewFoodGroup, NewGroupNode},
        {1, kFoodGroups, kEditFoodGroups, EditGroupsNode},
        {1, kFoodGroups, {}, GroupNode},
        {1, kSimpleSearch, kNewSearch, NewSimpleSearchNode},
        {1, kSimpleSearch, kClearSearchHistory, ClearHistoryNode},
        {1, kSimpleSearch, {}, KeywordNode},
        {1, kAdvancedSearch, kNewSearch, NewAdvancedSearchNode},
        {1, kAdvancedSearch, kEditAdvancedSearch, EditRuleGroupsNode},
        {1, kAdvancedSearch, {}, RuleGroupNode},
    };
    return rules;
}

FoodNode foodNodeKind(const QTreeWidgetItem* node)
{
    return static_cast<FoodNode>(nodeKind(node, foodNodeRules(), NoNode));
}

// The nodes whose command lists foods.
bool isListing(FoodNode kind)
{
    return kind == AllFoodsNode || kind == GroupNode || kind == KeywordNode || kind == RuleGroupNode;
}

QString fromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

RecordSet& foodList()
{
    return *DataModuleFoods->dscFoodDesc.dataSet();
}

QLabel* greyLabel(QWidget* parent, const QString& text, QPoint at)
{
    return captionLabel(parent, text, at, Qt::gray);
}

} // namespace

void TFormMain::buildFoodsPage()
{
    PanelHeaderClientFoods = buildPageHeader(PageFoods, "Foods Display", LabelActiveDispalyFoods);
    LabelActiveDispalyFoods->setTextFormat(Qt::PlainText); // group and search names are the user's text
    // Made after the label, so they stand above the label's wide box.
    BtnNewFood = imageButton(PanelHeaderClientFoods, "ImgCreate32", "Create New Food/Ingredient", {5, 0});
    BtnDeleteFood = imageButton(PanelHeaderClientFoods, "ImgDelete32", "Delete Selected Food", {35, 0});
    BtnEditFood = imageButton(PanelHeaderClientFoods, "ImgEdit32", "Edit Selected Food/Ingredient", {66, 0});
    BtnNewFood->OnClick = [this] { BtnNewFoodClick(); };
    BtnDeleteFood->OnClick = [this] { BtnDeleteFoodClick(); };
    BtnEditFood->OnClick = [this] { BtnEditFoodClick(); };

    SplitterClientFoods = pageSplitter(PageFoods, Skin::brightGreen());
    SplitterClientFoods->setChildrenCollapsible(false);
    PanelClientFoods = colouredPanel(nullptr, Skin::paleGreenLight());
    PanelBrowseFoods = colouredPanel(nullptr, Skin::paleGreen());
    SplitterClientFoods->addWidget(PanelClientFoods);
    SplitterClientFoods->addWidget(PanelBrowseFoods);
    SplitterClientFoods->setStretchFactor(0, 1);
    SplitterClientFoods->setStretchFactor(1, 0);

    // The navigation side.
    Panel2 = PageParts::titleBar(PanelBrowseFoods, "USDA Nutrient Database Nagivation");
    Panel2->setFrameShape(QFrame::Box);
    ImgSplitterRightFoods = PageParts::shadow(PanelBrowseFoods, true);
    ImgSplitterRightFoods->setFixedWidth(4);
    TreeViewFoods = PageParts::navigationTree(PanelBrowseFoods, "TreeViewFoods");
    TreeViewFoods->OnChange = [this] { TreeViewFoodsChange(); };
    TreeViewFoods->OnContextMenu = [this](QTreeWidgetItem* node, const QPoint& at) { PopupMenuFoodTreePopup(node, at); };
    auto* browse = new QVBoxLayout(PanelBrowseFoods);
    browse->setContentsMargins(0, 0, 0, 0);
    browse->setSpacing(0);
    browse->addWidget(Panel2);
    auto* treeRow = new QHBoxLayout;
    treeRow->setSpacing(0);
    treeRow->addWidget(ImgSplitterRightFoods);
    treeRow->addWidget(TreeViewFoods);
    browse->addLayout(treeRow);

    // The food list, the measure setting and the nutrient grid.
    DBGrid2 = PageParts::grid(PanelClientFoods, {}, {});
    DBGrid2->setObjectName("DBGrid2");
    DBGrid2->horizontalHeader()->setStretchLastSection(true);
    ImgSplitterLeftFoods = PageParts::shadow(PanelClientFoods, false);
    ImgSplitterLeftFoods->setFixedWidth(5);
    PaneelClientFoodNutrient = new QWidget(PanelClientFoods);
    PaneelClientFoodNutrient->setFixedWidth(266);
    auto* client = new QHBoxLayout(PanelClientFoods);
    client->setContentsMargins(0, 0, 0, 0);
    client->setSpacing(0);
    client->addWidget(DBGrid2, 1);
    client->addWidget(ImgSplitterLeftFoods);
    client->addWidget(PaneelClientFoodNutrient);

    PanelFoodMeasures = colouredPanel(PaneelClientFoodNutrient, Skin::gridBackground());
    PanelFoodMeasures->setFixedHeight(113);
    Panel1 = PageParts::titleBar(PanelFoodMeasures, "Measure Setting");
    Panel1->setGeometry(0, 0, 266, 16);
    LabelQuantity = captionLabel(PanelFoodMeasures, "Amount", {8, 17}, Qt::black);
    EditAmount = new QLineEdit(PanelFoodMeasures);
    EditAmount->setObjectName("EditAmount");
    EditAmount->setGeometry(8, 32, 89, 21);
    LabelMeasure = captionLabel(PanelFoodMeasures, "Measure Type:", {8, 57}, Qt::black);
    ComboBoxMeasures = new QComboBox(PanelFoodMeasures);
    ComboBoxMeasures->setObjectName("ComboBoxMeasures");
    ComboBoxMeasures->setGeometry(8, 71, 244, 21);
    LabelAmountIngram = greyLabel(PanelFoodMeasures, "Amount (g):", {104, 94});
    DBTextAmountInGram = new TDBText(PanelFoodMeasures);
    // The designed place, unless the substituted font made the caption wider.
    const int gramsLeft = std::max(160, LabelAmountIngram->geometry().right() + 4);
    DBTextAmountInGram->setGeometry(gramsLeft, 94, 250 - gramsLeft, LabelAmountIngram->height());
    QPalette grey = DBTextAmountInGram->palette();
    grey.setColor(QPalette::WindowText, Qt::gray);
    DBTextAmountInGram->setPalette(grey);
    connect(EditAmount, &QLineEdit::textChanged, this, [this] { guarded([this] { ComboBoxMeasuresChange(); }); });
    connect(ComboBoxMeasures, &QComboBox::currentIndexChanged, this,
            [this] { guarded([this] { ComboBoxMeasuresChange(); }); });

    const QColor valueColumns = colorFromNumber(15269373);
    const QColor valueTitles = colorFromNumber(13100231);
    DBGrid3 = PageParts::grid(PaneelClientFoodNutrient, {{1, valueColumns}, {3, valueColumns}},
                       {{1, valueTitles}, {3, valueTitles}});
    DBGrid3->setObjectName("DBGrid3");
    // The nutrient grid's menu: the food's label per 100 g and per the measure set above it.
    auto* nutrientMenu = new QMenu(DBGrid3);
    nutrientMenu->setObjectName("PopupMenuFoodNutrients");
    QAction* nutritionFacts = nutrientMenu->addAction("Nutrition Facts...");
    nutritionFacts->setObjectName("NutritionFacts");
    connect(nutritionFacts, &QAction::triggered, this, [this] {
        guarded([this] {
            const auto food = static_cast<std::int32_t>(foodList().fieldByName("NDB_No").asInteger());
            const int measure = ComboBoxMeasures->currentIndex();
            std::optional<std::int32_t> weightId;
            const double amount = readAmount(EditAmount->text().toStdString());
            if (measure >= 0) {
                const MeasureEntry& entry = DataModuleFoods->GetMeasures().at(static_cast<std::size_t>(measure));
                if (!isAllowedGrams(entry.GramsPerUnit * amount)) {
                    showMessage(kAmountRuleMessage);
                    return;
                }
                weightId = entry.WeightId;
            }
            ShowFoodNutritionFacts(food, weightId, amount);
        });
    });
    DBGrid3->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGrid3, &QWidget::customContextMenuRequested, nutrientMenu, [this, nutrientMenu, nutritionFacts](QPoint at) {
        nutritionFacts->setEnabled(!foodList().isEmpty());
        nutrientMenu->popup(DBGrid3->viewport()->mapToGlobal(at));
    });
    auto* nutrients = new QVBoxLayout(PaneelClientFoodNutrient);
    nutrients->setContentsMargins(0, 0, 0, 0);
    nutrients->setSpacing(0);
    nutrients->addWidget(PanelFoodMeasures);
    nutrients->addWidget(DBGrid3, 1);

    // A blue panel with a lime frame inside it, the caption in the middle.
    PanelSearching = colouredPanel(PanelClientFoods, Qt::blue);
    PanelSearching->setGeometry(192, 120, 185, 40);
    auto* searching = new QLabel("Searching ...", PanelSearching);
    searching->setFont(formFont(11, true));
    searching->setAlignment(Qt::AlignCenter);
    searching->setStyleSheet("QLabel { color: yellow; border: 2px solid lime; }");
    searching->setGeometry(PanelSearching->rect().adjusted(4, 4, -4, -4));
    PanelSearching->hide();

    PopupMenuFoodTree = new QMenu(TreeViewFoods);
    PopupMenuFoodTree->setObjectName("PopupMenuFoodTree");
    const auto item = [this](const char* name, const QString& caption, const std::function<void()>& command) {
        QAction* action = PopupMenuFoodTree->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, [command] { guarded(command); });
        return action;
    };
    const auto runAction = [this](QTreeWidgetItem*& root, const QString& text) {
        return [this, &root, text] {
            if (QTreeWidgetItem* node = TNavigationTree::ChildByText(root, text))
                TreeViewFoods->SelectAndRun(node);
        };
    };
    const auto onMenuNode = [this] {
        if (const QTreeWidgetItem* node = TreeViewFoods->Find(foodMenuNode_))
            deleteFromFoodTree(node);
    };
    NewFoodGroup = item("NewFoodGroup", "New Food Group", runAction(NodeFoodGroups, kNewFoodGroup));
    EditFoodGroup = item("EditFoodGroup", "Edit Food Group", runAction(NodeFoodGroups, kEditFoodGroups));
    DeleteFoodGroup = item("DeleteFoodGroup", "Delete Food Group", onMenuNode);
    PopupMenuFoodTree->addSeparator();
    ViewAllFoods = item("ViewAllFoods", "View All Foods", [this] { TreeViewFoods->SelectAndRun(NodeViewAllFoods); });
    PopupMenuFoodTree->addSeparator();
    NewSimpleSearch = item("NewSimpleSearch", "New Simple Search", runAction(NodeFoodSimpleSearch, kNewSearch));
    ClearSearchHistory =
        item("ClearSearchHistory", "Clear Search History", runAction(NodeFoodSimpleSearch, kClearSearchHistory));
    PopupMenuFoodTree->addSeparator();
    NewAdvancedSearch = item("NewAdvancedSearch", "New Advanced Search", runAction(NodeFoodAdvancedSearch, kNewSearch));
    EditAdvancedSearch =
        item("EditAdvancedSearch", "Edit Advanced Search", runAction(NodeFoodAdvancedSearch, kEditAdvancedSearch));
    DeleteAdvancedSearch = item("DeleteAdvancedSearch", "Delete Advanced Search", onMenuNode);
}

void TFormMain::layoutFoodsPage()
{
    layoutPageHeader(PanelHeaderClientFoods, LabelActiveDispalyFoods);
    const int width = NotebookClient->width();
    const int height = std::max(0, NotebookClient->height() - 35);
    const bool first = SplitterClientFoods->size() == QSize(0, 0) || !SplitterClientFoods->isVisible();
    SplitterClientFoods->setGeometry(0, 35, width, height);
    if (first || SplitterClientFoods->sizes().value(1) <= 0)
        SplitterClientFoods->setSizes({width - 220 - 3, 220});
}

// The data module exists from the first show on: the page's grids bind to it,
// and it tells the page of every change of the current food.
void TFormMain::showFoodsPageData()
{
    DBGrid2->SetDataSource(&DataModuleFoods->dscFoodDesc);
    DBGrid2->SetColumns({{"Desc", {}, 0}});
    DBGrid3->SetDataSource(&DataModuleFoods->dscNutrientData);
    DBGrid3->SetColumns({{"NutrientDescription", {}, 97},
                         {"Nutr_Val", {}, 46},
                         {"Nutr_ValByServing", {}, 62},
                         {"Units", {}, 42}});
    PageParts::fitColumns(DBGrid3, 0); // the description takes what the panel has left
    DBTextAmountInGram->SetDataSource(&DataModuleFoods->dscNutrientData);
    DBTextAmountInGram->SetDataField("Gm_Wgt");
    DialogIngredientEdit->FoodListChanged = [this](FoodListFilter filter, const std::string& name) {
        foodListChanged(filter, name);
    };
}

void TFormMain::followCurrentFood(TDataModuleFoods& foods)
{
    measureListener_ = foods.addMeasureListener([this] { RefreshMeasures(); });
}

// ---------------------------------------------------------------------------
// The tree

void TFormMain::BuildFoodTree()
{
    TreeViewFoods->Rebuild([this] {
        NodeFoodGroups = TreeViewFoods->AddRoot(kFoodGroups);
        FillFoodGroupNodes();
        NodeViewAllFoods = TreeViewFoods->AddRoot(kViewAllFoods);
        NodeFoodSimpleSearch = TreeViewFoods->AddRoot(kSimpleSearch);
        FillFoodSimpleSearchNodes();
        NodeFoodAdvancedSearch = TreeViewFoods->AddRoot(kAdvancedSearch);
        FillFoodAdvancedSearchNodes();
    });
}

void TFormMain::FillFoodGroupNodes()
{
    TNavigationTree::AddChild(NodeFoodGroups, kNewFoodGroup);
    TNavigationTree::AddChild(NodeFoodGroups, kEditFoodGroups);
    for (const std::string& name : DataModuleFoods->GetFoodGroupNames())
        TNavigationTree::AddChild(NodeFoodGroups, fromStd(name));
}

void TFormMain::FillFoodSimpleSearchNodes()
{
    if (!Shown)
        return;
    TNavigationTree::AddChild(NodeFoodSimpleSearch, kNewSearch);
    const auto& history = DataModuleFoods->GetSearchHistory();
    if (!history.empty())
        TNavigationTree::AddChild(NodeFoodSimpleSearch, kClearSearchHistory);
    for (const std::string& keyword : history)
        TNavigationTree::AddChild(NodeFoodSimpleSearch, fromStd(keyword));
}

void TFormMain::FillFoodAdvancedSearchNodes()
{
    if (!Shown)
        return;
    TNavigationTree::AddChild(NodeFoodAdvancedSearch, kNewSearch);
    TNavigationTree::AddChild(NodeFoodAdvancedSearch, kEditAdvancedSearch);
    for (const std::string& name : DataModuleFoods->GetRuleGroupNames())
        TNavigationTree::AddChild(NodeFoodAdvancedSearch, fromStd(name));
}

void TFormMain::RefreshSimpleSearchNodes()
{
    refreshSearchBranch(NodeFoodSimpleSearch, [this] { FillFoodSimpleSearchNodes(); });
}

void TFormMain::RefreshAdvancedSearchNodes()
{
    refreshSearchBranch(NodeFoodAdvancedSearch, [this] { FillFoodAdvancedSearchNodes(); });
}

// The branch afresh, then its first entry after the two command nodes (the newest
// keyword, the first saved search), else the branch itself, opened.
void TFormMain::refreshSearchBranch(QTreeWidgetItem* branch, const std::function<void()>& fill)
{
    TreeViewFoods->RebuildChildren(branch, fill);
    if (branch->childCount() < 3) {
        TreeViewFoods->Select(branch);
        TreeViewFoods->expandItem(branch);
    } else {
        TreeViewFoods->Select(branch->child(2));
    }
}

void TFormMain::TreeViewFoodsChange()
{
    TDataModuleFoods& foods = *DataModuleFoods;
    QTreeWidgetItem* node = TreeViewFoods->Selected();
    const FoodNode kind = foodNodeKind(node);
    const QString text = node ? node->text(0) : QString(); // the command may delete the node
    const std::string name = text.toStdString();

    // After the group dialogs: the branch afresh, and the node of the group the
    // dialog left current (its command lists that group).
    const auto showGroupAfterDialog = [&] {
        const QString current = fromStd(foods.tblFoodGroups2.fieldByName("FdGrp_Desc").asString());
        TreeViewFoods->RebuildChildren(NodeFoodGroups, [this] { FillFoodGroupNodes(); });
        if (QTreeWidgetItem* match = TNavigationTree::ChildByText(NodeFoodGroups, current))
            TreeViewFoods->Select(match);
    };
    const auto storeGroups = [&] {
        foods.tblFoodGroups2.applyUpdates();
        foods.tblFoodGroups2.commitUpdates();
    };

    try {
        switch (kind) {
        case AllFoodsNode:
            foods.QueryAllFoods();
            foods.ShowSearchResults();
            LabelActiveDispalyFoods->setText(kViewAllFoods);
            break;
        case NewGroupNode:
            foods.BeginNewFoodGroup();
            if (DialogFoodGroupEdit->ShowModalStoring(
                    [&] { Database::postAndApply(foods.tblFoodGroups2, storeGroups); }) == mrOk) {
                showGroupAfterDialog();
            } else {
                foods.CancelNewFoodGroup();
                foods.tblFoodGroups2.cancelUpdates();
                TreeViewFoods->Reselect(LastFoodNode);
            }
            break;
        case EditGroupsNode:
            foods.tblFoodGroups2.setRecNo(foods.tblFoodGroups.recNo());
            if (DialogFoodGroups->ShowModalStoring(storeGroups) == mrOk) {
                showGroupAfterDialog();
            } else {
                foods.tblFoodGroups2.cancelUpdates();
                TreeViewFoods->Reselect(LastFoodNode);
            }
            break;
        case GroupNode:
            foods.ShowFoodsOfGroup(name);
            LabelActiveDispalyFoods->setText("Food Group: " + text);
            break;
        case NewSimpleSearchNode:
            if (DialogSimpleSearch->ShowModal() == mrOk) {
                foods.ShowSearchResults();
                RefreshSimpleSearchNodes();
                if (const QTreeWidgetItem* now = TreeViewFoods->Selected())
                    LabelActiveDispalyFoods->setText("Simple Search : " + now->text(0));
            } else {
                TreeViewFoods->Select(NodeFoodSimpleSearch);
            }
            break;
        case ClearHistoryNode:
            if (askWarning("Are you sure you want to clear all the Search History")) {
                foods.ClearSearchHistory();
                RefreshSimpleSearchNodes();
            }
            TreeViewFoods->Select(NodeFoodSimpleSearch);
            break;
        case KeywordNode:
            foods.SearchFoodsByKeyword(name);
            foods.ShowSearchResults();
            LabelActiveDispalyFoods->setText("Simple Search : " + text);
            break;
        case NewAdvancedSearchNode:
            // The rule editor for a new rule group, stored on OK with its rules.
            foods.BeginNewRuleGroup();
            if (DialogFoodAdvancedSearchEdit->ShowModalStoring([&] {
                    Database::postAndApply(foods.tblFoodAdvancedSearch, [&] {
                        foods.ApplyRuleGroupEdits();
                        foods.tblFoodSQLRules.commitUpdates();
                        foods.tblFoodAdvancedSearch.commitUpdates();
                    });
                }) == mrOk) {
                const QString created = fromStd(foods.tblFoodAdvancedSearch.fieldByName("SQL Name").asString());
                TreeViewFoods->RebuildChildren(NodeFoodAdvancedSearch, [this] { FillFoodAdvancedSearchNodes(); });
                if (QTreeWidgetItem* node = TNavigationTree::ChildByText(NodeFoodAdvancedSearch, created))
                    TreeViewFoods->Select(node);
            } else {
                foods.CancelRuleGroup();
                foods.CancelRuleGroupEdits();
                TreeViewFoods->Reselect(LastFoodNode);
            }
            break;
        case EditRuleGroupsNode:
            if (DialogFoodAdvancedSearch->ShowModalStoring([&] {
                    foods.ApplyRuleGroupEdits(); // groups and rules stored together
                    foods.tblFoodSQLRules.commitUpdates();
                    foods.tblFoodAdvancedSearch.commitUpdates();
                }) == mrOk) {
                RefreshAdvancedSearchNodes();
            } else {
                foods.CancelRuleGroupEdits();
                TreeViewFoods->Reselect(LastFoodNode);
            }
            break;
        case RuleGroupNode:
            runRuleGroupSearch(text);
            break;
        case OtherRootNode:
        case NoNode:
            break;
        }
    } catch (...) {
        // A command that failed half way must not leave an action node selected:
        // selecting it again would raise nothing.
        const FoodNode now = foodNodeKind(TreeViewFoods->Selected());
        if (now == NewGroupNode || now == EditGroupsNode || now == NewSimpleSearchNode || now == ClearHistoryNode || now == NewAdvancedSearchNode
            || now == EditRuleGroupsNode)
            guarded([this] { TreeViewFoods->Reselect(LastFoodNode); });
        LastFoodNode = nodePath(TreeViewFoods->Selected());
        throw;
    }
    LastFoodNode = nodePath(TreeViewFoods->Selected());
    if (isListing(foodNodeKind(TreeViewFoods->Selected())))
        foodListingNode_ = LastFoodNode;
}

void TFormMain::rerunFoodListing()
{
    if (foodListingNode_.isEmpty())
        return;
    QTreeWidgetItem* listing = TreeViewFoods->Find(foodListingNode_);
    TreeViewFoods->SelectAndRun(listing ? listing : NodeViewAllFoods);
}

// The groups, keywords or saved searches may have changed under the tree: their
// branch afresh, then the node of what the list shows now, else the page's own
// listing found again, else all foods.
void TFormMain::foodListChanged(FoodListFilter filter, const std::string& name)
{
    QTreeWidgetItem* shown = nullptr;
    switch (filter) {
    case FoodListFilter::AllFoods:
        shown = NodeViewAllFoods;
        break;
    case FoodListFilter::FoodGroup:
        TreeViewFoods->RebuildChildren(NodeFoodGroups, [this] { FillFoodGroupNodes(); });
        shown = name.empty() ? nullptr : TNavigationTree::ChildByText(NodeFoodGroups, fromStd(name));
        break;
    case FoodListFilter::SimpleSearch:
        TreeViewFoods->RebuildChildren(NodeFoodSimpleSearch, [this] { FillFoodSimpleSearchNodes(); });
        shown = name.empty() ? nullptr : TNavigationTree::ChildByText(NodeFoodSimpleSearch, fromStd(name));
        break;
    case FoodListFilter::AdvancedSearch:
        TreeViewFoods->RebuildChildren(NodeFoodAdvancedSearch, [this] { FillFoodAdvancedSearchNodes(); });
        shown = name.empty() ? nullptr : TNavigationTree::ChildByText(NodeFoodAdvancedSearch, fromStd(name));
        break;
    }
    // A name that is also an action node's is not a listing.
    if (shown && !isListing(foodNodeKind(shown)))
        shown = nullptr;
    if (!shown)
        shown = TreeViewFoods->Find(foodListingNode_);
    TreeViewFoods->SelectAndRun(shown ? shown : NodeViewAllFoods);
}

void TFormMain::runRuleGroupSearch(const QString& name)
{
    PanelSearching->show();
    PanelSearching->repaint();
    struct HideWhenDone {
        QWidget* panel;
        ~HideWhenDone() { panel->hide(); }
    } hide{PanelSearching};
    // A refused search has said why and emptied the food query: the listing shown
    // before comes back, with its node and label, rather than passing for this one.
    if (!DataModuleFoods->RunAdvancedSearch(name.toStdString())) {
        TreeViewFoods->Reselect(LastFoodNode);
        return;
    }
    DataModuleFoods->ShowSearchResults();
    LabelActiveDispalyFoods->setText("Advanced Search: " + name);
}

// ---------------------------------------------------------------------------
// The pop-up menu: the action nodes' commands, and deletes of the node under it

void TFormMain::PopupMenuFoodTreePopup(QTreeWidgetItem* node, const QPoint& globalPos)
{
    UpdateFoodTreeMenu(node);
    foodMenuNode_ = nodePath(node);
    PopupMenuFoodTree->popup(globalPos);
}

void TFormMain::UpdateFoodTreeMenu(const QTreeWidgetItem* node)
{
    for (QAction* action : PopupMenuFoodTree->actions())
        action->setEnabled(false);
    if (!node || nodeLevel(node) > 1)
        return;
    for (QAction* action : {NewFoodGroup, EditFoodGroup, ViewAllFoods, NewSimpleSearch, NewAdvancedSearch,
                            EditAdvancedSearch})
        action->setEnabled(true);
    // Its node is there only while the history holds a keyword.
    ClearSearchHistory->setEnabled(TNavigationTree::ChildByText(NodeFoodSimpleSearch, kClearSearchHistory) != nullptr);
    const FoodNode kind = foodNodeKind(node);
    DeleteFoodGroup->setEnabled(kind == GroupNode);
    DeleteAdvancedSearch->setEnabled(kind == RuleGroupNode);
}

void TFormMain::deleteFromFoodTree(const QTreeWidgetItem* node)
{
    TDataModuleFoods& foods = *DataModuleFoods;
    const FoodNode kind = foodNodeKind(node);
    const std::string name = node->text(0).toStdString();
    if (kind == GroupNode) {
        if (!foods.tblFoodGroups2.locate("FdGrp_Desc", Value(name)))
            return;
        foods.DeleteFoodGroup();
        if (!foods.tblFoodGroups2.updatesPending())
            return;
        foods.tblFoodGroups2.applyUpdates();
        foods.tblFoodGroups2.commitUpdates();
        TreeViewFoods->RebuildChildren(NodeFoodGroups, [this] { FillFoodGroupNodes(); });
    } else if (kind == RuleGroupNode) {
        if (!foods.tblFoodAdvancedSearch.locate("SQL Name", Value(name)))
            return;
        foods.DeleteRuleGroup();
        if (!foods.tblFoodAdvancedSearch.updatesPending())
            return;
        foods.ApplyRuleGroupEdits();
        foods.tblFoodSQLRules.commitUpdates();
        foods.tblFoodAdvancedSearch.commitUpdates();
        TreeViewFoods->RebuildChildren(NodeFoodAdvancedSearch, [this] { FillFoodAdvancedSearchNodes(); });
    } else {
        return;
    }
    // The deleted node may have been the listing shown: list all foods instead.
    if (!TreeViewFoods->Reselect(LastFoodNode))
        TreeViewFoods->Select(NodeViewAllFoods);
}

// ---------------------------------------------------------------------------
// Measures

// Every change of the current food lands here: the amount starts again at one
// unit of the food's first measure. A food without measures has no gram weight,
// rather than keeping the one of the food before it.
void TFormMain::RefreshMeasures()
{
    if (!Shown)
        return;
    {
        const QSignalBlocker held(EditAmount);
        EditAmount->setText("1");
    }
    {
        const QSignalBlocker held(ComboBoxMeasures);
        ComboBoxMeasures->clear();
        for (const MeasureEntry& entry : DataModuleFoods->GetMeasures())
            ComboBoxMeasures->addItem(fromStd(entry.Description));
        if (ComboBoxMeasures->count() > 0)
            ComboBoxMeasures->setCurrentIndex(0);
    }
    if (ComboBoxMeasures->count() > 0)
        ComboBoxMeasuresChange();
    else
        DataModuleFoods->ClearMeasure();
}

void TFormMain::ComboBoxMeasuresChange()
{
    const int index = ComboBoxMeasures->currentIndex();
    if (index < 0)
        return;
    DataModuleFoods->SelectMeasure(index, readAmount(EditAmount->text().toStdString()));
}

// ---------------------------------------------------------------------------
// Tool buttons

void TFormMain::BtnNewFoodClick()
{
    const NodePath remembered = nodePath(TreeViewFoods->Selected());
    DataModuleFoods->BeginNewFood();
    if (DialogFoodEdit->ShowModalStoring([] { DataModuleFoods->PostNewFood(); }) == mrOk) {
        TreeViewFoods->SelectAndRun(NodeViewAllFoods); // listed afresh even when they were shown
        foodList().last(); // the listing rises by food number, and the new food has the highest
    } else {
        DataModuleFoods->CancelNewFood();
        TreeViewFoods->Reselect(remembered);
    }
}

void TFormMain::BtnEditFoodClick()
{
    if (foodList().isEmpty()) {
        showMessage("No Selected Record to Edit");
        return;
    }
    DataModuleFoods->BeginEditFood();
    if (DialogFoodEdit->ShowModalStoring([] { DataModuleFoods->PostEditedFood(); }) != mrOk)
        DataModuleFoods->CancelEditedFood();
}

void TFormMain::BtnDeleteFoodClick()
{
    RecordSet& list = foodList();
    if (list.isEmpty()) {
        showMessage("No Selected Record to Delete");
        return;
    }
    const auto number = static_cast<std::int32_t>(list.fieldByName("NDB_No").asInteger());
    if (foodUsedInRecipes(DataModuleFoods->DatabaseFoods, number)) {
        showMessage("Can't Delete a food used in recipe ingredients...\n Remove it from the Recipe(s) First!!");
        return;
    }
    if (DataModuleFoods->DeleteDisplayedFood())
        TreeViewFoods->SelectAndRun(TreeViewFoods->Selected()); // the listing without the food
}

void TFormMain::ShowFood(std::int32_t ndbNo, std::optional<std::int32_t> weightId)
{
    BtnFoods->SetDown(true);
    BtnFoodsClick();
    TreeViewFoods->SelectAndRun(NodeViewAllFoods);
    RecordSet* foods = DataModuleFoods->dscFoodDesc.dataSet();
    if (!foods->locate("NDB_No", Value(std::int64_t{ndbNo}))) {
        showMessage("The food is no longer stored.");
        return;
    }
    if (!weightId)
        return;
    const auto& measures = DataModuleFoods->GetMeasures();
    for (std::size_t i = 0; i < measures.size(); ++i)
        if (measures[i].WeightId == *weightId) {
            EditAmount->setText(QStringLiteral("1"));
            ComboBoxMeasures->setCurrentIndex(static_cast<int>(i));
            break;
        }
}
