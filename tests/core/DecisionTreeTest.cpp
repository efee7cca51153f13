// The tree model: structure, levels, pre-order and the size limits that
// files can push it to.
#include "document/DecisionTree.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(DecisionTree, LevelsOrderAndCount) {
  DecisionTree tree;
  TreeNode* root = tree.AddTopLevel("root");
  TreeNode* yes = tree.AddChild(root, "yes");
  TreeNode* deep = tree.AddChild(yes, "deep");
  TreeNode* no = tree.AddChild(root, "no");
  TreeNode* second = tree.AddTopLevel("second root-level");

  EXPECT_EQ(tree.Count(), 5u);
  EXPECT_EQ(tree.Root(), root);
  EXPECT_EQ(deep->Level(), 2);
  EXPECT_EQ(root->FirstChild(), yes);
  EXPECT_EQ(root->LastChild(), no);
  EXPECT_EQ(tree.PreOrder(), (std::vector<TreeNode*>{root, yes, deep, no, second}));
  EXPECT_EQ(tree.PreOrderIndexOf(no), 3u);
  EXPECT_EQ(tree.LastPreOrder(), second);
  EXPECT_EQ(tree.SubtreeSize(root), 4u);
}

TEST(DecisionTree, DeleteAndMoveKeepIndicesAndCount) {
  DecisionTree tree;
  TreeNode* root = tree.AddTopLevel("root");
  TreeNode* a = tree.AddChild(root, "a");
  tree.AddChild(a, "a1");
  TreeNode* b = tree.AddChild(root, "b");
  TreeNode* c = tree.AddChild(root, "c");

  tree.MoveToEnd(a);
  EXPECT_EQ(root->FirstChild(), b);
  EXPECT_EQ(root->LastChild(), a);
  EXPECT_EQ(c->IndexInParent(), 1u);
  EXPECT_EQ(a->IndexInParent(), 2u);
  EXPECT_EQ(a->FirstChild()->Level(), 2);

  tree.Delete(b);
  EXPECT_EQ(tree.Count(), 4u);
  EXPECT_EQ(c->IndexInParent(), 0u);
  EXPECT_EQ(tree.NextSibling(c), a);

  tree.DeleteChildren(root);
  EXPECT_EQ(tree.Count(), 1u);
  EXPECT_FALSE(root->HasChildren());
}

TEST(DecisionTree, NodeIdsAreUniqueAndStable) {
  DecisionTree tree;
  TreeNode* root = tree.AddTopLevel("root");
  TreeNode* a = tree.AddChild(root, "a");
  const NodeId idA = a->Id();
  TreeNode* b = tree.AddChild(root, "b");
  EXPECT_NE(root->Id(), idA);
  EXPECT_NE(b->Id(), idA);
  tree.MoveToEnd(a);
  EXPECT_EQ(a->Id(), idA);
}

// Ten thousand levels is what a file of 50 MB of TABs holds; building,
// walking and destroying it must not use a stack frame per level.
TEST(DecisionTree, VeryDeepTreeNeedsNoRecursion) {
  DecisionTree tree;
  TreeNode* node = tree.AddTopLevel("root");
  for (int level = 1; level <= 100000; ++level) node = tree.AddChild(node, "x");
  EXPECT_EQ(node->Level(), 100000);
  EXPECT_EQ(tree.Count(), 100001u);
  EXPECT_EQ(tree.LastPreOrder(), node);
  EXPECT_EQ(tree.PreOrder().size(), 100001u);
  tree.ExpandAll();
  tree.DeleteChildren(tree.Root());
  EXPECT_EQ(tree.Count(), 1u);
  node = tree.Root();
  for (int level = 1; level <= 100000; ++level) node = tree.AddChild(node, "y");
  EXPECT_EQ(tree.Count(), 100001u);
}  // the destructor dismantles the second chain

TEST(DecisionTree, WideTreeStaysLinear) {
  DecisionTree tree;
  TreeNode* root = tree.AddTopLevel("root");
  for (int i = 0; i < 100000; ++i) tree.AddChild(root, "leaf");
  std::size_t visited = 0;
  tree.ForEachPreOrder([&](TreeNode&) { ++visited; });
  EXPECT_EQ(visited, 100001u);
}

}  // namespace
}  // namespace velmora
