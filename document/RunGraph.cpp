#include "document/RunGraph.h"

#include <algorithm>
#include <unordered_map>

#include "document/NodeLinks.h"

namespace velmora {

RunGraph::RunGraph(const DecisionTree& tree) {
  Index(tree);
  FindReached();
  FindCanEnd();
}

bool RunGraph::FirstUnreached(std::size_t position) const {
  if (Reached(position)) return false;
  const std::uint32_t parent = parent_[position];
  return parent == kNone ? position > 0 : Reached(parent) && (flags_[position] & kAnswered) != 0;
}

void RunGraph::Index(const DecisionTree& tree) {
  const std::size_t count = tree.Count();
  flags_.assign(count, 0);
  parent_.assign(count, kNone);
  lastChild_.assign(count, kNone);
  // The targets' positions, found on the same walk: a few links in a large
  // tree keep a few entries.
  std::unordered_map<NodeId, std::uint32_t> targets;
  std::vector<std::pair<std::uint32_t, NodeId>> linking;
  std::vector<std::pair<const TreeNode*, std::uint32_t>> path;
  std::uint32_t position = 0;
  tree.ForEachPreOrder([&](const TreeNode& node) {
    while (!path.empty() && path.back().first != node.Parent()) path.pop_back();
    if (!path.empty()) {
      const TreeNode* parent = path.back().first;
      parent_[position] = path.back().second;
      if (&node == parent->FirstChild() || &node == parent->LastChild()) flags_[position] |= kAnswered;
      if (&node == parent->LastChild()) lastChild_[path.back().second] = position;
    }
    path.emplace_back(&node, position);
    if (const TreeNode* target = RunsOnTo(tree, node)) {
      linking.emplace_back(position, target->Id());
      targets.emplace(target->Id(), kNone);
    }
    ++position;
  });
  if (linking.empty()) return;
  position = 0;
  tree.ForEachPreOrder([&](const TreeNode& node) {
    const auto found = targets.find(node.Id());
    if (found != targets.end()) found->second = position;
    ++position;
  });
  links_.reserve(linking.size());
  for (const auto& [from, target] : linking) links_.emplace_back(from, targets.at(target));
}

void RunGraph::FindReached() {
  if (flags_.empty()) return;
  // A node's link, if it has one, by position: the walk asks for it once
  // per node reached.
  std::unordered_map<std::uint32_t, std::uint32_t> linkOf(links_.begin(), links_.end());
  std::vector<std::uint32_t> pending{0};
  flags_[0] |= kReached;
  const auto reach = [&](std::uint32_t position) {
    if (position == kNone || (flags_[position] & kReached) != 0) return;
    flags_[position] |= kReached;
    pending.push_back(position);
  };
  while (!pending.empty()) {
    const std::uint32_t at = pending.back();
    pending.pop_back();
    if (lastChild_[at] != kNone) {
      reach(at + 1);  // the first answer comes right after its question
      reach(lastChild_[at]);
    } else if (const auto link = linkOf.find(at); link != linkOf.end()) {
      reach(link->second);
    }
  }
}

void RunGraph::FindCanEnd() {
  // Backwards from the ends without a link: a question can end when one of
  // its answers can, an end with a link when its target can.
  std::vector<bool> linked(flags_.size(), false);
  for (const auto& link : links_) linked[link.first] = true;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> byTarget(links_.size());
  std::transform(links_.begin(), links_.end(), byTarget.begin(),
                 [](const auto& link) { return std::make_pair(link.second, link.first); });
  std::sort(byTarget.begin(), byTarget.end());
  std::vector<std::uint32_t> pending;
  const auto canEnd = [&](std::uint32_t position) {
    if ((flags_[position] & kCanEnd) != 0) return;
    flags_[position] |= kCanEnd;
    pending.push_back(position);
  };
  for (std::uint32_t position = 0; position < flags_.size(); ++position) {
    if (lastChild_[position] == kNone && !linked[position]) canEnd(position);
  }
  while (!pending.empty()) {
    const std::uint32_t at = pending.back();
    pending.pop_back();
    if (parent_[at] != kNone && (flags_[at] & kAnswered) != 0) canEnd(parent_[at]);
    auto from = std::lower_bound(byTarget.begin(), byTarget.end(), std::make_pair(at, std::uint32_t{0}));
    for (; from != byTarget.end() && from->first == at; ++from) canEnd(from->second);
  }
}

}  // namespace velmora
