// The tree model: structure, levels, pre-order and the size limits that
// files can push it to.
#include "document/DecisionTree.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

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
  // A new node may take a deleted node's storage, never its id.
  const NodeId idB = b->Id();
  tree.Delete(b);
  TreeNode* c = tree.AddChild(root, "c");
  EXPECT_NE(c->Id(), idB);
  EXPECT_NE(c->Id(), idA);
}

// Siblings are linked both ways (the first's back link is the last); every
// change at the front, in the middle and at the end of a list, under a node
// and at the top level, must leave both directions and the indices agreeing.
TEST(DecisionTree, SiblingListsStayConsistentBothWays) {
  struct Step {
    const char* action;  // "delete" or "move" (to the end)
    std::size_t index;   // of the sibling acted on
    const char* after;   // the list afterwards
  };
  const Step steps[] = {
      {"move", 0, "bcda"}, {"move", 1, "bdac"}, {"move", 3, "bdac"}, {"delete", 0, "dac"},
      {"delete", 1, "dc"},  {"delete", 1, "d"},  {"move", 0, "d"},    {"delete", 0, ""},
  };
  for (const bool topLevel : {false, true}) {
    DecisionTree tree;
    TreeNode* parent = topLevel ? nullptr : tree.AddTopLevel("parent");
    for (const char* name : {"a", "b", "c", "d"}) tree.AddChild(parent, name);
    const auto list = [&] { return parent != nullptr ? parent->Children() : tree.TopLevel(); };
    for (const Step& step : steps) {
      TreeNode* target = *std::next(list().begin(), static_cast<std::ptrdiff_t>(step.index));
      if (std::string(step.action) == "delete") {
        tree.Delete(target);
      } else {
        tree.MoveToEnd(target);
      }
      std::string forward;
      std::size_t index = 0;
      for (TreeNode* node : list()) {
        forward += node->Text();
        EXPECT_EQ(node->IndexInParent(), index++);
      }
      std::string backward;
      for (TreeNode* node = list().back(); node != nullptr; node = tree.PreviousSibling(node)) {
        backward.insert(0, node->Text());
      }
      const std::string context = std::string(step.action) + " " + std::to_string(step.index) + (topLevel ? " (top)" : "");
      EXPECT_EQ(forward, step.after) << context;
      EXPECT_EQ(backward, step.after) << context;
      EXPECT_EQ(list().size(), forward.size()) << context;
      EXPECT_EQ(tree.Count(), forward.size() + (topLevel ? 0 : 1)) << context;
    }
  }
}

// Texts of a parsed tree point into the bytes the tree keeps: they must
// survive moves of the tree (a short text lives inside its string object)
// and change into own copies when set.
TEST(DecisionTree, TextsPointIntoKeptBytesUntilSet) {
  DecisionTree tree;
  const std::string_view source = tree.KeepSource("? ab");
  TreeNode* node = tree.AddChildFromSource(nullptr, source);
  node->RemoveTextPrefix(2);
  DecisionTree moved = std::move(tree);
  EXPECT_EQ(moved.Root()->Text(), "ab");
  moved.Root()->SetText(moved.Root()->Text().substr(1));  // a part of its own text
  EXPECT_EQ(moved.Root()->Text(), "b");
  moved.Root()->SetText("i own");
  moved.Root()->RemoveTextPrefix(2);
  EXPECT_EQ(moved.Root()->Text(), "own");
  moved.Root()->RemoveTextPrefix(5);
  EXPECT_EQ(moved.Root()->Text(), "");
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
  EXPECT_EQ(tree.SubtreeSize(tree.Root()->FirstChild()), 100000u);
  tree.DeleteChildren(tree.Root());
  EXPECT_EQ(tree.Count(), 1u);
  node = tree.Root();
  for (int level = 1; level <= 100000; ++level) node = tree.AddChild(node, "y");
  EXPECT_EQ(tree.Count(), 100001u);
  // Deleting a deep subtree, and growing a chain again in the freed slots.
  tree.Delete(tree.Root()->FirstChild()->FirstChild());
  EXPECT_EQ(tree.Count(), 2u);
  node = tree.Root()->FirstChild();
  for (int level = 2; level <= 100000; ++level) node = tree.AddChild(node, "z");
  EXPECT_EQ(tree.LastPreOrder(), node);
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
