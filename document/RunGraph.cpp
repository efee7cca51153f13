#include "document/RunGraph.h"

#include <algorithm>
#include <optional>

#include "document/NodeLinks.h"

namespace velmora {

RunGraph::RunGraph(const DecisionTree& tree) {
  Index(tree);
  FindLinks(tree);
  analysed_ = !links_.empty() || tree.TopLevel().size() > 1;
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
  return parent == kNone ? position > 0 : Reached(parent) && (flags_[position] & kAnswered) != 0;
}

// Flat arrays, made fresh for each check: kept to what the passes need, a
// few bytes a node.
void RunGraph::Index(const DecisionTree& tree) {
  const std::size_t count = tree.Count();
  flags_.assign(count, 0);
  parent_.assign(count, kNone);
  firstId_ = tree.FirstId();
  positionById_.assign(static_cast<std::size_t>(tree.IdBound() - firstId_), kNone);
  // The path from the root to the node: its last entry is the parent.
  std::vector<std::pair<const TreeNode*, std::uint32_t>> path;
  std::uint32_t position = 0;
  tree.ForEachPreOrder([&](const TreeNode& node) {
    positionById_[static_cast<std::size_t>(node.Id() - firstId_)] = position;
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
}

std::size_t RunGraph::PositionOf(NodeId id) const {
  const std::uint32_t position =
      id >= firstId_ && id - firstId_ < positionById_.size() ? positionById_[static_cast<std::size_t>(id - firstId_)] : kNone;
  return position == kNone ? flags_.size() : position;
}

void RunGraph::FindLinks(const DecisionTree& tree) {
  // Only the nodes that carry fields, by their ids: a few in a large tree.
  tree.ForEachLater([&](NodeId id, const LaterFields& later) {
    const std::size_t position = PositionOf(id);
    if (position == flags_.size()) return;
    std::size_t fields = 0;
    later.ForEach([&fields](FieldIndex, std::string_view) { ++fields; });
    const std::optional<std::uint64_t> targetId = LinkNumber(later.Get(LinkField()));
    const std::size_t target = targetId ? PositionOf(*targetId) : flags_.size();
    if (fields > (target == flags_.size() ? 0u : 1u)) fields_.emplace_back(static_cast<std::uint32_t>(position), &later);
    if (target == flags_.size()) return;
    // Only an end follows its link.
    if ((flags_[position] & kQuestion) != 0) {
      flags_[position] |= kQuestionLink;
      return;
    }
    flags_[position] |= kLinked;
    flags_[target] |= kTarget;
    links_.emplace_back(static_cast<std::uint32_t>(position), static_cast<std::uint32_t>(target));
  });
  std::sort(fields_.begin(), fields_.end());
  for (const auto& [from, to] : links_) {
    if ((flags_[to] & kLinked) != 0) flags_[from] |= kChain;
  }
}

std::uint32_t RunGraph::LinkOf(std::uint32_t position) const {
  const auto link = std::lower_bound(links_.begin(), links_.end(), std::make_pair(position, std::uint32_t{0}));
  return link != links_.end() && link->first == position ? link->second : kNone;
}

// Forwards in pre-order, where every answer comes after its question: one
// pass reaches what the tree leads to. A link that reaches a node before it
// (or one not yet reached) passes the reach down its branch on its own.
// Only for a procedure with stray nodes or middle answers; the last answer
// of each question is found for it here.
void RunGraph::FindReached(const DecisionTree& tree) {
  std::sort(links_.begin(), links_.end());  // for LinkOf
  std::vector<std::uint32_t> lastChild(flags_.size(), kNone);
  std::uint32_t position = 0;
  tree.ForEachPreOrder([&](const TreeNode& node) {
    if (node.Parent() != nullptr && node.Parent()->LastChild() == &node) lastChild[parent_[position]] = position;
    ++position;
  });
  std::vector<std::uint32_t> pending;
  const auto reach = [&](std::uint32_t at, bool later) {
    if (at == kNone || (flags_[at] & kReached) != 0) return;
    flags_[at] |= kReached;
    if (!later) pending.push_back(at);
  };
  const auto leadOn = [&](std::uint32_t at, bool later) {
    if (lastChild[at] != kNone) {
      reach(at + 1, later);  // the first answer comes right after its question
      reach(lastChild[at], later);
    } else if ((flags_[at] & kLinked) != 0) {
      const std::uint32_t target = LinkOf(at);
      reach(target, later && target > at);
    }
  };
  flags_[0] |= kReached;
  for (std::uint32_t at = 0; at < flags_.size(); ++at) {
    if ((flags_[at] & kReached) == 0) continue;
    leadOn(at, true);
    // Reached behind the walk: its branch is walked from here.
    while (!pending.empty()) {
      const std::uint32_t back = pending.back();
      pending.pop_back();
      leadOn(back, back > at);
    }
  }
}

// Backwards in pre-order, where every answer comes after its question: one
// pass carries "can end" up the tree. A link whose target can end lets its
// end end too, and that is carried up from there.
void RunGraph::FindCanEnd() {
  std::vector<std::pair<std::uint32_t, std::uint32_t>> byTarget(links_.size());
  std::transform(links_.begin(), links_.end(), byTarget.begin(),
                 [](const auto& link) { return std::make_pair(link.second, link.first); });
  std::sort(byTarget.begin(), byTarget.end());
  for (std::uint32_t at = static_cast<std::uint32_t>(flags_.size()); at-- > 0;) {
    if ((flags_[at] & (kQuestion | kLinked)) == 0) flags_[at] |= kCanEnd;
    if ((flags_[at] & (kCanEnd | kAnswered)) == (kCanEnd | kAnswered)) flags_[parent_[at]] |= kCanEnd;
  }
  std::vector<std::uint32_t> pending;
  for (const auto& [target, from] : byTarget) {
    if ((flags_[target] & kCanEnd) != 0 && (flags_[from] & kCanEnd) == 0) pending.push_back(from);
  }
  while (!pending.empty()) {
    std::uint32_t at = pending.back();
    pending.pop_back();
    // Up the tree from a node that can now end, as far as it carries.
    for (bool up = true; up && (flags_[at] & kCanEnd) == 0;) {
      flags_[at] |= kCanEnd;
      if ((flags_[at] & kTarget) != 0) {
        auto from = std::lower_bound(byTarget.begin(), byTarget.end(), std::make_pair(at, std::uint32_t{0}));
        for (; from != byTarget.end() && from->first == at; ++from) {
          if ((flags_[from->second] & kCanEnd) == 0) pending.push_back(from->second);
        }
      }
      up = parent_[at] != kNone && (flags_[at] & kAnswered) != 0;
      if (up) at = parent_[at];
    }
  }
}

}  // namespace velmora
