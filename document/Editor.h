#pragma once
// The open document as the editor holds it: the tree, its state, the
// selection and CurrentNode, and the command states that follow from them.
// This is the model that every command changes; the Win32 tree view only
// mirrors it.

#include "document/CommandStates.h"
#include "document/DecisionTree.h"
#include "document/DocumentState.h"
#include "document/EditorView.h"
#include "document/Options.h"

namespace velmora {

class Editor {
 public:
  explicit Editor(EditorView& view);
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  DecisionTree& Tree() { return tree_; }
  const DecisionTree& Tree() const { return tree_; }
  DocumentState& State() { return state_; }
  const DocumentState& State() const { return state_; }
  CommandStates& Commands() { return commands_; }
  const CommandStates& Commands() const { return commands_; }
  EditorView& View() { return view_; }
  Options& Settings() { return options_; }
  const Options& Settings() const { return options_; }

  // The node selected in the tree view (null only for an empty tree).
  TreeNode* Selected() const { return selected_; }
  // The node the commands, the node editor and the preview act on.
  TreeNode* CurrentNode = nullptr;
  // The folder the open and save dialogs start in: that of the last file
  // opened; the settings file keeps it between runs.
  FilePath InitialDir;

  // Changes the selection and runs TreeView1Change, as a click in the tree
  // view does. Selecting the selected node again still runs it.
  void Select(TreeNode* node);

  // The selection-change handler: CurrentNode, the answer marks and the
  // availability of the structure commands follow the selected node.
  void TreeView1Change();
  // Selects the root, makes it CurrentNode and scrolls the view to it.
  void ResetTreeView();
  // Sets Modified and enables Save (not Save As).
  void MarkModified();

  // Replaces the tree and the document state in one step, as a successful
  // load does. Nothing of the old document is touched before this call, so
  // a load that fails earlier leaves it whole.
  void ReplaceDocument(DecisionTree tree, DocumentState state);

  // Deletes the node with its subtree; a selection or CurrentNode inside it
  // moves to the node's parent (to the root for a top-level node), so no
  // pointer to a deleted node survives.
  void DeleteNode(TreeNode* node);

  // The tree of a new document: root "…" (Question) with two unset answers.
  // Only the first root's subtree is replaced; further top-level nodes stay.
  void ResetToStartingTree();

 private:
  void ClearAnswerMarks();
  void UpdateStructureCommands();

  EditorView& view_;
  DecisionTree tree_;
  DocumentState state_;
  CommandStates commands_;
  Options options_;
  TreeNode* selected_ = nullptr;
};

}  // namespace velmora
