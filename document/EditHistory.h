#pragma once
// Undo and redo of every change to the document. A command runs through
// Record, which notes beforehand what the command may change and afterwards
// keeps a step with what did change: a node's text and kind, a state value,
// a moved answer, or an added or removed branch in packed form. A step never
// holds a copy of the tree, so a procedure of 100,000 nodes costs its
// history only what its steps changed.
//
// Steps name nodes by position (document/BranchRecord.h, NodePath): a branch
// that is deleted and restored comes back as new nodes with new ids.
//
// Undo and Redo act like the command they reverse or repeat: Modified and
// Save are set (Save As too where the command sets it), except that the
// position of the last save, open or New is the saved document again and
// clears Modified and Save.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <type_traits>

#include "document/BranchRecord.h"
#include "document/Editor.h"

namespace velmora {

// What a recorded command does; it decides what is noted before it runs
// and which node it acts on.
enum class EditStep : unsigned char {
  AddAnswer,      // AddYes1, AddNo1: an answer of CurrentNode
  Paste,          // a branch added as an answer of CurrentNode
  Delete,         // the selected node's branch
  Cut,            // the same, without the question
  Exchange,       // the selected node's Yes answer moves behind the No answer
  NodeText,       // the node editor's OK on the selected node: text and kind
  Kind,           // Question1 .. Inhibit1 on the selected node
  DefaultAnswer,  // YesDefault1, NoDefault1 on CurrentNode
  NewLineMark,    // NewLine1
  Colour,         // the colour buttons
  Title,          // the title box; typing joins one step until Pause
};

class EditHistory {
 public:
  // Older steps are forgotten beyond this many.
  static constexpr std::size_t kMaxSteps = 100;

  EditHistory() = default;
  EditHistory(const EditHistory&) = delete;
  EditHistory& operator=(const EditHistory&) = delete;

  // Runs `command` (which returns anything or nothing) and keeps what it
  // changed as one step; a command that changed nothing leaves no step. A
  // new step drops the steps that could be redone. A command that throws is
  // still recorded as far as it got, then the exception goes on.
  template <typename Command>
  decltype(auto) Record(Editor& editor, EditStep kind, Command&& command) {
    Capture capture = Begin(editor, kind);
    try {
      if constexpr (std::is_void_v<std::invoke_result_t<Command&>>) {
        command();
        End(editor, capture);
      } else {
        auto result = command();
        End(editor, capture);
        return result;
      }
    } catch (...) {
      End(editor, capture);
      throw;
    }
  }

  bool CanUndo() const { return position_ > 0; }
  bool CanRedo() const { return position_ < steps_.size(); }
  // The CP932 name of the step Undo (Redo) would take ("削除"); empty when
  // there is none.
  std::string_view UndoName() const;
  std::string_view RedoName() const;

  // Takes back (repeats) one step and selects the node it changed: a
  // restored branch, the parent of a removed one, the edited node, the node
  // whose answers were exchanged; a state step keeps the selection. Returns
  // the selected node, for the view to scroll to. Without a step, nothing
  // changes.
  TreeNode* Undo(Editor& editor);
  TreeNode* Redo(Editor& editor);

  // An editing pause in the title box: the next title change starts a new
  // step. A title step that came back to where it began is dropped.
  void Pause();
  // After a successful Save or Save As: the document as it is now is the
  // saved one. The steps stay, so an author can save and still undo.
  void MarkSaved();
  // New, every open and a restored recovery copy: no steps. The document as
  // it is now counts as saved unless it is Modified.
  void Clear(const Editor& editor);

  std::size_t StepCount() const { return steps_.size(); }
  // The memory the steps hold, for the benchmark.
  std::size_t StoredBytes() const;

 private:
  static constexpr std::size_t kNoSavePoint = static_cast<std::size_t>(-1);

  // What Begin notes before a command.
  struct Capture {
    EditStep kind = EditStep::Title;
    TreeNode* node = nullptr;       // the node the command acts on
    TreeNode* answer = nullptr;     // adds: the node's last answer before; Exchange: its first
    std::size_t count = 0;          // removals: the tree's node count before
    NodePath path;                  // removals: where the branch was
    std::string text;               // a node text, a state text, or the packed branch
    int value = 0;                  // a node kind or the colour
  };

  struct Step {
    EditStep kind = EditStep::Title;
    NodePath path;       // the node changed, added or removed; the parent for Exchange
    std::string before;  // a node or state text before; the packed branch
    std::string after;
    int beforeValue = 0;  // a node kind or the colour
    int afterValue = 0;
  };

  Capture Begin(Editor& editor, EditStep kind) const;
  void End(Editor& editor, const Capture& capture);
  void Push(Step step);
  TreeNode* Apply(Editor& editor, const Step& step, bool forward) const;
  TreeNode* Move(Editor& editor, std::size_t step, bool forward);

  std::deque<Step> steps_;
  std::size_t position_ = 0;  // steps before it are done, from it on undone
  std::size_t savedAt_ = 0;
  bool titleOpen_ = false;
};

// "元に戻す(&U)" and "やり直し(&R)", followed by ": " and the step's name
// when there is one: the captions of the two menu items.
std::string UndoMenuText(const EditHistory& history);
std::string RedoMenuText(const EditHistory& history);

}  // namespace velmora
