#pragma once
// Links: an end that continues at another node of the same document, so
// that two paths share a step and a procedure may loop ("link", a declared
// field, LaterFields.cpp). In a tree the value is the target's NodeId in
// decimal, so that moving or editing the target keeps the link; wherever
// nodes have no ids (the stored form, a branch's text, a list of steps) it
// is the target's pre-order position, counted where the value stands. The
// translations between the two live here and nowhere else.
//
// The editor keeps one rule: a link never names a node that is gone (a
// removed branch takes the links into it along, Editor::RemoveBranch).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "document/DecisionTree.h"
#include "document/LaterFields.h"

namespace velmora {

// Whether the declared field names a node.
inline bool IsLinkField(FieldIndex field) { return DeclaredFields()[field].link; }
// The program's own link field ("link").
FieldIndex LinkField();

// A number as a link's value, and back: decimal digits only, nothing for
// anything else (an empty value, a sign, a number past 64 bits).
std::string LinkValue(std::uint64_t number);
std::optional<std::uint64_t> LinkNumber(std::string_view value);

// The node `node`'s link names in `tree`, or null where it has none. A
// link on a node with answers is kept (nothing of the author's is dropped
// when an end gains an answer) but only an end follows it: see RunsOnTo.
const TreeNode* LinkTarget(const DecisionTree& tree, const TreeNode& node);
// Where a run goes after the node's message: its link's target for an
// end, null for a question or an end without one.
inline const TreeNode* RunsOnTo(const DecisionTree& tree, const TreeNode& node) {
  return node.HasChildren() ? nullptr : LinkTarget(tree, node);
}

// The nodes outside `top`'s branch whose links name a node inside it: the
// links a removal of the branch takes along. Linear in the nodes that carry
// declared fields, times the depth.
std::vector<const TreeNode*> LinksInto(const DecisionTree& tree, const TreeNode& top);

// The text the tree shows for a node: TreeLabel's, then for a link the
// arrow and the target's text ("… → ランプは点灯しますか？").
std::string TreeLabelOf(const DecisionTree& tree, const TreeNode& node);
// A link's value as `show`, the comparison and the editor name it: the
// arrow and the target's text; any other field's as ShownValue says.
std::string ShownFieldValue(const DecisionTree& tree, FieldIndex field, std::string_view value);

// Each link value of `later` through `translate`, which returns the new
// value or "" to drop the link. Returns how many were dropped.
template <typename Translate>
std::size_t TranslateLinks(LaterFields& later, Translate translate) {
  std::size_t dropped = 0;
  std::vector<std::pair<FieldIndex, std::string>> changes;
  later.ForEach([&](FieldIndex field, std::string_view value) {
    if (!IsLinkField(field)) return;
    std::string translated = translate(value);
    if (translated.empty()) ++dropped;
    changes.emplace_back(field, std::move(translated));
  });
  for (auto& change : changes) later.Set(change.first, std::move(change.second));
  return dropped;
}

// Whether the fields carry a link (to any node).
bool CarriesLink(const LaterFields& later);

// The pre-order positions of the nodes the links of `tree` name, counted
// from `top` within its branch (from the root over the whole tree for a
// null `top`): what a writer puts where the ids stood. A target outside
// the counted nodes has none.
class LinkPositions {
 public:
  LinkPositions(const DecisionTree& tree, const TreeNode* top);
  // The link's value as a position, or "" where its target is not counted.
  std::string Translate(std::string_view idValue) const;

 private:
  std::unordered_map<NodeId, std::size_t> positions_;
};

// The reverse, for a reader: each node's id by pre-order position over the
// nodes from `top` on (the root for a null `top`: the whole tree).
class LinkIds {
 public:
  LinkIds(const DecisionTree& tree, const TreeNode* top);
  // The position's value as an id, or "" where no node stands there.
  std::string Translate(std::string_view positionValue) const;

 private:
  std::vector<NodeId> ids_;
};

}  // namespace velmora
