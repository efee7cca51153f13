#pragma once
// The open document as the editor holds it: the tree and its state, changed
// only through the document's own edits (DocumentEdit.h), the selection and
// CurrentNode, and the rules that say which commands are available. This is
// the model every command changes; the Win32 tree view only mirrors it.

#include <cstdint>
#include <string>
#include <vector>

#include "document/DecisionTree.h"
#include "document/DocumentEdit.h"
#include "document/DocumentState.h"
#include "document/EditorView.h"
#include "document/Options.h"

namespace velmora {

// The answer mark the tree view shows beside `node` while `selected` is the
// selection: 1 on a selected question with two answers, 2 on its Yes
// answer, 3 on its No answer, 0 everywhere else.
int AnswerMark(const TreeNode& node, const TreeNode* selected);

class Editor {
 public:
  explicit Editor(EditorView& view);
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  // Read-only: the document changes only through the edits below, each
  // with its inverse, so nothing outside can change it behind undo's back.
  const DecisionTree& Tree() const { return tree_; }
  DocumentState& State() { return state_; }
  const DocumentState& State() const { return state_; }
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

  // -------------------------------------------------------------------------
  // The document's edits. Apply is the one way the open document changes:
  // it bumps the revision, marks the document modified (a colour of a
  // document without a file excepted: the colour is then no change to any
  // file) and, while a recording is open, keeps the inverse.
  AppliedEdit Apply(const DocumentEdit& edit);
  // The same, spelled for commands. AddBranch appends a packed branch
  // (BranchRecord.h) as the last answer of `parent` and returns its top.
  TreeNode* AddBranch(TreeNode* parent, std::string packed);
  void RemoveBranch(TreeNode* node);
  void SetNode(TreeNode* node, NodeFields fields);
  void MoveNode(TreeNode* node, std::size_t index);
  void SetTitle(std::string title);
  void SetNewLineMark(std::string mark);
  void SetRecordFolder(std::string folder);
  void SetColour(int colour);

  // Collects the inverses of the edits applied while it lives, for one
  // undo step; edits that changed nothing are left out.
  class Recording {
   public:
    explicit Recording(Editor& editor) : editor_(editor), outer_(editor.recording_) { editor.recording_ = &inverses_; }
    Recording(const Recording&) = delete;
    Recording& operator=(const Recording&) = delete;
    ~Recording() { editor_.recording_ = outer_; }
    std::vector<DocumentEdit>& Inverses() { return inverses_; }

   private:
    Editor& editor_;
    std::vector<DocumentEdit>* outer_;
    std::vector<DocumentEdit> inverses_;
  };

  // Grows with every edit and replacement: the same number, the same
  // document.
  std::uint64_t Revision() const { return revision_; }
  // Grows with every change to the tree's nodes (not the title, the
  // colour or the newline mark).
  std::uint64_t TreeRevision() const { return treeRevision_; }
  // Grows whenever the document is replaced (New, every open, a recovered
  // copy): node ids and undo steps of the old one mean nothing any more.
  std::uint64_t Generation() const { return generation_; }
  // Grows with every save: the document as it is now is the file's.
  std::uint64_t Saves() const { return saves_; }
  void NoteSaved() { ++saves_; }

  // -------------------------------------------------------------------------
  // The selection.

  // Changes the selection and runs TreeView1Change, as a click in the tree
  // view does. Selecting the selected node again still runs it.
  void Select(TreeNode* node);
  // The selection-change handler: CurrentNode follows the selected node
  // (the answer marks follow it too, see AnswerMark).
  void TreeView1Change();
  // Selects the root, makes it CurrentNode and scrolls the view to it.
  void ResetTreeView();
  // Sets Modified (which enables Save).
  void MarkModified() { state_.Modified = true; }

  // Replaces the tree and the document state in one step, as a successful
  // load does. Nothing of the old document is touched before this call, so
  // a load that fails earlier leaves it whole.
  void ReplaceDocument(DecisionTree tree, DocumentState state);

  // The tree of a new document: root "…" (Question) with two unset answers.
  // Only the first root's subtree is replaced; further top-level nodes stay.
  void ResetToStartingTree();

  // -------------------------------------------------------------------------
  // The rules of the commands, from the document and the selection.

  bool CanSave() const { return state_.Modified; }
  // Save As is offered once the document was opened, edited in the node
  // editor or given a colour with a file; it is never withdrawn again.
  bool CanSaveAs() const { return saveAsOffered_; }
  void OfferSaveAs() { saveAsOffered_ = true; }
  // A node without answers takes a Yes answer, a node with one a No
  // answer; a node with more than two (a file can hold them) takes either.
  bool CanAddYes() const;
  bool CanAddNo() const;
  bool CanAddAnswer() const { return CanAddYes() || CanAddNo(); }
  // Exchange and the default answers are for a question with two answers.
  bool CanExchange() const { return AnswersOfCurrent() == 2; }
  bool CanSetDefault() const { return AnswersOfCurrent() == 2; }
  // The root is never deleted.
  bool CanDelete() const { return CurrentNode != nullptr && CurrentNode->Level() != 0; }
  // A run of the preview takes both commands away while it lasts; its end
  // gives Generate back even for a lone root, until the selection moves.
  bool CanPreview() const { return preview_ != PreviewPhase::Running; }
  bool CanGenerate() const;
  void PreviewStarted() { preview_ = PreviewPhase::Running; }
  void PreviewEnded() { preview_ = PreviewPhase::Ended; }

 private:
  enum class PreviewPhase : unsigned char { Idle, Running, Ended };

  std::size_t AnswersOfCurrent() const { return CurrentNode != nullptr ? CurrentNode->ChildCount() : 0; }
  void NoteChange(bool tree);
  // Removes the node's branch; a selection or CurrentNode inside it moves
  // to the node's parent (to the root for a top-level node), so no pointer
  // to a removed node survives.
  void RemoveKeepingSelection(TreeNode* node);
  AppliedEdit ApplyToTree(const DocumentEdit& edit);
  AppliedEdit ApplyToState(const DocumentEdit& edit);

  EditorView& view_;
  DecisionTree tree_;
  DocumentState state_;
  Options options_;
  TreeNode* selected_ = nullptr;
  std::vector<DocumentEdit>* recording_ = nullptr;
  std::uint64_t revision_ = 0;
  std::uint64_t treeRevision_ = 0;
  std::uint64_t generation_ = 0;
  std::uint64_t saves_ = 0;
  bool saveAsOffered_ = false;
  PreviewPhase preview_ = PreviewPhase::Idle;
};

}  // namespace velmora
