#include "document/LinkCommands.h"

#include "document/NodeLinks.h"

namespace velmora {

TreeNode* LinkCommands::Current(NodeId id, std::uint64_t generation) const {
  if (id == 0 || generation != editor_.Generation()) return nullptr;
  return editor_.Tree().Find(id);
}

bool LinkCommands::CanMarkSource() const {
  return editor_.CurrentNode != nullptr && !editor_.CurrentNode->HasChildren();
}

void LinkCommands::MarkSource() {
  if (!CanMarkSource()) return;
  source_ = editor_.CurrentNode->Id();
  sourceGeneration_ = editor_.Generation();
}

bool LinkCommands::CanSetTarget() const {
  const TreeNode* source = Current(source_, sourceGeneration_);
  // A source that gained answers since it was marked is no end any more;
  // a node never continues at itself.
  return source != nullptr && !source->HasChildren() && editor_.CurrentNode != nullptr &&
         editor_.CurrentNode != source;
}

void LinkCommands::SetTarget() {
  if (!CanSetTarget()) return;
  TreeNode* source = Current(source_, sourceGeneration_);
  NodeFields fields = editor_.Tree().FieldsOf(*source);
  fields.later.Set(LinkField(), LinkValue(editor_.CurrentNode->Id()));
  editor_.SetNode(source, std::move(fields));
  source_ = 0;
  editor_.Select(source);
}

bool LinkCommands::CanRemoveLink() const {
  return editor_.CurrentNode != nullptr && !editor_.Tree().LaterOf(*editor_.CurrentNode).Get(LinkField()).empty();
}

void LinkCommands::RemoveLink() {
  if (!CanRemoveLink()) return;
  NodeFields fields = editor_.Tree().FieldsOf(*editor_.CurrentNode);
  fields.later.Set(LinkField(), {});
  editor_.SetNode(editor_.CurrentNode, std::move(fields));
}

bool LinkCommands::CanGoToTarget() const {
  return editor_.CurrentNode != nullptr && LinkTarget(editor_.Tree(), *editor_.CurrentNode) != nullptr;
}

void LinkCommands::GoToTarget() {
  if (!CanGoToTarget()) return;
  if (cameFromGeneration_ != editor_.Generation()) cameFrom_.clear();
  cameFromGeneration_ = editor_.Generation();
  cameFrom_.push_back(editor_.CurrentNode->Id());
  editor_.Select(editor_.Tree().Find(LinkTarget(editor_.Tree(), *editor_.CurrentNode)->Id()));
}

bool LinkCommands::CanGoBack() const {
  if (cameFromGeneration_ != editor_.Generation()) return false;
  for (const NodeId id : cameFrom_) {
    if (editor_.Tree().Find(id) != nullptr) return true;
  }
  return false;
}

void LinkCommands::GoBack() {
  // A node left and deleted since is passed over.
  while (CanGoBack()) {
    TreeNode* node = editor_.Tree().Find(cameFrom_.back());
    cameFrom_.pop_back();
    if (node == nullptr) continue;
    editor_.Select(node);
    return;
  }
}

}  // namespace velmora
