#include "ui/NavigationTree.h"

#include "ui/ErrorGuard.h"
#include "ui/SkinImage.h"

#include <QContextMenuEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

int nodeLevel(const QTreeWidgetItem* node)
{
    int level = 0;
    for (const QTreeWidgetItem* up = node->parent(); up; up = up->parent())
        ++level;
    return level;
}

QString parentText(const QTreeWidgetItem* node)
{
    return node->parent() ? node->parent()->text(0) : QString();
}

int nodeKind(const QTreeWidgetItem* node, const std::vector<NodeRule>& rules, int otherwise)
{
    if (!node)
        return otherwise;
    const int level = nodeLevel(node);
    const QString parent = parentText(node);
    const QString text = node->text(0);
    for (const NodeRule& rule : rules)
        if (rule.level == level && (rule.parent.isEmpty() || rule.parent == parent)
            && (rule.text.isEmpty() || rule.text == text))
            return rule.kind;
    return otherwise;
}

NodePath nodePath(const QTreeWidgetItem* node)
{
    NodePath path;
    for (; node; node = node->parent())
        path.prepend(node->text(0));
    return path;
}

NodeLook customDrawNode(const QTreeWidgetItem* node, bool selected, bool treeFocused)
{
    static const QStringList newNodes = {"New Search", "New Food Group", "New Recipe Type", "New Cuisine"};
    static const QStringList editNodes = {"Edit Food Groups", "Clear Search History", "Edit Advanced Search",
                                          "Edit Recipe Type", "Edit Cuisines"};
    NodeLook look;
    QColor colour;
    if (!node->parent()) {
        look.bold = true;
        colour = colorFromNumber(8388608);
    }
    const QString text = node->text(0);
    if (newNodes.contains(text)) {
        look.bold = true;
        colour = colorFromNumber(32768);
    }
    if (editNodes.contains(text)) {
        look.bold = true;
        colour = colorFromNumber(8388736);
    }
    if (!(selected && treeFocused))
        look.colour = colour;
    return look;
}

namespace {

class NodeDrawing : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const auto* tree = static_cast<const QTreeWidget*>(parent());
        const QTreeWidgetItem* node = tree->itemFromIndex(index);
        if (!node)
            return;
        const NodeLook look = customDrawNode(node, option->state & QStyle::State_Selected, tree->hasFocus());
        option->font.setBold(look.bold);
        if (look.colour.isValid())
            option->palette.setColor(QPalette::Text, look.colour);
    }
};

// Holds the tree's change signal back while it lives, however the filling ends.
class SignalsHeld {
public:
    explicit SignalsHeld(int& held) : held_(++held) {}
    ~SignalsHeld() { --held_; }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    int& held_;
};

} // namespace

TNavigationTree::TNavigationTree(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFrameShape(QFrame::NoFrame);
    setUniformRowHeights(true);
    setItemDelegate(new NodeDrawing(this));
    connect(this, &QTreeWidget::currentItemChanged, this, [this] { changed(); });
}

void TNavigationTree::changed()
{
    if (held_ > 0 || !OnChange)
        return;
    // Selection may change inside another handler's guard (from code) or straight
    // from Qt (a click); either way the command's error is shown and the tree lives on.
    guarded(OnChange);
}

void TNavigationTree::Select(QTreeWidgetItem* node)
{
    if (node == currentItem())
        return;
    setCurrentItem(node);
}

void TNavigationTree::SelectAndRun(QTreeWidgetItem* node)
{
    if (node == currentItem())
        changed();
    else
        setCurrentItem(node);
}

QTreeWidgetItem* TNavigationTree::Find(const NodePath& path) const
{
    if (path.isEmpty())
        return nullptr;
    QTreeWidgetItem* node = nullptr;
    for (int i = 0; i < topLevelItemCount() && !node; ++i)
        if (topLevelItem(i)->text(0) == path.front())
            node = topLevelItem(i);
    for (qsizetype depth = 1; node && depth < path.size(); ++depth)
        node = ChildByText(node, path[depth]);
    return node;
}

bool TNavigationTree::Reselect(const NodePath& path)
{
    QTreeWidgetItem* node = Find(path);
    if (node)
        Select(node);
    return node != nullptr;
}

QTreeWidgetItem* TNavigationTree::AddRoot(const QString& text)
{
    auto* node = new QTreeWidgetItem(QStringList{text});
    addTopLevelItem(node);
    return node;
}

QTreeWidgetItem* TNavigationTree::AddChild(QTreeWidgetItem* parent, const QString& text)
{
    return new QTreeWidgetItem(parent, QStringList{text});
}

QTreeWidgetItem* TNavigationTree::ChildByText(const QTreeWidgetItem* parent, const QString& text)
{
    for (int i = 0; i < parent->childCount(); ++i)
        if (parent->child(i)->text(0) == text)
            return parent->child(i);
    return nullptr;
}

void TNavigationTree::Rebuild(const std::function<void()>& fill)
{
    const SignalsHeld held(held_);
    setCurrentItem(nullptr);
    clear();
    fill();
}

void TNavigationTree::RebuildChildren(QTreeWidgetItem* root, const std::function<void()>& fill)
{
    const SignalsHeld held(held_);
    for (QTreeWidgetItem* up = currentItem(); up; up = up->parent())
        if (up->parent() == root) {
            setCurrentItem(nullptr);
            break;
        }
    qDeleteAll(root->takeChildren());
    fill();
}

void TNavigationTree::contextMenuEvent(QContextMenuEvent* event)
{
    QTreeWidgetItem* node = itemAt(event->pos());
    if (!node || !OnContextMenu)
        return;
    Select(node); // as a right click selects, also from the keyboard's menu key
    // The command the selection ran may have rebuilt the branch under the pointer.
    if (QTreeWidgetItem* shown = itemAt(event->pos()))
        OnContextMenu(shown, event->globalPos());
}
