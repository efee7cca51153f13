#pragma once
// The decision tree: an ordered tree of message nodes. The first child of a
// node is where Yes leads, the last child where No leads. Besides the real
// root the top level may hold further nodes (a file can put them there), so
// the tree is a list of top-level nodes of which the first is the root.
//
// Nothing here recurses once per level: files may hold trees thousands of
// levels deep, and the Windows main thread has a 1 MB stack.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/TextRules.h"

namespace velmora {

class DecisionTree;

// A stable identity for a node for as long as it lives, so that a view can
// keep its own items for nodes across commands.
using NodeId = std::uint64_t;

class TreeNode {
 public:
  TreeNode(const TreeNode&) = delete;
  TreeNode& operator=(const TreeNode&) = delete;
  ~TreeNode();

  // The node's one-line text in CP932, as shown (without a kind marker).
  std::string text;
  // The node's NodeKind; image and selected image of the view both show it.
  int kind = Unset;
  // The answer mark: 0 none, 1 selected question, 2 Yes answer, 3 No answer.
  int stateIndex = 0;
  bool expanded = false;

  NodeId Id() const { return id_; }
  TreeNode* Parent() const { return parent_; }
  int Level() const { return level_; }
  std::size_t IndexInParent() const { return index_; }

  const std::vector<std::unique_ptr<TreeNode>>& Children() const { return children_; }
  std::size_t ChildCount() const { return children_.size(); }
  bool HasChildren() const { return !children_.empty(); }
  TreeNode* FirstChild() const { return children_.empty() ? nullptr : children_.front().get(); }
  TreeNode* LastChild() const { return children_.empty() ? nullptr : children_.back().get(); }
  TreeNode* Child(std::size_t index) const { return children_[index].get(); }

 private:
  friend class DecisionTree;
  TreeNode(NodeId id, TreeNode* parent, int level, std::string text, int kind);

  NodeId id_;
  TreeNode* parent_;
  int level_;
  std::size_t index_ = 0;
  std::vector<std::unique_ptr<TreeNode>> children_;
};

class DecisionTree {
 public:
  DecisionTree() = default;
  DecisionTree(DecisionTree&&) noexcept = default;
  DecisionTree& operator=(DecisionTree&&) noexcept = default;

  // The first top-level node, or null for an empty tree.
  TreeNode* Root() const { return topLevel_.empty() ? nullptr : topLevel_.front().get(); }
  const std::vector<std::unique_ptr<TreeNode>>& TopLevel() const { return topLevel_; }
  std::size_t Count() const { return count_; }
  bool Empty() const { return count_ == 0; }

  TreeNode* AddTopLevel(std::string text, int kind = Question);
  // Appends a new last child; a null parent appends at the top level.
  TreeNode* AddChild(TreeNode* parent, std::string text, int kind = Question);
  // Removes the node with its whole subtree.
  void Delete(TreeNode* node);
  void DeleteChildren(TreeNode* node);
  // Moves the node with its subtree to the end of its siblings.
  void MoveToEnd(TreeNode* node);
  void Clear();

  // Pre-order neighbours: the tree view's top-to-bottom order.
  TreeNode* NextPreOrder(const TreeNode* node) const;
  TreeNode* LastPreOrder() const;
  TreeNode* PreviousSibling(const TreeNode* node) const;
  TreeNode* NextSibling(const TreeNode* node) const;
  std::vector<TreeNode*> PreOrder() const;
  // The node's position in pre-order (0 for the root); linear in the tree.
  std::size_t PreOrderIndexOf(const TreeNode* node) const;
  // The number of nodes in the node's subtree, itself included.
  std::size_t SubtreeSize(const TreeNode* node) const;

  void ExpandAll();

  template <typename Visit>
  void ForEachPreOrder(Visit visit) const {
    for (TreeNode* node = Root(); node != nullptr; node = NextPreOrder(node)) visit(*node);
  }

 private:
  std::vector<std::unique_ptr<TreeNode>>& SiblingsOf(const TreeNode* node);
  const std::vector<std::unique_ptr<TreeNode>>& SiblingsOf(const TreeNode* node) const;
  static void Renumber(std::vector<std::unique_ptr<TreeNode>>& siblings, std::size_t from);

  std::vector<std::unique_ptr<TreeNode>> topLevel_;
  std::size_t count_ = 0;
  NodeId nextId_ = 1;
};

}  // namespace velmora
