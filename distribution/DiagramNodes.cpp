#include "distribution/DiagramNodes.h"

#include <algorithm>

#include "distribution/TreeSteps.h"
#include "document/NodeLinks.h"
#include "document/TextRules.h"

namespace velmora {
namespace {

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

// The message as a run shows it. Only a text holding the mark's bytes can
// change (and then only where they stand on character boundaries): the
// others are not copied.
std::string_view ShownMessage(std::string_view text, const DocumentState& state, ShownNodes& result) {
  if (state.NewLineMark.empty() || text.find(state.NewLineMark) == std::string_view::npos) return text;
  const std::string expanded = ExpandNewLines(text, state.NewLineMark);
  return expanded == text ? text : KeepExpanded(result.expanded, expanded);
}

// A later answer of the same question: the one before it is no longer the
// last, so it leads by No no more.
void NoteLaterSibling(ShownNode& earlier) {
  if (earlier.role == AnswerRole::Both) earlier.role = AnswerRole::Yes;
  if (earlier.role == AnswerRole::No) earlier.role = AnswerRole::Middle;
}

}  // namespace

ShownNodes ShownNodesOf(const StepList& steps, const DocumentState& state) {
  ShownNodes result;
  std::vector<ShownNode>& nodes = result.nodes;
  nodes.reserve(steps.Size());
  // In pre-order a node's parent is the latest node one level up, and its
  // previous sibling the latest node at its own level, if that came after
  // the parent.
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::vector<std::size_t> latestAtLevel;
  for (std::size_t i = 0; i < steps.Size(); ++i) {
    ShownNode shown;
    const auto level = static_cast<std::size_t>(steps[i].level);
    if (latestAtLevel.size() <= level) latestAtLevel.resize(level + 1, kNone);
    if (level > 0) {
      shown.parent = static_cast<ShownIndex>(latestAtLevel[level - 1]);
      // Each answer comes in as the last one so far; a first one is also
      // the only one so far.
      shown.role = shown.parent + 1 == i ? AnswerRole::Both : AnswerRole::No;
      if (shown.role == AnswerRole::No) NoteLaterSibling(nodes[latestAtLevel[level]]);
    }
    latestAtLevel[level] = i;
    shown.kind = static_cast<std::int16_t>(steps[i].kind);
    shown.outcome = steps[i].outcome;
    shown.level = steps[i].level;
    shown.message = ShownMessage(steps[i].text, state, result);
    shown.question = steps.HasAnswers(i);
    if (shown.question) {
      // As a run shows it: only a question's text carries a default answer.
      shown.noDefault = DefaultSuffixOf(shown.message) == DefaultSuffix::No;
      shown.message = WithoutDefaultSuffix(shown.message);
    }
    nodes.push_back(shown);
  }
  // A role is known once the node's last sibling is in; parents come first.
  for (ShownNode& node : nodes) {
    node.reachable = node.role != AnswerRole::Middle && (node.parent == kNoShownNode || nodes[node.parent].reachable);
  }
  return result;
}

ShownNodes ShownNodesOf(const DecisionTree& tree, const DocumentState& state) {
  return ShownNodesOf(StepsOfTree(tree).steps, state);
}

void KeepOwnMessages(ShownNodes& shown) {
  std::deque<std::string> own;
  for (ShownNode& node : shown.nodes) node.message = KeepExpanded(own, node.message);
  shown.expanded.swap(own);
}

std::vector<ShownIndex> NoTargetsOf(const std::vector<ShownNode>& nodes) {
  std::vector<ShownIndex> targets(nodes.size(), kNoShownNode);
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (nodes[i].parent != kNoShownNode) targets[nodes[i].parent] = static_cast<ShownIndex>(i);
  }
  return targets;
}

std::vector<ShownIndex> LinkTargetsOf(const std::vector<ShownNode>& nodes, const FieldTable* fields) {
  std::vector<ShownIndex> links;
  if (fields == nullptr) return links;
  for (const PositionedFields& entry : *fields) {
    const std::optional<std::uint64_t> target = LinkNumber(entry.fields.Get(LinkField()));
    if (!target || *target >= nodes.size() || entry.position >= nodes.size() || nodes[entry.position].question) continue;
    if (links.empty()) links.assign(nodes.size(), kNoShownNode);
    links[entry.position] = static_cast<ShownIndex>(*target);
  }
  return links;
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
