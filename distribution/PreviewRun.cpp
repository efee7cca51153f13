#include "distribution/PreviewRun.h"

#include "document/KindNames.h"

#include <algorithm>

#include "distribution/RunEnd.h"
#include "document/Errors.h"
#include "document/TextRules.h"

namespace velmora {
namespace {

// Button captions in CP932.
constexpr std::string_view kYesCaption = "\x82\xCD\x82\xA2(&Y)";          // はい(&Y)
constexpr std::string_view kNoCaption = "\x82\xA2\x82\xA2\x82\xA6(&N)";   // いいえ(&N)
constexpr std::string_view kBackCaption = "\x96\xDF\x82\xE9";             // 戻る
constexpr std::string_view kFinishCaption = "\x8F\x49\x97\xB9";           // 終了
constexpr std::string_view kOkCaption = "\x82\x6E\x82\x6A";               // ＯＫ (full width)

// Labels of the copied path: "[質問] ", "[回答] ", "[結果] ", and the
// answers "はい" and "いいえ".
constexpr std::string_view kQuestionLabel = "[\x8E\xBF\x96\xE2] ";
constexpr std::string_view kAnswerLabel = "[\x89\xF1\x93\x9A] ";
constexpr std::string_view kResultLabel = "[\x8C\x8B\x89\xCA] ";
constexpr std::string_view kYesText = "\x82\xCD\x82\xA2";
constexpr std::string_view kNoText = "\x82\xA2\x82\xA2\x82\xA6";
// An end's outcome in the copied path, "[解決状況] "; the procedure's
// version there, "[版] ".
constexpr std::string_view kOutcomeLabel = "[\x89\xF0\x8C\x88\x8F\xF3\x8B\xB5] ";
constexpr std::string_view kVersionLabel = "[\x94\xC5] ";
// An end the run went on from by its link, "[手順] ", and the jump, "→ ".
constexpr std::string_view kStepLabel = "[\x8e\xe8\x8f\x87] ";
constexpr std::string_view kJumpLabel = "\x81\xa8 ";

// Each kind is the dialog type of the same number (see DialogTypeName);
// Unset, and anything else a file may hold, is a notice.
StepDialogType DialogTypeOf(int kind) {
  return kind >= Question && kind <= Inhibit ? static_cast<StepDialogType>(kind) : StepDialogType::Information;
}

}  // namespace

// 経路をコピー(&C)
const std::string_view kCopyPathCaption = "\x8C\x6F\x98\x48\x82\xF0\x83\x52\x83\x73\x81\x5B(&C)";

// Each dialog type is the kind of the same number.
static_assert(static_cast<int>(StepDialogType::Confirmation) == Question &&
              static_cast<int>(StepDialogType::Information) == Information &&
              static_cast<int>(StepDialogType::Warning) == Exclaimation &&
              static_cast<int>(StepDialogType::Error) == Inhibit);

std::string_view DialogTypeName(StepDialogType type) { return KindName(static_cast<int>(type)); }

StepButtonRow StepButtons(bool question, bool topLevel) {
  const std::string_view back = topLevel ? kFinishCaption : kBackCaption;
  if (question) {
    return {{kYesCaption, StepAnswer::Yes}, {kNoCaption, StepAnswer::No}, {back, StepAnswer::Back}};
  }
  return {{kOkCaption, StepAnswer::Ok}, {back, StepAnswer::LeafBack}};
}

namespace {

int DeepestLevel(const StepList& steps, std::size_t from, std::size_t to) {
  int deepest = 0;
  for (std::size_t i = from; i < to; ++i) deepest = std::max(deepest, steps[i].level);
  return deepest;
}

}  // namespace

PreviewRun::PreviewRun(const StepList& steps, const DocumentState& state, std::size_t start, std::string_view version)
    : steps_(steps),
      state_(state),
      version_(version),
      current_(start < steps.Size() ? start : StepList::kNone),
      taken_(new TakenStep[steps.Size() + 1]) {}

StepDescription PreviewRun::DescribeStep() const {
  const Step& current = steps_[current_];
  StepDescription step;
  step.index = current_;
  step.message = ExpandNewLines(current.text, state_.NewLineMark);
  step.caption = TrimBlanks(state_.Title);
  step.type = DialogTypeOf(current.kind);
  step.question = steps_.HasAnswers(current_);
  // "終了" only where Back would end the run.
  step.topLevel = current.level == 0 && takenCount_ == 0;
  step.picture = current.picture;
  step.alt = current.alt;
  if (step.question) {
    // Only a question's text carries a default answer; an end of a path
    // shows its text as written.
    const DefaultSuffix suffix = DefaultSuffixOf(step.message);
    step.noDefault = suffix == DefaultSuffix::No;
    step.message = RemoveDefaultSuffix(step.message);
    return step;
  }
  // An end says in words how the procedure ended; one that sends the end
  // user to support offers the path's copy first, for the call.
  if (current.outcome != Outcome::None) {
    step.message += "\r\n\r\n";
    step.message += kOutcomeLead;
    step.message += OutcomeLabel(current.outcome);
    step.copyFirst = current.outcome == Outcome::Contact;
  }
  return step;
}

std::string PreviewRun::PathSoFar() const {
  std::string text = TrimBlanks(state_.Title);
  text += "\r\n";
  const auto line = [&text](std::string_view label, std::string_view value) {
    text += label;
    text += value;
    text += "\r\n";
  };
  for (std::size_t i = 0; i < takenCount_; ++i) {
    // A question with its answer, or an end the run went on from with the
    // line it went on at.
    const TakenStep& taken = taken_[i];
    const bool jumped = taken.answer == StepAnswer::Ok;
    line(jumped ? kStepLabel : kQuestionLabel,
         RemoveDefaultSuffix(ExpandNewLines(steps_[taken.step].text, state_.NewLineMark)));
    if (jumped) {
      line(kJumpLabel, DecimalText(steps_[taken.step].link + 1));
    } else {
      line(kAnswerLabel, taken.answer == StepAnswer::Yes ? kYesText : kNoText);
    }
  }
  // The current step: a question without its default answer, an end as
  // written (without the outcome line its dialog adds).
  const Step& current = steps_[current_];
  const bool question = steps_.HasAnswers(current_);
  const std::string message = ExpandNewLines(current.text, state_.NewLineMark);
  line(question ? kQuestionLabel : kResultLabel, question ? RemoveDefaultSuffix(message) : message);
  if (!question && current.outcome != Outcome::None) line(kOutcomeLabel, OutcomeLabel(current.outcome));
  if (!version_.empty()) line(kVersionLabel, version_);
  return text;
}

StepProgress PreviewRun::Progress() const {
  const int depth = steps_[current_].level;
  const int deepest = std::max(depth, DeepestLevel(steps_, current_ + 1, steps_.SubtreeEnd(current_)));
  return {static_cast<std::uint64_t>(depth) + 1, static_cast<std::uint64_t>(deepest) + 1};
}

TaskbarProgressState PreviewRun::ProgressState() const { return ProgressStateForColour(state_.Color); }

void PreviewRun::Answer(StepAnswer answer) {
  switch (answer) {
    case StepAnswer::Yes:
    case StepAnswer::No:
      taken_[takenCount_++] = {current_, answer};
      MoveTo(answer == StepAnswer::Yes ? steps_.FirstAnswer(current_) : steps_.LastAnswer(current_));
      break;
    case StepAnswer::Back:
    case StepAnswer::LeafBack:
      // Back along the steps taken, past those passed without a dialog;
      // before the first of them, up a level (none at level 0: the end).
      do {
        current_ = takenCount_ > 0 ? taken_[--takenCount_].step : steps_.Parent(current_);
      } while (takenCount_ > 0 && PassedAtOnce(current_));
      break;
    case StepAnswer::Ok: {
      // Only an end is answered with Ok, and only an end has a link.
      const std::size_t link = steps_[current_].link;
      if (link != StepList::kNone) taken_[takenCount_++] = {current_, answer};
      MoveTo(link);
      break;
    }
    case StepAnswer::Closed: current_ = StepList::kNone; break;
  }
}

bool PreviewRun::PassedAtOnce(std::size_t step) const {
  return steps_[step].link != StepList::kNone && TrimBlanksView(steps_[step].text).empty();
}

void PreviewRun::MoveTo(std::size_t step) {
  // Links without messages that lead only to each other (the check calls
  // that an error) would go round for ever: after as many as there are
  // steps, one shows after all, and the end user can leave.
  for (std::size_t passed = 0;; ++passed) {
    current_ = step;
    if (Finished()) return;
    for (std::size_t i = 0; i < takenCount_; ++i) {
      if (taken_[i].step == step) takenCount_ = i;
    }
    if (!PassedAtOnce(step) || passed > steps_.Size()) return;
    taken_[takenCount_++] = {step, StepAnswer::Ok};
    step = steps_[step].link;
  }
}

void RunPreview(const StepList& steps, const DocumentState& state, std::size_t start, StepDialogPort& dialogs,
                TaskbarProgressPort* taskbar, PathCopy pathCopy, std::string_view version) {
  RunEnd clearBar([taskbar] {
    if (taskbar == nullptr) return;
    taskbar->SetTaskbarProgressValue(0, kClearedProgressTotal);
    taskbar->SetTaskbarProgressState(TaskbarProgressState::None);
  });
  for (PreviewRun run(steps, state, start, version); !run.Finished();) {
    if (taskbar != nullptr) taskbar->SetTaskbarProgressState(run.ProgressState());
    if (taskbar != nullptr) {
      const StepProgress progress = run.Progress();
      taskbar->SetTaskbarProgressValue(progress.completed, progress.total);
    }
    StepDescription step = run.DescribeStep();
    if (pathCopy == PathCopy::Offered) step.path = run.PathSoFar();
    run.Answer(dialogs.ShowStepDialog(step));
  }
}

}  // namespace velmora
