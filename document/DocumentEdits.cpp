// The document's edits: each applied to the tree or the document state,
// each returning the edit that takes it back.
#include "document/BranchRecord.h"
#include "document/Editor.h"
#include "document/NodeLinks.h"

namespace velmora {

AppliedEdit Editor::Apply(const DocumentEdit& edit) {
  AppliedEdit applied = edit.ChangesTree() ? ApplyToTree(edit) : ApplyToState(edit);
  // An edit that changed nothing is no change: no new revision, nothing to
  // save and nothing to undo.
  if (!applied.changed) return applied;
  NoteChange(edit.ChangesTree());
  if (!(edit.kind == EditKind::SetColour && state_.CurrentFileName.Empty())) MarkModified();
  if (recording_ != nullptr) recording_->push_back(applied.inverse);
  return applied;
}

AppliedEdit Editor::ApplyToTree(const DocumentEdit& edit) {
  AppliedEdit applied;
  switch (edit.kind) {
    case EditKind::InsertBranch: {
      TreeNode* parent = tree_.Find(edit.node);
      if (parent == nullptr && edit.node != 0) break;
      TreeNode* top = UnpackBranch(tree_, parent, edit.bytes);
      if (top == nullptr) break;
      tree_.MoveTo(top, edit.index);
      applied.inverse = DocumentEdit::RemoveBranch(top->Id());
      applied.touched = top;
      return applied;
    }
    case EditKind::RemoveBranch: {
      TreeNode* node = tree_.Find(edit.node);
      // A top-level node is never removed: the document keeps its root.
      if (node == nullptr || node->Parent() == nullptr) break;
      TreeNode* parent = node->Parent();
      applied.inverse = DocumentEdit::InsertBranch(parent->Id(), node->IndexInParent(),
                                                   PackBranch(tree_, *node, BranchIds::Keep));
      RemoveKeepingSelection(node);
      applied.touched = parent;
      return applied;
    }
    case EditKind::SetNode: {
      TreeNode* node = tree_.Find(edit.node);
      if (node == nullptr) break;
      applied.inverse = DocumentEdit::SetNode(node->Id(), tree_.FieldsOf(*node));
      applied.changed = applied.inverse.fields != edit.fields;
      tree_.SetFields(*node, edit.fields);
      applied.touched = node;
      return applied;
    }
    case EditKind::MoveNode: {
      TreeNode* node = tree_.Find(edit.node);
      if (node == nullptr) break;
      const std::size_t from = node->IndexInParent();
      tree_.MoveTo(node, edit.index);
      applied.inverse = DocumentEdit::MoveNode(node->Id(), from);
      applied.changed = node->IndexInParent() != from;
      applied.touched = node->Parent();
      return applied;
    }
    default: break;
  }
  // A node that is not there: nothing to do, and nothing to take back.
  applied.inverse = edit;
  applied.changed = false;
  return applied;
}

AppliedEdit Editor::ApplyToState(const DocumentEdit& edit) {
  AppliedEdit applied;
  switch (edit.kind) {
    case EditKind::SetTitle:
      applied.inverse = DocumentEdit::SetText(EditKind::SetTitle, state_.Title);
      state_.Title = edit.bytes;
      break;
    case EditKind::SetNewLineMark:
      applied.inverse = DocumentEdit::SetText(EditKind::SetNewLineMark, state_.NewLineMark);
      state_.NewLineMark = edit.bytes;
      break;
    case EditKind::SetRecordFolder:
      applied.inverse = DocumentEdit::SetText(EditKind::SetRecordFolder, state_.RecordFolder);
      state_.RecordFolder = edit.bytes;
      break;
    default:
      applied.inverse = DocumentEdit::SetColour(state_.Color);
      state_.Color = edit.value;
      break;
  }
  applied.changed = applied.inverse.bytes != edit.bytes || applied.inverse.value != edit.value;
  return applied;
}

void Editor::RemoveKeepingSelection(TreeNode* node) {
  // Walk up from the selection: if the node is among its ancestors, the
  // selection goes with the subtree and moves to the node's parent.
  for (const TreeNode* n = selected_; n != nullptr; n = n->Parent()) {
    if (n == node) {
      selected_ = node->Parent();
      break;
    }
  }
  for (const TreeNode* n = CurrentNode; n != nullptr; n = n->Parent()) {
    if (n == node) {
      CurrentNode = node->Parent();
      break;
    }
  }
  tree_.Delete(node);
  if (selected_ == nullptr) selected_ = tree_.Root();
  if (CurrentNode == nullptr) CurrentNode = selected_;
}

TreeNode* Editor::AddBranch(TreeNode* parent, std::string packed) {
  const std::size_t last = parent != nullptr ? parent->ChildCount() : tree_.TopLevel().size();
  return Apply(DocumentEdit::InsertBranch(parent != nullptr ? parent->Id() : 0, last, std::move(packed))).touched;
}

void Editor::RemoveBranch(TreeNode* node) {
  // A link never names a node that is gone: the links into the branch
  // become plain ends first, in the same step, so undo brings both back.
  for (const TreeNode* linking : LinksInto(tree_, *node)) {
    NodeFields fields = tree_.FieldsOf(*linking);
    fields.later.Set(LinkField(), {});
    Apply(DocumentEdit::SetNode(linking->Id(), std::move(fields)));
  }
  Apply(DocumentEdit::RemoveBranch(node->Id()));
}

void Editor::SetNode(TreeNode* node, NodeFields fields) { Apply(DocumentEdit::SetNode(node->Id(), std::move(fields))); }

void Editor::MoveNode(TreeNode* node, std::size_t index) { Apply(DocumentEdit::MoveNode(node->Id(), index)); }

void Editor::SetTitle(std::string title) { Apply(DocumentEdit::SetText(EditKind::SetTitle, std::move(title))); }

void Editor::SetNewLineMark(std::string mark) {
  Apply(DocumentEdit::SetText(EditKind::SetNewLineMark, std::move(mark)));
}

void Editor::SetColour(int colour) { Apply(DocumentEdit::SetColour(colour)); }

void Editor::SetRecordFolder(std::string folder) {
  Apply(DocumentEdit::SetText(EditKind::SetRecordFolder, std::move(folder)));
}

}  // namespace velmora
