#include "app/PageParts.h"

#include "app/MainFormArt.h"
#include "ui/DataControls.h"
#include "ui/Fonts.h"
#include "ui/NavigationTree.h"
#include "ui/Skin.h"
#include "ui/SkinPicture.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

// Grid titles in the page's look: bold dark green on the title colour, or on a
// colour of the column's own.
class GridTitles : public QHeaderView {
public:
    explicit GridTitles(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
    {
        setFont(formFont(11, true));
        setFixedHeight(fontMetrics().height() + 6);
        setSectionsClickable(false);
    }
    std::map<int, QColor> colours;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int section) const override
    {
        const auto own = colours.find(section);
        painter->fillRect(rect, own != colours.end() ? own->second : Skin::gridFixed());
        painter->setPen(Skin::gridFixed().darker(130));
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->setPen(Skin::darkGreen());
        painter->setFont(font());
        const QString title = model() ? model()->headerData(section, Qt::Horizontal).toString() : QString();
        painter->drawText(rect.adjusted(3, 0, -3, 0), Qt::AlignVCenter | Qt::AlignLeft, title);
    }
};

// Cells with lines between the rows but none between the columns, and a colour
// of their own for some columns.
class GridCells : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    std::map<int, QColor> colours;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const auto own = colours.find(index.column());
        if (own != colours.end() && !(option.state & QStyle::State_Selected))
            painter->fillRect(option.rect, own->second);
        QStyledItemDelegate::paint(painter, option, index);
        painter->setPen(Skin::gridFixed());
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    }
};

} // namespace

namespace PageParts {

TDBGrid* grid(QWidget* parent, std::map<int, QColor> columnColours, std::map<int, QColor> titleColours)
{
    auto* grid = new TDBGrid(parent);
    auto* titles = new GridTitles(grid);
    titles->colours = std::move(titleColours);
    grid->setHorizontalHeader(titles);
    auto* cells = new GridCells(grid);
    cells->colours = std::move(columnColours);
    grid->setItemDelegate(cells);
    grid->setShowGrid(false);
    grid->setFrameShape(QFrame::NoFrame);
    grid->SetColors(Skin::gridBackground(), Qt::black);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 5);
    return grid;
}

QLabel* titleBar(QWidget* parent, const QString& caption)
{
    auto* bar = new QLabel(caption, parent);
    bar->setFont(formFont(11, true));
    bar->setAlignment(Qt::AlignCenter);
    bar->setFixedHeight(16);
    bar->setAutoFillBackground(true);
    QPalette colours = bar->palette();
    colours.setColor(QPalette::Window, Skin::gridFixed());
    colours.setColor(QPalette::WindowText, Skin::darkGreen());
    bar->setPalette(colours);
    return bar;
}

SkinPicture* shadow(QWidget* parent, bool fallsRight)
{
    auto* picture = new SkinPicture(parent);
    picture->SetPainter([fallsRight](QPainter& p, const QRect& r) { MainFormArt::paintShadow(p, r, fallsRight); });
    return picture;
}

void fitColumns(TDBGrid* grid, int stretched, std::initializer_list<int> numbers)
{
    QHeaderView* titles = grid->horizontalHeader();
    const int digits = grid->fontMetrics().horizontalAdvance("0000.00") + 8;
    for (int column = 0; column < grid->Model()->columnCount(); ++column) {
        if (column == stretched)
            continue;
        const QString title = grid->Model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        int width = std::max(grid->columnWidth(column), titles->fontMetrics().horizontalAdvance(title) + 8);
        if (std::find(numbers.begin(), numbers.end(), column) != numbers.end())
            width = std::max(width, digits);
        grid->setColumnWidth(column, width);
    }
    titles->setSectionResizeMode(stretched, QHeaderView::Stretch);
}

TNavigationTree* navigationTree(QWidget* parent, const char* name)
{
    auto* tree = new TNavigationTree(parent);
    tree->setObjectName(name);
    tree->setIndentation(19);
    tree->setFont(formFont());
    QPalette colours = tree->palette();
    colours.setColor(QPalette::Base, Skin::paleGreen());
    colours.setColor(QPalette::Text, Qt::black);
    tree->setPalette(colours);
    return tree;
}

} // namespace PageParts
