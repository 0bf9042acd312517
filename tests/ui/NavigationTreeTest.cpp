#include "ui/NavigationTree.h"

#include <gtest/gtest.h>

#include <QTest>

namespace {

class NavigationTree : public ::testing::Test {
protected:
    TNavigationTree tree;
    QStringList ran; // the nodes whose change ran, in order
    QTreeWidgetItem* groups = nullptr;
    QTreeWidgetItem* all = nullptr;

    void SetUp() override
    {
        tree.Rebuild([this] {
            groups = tree.AddRoot("Groups");
            fillGroups({"New Group", "Dairy", "Spices"});
            all = tree.AddRoot("All");
        });
        tree.OnChange = [this] { ran << (tree.Selected() ? tree.Selected()->text(0) : QString("-")); };
        tree.resize(200, 300);
        tree.show();
    }

    void fillGroups(const QStringList& names)
    {
        for (const QString& name : names)
            TNavigationTree::AddChild(groups, name);
    }
};

TEST_F(NavigationTree, NodeKindsFollowLevelParentAndTextWithTheFirstMatchingRuleWinning)
{
    const std::vector<NodeRule> rules = {{0, {}, "All", 1}, {0, {}, {}, 2}, {1, "Groups", "New Group", 3},
                                         {1, "Groups", {}, 4}};
    EXPECT_EQ(nodeKind(all, rules, 0), 1);
    EXPECT_EQ(nodeKind(groups, rules, 0), 2);
    EXPECT_EQ(nodeKind(groups->child(0), rules, 0), 3);
    EXPECT_EQ(nodeKind(groups->child(1), rules, 0), 4);
    EXPECT_EQ(nodeKind(TNavigationTree::AddChild(groups->child(1), "deeper"), rules, 0), 0);
    EXPECT_EQ(nodeKind(nullptr, rules, 0), 0);
}

TEST_F(NavigationTree, SelectingRunsTheChangeAgainOnlyForAnotherNodeAndNestedSelectionsRunInside)
{
    tree.OnChange = [this] {
        ran << tree.Selected()->text(0);
        if (tree.Selected()->text(0) == "New Group")
            tree.Select(all); // an action node moves on to a listing
    };
    tree.Select(groups->child(0));
    tree.Select(all);
    EXPECT_EQ(ran, (QStringList{"New Group", "All"}));
    EXPECT_EQ(tree.Selected(), all);
}

TEST_F(NavigationTree, RebuildingABranchUnderTheSelectionRunsNothingAndAPathFindsTheNewNode)
{
    tree.Select(groups->child(1));
    const NodePath path = nodePath(tree.Selected());
    EXPECT_EQ(path, (QStringList{"Groups", "Dairy"}));
    ran.clear();

    tree.RebuildChildren(groups, [this] { fillGroups({"New Group", "Beans", "Dairy"}); });
    EXPECT_TRUE(ran.isEmpty()) << "no neighbour of the removed node ran its command";
    EXPECT_EQ(tree.Selected(), nullptr);
    ASSERT_TRUE(tree.Reselect(path));
    EXPECT_EQ(tree.Selected(), groups->child(2));
    EXPECT_EQ(ran, QStringList{"Dairy"});

    tree.RebuildChildren(groups, [this] { fillGroups({"New Group"}); });
    EXPECT_FALSE(tree.Reselect(path));
    EXPECT_EQ(tree.Find({"Groups", "New Group"}), groups->child(0));
}

TEST_F(NavigationTree, ArrowKeysAndRightClicksSelectAndSoRunTheNode)
{
    groups->setExpanded(true);
    tree.setFocus();
    tree.Select(groups);
    ran.clear();
    QTest::keyClick(&tree, Qt::Key_Down);
    QTest::mouseClick(tree.viewport(), Qt::RightButton, {}, tree.visualItemRect(all).center());
    EXPECT_EQ(ran, (QStringList{"New Group", "All"}));
}

} // namespace
