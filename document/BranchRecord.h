#pragma once
// A branch (a node with its whole subtree) kept outside any tree: what the
// undo history holds for a deleted, cut or pasted branch, and how a branch
// moves between two trees. Each node costs its text and nine bytes, so a
// step that removed a branch stores what it removed and nothing more.
//
// Both directions walk the branch without recursion: branches may be
// thousands of levels deep.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/DecisionTree.h"

namespace velmora {

// The node after `node` in pre-order within `top`'s branch, or null after
// the branch's last node.
const TreeNode* NextInBranch(const DecisionTree& tree, const TreeNode* top, const TreeNode* node);

// The branch of `top` in pre-order: per node its level below `top`, its kind
// and its text.
std::string PackBranch(const DecisionTree& tree, const TreeNode& top);

// Adds the packed branch as the last child of `parent` (a null parent: at
// the top level), every node expanded as the editor shows them. Returns the
// branch's top node.
TreeNode* UnpackBranch(DecisionTree& tree, TreeNode* parent, std::string_view packed);

// The position of a node: its index among the top-level nodes, then the
// index among the children at each level down. Node pointers and ids do not
// survive a branch that is deleted and restored (the restored nodes are new
// ones), positions do.
using NodePath = std::vector<std::uint32_t>;

NodePath PathOf(const TreeNode& node);
// The node at `path`, or null when the tree has no node there.
TreeNode* NodeAt(const DecisionTree& tree, const NodePath& path);

// Moves `node` (the last child of its parent) to `index` among its siblings;
// a top-level node stays where it is.
void MoveLastChildTo(DecisionTree& tree, TreeNode* node, std::size_t index);

}  // namespace velmora
