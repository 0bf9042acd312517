#pragma once

#include <QStringList>
#include <QTreeWidget>

#include <functional>
#include <vector>

// The browser pages' navigation trees. A node carries only its text: what it
// means follows from its level, its parent's text and its own text, compared
// exactly. Some nodes are commands ("New …", "Edit …", "Clear …"): selecting one,
// by mouse, arrow key, right click or from code, runs it at once.

// One row of a page's table of node kinds. An empty parent or text matches any.
struct NodeRule {
    int level;
    QString parent;
    QString text;
    int kind;
};

// The kind of the first rule that matches `node`, else `otherwise`.
int nodeKind(const QTreeWidgetItem* node, const std::vector<NodeRule>& rules, int otherwise);
int nodeLevel(const QTreeWidgetItem* node);
QString parentText(const QTreeWidgetItem* node);

// A node's texts from its root down: what survives a rebuild of its branch.
using NodePath = QStringList;
NodePath nodePath(const QTreeWidgetItem* node);

// How a node is drawn: roots bold navy, "New …" nodes bold green, "Edit …" and
// "Clear …" nodes bold purple, a later rule winning. A selected node in a focused
// tree keeps the highlight text colour (still bold). Shared by both pages' trees.
struct NodeLook {
    bool bold = false;
    QColor colour; // invalid: the tree's own text colour
};
NodeLook customDrawNode(const QTreeWidgetItem* node, bool selected, bool treeFocused);

class TNavigationTree : public QTreeWidget {
public:
    explicit TNavigationTree(QWidget* parent = nullptr);

    // Runs whenever another node becomes the selected one, from code too, and
    // is re-entered when it selects a node itself. Selecting the selected node
    // raises nothing.
    std::function<void()> OnChange;
    // A right click, after the node under the pointer was selected.
    std::function<void(QTreeWidgetItem* node, const QPoint& globalPos)> OnContextMenu;

    QTreeWidgetItem* Selected() const { return currentItem(); }
    void Select(QTreeWidgetItem* node);
    // Selects the node and runs its command, even when it is the selected one:
    // a listing shown again after its data changed.
    void SelectAndRun(QTreeWidgetItem* node);
    // Selects the node the path names now, if there is one; true if there was.
    bool Reselect(const NodePath& path);
    QTreeWidgetItem* Find(const NodePath& path) const;

    QTreeWidgetItem* AddRoot(const QString& text);
    static QTreeWidgetItem* AddChild(QTreeWidgetItem* parent, const QString& text);
    static QTreeWidgetItem* ChildByText(const QTreeWidgetItem* parent, const QString& text);

    // Removes everything, or one root's children, and builds afresh with OnChange
    // held: nodes vanishing under the selection run no commands. A selection
    // inside what is removed is dropped, so the next Select always raises OnChange.
    void Rebuild(const std::function<void()>& fill);
    void RebuildChildren(QTreeWidgetItem* root, const std::function<void()>& fill);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void changed();

    int held_ = 0;
};
