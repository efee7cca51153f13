#include "document/DecisionTree.h"

#include <utility>

namespace velmora {

TreeNode::TreeNode(NodeId id, TreeNode* parent, int level, std::string text, int kind)
    : text(std::move(text)), kind(kind), id_(id), parent_(parent), level_(level) {}

// Children are dismantled with an explicit work list: the default recursive
// destruction would use one stack frame per level of a deep tree.
TreeNode::~TreeNode() {
  std::vector<std::unique_ptr<TreeNode>> pending = std::move(children_);
  while (!pending.empty()) {
    std::unique_ptr<TreeNode> node = std::move(pending.back());
    pending.pop_back();
    for (auto& child : node->children_) pending.push_back(std::move(child));
    node->children_.clear();
  }
}

std::vector<std::unique_ptr<TreeNode>>& DecisionTree::SiblingsOf(const TreeNode* node) {
  return node->parent_ ? node->parent_->children_ : topLevel_;
}

const std::vector<std::unique_ptr<TreeNode>>& DecisionTree::SiblingsOf(const TreeNode* node) const {
  return node->parent_ ? node->parent_->children_ : topLevel_;
}

void DecisionTree::Renumber(std::vector<std::unique_ptr<TreeNode>>& siblings, std::size_t from) {
  for (std::size_t i = from; i < siblings.size(); ++i) siblings[i]->index_ = i;
}

TreeNode* DecisionTree::AddTopLevel(std::string text, int kind) { return AddChild(nullptr, std::move(text), kind); }

TreeNode* DecisionTree::AddChild(TreeNode* parent, std::string text, int kind) {
  const int level = parent ? parent->level_ + 1 : 0;
  std::unique_ptr<TreeNode> node(new TreeNode(nextId_++, parent, level, std::move(text), kind));
  auto& siblings = parent ? parent->children_ : topLevel_;
  node->index_ = siblings.size();
  siblings.push_back(std::move(node));
  ++count_;
  return siblings.back().get();
}

std::size_t DecisionTree::SubtreeSize(const TreeNode* node) const {
  std::size_t size = 0;
  std::vector<const TreeNode*> pending{node};
  while (!pending.empty()) {
    const TreeNode* current = pending.back();
    pending.pop_back();
    ++size;
    for (const auto& child : current->children_) pending.push_back(child.get());
  }
  return size;
}

void DecisionTree::Delete(TreeNode* node) {
  count_ -= SubtreeSize(node);
  auto& siblings = SiblingsOf(node);
  const std::size_t index = node->index_;
  siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(index));
  Renumber(siblings, index);
}

void DecisionTree::DeleteChildren(TreeNode* node) {
  count_ -= SubtreeSize(node) - 1;
  node->children_.clear();
}

void DecisionTree::MoveToEnd(TreeNode* node) {
  auto& siblings = SiblingsOf(node);
  const std::size_t index = node->index_;
  std::unique_ptr<TreeNode> moved = std::move(siblings[index]);
  siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(index));
  siblings.push_back(std::move(moved));
  Renumber(siblings, index);
}

void DecisionTree::Clear() {
  topLevel_.clear();
  count_ = 0;
}

TreeNode* DecisionTree::NextSibling(const TreeNode* node) const {
  const auto& siblings = SiblingsOf(node);
  return node->index_ + 1 < siblings.size() ? siblings[node->index_ + 1].get() : nullptr;
}

TreeNode* DecisionTree::PreviousSibling(const TreeNode* node) const {
  return node->index_ > 0 ? SiblingsOf(node)[node->index_ - 1].get() : nullptr;
}

TreeNode* DecisionTree::NextPreOrder(const TreeNode* node) const {
  if (node->HasChildren()) return node->FirstChild();
  for (const TreeNode* current = node; current != nullptr; current = current->parent_) {
    if (TreeNode* sibling = NextSibling(current)) return sibling;
  }
  return nullptr;
}

TreeNode* DecisionTree::LastPreOrder() const {
  if (topLevel_.empty()) return nullptr;
  TreeNode* node = topLevel_.back().get();
  while (node->HasChildren()) node = node->LastChild();
  return node;
}

std::vector<TreeNode*> DecisionTree::PreOrder() const {
  std::vector<TreeNode*> nodes;
  nodes.reserve(count_);
  ForEachPreOrder([&nodes](TreeNode& node) { nodes.push_back(&node); });
  return nodes;
}

std::size_t DecisionTree::PreOrderIndexOf(const TreeNode* node) const {
  std::size_t index = 0;
  for (TreeNode* current = Root(); current != nullptr; current = NextPreOrder(current), ++index) {
    if (current == node) return index;
  }
  return index;
}

void DecisionTree::ExpandAll() {
  ForEachPreOrder([](TreeNode& node) { node.expanded = true; });
}

}  // namespace velmora
