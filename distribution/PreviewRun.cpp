#include "distribution/PreviewRun.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "document/Editor.h"
#include "document/TextRules.h"

namespace velmora {
namespace {

// Button captions in CP932.
constexpr std::string_view kYesCaption = "\x82\xCD\x82\xA2(&Y)";          // はい(&Y)
constexpr std::string_view kNoCaption = "\x82\xA2\x82\xA2\x82\xA6(&N)";   // いいえ(&N)
constexpr std::string_view kBackCaption = "\x96\xDF\x82\xE9";             // 戻る
constexpr std::string_view kFinishCaption = "\x8F\x49\x97\xB9";           // 終了
constexpr std::string_view kOkCaption = "\x82\x6E\x82\x6A";               // ＯＫ (full width)

StepDialogType DialogTypeOf(int kind) {
  switch (kind) {
    case Question: return StepDialogType::Confirmation;
    case Exclaimation: return StepDialogType::Warning;
    case Inhibit: return StepDialogType::Error;
    default: return StepDialogType::Information;  // Information, Unset, anything else
  }
}

// Ends the run's side effects however the run ends, so that an exception
// from a dialog never leaves the taskbar bar or the editor's commands stuck.
template <typename Finish>
class RunEnd {
 public:
  explicit RunEnd(Finish finish) : finish_(std::move(finish)) {}
  RunEnd(const RunEnd&) = delete;
  RunEnd& operator=(const RunEnd&) = delete;
  // A failure while ending after another failure must not terminate the
  // program; the first error is the one worth reporting.
  ~RunEnd() noexcept(false) {
    if (std::uncaught_exceptions() == 0) {
      finish_();
      return;
    }
    try {
      finish_();
    } catch (...) {
    }
  }

 private:
  Finish finish_;
};

}  // namespace

std::vector<StepButton> StepButtons(bool question, bool topLevel) {
  const std::string_view back = topLevel ? kFinishCaption : kBackCaption;
  if (question) {
    return {{kYesCaption, StepAnswer::Yes}, {kNoCaption, StepAnswer::No}, {back, StepAnswer::Back}};
  }
  return {{kOkCaption, StepAnswer::Ok}, {back, StepAnswer::LeafBack}};
}

PreviewRun::PreviewRun(const DecisionTree& tree, const DocumentState& state, TreeNode* start)
    : tree_(tree), state_(state), current_(start != nullptr ? start : tree.Root()) {}

StepDescription PreviewRun::DescribeStep() const {
  StepDescription step;
  step.message = ExpandNewLines(current_->Text(), state_.NewLineMark);
  step.caption = TrimBlanks(state_.Title);
  step.type = DialogTypeOf(current_->kind);
  step.question = current_->HasChildren();
  step.topLevel = current_->Level() == 0;
  if (step.question) {
    // Only a question's text carries a default answer; an end of a path
    // shows its text as written.
    const DefaultSuffix suffix = DefaultSuffixOf(step.message);
    step.noDefault = suffix == DefaultSuffix::No;
    step.message = RemoveDefaultSuffix(step.message);
  }
  return step;
}

StepProgress PreviewRun::Progress() const {
  const int depth = current_->Level();
  int deepest = depth;
  for (const TreeNode* node = tree_.NextPreOrder(current_); node != nullptr && node->Level() > depth;
       node = tree_.NextPreOrder(node)) {
    deepest = std::max(deepest, node->Level());
  }
  return {static_cast<std::uint64_t>(depth) + 1, static_cast<std::uint64_t>(deepest) + 1};
}

TaskbarProgressState PreviewRun::ProgressState() const { return ProgressStateForColour(state_.Color); }

void PreviewRun::Answer(StepAnswer answer) {
  switch (answer) {
    case StepAnswer::Yes: current_ = current_->FirstChild(); break;
    case StepAnswer::No: current_ = current_->LastChild(); break;
    case StepAnswer::Back:
    case StepAnswer::LeafBack: current_ = current_->Parent(); break;  // null at level 0: the end
    case StepAnswer::Ok:
    case StepAnswer::Closed: current_ = nullptr; break;
  }
}

void RunPreview(const DecisionTree& tree, const DocumentState& state, TreeNode* start, StepDialogPort& dialogs,
                TaskbarProgressPort* taskbar, const StepObserver& beforeStep) {
  RunEnd clearBar([taskbar] {
    if (taskbar == nullptr) return;
    taskbar->SetTaskbarProgressValue(0, kClearedProgressTotal);
    taskbar->SetTaskbarProgressState(TaskbarProgressState::None);
  });
  for (PreviewRun run(tree, state, start); !run.Finished();) {
    if (taskbar != nullptr) taskbar->SetTaskbarProgressState(run.ProgressState());
    if (beforeStep) beforeStep(run.Current());
    if (taskbar != nullptr) {
      const StepProgress progress = run.Progress();
      taskbar->SetTaskbarProgressValue(progress.completed, progress.total);
    }
    run.Answer(dialogs.ShowStepDialog(run.DescribeStep()));
  }
}

void RunEditorPreview(Editor& editor, StepDialogPort& dialogs, TaskbarProgressPort* taskbar,
                      const std::function<void()>& showChanges) {
  const auto notify = [&showChanges] {
    if (showChanges) showChanges();
  };
  RunEnd restoreEditor([&editor, &notify] {
    editor.ResetTreeView();
    // Both come back whatever the size of the tree: Generate too, even for a
    // lone root that the selection handling would leave disabled.
    editor.Commands().PreView = true;
    editor.Commands().Generate = true;
    notify();
  });
  RunPreview(editor.Tree(), editor.State(), editor.Selected(), dialogs, taskbar, [&](TreeNode* node) {
    if (editor.Selected() != node) editor.Select(node);
    editor.CurrentNode = node;
    // Moving the selection re-evaluates Generate, so both are disabled again
    // at every step, before the window shows the new state.
    editor.Commands().PreView = false;
    editor.Commands().Generate = false;
    notify();
  });
}

}  // namespace velmora
