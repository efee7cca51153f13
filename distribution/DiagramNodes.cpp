#include "distribution/DiagramNodes.h"

#include <algorithm>

#include "document/TextRules.h"

namespace velmora {
namespace {

AnswerRole RoleOf(const TreeNode& node) {
  const TreeNode* parent = node.Parent();
  if (parent == nullptr) return AnswerRole::None;
  const bool first = parent->FirstChild() == &node;
  const bool last = parent->LastChild() == &node;
  if (first && last) return AnswerRole::Both;
  if (first) return AnswerRole::Yes;
  if (last) return AnswerRole::No;
  return AnswerRole::Middle;
}

// A copy of `text` in the last of `blocks`, or in a new one when it does not
// fit: a block is never filled past what it reserved, so its bytes never
// move and the views into it stay valid. A third of a large procedure's
// messages may hold the mark: blocks instead of a string each.
std::string_view KeepExpanded(std::deque<std::string>& blocks, std::string_view text) {
  constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
  if (blocks.empty() || blocks.back().capacity() - blocks.back().size() < text.size()) {
    blocks.emplace_back().reserve(std::max(kBlockBytes, text.size()));
  }
  std::string& block = blocks.back();
  const std::size_t start = block.size();
  block += text;
  return std::string_view(block).substr(start);
}

}  // namespace

ShownNodes ShownNodesOf(const DecisionTree& tree, const DocumentState& state) {
  ShownNodes result;
  std::vector<ShownNode>& nodes = result.nodes;
  nodes.reserve(tree.Count());
  // In pre-order a node's parent is the latest node one level up.
  std::vector<std::size_t> latestAtLevel;
  tree.ForEachPreOrder([&](const TreeNode& node) {
    ShownNode shown;
    const auto level = static_cast<std::size_t>(node.Level());
    if (level > 0) shown.parent = latestAtLevel[level - 1];
    if (latestAtLevel.size() <= level) latestAtLevel.resize(level + 1);
    latestAtLevel[level] = nodes.size();
    shown.kind = node.kind;
    shown.level = node.Level();
    shown.message = node.Text();
    // Only a text holding the mark's bytes can change (and then only where
    // they stand on character boundaries): the others are not copied.
    if (!state.NewLineMark.empty() && shown.message.find(state.NewLineMark) != std::string_view::npos) {
      const std::string expanded = ExpandNewLines(node.Text(), state.NewLineMark);
      if (expanded != shown.message) shown.message = KeepExpanded(result.expanded, expanded);
    }
    shown.question = node.HasChildren();
    if (shown.question) {
      // As a run shows it: only a question's text carries a default answer.
      shown.noDefault = DefaultSuffixOf(shown.message) == DefaultSuffix::No;
      shown.message = WithoutDefaultSuffix(shown.message);
    }
    shown.role = RoleOf(node);
    shown.reachable = shown.role != AnswerRole::Middle && (node.Parent() == nullptr || nodes[shown.parent].reachable);
    nodes.push_back(shown);
  });
  return result;
}

AnswerTargets AnswerTargetsOf(const std::vector<ShownNode>& nodes) {
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  AnswerTargets targets{std::vector<std::size_t>(nodes.size(), kNone), std::vector<std::size_t>(nodes.size(), kNone)};
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    const std::size_t parent = nodes[i].parent;
    if (parent == kNone) continue;
    if (targets.yes[parent] == kNone) targets.yes[parent] = i;
    targets.no[parent] = i;
  }
  return targets;
}

bool IsDefaultAnswer(const std::vector<ShownNode>& nodes, const ShownNode& node) {
  if (node.parent >= nodes.size()) return false;
  const bool noDefault = nodes[node.parent].noDefault;
  switch (node.role) {
    case AnswerRole::Both: return true;
    case AnswerRole::Yes: return !noDefault;
    case AnswerRole::No: return noDefault;
    default: return false;
  }
}

}  // namespace velmora
