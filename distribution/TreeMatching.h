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
#include <vector>

#include "document/DecisionTree.h"

namespace velmora {

// A tree laid out for matching: its nodes in pre-order with their parents and
// places, addressed by index. The top-level nodes have no parent (kNone).
struct IndexedTree {
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::vector<const TreeNode*> nodes;
  std::vector<std::size_t> parent;
  // Place among the siblings, and how many siblings there are.
  std::vector<std::size_t> place;
  std::vector<std::size_t> siblings;
  // Each node's children, by index, in order.
  std::vector<std::vector<std::size_t>> children;
  // A hash of the node's whole branch; equal branches hash equal.
  std::vector<std::uint64_t> branchHash;
  // The indexes of the top-level nodes.
  std::vector<std::size_t> topLevel;

  explicit IndexedTree(const DecisionTree& tree);
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
