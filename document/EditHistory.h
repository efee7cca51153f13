#pragma once
// Undo and redo of every change to the document. A command runs through
// Record, which keeps the inverses of the edits it made (DocumentEdit.h) as
// one step; undoing the step applies them in reverse order and keeps their
// inverses in turn for the redo. A step never holds a copy of the tree, so a
// procedure of 100,000 nodes costs its history only what its steps changed.
//
// Undo and Redo act like the command they reverse or repeat: the edits mark
// the document modified, except that the position of the last save, open
// or New is the saved document again and clears Modified.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "document/Editor.h"

namespace velmora {

class EditHistory {
 public:
  // Older steps are forgotten beyond this many.
  static constexpr std::size_t kMaxSteps = 100;

  // Typing in the title box: the keystrokes up to a pause are one step.
  enum class Typing : unsigned char { No, Yes };

  EditHistory() = default;
  EditHistory(const EditHistory&) = delete;
  EditHistory& operator=(const EditHistory&) = delete;

  // Runs `command` (which returns anything or nothing) and keeps the edits
  // it made as one step named `name` (CP932, as the menu item of the
  // command says it); a command that changed nothing leaves no step. A new
  // step drops the steps that could be redone. A command that throws is
  // still recorded as far as it got, then the exception goes on.
  template <typename Command>
  decltype(auto) Record(Editor& editor, std::string_view name, Command&& command, Typing typing = Typing::No) {
    Editor::Recording recording(editor);
    try {
      if constexpr (std::is_void_v<std::invoke_result_t<Command&>>) {
        command();
        Keep(name, std::move(recording.Inverses()), typing);
      } else {
        auto result = command();
        Keep(name, std::move(recording.Inverses()), typing);
        return result;
      }
    } catch (...) {
      Keep(name, std::move(recording.Inverses()), typing);
      throw;
    }
  }

  bool CanUndo() const { return position_ > 0; }
  bool CanRedo() const { return position_ < steps_.size(); }
  // The CP932 name of the step Undo (Redo) would take ("削除"); empty when
  // there is none.
  std::string_view UndoName() const { return CanUndo() ? std::string_view(steps_[position_ - 1].name) : std::string_view(); }
  std::string_view RedoName() const { return CanRedo() ? std::string_view(steps_[position_].name) : std::string_view(); }

  // Takes back (repeats) one step and selects the node it changed: a
  // restored branch, the parent of a removed one, the edited node, the node
  // whose answers were exchanged; a step of the document's fields keeps the
  // selection. Returns the selected node, for the view to scroll to.
  // Without a step, nothing changes.
  TreeNode* Undo(Editor& editor);
  TreeNode* Redo(Editor& editor);

  // An editing pause in the title box: the next title change starts a new
  // step. A title step that came back to where it began is dropped.
  void Pause(const Editor& editor);
  // After a successful Save or Save As: the document as it is now is the
  // saved one. The steps stay, so an author can save and still undo.
  void MarkSaved(const Editor& editor);
  // New, every open and a restored recovery copy: no steps. The document as
  // it is now counts as saved unless it is Modified.
  void Clear(const Editor& editor);

  std::size_t StepCount() const { return steps_.size(); }
  // The memory the steps hold, for the benchmark.
  std::size_t StoredBytes() const;

 private:
  static constexpr std::size_t kNoSavePoint = static_cast<std::size_t>(-1);

  struct Step {
    std::string name;
    // The edits that take the step back (Undo) or repeat it (Redo), in the
    // order they were made; they are applied from the last to the first.
    std::vector<DocumentEdit> edits;
    bool typing = false;
  };

  void Keep(std::string_view name, std::vector<DocumentEdit> inverses, Typing typing);
  void Push(Step step);
  TreeNode* Move(Editor& editor, Step& step);

  std::deque<Step> steps_;
  std::size_t position_ = 0;  // steps before it are done, from it on undone
  std::size_t savedAt_ = 0;
  bool typingOpen_ = false;
};

// "元に戻す(&U)" and "やり直し(&R)", followed by ": " and the step's name
// when there is one: the captions of the two menu items.
std::string UndoMenuText(const EditHistory& history);
std::string RedoMenuText(const EditHistory& history);

}  // namespace velmora
