#pragma once
// A preview run: one step dialog per node, Yes to the first child, No to the
// last, Ok on an end with a link to the step it names, Back to the step
// before, until an answer ends it. The run itself knows
// nothing of windows; the editor, the player and the CLI each drive it with
// their own step dialogs.

#include <cstdint>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <memory>

#include "distribution/StepDialogPort.h"
#include "distribution/TaskbarProgressPort.h"
#include "document/DecisionTree.h"
#include "document/DocumentState.h"
#include "document/StepList.h"

namespace velmora {

class Editor;

// One button of a step dialog, left to right: its caption (CP932, with the
// "&" of an accelerator) and the answer it gives.
struct StepButton {
  std::string_view caption;
  StepAnswer answer;
};

// The buttons of one step dialog, left to right, in a fixed row: the
// player stub then needs no growing array for them.
class StepButtonRow {
 public:
  StepButtonRow(std::initializer_list<StepButton> buttons) {
    for (const StepButton& button : buttons) buttons_[count_++] = button;
  }
  const StepButton* begin() const { return buttons_; }
  const StepButton* end() const { return buttons_ + count_; }
  std::size_t size() const { return count_; }
  const StepButton& operator[](std::size_t index) const { return buttons_[index]; }

 private:
  StepButton buttons_[3]{};
  std::size_t count_ = 0;
};

// Question: "はい(&Y)", "いいえ(&N)", then "戻る" (or "終了" at the top level).
// End of a path: "ＯＫ", then "戻る" (or "終了").
StepButtonRow StepButtons(bool question, bool topLevel);

// The dialog's type in the words the node editor uses for the kinds (CP932),
// as show and check name them; an unset node's dialog is a notice. The step
// dialog's icon carries it as its name, so a screen reader tells the kind.
std::string_view DialogTypeName(StepDialogType type);

// The caption of the player's third button at an end of a path:
// "経路をコピー(&C)" (copy the path).
extern const std::string_view kCopyPathCaption;

// Whether each step carries the path taken so far (StepDescription::path).
enum class PathCopy { Off, Offered };

// The taskbar value of a step: completed d + 1 of total m + 1.
struct StepProgress {
  std::uint64_t completed = 0;
  std::uint64_t total = 0;
  bool operator==(const StepProgress& other) const {
    return completed == other.completed && total == other.total;
  }
};

// The state machine of a run over a procedure that stays unchanged while
// it runs.
class PreviewRun {
 public:
  // Starts at the step `start`. The copied path names the procedure's
  // `version` (ContentVersion.h) where one is given.
  PreviewRun(const StepList& steps, const DocumentState& state, std::size_t start, std::string_view version = {});

  bool Finished() const { return current_ == StepList::kNone; }
  // The step on show; StepList::kNone once the run has ended.
  std::size_t Current() const { return current_; }

  // What the current step's dialog shows.
  StepDescription DescribeStep() const;
  // The path from where the run began to the current step as plain text:
  // the title, each question answered with its answer, each link taken
  // with its target's line ("→ 7"), then the current
  // step's message (a question not yet answered, or the final message),
  // an end's outcome and the version.
  std::string PathSoFar() const;
  // Depth of the current step within its own subtree, for the taskbar.
  StepProgress Progress() const;
  // The bar state for the document's colour.
  TaskbarProgressState ProgressState() const;

  // Moves to the step the answer leads to, or ends the run.
  void Answer(StepAnswer answer);


 private:
  // Goes on at `step` (kNone ends the run), and on past every end with a
  // link and no message of its own: there is nothing to show. A step the
  // run comes back to (round a loop) takes the history back to where it
  // was first shown: Back and the copied path then follow the way to the
  // step without the rounds, and a run round a loop a thousand times holds
  // what it held the first time.
  void MoveTo(std::size_t step);
  // An end with a link and no message of its own.
  bool PassedAtOnce(std::size_t step) const;

  const StepList& steps_;
  const DocumentState& state_;
  std::string_view version_;
  std::size_t current_;
  // The steps the run went on from to reach the current step, oldest
  // first: each question answered with its answer (Yes and No may lead to
  // the same only answer), each end it went on from by its link with Ok.
  // Back goes to the last of them, across a link too; with none left, up
  // a level. No step stands in it twice (MoveTo): room for every step, no
  // growing array.
  struct TakenStep {
    std::size_t step;
    StepAnswer answer;
  };
  std::unique_ptr<TakenStep[]> taken_;
  std::size_t takenCount_ = 0;
};

// Drives a whole run: sets the taskbar state and value at every step (when a
// taskbar is given), shows the dialogs, follows the answers, and clears the
// bar at the end, also when a dialog fails with an exception. Whoever
// watches the steps does so in its dialogs (StepDescription::index): the
// player stub then carries no function object for it.
void RunPreview(const StepList& steps, const DocumentState& state, std::size_t start, StepDialogPort& dialogs,
                TaskbarProgressPort* taskbar, PathCopy pathCopy = PathCopy::Off, std::string_view version = {});

// A run over a tree: its nodes as steps (TreeSteps.h), from `start`, or from
// the root when nothing is selected; `beforeStep` gets the node.
void RunPreview(const DecisionTree& tree, const DocumentState& state, TreeNode* start, StepDialogPort& dialogs,
                TaskbarProgressPort* taskbar, const std::function<void(TreeNode* node)>& beforeStep = {},
                PathCopy pathCopy = PathCopy::Off);

// PreViewBtnClick on the editor's model. During the run Preview and Generate
// are disabled and the selection (with CurrentNode and the answer marks)
// follows the node on show; at the end the root is selected again and both
// commands are enabled. `showChanges` is called whenever the editor changed,
// so the window can mirror the selection and the command states.
void RunEditorPreview(Editor& editor, StepDialogPort& dialogs, TaskbarProgressPort* taskbar,
                      const std::function<void()>& showChanges);

}  // namespace velmora
