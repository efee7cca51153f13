#include "document/Editor.h"

#include <utility>

namespace velmora {

bool CommandStates::operator==(const CommandStates& o) const {
  return Save == o.Save && SaveAs == o.SaveAs && PreView == o.PreView && Generate == o.Generate &&
         AddYes == o.AddYes && AddNo == o.AddNo && Exchange == o.Exchange && YesDefault == o.YesDefault &&
         NoDefault == o.NoDefault && Delete == o.Delete && ColourButtons == o.ColourButtons;
}

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
  ClearAnswerMarks();
  UpdateStructureCommands();
  if (CurrentNode != nullptr && CurrentNode->ChildCount() == 2) {
    CurrentNode->stateIndex = 1;
    CurrentNode->FirstChild()->stateIndex = 2;
    CurrentNode->LastChild()->stateIndex = 3;
  }
  commands_.Generate = tree_.Count() >= 2;
}

void Editor::ClearAnswerMarks() {
  tree_.ForEachPreOrder([](TreeNode& node) { node.stateIndex = 0; });
}

void Editor::UpdateStructureCommands() {
  const std::size_t children = CurrentNode ? CurrentNode->ChildCount() : 0;
  commands_.Delete = CurrentNode != nullptr && CurrentNode->Level() != 0;
  commands_.AddYes = CurrentNode != nullptr && (children == 0 || children > 2);
  commands_.AddNo = CurrentNode != nullptr && (children == 1 || children > 2);
  commands_.Exchange = children == 2;
  commands_.YesDefault = children == 2;
  commands_.NoDefault = children == 2;
}

void Editor::ResetTreeView() {
  Select(tree_.Root());
  CurrentNode = selected_;
  view_.ScrollToOrigin();
}

void Editor::MarkModified() {
  state_.Modified = true;
  commands_.Save = true;
}

void Editor::ReplaceDocument(DecisionTree tree, DocumentState state) {
  selected_ = nullptr;
  CurrentNode = nullptr;
  tree_ = std::move(tree);
  state_ = std::move(state);
  selected_ = tree_.Root();
  CurrentNode = selected_;
}

void Editor::DeleteNode(TreeNode* node) {
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

void Editor::ResetToStartingTree() {
  TreeNode* root = tree_.Root();
  if (root == nullptr) root = tree_.AddTopLevel(PlaceholderText, Question);
  // A selection inside the root's subtree is about to disappear.
  if (selected_ == nullptr || selected_->Parent() != nullptr) selected_ = root;
  root->SetText(PlaceholderText);
  root->kind = Question;
  tree_.DeleteChildren(root);
  tree_.AddChild(root, PlaceholderText, KindOfMarker(PlaceholderText));
  tree_.AddChild(root, PlaceholderText, KindOfMarker(PlaceholderText));
  tree_.ExpandAll();
  CurrentNode = selected_;
}

}  // namespace velmora
