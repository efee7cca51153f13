#pragma once
// A branch (a node with its whole subtree) kept outside any tree: what the
// undo history holds for a removed or added branch, and how a branch moves
// between two trees. Each node costs its fields (NodeFields.h) and twelve
// bytes of level and id, so a step that removed a branch stores what it
// removed and nothing more.
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

// Whether a packed branch keeps its nodes' ids: a branch taken out of the
// document comes back as the same nodes; one from elsewhere (a pasted text,
// another tree) gets new ids where it goes.
enum class BranchIds : unsigned char { Keep, New };

// The branch of `top` in pre-order: per node its level below `top`, its id
// (0 for BranchIds::New) and its fields.
std::string PackBranch(const DecisionTree& tree, const TreeNode& top, BranchIds ids = BranchIds::New);

// A branch of one new node.
std::string PackNode(std::string_view text, int kind);

// Adds the packed branch as the last child of `parent` (a null parent: at
// the top level), each with
// its packed id when the tree has no node of that id. Returns the branch's
// top node.
TreeNode* UnpackBranch(DecisionTree& tree, TreeNode* parent, std::string_view packed);

// The position of a node: its index among the top-level nodes, then the
// index among the children at each level down; for tests and tools that
// name a node by where it stands.
using NodePath = std::vector<std::uint32_t>;

NodePath PathOf(const TreeNode& node);
// The node at `path`, or null when the tree has no node there.
TreeNode* NodeAt(const DecisionTree& tree, const NodePath& path);

}  // namespace velmora
