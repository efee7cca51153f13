#include "distribution/RunRecord.h"

#include "document/Errors.h"

namespace velmora {
namespace {

void AppendLine(std::string& out, std::string_view key, std::string_view value) {
  out += key;
  out += value;
  out += "\r\n";
}

}  // namespace

char AnswerLetter(StepAnswer answer) {
  switch (answer) {
    case StepAnswer::Yes: return 'y';
    case StepAnswer::No: return 'n';
    case StepAnswer::Ok: return 'o';
    case StepAnswer::Closed: return 'c';
    case StepAnswer::Back:
    case StepAnswer::LeafBack: break;
  }
  return 'b';
}

void RunLog::Step(std::size_t step) {
  if (!steps_.empty()) steps_ += ' ';
  steps_ += DecimalText(step + 1);
  last_ = step;
}

void RunLog::Answer(StepAnswer answer) {
  if (!answers_.empty()) answers_ += ' ';
  answers_ += AnswerLetter(answer);
}

std::string RunLog::RecordText(const StepList& steps, const Ending& ending) const {
  std::string text;
  AppendLine(text, kRunRecordFirstLine, {});
  AppendLine(text, "title=", ending.title);
  AppendLine(text, "version=", ending.version);
  AppendLine(text, "start=", ending.startUtc);
  AppendLine(text, "duration-ms=", DecimalText(ending.durationMs));
  AppendLine(text, "steps=", steps_);
  AppendLine(text, "answers=", answers_);
  // A run that ended on an end of a path reached it, whichever button
  // closed it; one that ended on a question stopped there.
  const bool atEnd = last_ < steps.Size() && !steps.HasAnswers(last_);
  AppendLine(text, "end=", atEnd ? DecimalText(last_ + 1) : std::string());
  const Outcome outcome = atEnd ? steps[last_].outcome : Outcome::None;
  AppendLine(text, "outcome=", outcome == Outcome::None ? std::string_view("none")
                                                        : kOutcomeChoices[static_cast<std::size_t>(outcome) - 1].value);
  return text;
}

}  // namespace velmora
