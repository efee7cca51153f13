#include "distribution/RunRecord.h"

namespace velmora {
namespace {

// `value` / 10, leaving `value` % 10, in 32-bit divisions: the 64-bit one
// is a library routine of 0.8 KB that the player stub would carry for the
// record's duration alone. Long division in three parts, each remainder
// below 10 carried into the next.
unsigned DivideByTen(std::uint64_t& value) {
  const auto high = static_cast<std::uint32_t>(value >> 32);
  const auto low = static_cast<std::uint32_t>(value);
  const std::uint32_t middle = (high % 10) << 16 | low >> 16;
  const std::uint32_t bottom = (middle % 10) << 16 | (low & 0xFFFF);
  value = static_cast<std::uint64_t>(high / 10) << 32 | (middle / 10) << 16 | bottom / 10;
  return bottom % 10;
}

void AppendNumber(std::string& out, std::uint64_t value) {
  char digits[20];
  std::size_t count = 0;
  do {
    digits[count++] = static_cast<char>('0' + DivideByTen(value));
  } while (value != 0);
  while (count > 0) out += digits[--count];
}

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
  AppendNumber(steps_, step + 1);
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
  std::string duration;
  AppendNumber(duration, ending.durationMs);
  AppendLine(text, "duration-ms=", duration);
  AppendLine(text, "steps=", steps_);
  AppendLine(text, "answers=", answers_);
  // A run that ended on an end of a path reached it, whichever button
  // closed it; one that ended on a question stopped there.
  const bool atEnd = last_ < steps.Size() && !steps.HasAnswers(last_);
  std::string end;
  if (atEnd) AppendNumber(end, last_ + 1);
  AppendLine(text, "end=", end);
  const Outcome outcome = atEnd ? steps[last_].outcome : Outcome::None;
  AppendLine(text, "outcome=", outcome == Outcome::None ? std::string_view("none")
                                                        : kOutcomeChoices[static_cast<std::size_t>(outcome) - 1].value);
  return text;
}

}  // namespace velmora
