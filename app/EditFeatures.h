#pragma once
// Undo, redo and the clipboard on the application core. Every entry that
// may change the document runs through Run (a command, named for its undo
// step) or Record (the title, the colour, Enter in the tree): the edits it
// makes become one undo step by construction. Afterwards the history
// follows the document: a replaced document (New, an open, a recovered
// copy) starts a fresh history, a save moves the save point.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

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

  // Runs `action` as one undo step named `stepName` (CP932): a typing
  // pause of the title first, then the action, then the history follows
  // the document (see the top), also when the action throws. The title
  // box's changes come with Typing::Yes: the keystrokes up to a pause are
  // one step.
  void Run(std::string_view stepName, const std::function<void()>& action,
           EditHistory::Typing typing = EditHistory::Typing::No);
  // An open outside the commands (a dropped file, the command line), or a
  // save (the close sequence's): only the following.
  void Follow(const std::function<void()>& action);
  void AfterSave() { FollowDocument(); }
  // The title box lost the focus, or another command runs: the next
  // keystroke in it starts a new step.
  void PauseTyping() { history_.Pause(editor_); }

  // Takes back (repeats) the last (next) step; the selection moves to the
  // node it changed. Called from inside Run, which follows the document.
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
  // A fresh history for a replaced document; the save point after a save.
  void FollowDocument();

  Editor& editor_;
  ClipboardPort* clipboard_;
  EditHistory history_;
  std::uint64_t generation_;
  std::uint64_t saves_;
};

}  // namespace velmora
