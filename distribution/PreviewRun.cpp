#include "distribution/PreviewRun.h"

#include "document/KindNames.h"

#include <algorithm>

#include "distribution/RunEnd.h"
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

StepDialogType DialogTypeOf(int kind) {
  switch (kind) {
    case Question: return StepDialogType::Confirmation;
    case Exclaimation: return StepDialogType::Warning;
    case Inhibit: return StepDialogType::Error;
    default: return StepDialogType::Information;  // Information, Unset, anything else
  }
}

}  // namespace

// 経路をコピー(&C)
const std::string_view kCopyPathCaption = "\x8C\x6F\x98\x48\x82\xF0\x83\x52\x83\x73\x81\x5B(&C)";

std::string_view DialogTypeName(StepDialogType type) {
  switch (type) {
    case StepDialogType::Confirmation: return KindName(Question);
    case StepDialogType::Warning: return KindName(Exclaimation);
    case StepDialogType::Error: return KindName(Inhibit);
    case StepDialogType::Information: break;
  }
  return KindName(Information);
}

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
      answered_(new AnsweredStep[static_cast<std::size_t>(DeepestLevel(steps, 0, steps.Size())) + 1]),
      lowestLevel_(Finished() ? 0 : steps[start].level) {}

StepDescription PreviewRun::DescribeStep() const {
  const Step& current = steps_[current_];
  StepDescription step;
  step.message = ExpandNewLines(current.text, state_.NewLineMark);
  step.caption = TrimBlanks(state_.Title);
  step.type = DialogTypeOf(current.kind);
  step.question = steps_.HasAnswers(current_);
  step.topLevel = current.level == 0;
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
  for (int level = lowestLevel_; level < steps_[current_].level; ++level) {
    const AnsweredStep& step = answered_[static_cast<std::size_t>(level)];
    text += kQuestionLabel;
    text += RemoveDefaultSuffix(ExpandNewLines(steps_[step.question].text, state_.NewLineMark));
    text += "\r\n";
    text += kAnswerLabel;
    text += step.answer == StepAnswer::Yes ? kYesText : kNoText;
    text += "\r\n";
  }
  const Step& current = steps_[current_];
  const StepDescription step = DescribeStep();
  text += step.question ? kQuestionLabel : kResultLabel;
  // An end's own text, without the outcome line the dialog adds.
  text += step.question ? step.message : ExpandNewLines(current.text, state_.NewLineMark);
  text += "\r\n";
  if (!step.question && current.outcome != Outcome::None) {
    text += kOutcomeLabel;
    text += OutcomeLabel(current.outcome);
    text += "\r\n";
  }
  if (!version_.empty()) {
    text += kVersionLabel;
    text += version_;
    text += "\r\n";
  }
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
      answered_[static_cast<std::size_t>(steps_[current_].level)] = {current_, answer};
      current_ = answer == StepAnswer::Yes ? steps_.FirstAnswer(current_) : steps_.LastAnswer(current_);
      break;
    case StepAnswer::Back:
    case StepAnswer::LeafBack:
      current_ = steps_.Parent(current_);  // none at level 0: the end
      if (!Finished()) lowestLevel_ = std::min(lowestLevel_, steps_[current_].level);
      break;
    case StepAnswer::Ok:
    case StepAnswer::Closed: current_ = StepList::kNone; break;
  }
}

void RunPreview(const StepList& steps, const DocumentState& state, std::size_t start, StepDialogPort& dialogs,
                TaskbarProgressPort* taskbar, const StepObserver& beforeStep, PathCopy pathCopy,
                std::string_view version) {
  RunEnd clearBar([taskbar] {
    if (taskbar == nullptr) return;
    taskbar->SetTaskbarProgressValue(0, kClearedProgressTotal);
    taskbar->SetTaskbarProgressState(TaskbarProgressState::None);
  });
  for (PreviewRun run(steps, state, start, version); !run.Finished();) {
    if (taskbar != nullptr) taskbar->SetTaskbarProgressState(run.ProgressState());
    if (beforeStep) beforeStep(run.Current());
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
