#include "cookbook/ShoppingListDialog.h"

#include "cookbook/RecipeCard.h"
#include "kitchen/NumberReader.h"
#include "seams/Messages.h"
#include "ui/DialogParts.h"
#include "ui/ErrorGuard.h"
#include "ui/GraphicButton.h"
#include "ui/Skin.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QTreeWidget>

#include <cmath>

namespace {

constexpr int kNameColumn = 0;
constexpr int kServesColumn = 1;

QString numberText(double value)
{
    return QString::number(value, 'g', 12);
}

std::optional<double> typedServes(const QString& typed)
{
    const QString text = typed.trimmed();
    const auto number = text.isEmpty() ? std::nullopt : readNumber(text, 0);
    if (!number || number->end != text.size() || !std::isfinite(number->value) || number->value <= 0 ||
        number->value > 10000)
        return std::nullopt;
    return number->value;
}

} // namespace

TDialogShoppingList::TDialogShoppingList(QWidget* parent) : TFormTemplateDialog(parent)
{
    setObjectName(QStringLiteral("DialogShoppingList"));
    setWindowTitle(QStringLiteral("Shopping List"));
    resize(980, 540);
    QWidget* client = ImgMiddleCenter;
    const QColor labels = DialogParts::labelColour();
    LabelTitle = DialogParts::title(client, QStringLiteral("Shopping List"));

    LabelRecipes = DialogParts::caption(client, QStringLiteral("Recipes and the serves you cook:"), {14, 44}, labels, true);
    CheckAll = new QCheckBox(QStringLiteral("All"), client);
    CheckAll->setObjectName(QStringLiteral("CheckAll"));
    CheckAll->setGeometry(270, 42, 60, 20);
    GridRecipes = new QTableWidget(0, 2, client);
    GridRecipes->setObjectName(QStringLiteral("GridRecipes"));
    GridRecipes->setGeometry(14, 66, 320, 388);
    GridRecipes->setHorizontalHeaderLabels({QStringLiteral("Recipe"), QStringLiteral("Serves")});
    GridRecipes->horizontalHeader()->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
    GridRecipes->horizontalHeader()->setSectionResizeMode(kServesColumn, QHeaderView::Fixed);
    GridRecipes->setColumnWidth(kServesColumn, 60);
    GridRecipes->verticalHeader()->hide();
    GridRecipes->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    GridRecipes->verticalHeader()->setDefaultSectionSize(22);
    GridRecipes->setSelectionMode(QAbstractItemView::NoSelection);

    LabelList = DialogParts::caption(client, QStringLiteral("To buy:"), {348, 44}, labels, true);
    TreeList = new QTreeWidget(client);
    TreeList->setObjectName(QStringLiteral("TreeList"));
    TreeList->setGeometry(348, 66, 606, 388);
    TreeList->setHeaderHidden(true);
    TreeList->setRootIsDecorated(false);
    TreeList->setSelectionMode(QAbstractItemView::NoSelection);
    // A long food name is read whole: the list scrolls sideways rather than cut it.
    TreeList->header()->setStretchLastSection(false);
    TreeList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    BtnPrint = DialogParts::imageButton(client, QStringLiteral("ImgPrint"), QStringLiteral("Print the list"), {732, 462});
    BtnSavePdf = DialogParts::imageButton(client, QStringLiteral("ImgPdf"), QStringLiteral("Save the list as PDF"),
                                          {788, 462});
    BtnCopy = DialogParts::imageButton(client, QStringLiteral("ImgCopy"),
                                       QStringLiteral("Copy the list as text, one line each"), {844, 462});
    BtnClose = DialogParts::imageButton(client, QStringLiteral("ImgOk"), QStringLiteral("Close"), {900, 462});
    BtnPrint->setObjectName(QStringLiteral("BtnPrint"));
    BtnSavePdf->setObjectName(QStringLiteral("BtnSavePdf"));
    BtnCopy->setObjectName(QStringLiteral("BtnCopy"));
    BtnClose->setObjectName(QStringLiteral("BtnClose"));
    BtnPrint->OnClick = [this] { guarded([this] { BtnPrintClick(); }); };
    BtnSavePdf->OnClick = [this] { guarded([this] { BtnSavePdfClick(); }); };
    BtnCopy->OnClick = [this] { BtnCopyClick(); };
    BtnClose->OnClick = [this] { CloseOk(); };

    QObject::connect(CheckAll, &QCheckBox::clicked, this, [this](bool on) {
        filling_ = true;
        for (int row = 0; row < GridRecipes->rowCount(); ++row)
            GridRecipes->item(row, kNameColumn)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
        filling_ = false;
        guarded([this] { rebuildList(); });
    });
    QObject::connect(GridRecipes, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (filling_)
            return;
        guarded([this, item] {
            if (item->column() == kServesColumn)
                servesEdited(item->row());
            rebuildList();
        });
    });
}

void TDialogShoppingList::Offer(SqliteDatabase& db, const std::vector<ShoppingRecipe>& recipes,
                                std::int64_t selected)
{
    db_ = &db;
    recipes_ = recipes;
    serves_.clear();
    filling_ = true;
    GridRecipes->setRowCount(static_cast<int>(recipes.size()));
    for (int row = 0; row < static_cast<int>(recipes.size()); ++row) {
        const ShoppingRecipe& recipe = recipes[std::size_t(row)];
        auto* name = new QTableWidgetItem(QString::fromStdString(recipe.name));
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        name->setCheckState(recipe.id == selected ? Qt::Checked : Qt::Unchecked);
        GridRecipes->setItem(row, kNameColumn, name);
        const bool hasServes = recipe.serves && *recipe.serves > 0;
        serves_.push_back(hasServes ? *recipe.serves : 1);
        auto* serves = new QTableWidgetItem(hasServes ? numberText(*recipe.serves) : QStringLiteral("\u2014"));
        serves->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // Without serves of its own a recipe is bought for as it stands.
        serves->setFlags(hasServes ? Qt::ItemIsEnabled | Qt::ItemIsEditable : Qt::ItemIsEnabled);
        GridRecipes->setItem(row, kServesColumn, serves);
    }
    CheckAll->setChecked(false);
    filling_ = false;
    rebuildList();
}

std::vector<ShoppingChoice> TDialogShoppingList::Choices() const
{
    std::vector<ShoppingChoice> choices;
    for (int row = 0; row < GridRecipes->rowCount(); ++row) {
        if (GridRecipes->item(row, kNameColumn)->checkState() != Qt::Checked)
            continue;
        const ShoppingRecipe& recipe = recipes_[std::size_t(row)];
        const bool hasServes = recipe.serves && *recipe.serves > 0;
        choices.push_back({recipe.id, hasServes ? serves_[std::size_t(row)] / *recipe.serves : 1});
    }
    return choices;
}

void TDialogShoppingList::servesEdited(int row)
{
    QTableWidgetItem* item = GridRecipes->item(row, kServesColumn);
    const QString typed = item->text();
    const auto serves = typedServes(typed);
    filling_ = true;
    if (!serves) {
        item->setText(numberText(serves_[std::size_t(row)]));
        filling_ = false;
        showMessage("Serves: \"" + typed.toStdString() + "\" is not a number above 0.");
        return;
    }
    serves_[std::size_t(row)] = *serves;
    GridRecipes->item(row, kNameColumn)->setCheckState(Qt::Checked); // serves typed: the recipe is wanted
    filling_ = false;
}

void TDialogShoppingList::rebuildList()
{
    list_ = db_ ? buildShoppingList(*db_, Choices()) : ShoppingList{};
    TreeList->clear();
    QFont heading = TreeList->font();
    heading.setBold(true);
    for (const ShoppingGroup& group : list_.groups) {
        auto* groupItem = new QTreeWidgetItem(TreeList, {QString::fromStdString(group.name)});
        groupItem->setFont(0, heading);
        groupItem->setForeground(0, Skin::darkGreen());
        groupItem->setFlags(Qt::ItemIsEnabled);
        for (const ShoppingItem& line : group.items) {
            auto* item = new QTreeWidgetItem(groupItem, {QString::fromStdString(line.text)});
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(0, Qt::Unchecked);
        }
    }
    TreeList->expandAll();
    const bool any = !list_.empty();
    for (TGraphicButton* button : {BtnPrint, BtnSavePdf, BtnCopy})
        button->setEnabled(any);
}

QString TDialogShoppingList::title() const
{
    QStringList names;
    for (int row = 0; row < GridRecipes->rowCount(); ++row)
        if (GridRecipes->item(row, kNameColumn)->checkState() == Qt::Checked)
            names << GridRecipes->item(row, kNameColumn)->text();
    return names.size() == 1 ? QStringLiteral("Shopping List: %1").arg(names.front())
                             : QStringLiteral("Shopping List: %1 recipes").arg(names.size());
}

void TDialogShoppingList::BtnCopyClick()
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(list_.plainText()));
}

DocumentLayout TDialogShoppingList::pages() const
{
    return [title = title(), list = list_](const PageSetup& setup) { return shoppingListPages(title, list, setup); };
}

void TDialogShoppingList::BtnPrintClick()
{
    if (!preview_)
        preview_ = new TDialogPrintPreview(this);
    preview_->Preview(title(), pages(), title());
    preview_->ShowModal();
}

void TDialogShoppingList::BtnSavePdfClick()
{
    saveLayoutAsPdf(this, pages(), title());
}
