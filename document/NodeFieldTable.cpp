// The declared fields of a tree's nodes, in a table beside the nodes. Apart
// from the rest of the tree, which the player stub carries: it never reads
// a declared field, and its every byte counts.
#include <utility>

#include "document/DecisionTree.h"

namespace velmora {

void DecisionTree::SetFields(TreeNode& node, const NodeFields& fields) {
  node.SetText(fields.text);
  node.kind = fields.kind;
  SetLater(node, fields.later);
}

const LaterFields& DecisionTree::LaterOf(const TreeNode& node) const {
  static const LaterFields kNone;
  if (later_.empty()) return kNone;
  const auto found = later_.find(node.Id());
  return found != later_.end() ? found->second : kNone;
}

void DecisionTree::SetLater(const TreeNode& node, LaterFields later) {
  if (later.Empty()) {
    later_.erase(node.Id());
  } else {
    later_[node.Id()] = std::move(later);
  }
}

}  // namespace velmora
