#pragma once

#include "tests/app/AppTestSupport.h"
#include "app/MainForm.h"
#include "recipes/DatabaseRecipes.h"
#include "ui/DataControls.h"

#include <QLabel>
#include <QTest>

// The program with its window shown on the Recipes page, and what a test reads of
// the page: the tree, the header, the recipe list.
class RecipesPageTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        FormMain->show();
    }

    static TNavigationTree* tree() { return FormMain->TreeViewRecipes; }
    static QString label() { return FormMain->LabelActiveDispalyRecipes->text(); }
    static NodePath selected() { return nodePath(tree()->Selected()); }

    static QStringList children(QTreeWidgetItem* root)
    {
        QStringList texts;
        for (int i = 0; i < root->childCount(); ++i)
            texts << root->child(i)->text(0);
        return texts;
    }

    // A click on the node, as the user makes it: its branch open and in view.
    static void clickNode(TNavigationTree* on, QTreeWidgetItem* node)
    {
        ASSERT_NE(node, nullptr);
        if (node->parent())
            node->parent()->setExpanded(true);
        on->scrollToItem(node);
        QTest::mouseClick(on->viewport(), Qt::LeftButton, {}, on->visualItemRect(node).center());
    }
    static void clickNode(QTreeWidgetItem* root, const QString& text)
    {
        clickNode(tree(), TNavigationTree::ChildByText(root, text));
    }

    static QStringList listed()
    {
        QStringList names;
        QAbstractItemModel* list = FormMain->DBGridRecipeList->model();
        for (int row = 0; row < list->rowCount(); ++row)
            names << list->index(row, 0).data().toString();
        return names;
    }
};
