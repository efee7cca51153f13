#include "document/RunGraph.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "document/NodeLinks.h"
#include "document/TextRules.h"

namespace velmora {

RunGraph::RunGraph(const DecisionTree& tree) {
  Carried carried = ReadCarried(tree);
  PlaceCarried(carried, tree.FirstId(), Index(tree, carried.passedAtOnce));
  analysed_ = !linkTo_.empty() || tree.TopLevel().size() > 1;
  if (!analysed_) return;
  // One top level and no middle answer: every node is reached, whatever
  // the links.
  if (allAnswered_ && tree.TopLevel().size() == 1) {
    for (std::uint8_t& flag : flags_) flag |= kReached;
  } else {
    FindReached(tree);
  }
  FindCanEnd();
}

bool RunGraph::FirstUnreached(std::size_t position) const {
  if (!analysed_ || Reached(position)) return false;
  const std::uint32_t parent = parent_[position];
  return parent == kNone ? position > 0 : Reached(parent) && Has(position, kAnswered);
}

// A question comes before its answers in pre-order: the way up from the
// end passes the target if it is one of its questions.
bool RunGraph::GoesBackUp(std::size_t position) const {
  if (!GoesOn(position)) return false;
  const std::uint32_t target = linkTo_[position];
  std::uint32_t at = parent_[position];
  while (at != kNone && at > target) at = parent_[at];
  return at == target;
}

RunGraph::Carried RunGraph::ReadCarried(const DecisionTree& tree) {
  const NodeId firstId = tree.FirstId();
  const auto slotOf = [firstId](NodeId id) { return static_cast<std::size_t>(id - firstId); };
  Carried carried;
  std::vector<bool> sources(slotOf(tree.IdBound()), false);
  tree.ForEachLater([&](NodeId id, const LaterFields& later) {
    if (id < firstId || slotOf(id) >= sources.size()) return;
    bool others = false;
    std::string_view link;
    later.ForEach([&](FieldIndex field, std::string_view value) {
      if (IsLinkField(field)) {
        link = value;
      } else {
        others = true;
      }
    });
    if (others) carried.fields.emplace_back(id, &later);
    if (const std::optional<std::uint64_t> target = LinkNumber(link)) {
      carried.links.push_back({id, *target});
      sources[slotOf(id)] = true;
    }
  });
  // A chain needs a source that is a target too: only those few have their
  // texts read by the walk.
  carried.passedAtOnce.assign(sources.size(), false);
  for (const Link& link : carried.links) {
    if (link.to >= firstId && slotOf(link.to) < sources.size() && sources[slotOf(link.to)]) {
      carried.passedAtOnce[slotOf(link.to)] = true;
    }
  }
  return carried;
}

// Flat arrays, made fresh for each check: kept to what the passes need, a
// few bytes a node. Returns each node's position by its id, counted from
// the tree's first id, for placing what the nodes carry.
std::vector<std::uint32_t> RunGraph::Index(const DecisionTree& tree, std::vector<bool>& passedAtOnce) {
  const std::size_t count = tree.Count();
  flags_.assign(count, 0);
  parent_.assign(count, kNone);
  const NodeId firstId = tree.FirstId();
  std::vector<std::uint32_t> positionById(static_cast<std::size_t>(tree.IdBound() - firstId), kNone);
  // The path from the root to the node: its last entry is the parent.
  std::vector<std::pair<const TreeNode*, std::uint32_t>> path;
  std::uint32_t position = 0;
  tree.ForEachPreOrder([&](const TreeNode& node) {
    const std::size_t slot = static_cast<std::size_t>(node.Id() - firstId);
    positionById[slot] = position;
    // Only the nodes a chain may pass through have their texts read here.
    if (passedAtOnce[slot]) passedAtOnce[slot] = !node.HasChildren() && TrimBlanksView(node.Text()).empty();
    if (node.HasChildren()) flags_[position] |= kQuestion;
    while (!path.empty() && path.back().first != node.Parent()) path.pop_back();
    if (!path.empty()) {
      const TreeNode* parent = path.back().first;
      parent_[position] = path.back().second;
      if (&node == parent->FirstChild() || &node == parent->LastChild()) {
        flags_[position] |= kAnswered;
      } else {
        allAnswered_ = false;
      }
    }
    path.emplace_back(&node, position);
    ++position;
  });
  return positionById;
}

void RunGraph::PlaceCarried(const Carried& carried, NodeId firstId, const std::vector<std::uint32_t>& positionById) {
  const auto positionOf = [&](NodeId id) {
    return id >= firstId && id - firstId < positionById.size() ? positionById[static_cast<std::size_t>(id - firstId)]
                                                                : kNone;
  };
  for (const auto& [id, later] : carried.fields) {
    const std::uint32_t position = positionOf(id);
    if (position != kNone) fields_.emplace_back(position, later);
  }
  std::sort(fields_.begin(), fields_.end());
  std::vector<std::pair<std::uint32_t, std::size_t>> targetSlots;
  for (const Link& link : carried.links) {
    const std::uint32_t from = positionOf(link.from);
    const std::uint32_t to = positionOf(link.to);
    if (from == kNone || to == kNone) continue;
    // Only an end follows its link.
    if (Has(from, kQuestion)) {
      flags_[from] |= kQuestionLink;
      continue;
    }
    if (linkTo_.empty()) linkTo_.assign(flags_.size(), kNone);
    flags_[from] |= kLinked;
    flags_[to] |= kTarget;
    linkTo_[from] = to;
    targetSlots.emplace_back(from, static_cast<std::size_t>(link.to - firstId));
  }
  // Known once every link is placed: whether the target goes on too.
  for (const auto& [from, slot] : targetSlots) {
    if (Has(linkTo_[from], kLinked) && carried.passedAtOnce[slot]) flags_[from] |= kChain;
  }
}

// Forwards in pre-order, where every answer comes after its question: one
// pass reaches what the tree leads to. A link that reaches a node before it
// (or one not yet reached) passes the reach down its branch on its own.
// Only for a procedure with stray nodes or middle answers; the last answer
// of each question is found for it here.
void RunGraph::FindReached(const DecisionTree& tree) {
  std::vector<std::uint32_t> lastChild(flags_.size(), kNone);
  std::uint32_t position = 0;
  tree.ForEachPreOrder([&](const TreeNode& node) {
    if (node.Parent() != nullptr && node.Parent()->LastChild() == &node) lastChild[parent_[position]] = position;
    ++position;
  });
  std::vector<std::uint32_t> pending;
  const auto reach = [&](std::uint32_t at, bool later) {
    if (Has(at, kReached)) return;
    flags_[at] |= kReached;
    if (!later) pending.push_back(at);
  };
  const auto leadOn = [&](std::uint32_t at, bool later) {
    if (lastChild[at] != kNone) {
      reach(at + 1, later);  // the first answer comes right after its question
      reach(lastChild[at], later);
    } else if (GoesOn(at)) {
      reach(linkTo_[at], later && linkTo_[at] > at);
    }
  };
  flags_[0] |= kReached;
  for (std::uint32_t at = 0; at < flags_.size(); ++at) {
    if (!Has(at, kReached)) continue;
    leadOn(at, true);
    // Reached behind the walk: its branch is walked from here.
    while (!pending.empty()) {
      const std::uint32_t back = pending.back();
      pending.pop_back();
      leadOn(back, back > at);
    }
  }
}

// Backwards in pre-order, where every answer comes after its question and
// most links lead on: one pass carries "can end" up the tree and along
// each link to a later node. The links that lead back up the order are
// left: they are carried from their targets afterwards.
void RunGraph::FindCanEnd() {
  std::vector<std::pair<std::uint32_t, std::uint32_t>> leftByTarget;
  for (std::uint32_t at = static_cast<std::uint32_t>(flags_.size()); at-- > 0;) {
    if (!Has(at, kQuestion) && !Has(at, kLinked)) {
      flags_[at] |= kCanEnd;
    } else if (GoesOn(at)) {
      const std::uint32_t target = linkTo_[at];
      if (target > at && Has(target, kCanEnd)) {
        flags_[at] |= kCanEnd;
      } else {
        leftByTarget.emplace_back(target, at);
      }
    }
    if (Has(at, kCanEnd) && Has(at, kAnswered)) flags_[parent_[at]] |= kCanEnd;
  }
  std::sort(leftByTarget.begin(), leftByTarget.end());
  std::vector<std::uint32_t> pending;
  for (const auto& [target, from] : leftByTarget) {
    if (Has(target, kCanEnd) && !Has(from, kCanEnd)) pending.push_back(from);
  }
  while (!pending.empty()) {
    std::uint32_t at = pending.back();
    pending.pop_back();
    // Up the tree from a node that can now end, as far as it carries.
    for (bool up = true; up && !Has(at, kCanEnd);) {
      flags_[at] |= kCanEnd;
      if (Has(at, kTarget)) {
        auto from = std::lower_bound(leftByTarget.begin(), leftByTarget.end(), std::make_pair(at, std::uint32_t{0}));
        for (; from != leftByTarget.end() && from->first == at; ++from) {
          if (!Has(from->second, kCanEnd)) pending.push_back(from->second);
        }
      }
      up = parent_[at] != kNone && Has(at, kAnswered);
      if (up) at = parent_[at];
    }
  }
}

}  // namespace velmora
