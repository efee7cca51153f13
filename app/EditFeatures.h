#pragma once
// Undo, redo and the clipboard on the application core. Every command of
// the table runs through Run, which gives the undo history what it needs:
// the step a document change records, a fresh history after New and every
// open, the save point after a save. The entries that are no commands (the
// title, the colour, Enter in the tree, a dropped file) come through Record
// and Open.
//
// The history names nodes by position, so a tree that changes behind its
// back would send an undo to the wrong node. A replaced document is caught
// here as well: every open builds a new tree, and a root the history has
// not seen starts a fresh history before anything else uses it.

#include <functional>
#include <string>

#include "app/Ports.h"
#include "document/EditHistory.h"
#include "document/Editor.h"
#include "document/MessageBoxPort.h"

namespace velmora {

class EditFeatures {
 public:
  EditFeatures(Editor& editor, ClipboardPort* clipboard);
  EditFeatures(const EditFeatures&) = delete;
  EditFeatures& operator=(const EditFeatures&) = delete;

  // Runs the action of command `id`: a typing pause of the title first,
  // then the command as the history needs it (see the top).
  void Run(int id, const std::function<void()>& action);
  // A change that is no command: recorded as one step of `kind`.
  void Record(EditStep kind, const std::function<void()>& action);
  // An open outside the commands (a dropped file, the command line).
  void Open(const std::function<void()>& action);
  // After a save outside the commands (the close sequence's).
  void AfterSave();
  // The title box lost the focus, or another command runs: the next
  // keystroke in it starts a new step.
  void PauseTyping() { history_.Pause(); }

  // Takes back (repeats) the last (next) step; the selection moves to the
  // node it changed.
  void Undo();
  void Redo();
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  // The menu items' captions, naming the step: "元に戻す(&U): 削除".
  std::string UndoCaption() const { return UndoMenuText(history_); }
  std::string RedoCaption() const { return RedoMenuText(history_); }

  // The selected branch to the clipboard; Cut removes it once it is there.
  bool CanCopy() const;
  bool CanCut() const;
  void Copy();
  void Cut();
  // The clipboard's branch as the last answer of CurrentNode. Text that is
  // no branch (or that CP932 cannot hold) is refused with a message,
  // captioned `caption`, and nothing changes.
  bool CanPaste() const;
  void Paste(MessageBoxPort& messages, const std::string& caption);

  const EditHistory& History() const { return history_; }

 private:
  // Runs `action` and then `after`, also when the action throws: a
  // document replaced part-way must not keep the old history.
  static void ThenAlways(const std::function<void()>& action, const std::function<void()>& after);
  // A fresh history when the tree is not the one the steps were taken on.
  void FollowDocument();
  void Clear();

  Editor& editor_;
  ClipboardPort* clipboard_;
  EditHistory history_;
  const TreeNode* root_ = nullptr;
};

}  // namespace velmora
