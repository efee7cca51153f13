#pragma once
// Which node of one version of a procedure is which node of another, found by
// the tree's structure rather than by its lines, so that a reviewer is told
// "this answer now ends elsewhere" and not "forty lines shifted". Three passes,
// each linear in the trees apart from the sibling lists it looks at:
//  1. top-down, identical branches: a node whose whole branch (texts, kinds,
//     answers in order) has a twin in the other version is matched with it,
//     and so is everything below. A twin under the counterpart of the node's
//     parent is preferred; elsewhere only a twin that is unique in both
//     versions is taken, which is how a cut-and-pasted branch is found.
//  2. bottom-up, containers: a node not matched yet is matched with the node
//     that holds most of the counterparts of its answers, when that is at
//     least half of them: a question whose text changed keeps its branch.
//  3. top-down, same place: under matched parents, an answer is matched with
//     the answer in the same place (Yes with Yes, No with No) when its branch
//     is identical or its text is similar; the first nodes of the versions
//     are always the same place.
// What stays unmatched was removed (old side) or added (new side).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "document/DecisionTree.h"

namespace velmora {

// A run of node indexes in order: a node's children, or the top level.
class IndexList {
 public:
  IndexList(const std::size_t* first, std::size_t count) : first_(first), count_(count) {}
  const std::size_t* begin() const { return first_; }
  const std::size_t* end() const { return first_ + count_; }
  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  std::size_t front() const { return first_[0]; }
  std::size_t back() const { return first_[count_ - 1]; }
  std::size_t operator[](std::size_t i) const { return first_[i]; }

 private:
  const std::size_t* first_;
  std::size_t count_;
};

// A tree laid out for matching: its nodes in pre-order with their parents and
// places, addressed by index, in flat arrays (a million nodes make a few
// allocations, not a million). The top-level nodes have no parent (kNone).
struct IndexedTree {
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  const DecisionTree& tree;
  std::vector<const TreeNode*> nodes;
  std::vector<std::size_t> parent;
  // Place among the siblings, and how many siblings there are.
  std::vector<std::size_t> place;
  std::vector<std::size_t> siblings;
  // A hash of the node's whole branch; equal branches hash equal.
  std::vector<std::uint64_t> branchHash;

  explicit IndexedTree(const DecisionTree& tree);

  // Each node's children, by index, in order; the top-level nodes.
  IndexList Children(std::size_t node) const {
    return IndexList(childIndexes_.data() + childStart_[node], childStart_[node + 1] - childStart_[node]);
  }
  IndexList TopLevel() const { return IndexList(topLevel_.data(), topLevel_.size()); }
  // The children of `node`, or the top level for kNone.
  IndexList ChildrenOrTop(std::size_t node) const { return node == kNone ? TopLevel() : Children(node); }

 private:
  std::vector<std::size_t> childIndexes_;
  std::vector<std::size_t> childStart_;
  std::vector<std::size_t> topLevel_;
};

struct TreeMatch {
  // For each old node the index of its new counterpart, kNone when removed;
  // and the other way round.
  std::vector<std::size_t> oldToNew;
  std::vector<std::size_t> newToOld;
};

TreeMatch MatchTrees(const IndexedTree& oldTree, const IndexedTree& newTree);

// How much alike two texts are, from 0 (nothing shared) to 1 (equal): the
// Dice coefficient of their byte pairs.
double TextSimilarity(std::string_view a, std::string_view b);

}  // namespace velmora
