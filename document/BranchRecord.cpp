#include "document/BranchRecord.h"

#include <cstring>
#include <optional>
#include <utility>

#include "document/NodeLinks.h"

namespace velmora {
namespace {

void PutNumber(std::string& out, std::uint32_t value) {
  char bytes[4];
  std::memcpy(bytes, &value, sizeof bytes);
  out.append(bytes, sizeof bytes);
}

void PutId(std::string& out, NodeId value) {
  char bytes[sizeof value];
  std::memcpy(bytes, &value, sizeof bytes);
  out.append(bytes, sizeof bytes);
}

NodeId TakeId(std::string_view& in) {
  NodeId value = 0;
  std::memcpy(&value, in.data(), sizeof value);
  in.remove_prefix(sizeof value);
  return value;
}

std::uint32_t TakeNumber(std::string_view& in) {
  std::uint32_t value = 0;
  std::memcpy(&value, in.data(), sizeof value);
  in.remove_prefix(sizeof value);
  return value;
}

}  // namespace

const TreeNode* NextInBranch(const DecisionTree& tree, const TreeNode* top, const TreeNode* node) {
  if (node->HasChildren()) return node->FirstChild();
  for (; node != top; node = node->Parent()) {
    if (const TreeNode* next = tree.NextSibling(node)) return next;
  }
  return nullptr;
}

std::string PackBranch(const DecisionTree& tree, const TreeNode& top, BranchIds ids) {
  std::string packed;
  // A branch that takes new ids where it goes names its link targets by
  // their place in it; one out of it has nothing to name where it goes.
  std::optional<LinkPositions> links;
  for (const TreeNode* node = &top; node != nullptr; node = NextInBranch(tree, &top, node)) {
    PutNumber(packed, static_cast<std::uint32_t>(node->Level() - top.Level()));
    PutId(packed, ids == BranchIds::Keep ? node->Id() : 0);
    const LaterFields& later = tree.LaterOf(*node);
    if (ids == BranchIds::New && CarriesLink(later)) {
      if (!links) links.emplace(tree, &top);
      LaterFields translated = later;
      TranslateLinks(translated, [&](std::string_view value) { return links->Translate(value); });
      PackFields(packed, node->Text(), node->kind, translated);
      continue;
    }
    PackFields(packed, node->Text(), node->kind, later);
  }
  packed.shrink_to_fit();
  return packed;
}

std::string PackNode(std::string_view text, int kind) {
  std::string packed;
  PutNumber(packed, 0);
  PutId(packed, 0);
  PackFields(packed, text, kind, LaterFields());
  return packed;
}

TreeNode* UnpackBranch(DecisionTree& tree, TreeNode* parent, std::string_view packed) {
  TreeNode* top = nullptr;
  TreeNode* previous = nullptr;
  std::uint32_t previousLevel = 0;
  // A branch with new ids names its link targets by position (PackBranch).
  bool newIds = false;
  std::vector<TreeNode*> linking;
  while (!packed.empty()) {
    const std::uint32_t level = TakeNumber(packed);
    const NodeId id = TakeId(packed);
    PackedFields fields = UnpackFields(packed);
    // Levels only ever go one deeper than the node before, as in a file.
    TreeNode* under = parent;
    if (previous != nullptr) {
      under = previous;
      for (std::uint32_t up = previousLevel + 1; up > level; --up) under = under->Parent();
    }
    TreeNode* node = tree.AddChildWithId(under, fields.text, fields.kind, id);
    if (top == nullptr) newIds = id == 0;
    if (newIds && CarriesLink(fields.later)) linking.push_back(node);
    if (!fields.later.Empty()) tree.SetLater(*node, std::move(fields.later));
    if (top == nullptr) top = node;
    previous = node;
    previousLevel = level;
  }
  if (!linking.empty()) {
    const LinkIds ids(tree, top);
    for (TreeNode* node : linking) {
      LaterFields later = tree.LaterOf(*node);
      TranslateLinks(later, [&](std::string_view value) { return ids.Translate(value); });
      tree.SetLater(*node, std::move(later));
    }
  }
  return top;
}

NodePath PathOf(const TreeNode& node) {
  NodePath path(static_cast<std::size_t>(node.Level()) + 1);
  const TreeNode* current = &node;
  for (std::size_t at = path.size(); at > 0; --at, current = current->Parent()) {
    path[at - 1] = static_cast<std::uint32_t>(current->IndexInParent());
  }
  return path;
}

TreeNode* NodeAt(const DecisionTree& tree, const NodePath& path) {
  if (path.empty()) return nullptr;
  TreeNode* node = nullptr;
  NodeList list = tree.TopLevel();
  for (const std::uint32_t index : path) {
    node = nullptr;
    std::uint32_t at = 0;
    for (TreeNode* candidate : list) {
      if (at++ == index) {
        node = candidate;
        break;
      }
    }
    if (node == nullptr) return nullptr;
    list = node->Children();
  }
  return node;
}

}  // namespace velmora
