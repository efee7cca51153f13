// velmora-cli play IN [--answers SEQ]: the preview run in the terminal, for
// checking a procedure without Windows. Each step prints its message, its
// dialog type and its buttons; the answers are letters (y, n, b, o), typed
// one per line on standard input (an empty line takes the default button)
// or given all at once with --answers. The path taken is printed at the end.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/DocumentFiles.h"
#include "distribution/PathTable.h"
#include "distribution/PreviewRun.h"
#include "document/KindNames.h"
#include "document/Picture.h"
#include "document/Utf8Text.h"

namespace velmora::cli {
namespace {

// A letter that the step does not offer, given with --answers: the command
// line was wrong, so the run stops with the usage status.
class RefusedAnswer : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The first character of a UTF-8 text (the arguments' encoding).
std::string FirstCharacter(std::string_view utf8, std::size_t at) {
  std::size_t length = 1;
  while (at + length < utf8.size() && (static_cast<unsigned char>(utf8[at + length]) & 0xC0) == 0x80) ++length;
  return std::string(utf8.substr(at, length));
}

char LetterOf(StepAnswer answer) {
  switch (answer) {
    case StepAnswer::Yes: return 'y';
    case StepAnswer::No: return 'n';
    case StepAnswer::Ok: return 'o';
    default: return 'b';  // Back, LeafBack
  }
}

// A button caption as the terminal shows it: the "&" of an accelerator goes.
std::string PlainCaption(std::string_view caption) {
  std::string plain;
  for (char c : caption)
    if (c != '&') plain += c;
  return plain;
}

// The answer in the words of the dialog the end user sees, as the path
// table names it ("はい", "いいえ") or as its button reads ("ＯＫ", "戻る").
std::string AnswerWordCp932(const StepButtonRow& buttons, StepAnswer answer) {
  if (answer == StepAnswer::Yes) return std::string(PathAnswerText(PathAnswer::Yes));
  if (answer == StepAnswer::No) return std::string(PathAnswerText(PathAnswer::No));
  for (const StepButton& button : buttons) {
    if (button.answer == answer) return PlainCaption(button.caption);
  }
  return {};
}

// The message's lines, each indented by two spaces.
std::string IndentedLines(const std::string& utf8) {
  std::string out = "  ";
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8.compare(i, 2, "\r\n") == 0) {
      out += "\n  ";
      ++i;
      continue;
    }
    out += utf8[i];
  }
  return out + "\n";
}

std::string OneLine(const std::string& utf8) {
  std::string line;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8.compare(i, 2, "\r\n") == 0) {
      line += " / ";
      ++i;
      continue;
    }
    line += utf8[i];
  }
  return line;
}

// Steps shown as text and answered by letters.
class TerminalSteps final : public StepDialogPort {
 public:
  // `answers` null: read them from standard input.
  TerminalSteps(CliHost& host, const std::string* answers) : host_(host), answers_(answers) {}

  StepAnswer ShowStepDialog(const StepDescription& step) override {
    const StepButtonRow buttons = StepButtons(step.question, step.topLevel);
    const std::size_t defaultButton = step.question && step.noDefault ? 1 : 0;
    const std::string message = Cp932ToUtf8Text(step.message);
    std::string out = "Step " + std::to_string(path_.size() + 1) + " (" + Cp932ToUtf8Text(DialogTypeName(step.type)) + ")";
    if (!step.caption.empty()) out += ": " + Cp932ToUtf8Text(step.caption);
    // A picture in words: what it is, and what it shows.
    if (!step.picture.empty()) out += "\n  " + Cp932ToUtf8Text(PictureSummary(step.picture, step.alt));
    out += "\n" + IndentedLines(message) + " ";
    for (std::size_t i = 0; i < buttons.size(); ++i) {
      out += std::string(" [") + LetterOf(buttons[i].answer) + "] " + Cp932ToUtf8Text(PlainCaption(buttons[i].caption));
      if (i == defaultButton) out += " (default)";
    }
    host_.WriteOutput(out + "\n");
    const StepAnswer answer = ReadAnswer(buttons, buttons[defaultButton].answer);
    path_.push_back(OneLine(message) + "  -> " + AnswerWord(buttons, answer));
    return answer;
  }

  std::string AnswerWord(const StepButtonRow& buttons, StepAnswer answer) const {
    const std::string word = AnswerWordCp932(buttons, answer);
    return word.empty() ? std::string("(closed)") : Cp932ToUtf8Text(word);
  }

  std::string PathText() const {
    std::string out = "Path taken:\n";
    for (std::size_t i = 0; i < path_.size(); ++i) out += "  " + std::to_string(i + 1) + ". " + path_[i] + "\n";
    return out;
  }

 private:
  StepAnswer ReadAnswer(const StepButtonRow& buttons, StepAnswer defaultAnswer) {
    for (;;) {
      std::string letter;
      if (answers_ != nullptr) {
        // Answers that run out end the run as a closed dialog would.
        if (next_ >= answers_->size()) return Closed();
        letter = FirstCharacter(*answers_, next_);
        next_ += letter.size();
        host_.WriteOutput("answer: " + letter + "\n");
      } else {
        host_.WriteOutput("answer? ");
        if (!ReadLine(letter)) return Closed();
        if (letter.empty()) return defaultAnswer;
      }
      for (const StepButton& button : buttons) {
        if (letter.size() == 1 && (letter[0] | 0x20) == LetterOf(button.answer)) return button.answer;
      }
      const std::string refusal = "\"" + letter + "\" is not offered here; " + OfferedLetters(buttons);
      if (answers_ != nullptr) throw RefusedAnswer(refusal);
      host_.WriteOutput(refusal + "\n");
    }
  }

  StepAnswer Closed() {
    host_.WriteOutput("(no more answers: the dialog is closed)\n");
    return StepAnswer::Closed;
  }

  static std::string OfferedLetters(const StepButtonRow& buttons) {
    std::string text = "answer";
    for (std::size_t i = 0; i < buttons.size(); ++i) {
      text += i == 0 ? " " : (i + 1 == buttons.size() ? " or " : ", ");
      text += LetterOf(buttons[i].answer);
    }
    return text + ".";
  }

  // One line of standard input without its line break; false at its end.
  static bool ReadLine(std::string& line) {
    line.clear();
    int c = 0;
    bool any = false;
    while ((c = std::fgetc(stdin)) != EOF) {
      any = true;
      if (c == '\n') break;
      if (c != '\r') line += static_cast<char>(c);
    }
    // Blanks around a typed letter do not count.
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.erase(0, 1);
    return any;
  }

  CliHost& host_;
  const std::string* answers_;
  std::size_t next_ = 0;
  std::vector<std::string> path_;
};

}  // namespace

int RunPlay(CliHost& host, const Arguments& arguments) {
  std::string file;
  std::string answers;
  bool haveAnswers = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--answers") {
      if (i + 1 >= arguments.size() || haveAnswers) throw UsageError("--answers needs one sequence of letters");
      answers = arguments[++i];
      haveAnswers = true;
    } else if (!file.empty() || (arguments[i].size() > 1 && arguments[i][0] == '-')) {
      throw UsageError("play needs one file and at most --answers SEQ");
    } else {
      file = arguments[i];
    }
  }
  if (file.empty()) throw UsageError("play needs a file");

  const LoadedDocument& document = OpenForCommand(host.Files(), FilePath::FromUtf8(file));
  TerminalSteps steps(host, haveAnswers ? &answers : nullptr);
  try {
    // The player starts where end users start: at the root.
    RunPreview(document.tree, document.state, document.tree.Root(), steps, nullptr);
  } catch (const RefusedAnswer& refusal) {
    host.WriteOutput(steps.PathText());
    host.WriteError(std::string("velmora-cli: ") + refusal.what() + "\n");
    return kExitUsage;
  }
  host.WriteOutput(steps.PathText());
  return kExitSuccess;
}

}  // namespace velmora::cli
