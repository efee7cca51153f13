#include "document/EditCommands.h"

#include <vector>

#include "document/BranchRecord.h"
#include "document/NodeEditorProcedure.h"
#include "document/NodeLinks.h"

namespace velmora {

bool TreeView1DblClick(Editor& editor, NodeEditorPort& nodeEditor) {
  editor.CurrentNode = editor.Selected();
  TreeNode* node = editor.CurrentNode;
  if (node == nullptr) return false;
  const std::optional<NodeEditorResult> result = nodeEditor.EditNode(NodeEditorInputFor(editor.Tree(), *node, editor.State().NewLineMark));
  // The tree is expanded after Cancel as well: the editor always leaves the
  // author looking at the whole procedure.
  editor.View().ExpandAll();
  if (!result) return false;
  editor.SetNode(node, NodeFieldsFromEditor(editor.Tree().FieldsOf(*node), *result, editor.State().NewLineMark));
  // OK counts as a change even where nothing changed (no undo step then).
  editor.MarkModified();
  editor.OfferSaveAs();
  return true;
}

void AddYes1Click(Editor& editor) {
  TreeNode* parent = editor.CurrentNode;
  if (parent == nullptr) return;
  ShowAddedAnswer(editor, editor.AddBranch(parent, PackNode(PlaceholderText, KindOfMarker(PlaceholderText))));
}

void ShowAddedAnswer(Editor& editor, TreeNode* added) {
  editor.View().ExpandAll();
  editor.ResetTreeView();
  editor.Select(added);
}

void Exchange1Click(Editor& editor) {
  TreeNode* selected = editor.Selected();
  // Reachable only with two answers; without any there is nothing to move.
  if (selected == nullptr || !selected->HasChildren()) return;
  editor.CurrentNode = selected->FirstChild();
  editor.MoveNode(editor.CurrentNode, selected->ChildCount() - 1);
  editor.View().ExpandAll();
  editor.ResetTreeView();
}

std::string DeleteQuestionText(const DecisionTree& tree, const TreeNode& node) {
  std::string text = std::string(node.Text()) + "\r\n\r\n" + kDeleteQuestionTail;
  // The links into the branch go with it (Editor::RemoveBranch): the
  // author agrees to that too, or deletes nothing.
  if (const std::size_t links = LinksInto(tree, node).size()) {
    text += "\r\n" + std::string(kLinksIntoHead) + std::to_string(links) + kLinksIntoTail;
  }
  if (!node.HasChildren()) return text;
  // The author sees one line of the tree; what hangs below it goes too.
  std::size_t below = 0;
  std::vector<const TreeNode*> pending{&node};
  while (!pending.empty()) {
    const TreeNode* at = pending.back();
    pending.pop_back();
    for (const TreeNode* child : at->Children()) {
      ++below;
      pending.push_back(child);
    }
  }
  return text + "\r\n" + kAnswersBelowHead + std::to_string(below) + kAnswersBelowTail;
}

bool Delete1Click(Editor& editor, MessageBoxPort& messages, const std::string& caption) {
  editor.CurrentNode = editor.Selected();
  TreeNode* node = editor.CurrentNode;
  // The root is never deleted; the menu item is disabled for it.
  if (node == nullptr || node->Level() == 0) return false;
  const unsigned flags = message_box::kYesNo | message_box::kIconQuestion;
  // Only an explicit Yes deletes: a box that could not be shown answers 0,
  // and that must not remove a subtree unasked.
  if (messages.ShowMessage(DeleteQuestionText(editor.Tree(), *node), caption, flags) != message_box::kAnswerYes) return false;
  DeleteBranch(editor, node);
  return true;
}

void DeleteBranch(Editor& editor, TreeNode* node) {
  TreeNode* parent = node->Parent();
  editor.RemoveBranch(node);
  editor.ResetTreeView();
  editor.Select(parent);
}

void SetKindClick(Editor& editor, int kind) {
  editor.CurrentNode = editor.Selected();
  TreeNode* node = editor.CurrentNode;
  if (node == nullptr) return;
  NodeFields fields = editor.Tree().FieldsOf(*node);
  fields.text = StripKindMarker(fields.text);
  fields.kind = kind;
  editor.SetNode(node, std::move(fields));
  editor.MarkModified();
  editor.TreeView1Change();
}

void YesDefault1Click(Editor& editor) {
  TreeNode* node = editor.CurrentNode;
  if (node == nullptr || !node->HasChildren()) return;
  NodeFields fields = editor.Tree().FieldsOf(*node);
  fields.text = RemoveDefaultSuffix(fields.text);
  editor.SetNode(node, std::move(fields));
  editor.MarkModified();
}

void NoDefault1Click(Editor& editor) {
  TreeNode* node = editor.CurrentNode;
  if (node == nullptr || !node->HasChildren()) return;
  NodeFields fields = editor.Tree().FieldsOf(*node);
  fields.text = AppendNoDefault(RemoveDefaultSuffix(fields.text));
  editor.SetNode(node, std::move(fields));
  editor.MarkModified();
}

void NewLine1Click(Editor& editor, InputBoxPort& inputBox, const std::string& productTitle) {
  const std::string previous = editor.State().NewLineMark;
  const std::optional<std::string> answer = inputBox.AskText(productTitle, kNewLinePrompt, previous);
  if (answer && *answer != previous) editor.SetNewLineMark(*answer);
}

void RecordFolder1Click(Editor& editor, InputBoxPort& inputBox, const std::string& productTitle) {
  const std::string previous = editor.State().RecordFolder;
  const std::optional<std::string> answer = inputBox.AskText(productTitle, kRecordFolderPrompt, previous);
  if (!answer) return;
  const std::string folder = TrimBlanks(*answer);
  if (folder != previous) editor.SetRecordFolder(folder);
}

void ShowButtons1Click(Editor& editor, bool checked) { editor.Settings().ShowButtons = checked; }
void CloseQuery1Click(Editor& editor, bool checked) { editor.Settings().CloseQuery = checked; }
void SaveStatus1Click(Editor& editor, bool checked) { editor.Settings().SaveStatus = checked; }

void LabeledEdit1Change(Editor& editor, const std::string& title) {
  editor.SetTitle(title);
}

bool LabeledEdit1KeyPress(int key) { return key != kEnterKey; }

bool TreeView1KeyPress(Editor& editor, NodeEditorPort& nodeEditor, int key) {
  if (key != kEnterKey) return true;
  TreeView1DblClick(editor, nodeEditor);
  return false;
}

}  // namespace velmora
