#include "document/Editor.h"

#include <utility>

namespace velmora {

Editor::Editor(EditorView& view) : view_(view) {
  // The form starts with one root "…" of kind Question, so that the first
  // New has a root to reuse.
  tree_.AddTopLevel(PlaceholderText, Question);
  selected_ = tree_.Root();
  CurrentNode = selected_;
}

void Editor::Select(TreeNode* node) {
  selected_ = node;
  TreeView1Change();
}

void Editor::TreeView1Change() {
  CurrentNode = selected_;
  if (preview_ == PreviewPhase::Ended) preview_ = PreviewPhase::Idle;
}

int AnswerMark(const TreeNode& node, const TreeNode* selected) {
  if (selected == nullptr || selected->ChildCount() != 2) return 0;
  if (&node == selected) return 1;
  if (&node == selected->FirstChild()) return 2;
  return &node == selected->LastChild() ? 3 : 0;
}

bool Editor::CanAddYes() const {
  const std::size_t answers = AnswersOfCurrent();
  return CurrentNode != nullptr && (answers == 0 || answers > 2);
}

bool Editor::CanAddNo() const {
  const std::size_t answers = AnswersOfCurrent();
  return CurrentNode != nullptr && (answers == 1 || answers > 2);
}

bool Editor::CanGenerate() const {
  if (preview_ == PreviewPhase::Running) return false;
  return preview_ == PreviewPhase::Ended || tree_.Count() >= 2;
}

void Editor::ResetTreeView() {
  Select(tree_.Root());
  CurrentNode = selected_;
  view_.ScrollToOrigin();
}

void Editor::ReplaceDocument(DecisionTree tree, DocumentState state) {
  selected_ = nullptr;
  CurrentNode = nullptr;
  tree_ = std::move(tree);
  state_ = std::move(state);
  selected_ = tree_.Root();
  CurrentNode = selected_;
  ++generation_;
  NoteChange(true);
}

void Editor::ResetToStartingTree() {
  TreeNode* root = tree_.Root();
  if (root == nullptr) root = tree_.AddTopLevel(PlaceholderText, Question);
  // A selection inside the root's subtree is about to disappear.
  if (selected_ == nullptr || selected_->Parent() != nullptr) selected_ = root;
  tree_.SetFields(*root, NodeFields{std::string(PlaceholderText), Question, LaterFields()});
  tree_.DeleteChildren(root);
  tree_.AddChild(root, PlaceholderText, KindOfMarker(PlaceholderText));
  tree_.AddChild(root, PlaceholderText, KindOfMarker(PlaceholderText));
  view_.ExpandAll();
  CurrentNode = selected_;
  ++generation_;
  NoteChange(true);
}

void Editor::NoteChange(bool tree) {
  ++revision_;
  if (tree) ++treeRevision_;
}

}  // namespace velmora
