#include "document/NodeLinks.h"

#include <algorithm>

#include "document/BranchRecord.h"

namespace velmora {
namespace {

// "→" and the blank before and after it.
constexpr std::string_view kLinkArrow = " \x81\xa8 ";

bool InBranch(const TreeNode& node, const TreeNode& top) {
  for (const TreeNode* at = &node; at != nullptr; at = at->Parent()) {
    if (at == &top) return true;
  }
  return false;
}

}  // namespace

FieldIndex LinkField() {
  static const FieldIndex link = *FieldNamed("link");
  return link;
}

std::string LinkValue(std::uint64_t number) { return std::to_string(number); }

std::optional<std::uint64_t> LinkNumber(std::string_view value) {
  // Nineteen digits at most: no value wraps 64 bits.
  if (value.empty() || value.size() > 19) return std::nullopt;
  std::uint64_t number = 0;
  for (const char digit : value) {
    if (digit < '0' || digit > '9') return std::nullopt;
    number = number * 10 + static_cast<std::uint64_t>(digit - '0');
  }
  return number;
}

const TreeNode* LinkTarget(const DecisionTree& tree, const TreeNode& node) {
  if (!tree.HasLaterFields()) return nullptr;
  const std::optional<std::uint64_t> id = LinkNumber(tree.LaterOf(node).Get(LinkField()));
  return id ? tree.Find(*id) : nullptr;
}

bool CarriesLink(const LaterFields& later) {
  bool found = false;
  later.ForEach([&found](FieldIndex field, std::string_view) { found = found || IsLinkField(field); });
  return found;
}

std::vector<const TreeNode*> LinksInto(const DecisionTree& tree, const TreeNode& top) {
  std::vector<const TreeNode*> linking;
  tree.ForEachLater([&](NodeId id, const LaterFields& later) {
    if (!CarriesLink(later)) return;
    const TreeNode* node = tree.Find(id);
    const TreeNode* target = node != nullptr ? LinkTarget(tree, *node) : nullptr;
    if (target != nullptr && InBranch(*target, top) && !InBranch(*node, top)) linking.push_back(node);
  });
  // The table has no order of its own; the edits that undo them should.
  std::sort(linking.begin(), linking.end(), [](const TreeNode* a, const TreeNode* b) { return a->Id() < b->Id(); });
  return linking;
}

std::string TreeLabelOf(const DecisionTree& tree, const TreeNode& node) {
  std::string label = TreeLabel(node.Text(), tree.LaterOf(node));
  if (const TreeNode* target = LinkTarget(tree, node)) label.append(kLinkArrow).append(target->Text());
  return label;
}

std::string ShownFieldValue(const DecisionTree& tree, FieldIndex field, std::string_view value) {
  if (!IsLinkField(field)) return ShownValue(field, value);
  const std::optional<std::uint64_t> id = LinkNumber(value);
  const TreeNode* target = id ? tree.Find(*id) : nullptr;
  // The arrow without its leading blank: the value stands alone.
  return std::string(kLinkArrow.substr(1)) + std::string(target != nullptr ? target->Text() : std::string_view());
}

LinkPositions::LinkPositions(const DecisionTree& tree, const TreeNode* top) {
  // Only the targets are counted: a writer of a large tree with a few
  // links keeps a few positions.
  tree.ForEachLater([&](NodeId, const LaterFields& later) {
    later.ForEach([&](FieldIndex field, std::string_view value) {
      if (!IsLinkField(field)) return;
      if (const std::optional<std::uint64_t> id = LinkNumber(value)) positions_.emplace(*id, 0);
    });
  });
  if (positions_.empty()) return;
  std::size_t position = 0;
  const TreeNode* first = top != nullptr ? top : tree.Root();
  for (const TreeNode* node = first; node != nullptr; ++position) {
    const auto found = positions_.find(node->Id());
    if (found != positions_.end()) found->second = position + 1;
    node = top != nullptr ? NextInBranch(tree, top, node) : tree.NextPreOrder(node);
  }
}

std::string LinkPositions::Translate(std::string_view idValue) const {
  const std::optional<std::uint64_t> id = LinkNumber(idValue);
  if (!id) return {};
  const auto found = positions_.find(*id);
  // Kept one more than the position, so that 0 stands for "not counted".
  if (found == positions_.end() || found->second == 0) return {};
  return LinkValue(found->second - 1);
}

LinkIds::LinkIds(const DecisionTree& tree, const TreeNode* top) {
  const TreeNode* first = top != nullptr ? top : tree.Root();
  for (const TreeNode* node = first; node != nullptr;) {
    ids_.push_back(node->Id());
    node = top != nullptr ? NextInBranch(tree, top, node) : tree.NextPreOrder(node);
  }
}

std::string LinkIds::Translate(std::string_view positionValue) const {
  const std::optional<std::uint64_t> position = LinkNumber(positionValue);
  if (!position || *position >= ids_.size()) return {};
  return LinkValue(ids_[static_cast<std::size_t>(*position)]);
}

}  // namespace velmora
