#pragma once
// One fake of each platform port of the application core: the dialogs
// answered from scripts, the shell recorded, the window placement, the
// files in memory. The core tests drive the whole program with these.

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DocumentTestSupport.h"
#include "SettingsTestSupport.h"
#include "app/AppCore.h"
#include "app/FileNameComparison.h"
#include "app/Ports.h"
#include "document/Errors.h"

namespace velmora::testing {

// Message boxes and file dialogs answer from their scripts (see
// ScriptedMessages and ScriptedFileDialogs); the node editor, the input box
// and the step dialogs take the next scripted result and fail the test
// when none is left; the About box closes with OK.
class FakeDialogs : public DialogsPort {
 public:
  int ShowMessage(const std::string& text, const std::string& caption, unsigned flags) override {
    return messages.ShowMessage(text, caption, flags);
  }
  std::optional<FilePath> ShowOpenDialog(const FileDialogRequest& request) override {
    return files.ShowOpenDialog(request);
  }
  std::optional<FilePath> ShowSaveDialog(const FileDialogRequest& request) override {
    return files.ShowSaveDialog(request);
  }
  std::optional<NodeEditorResult> EditNode(const NodeEditorInput& input) override {
    nodeInputs.push_back(input);
    return Next(nodeResults, "node editor");
  }
  std::optional<std::string> AskText(const std::string&, const std::string&, const std::string&) override {
    return Next(texts, "input box");
  }
  StepAnswer ShowStepDialog(const StepDescription& step) override {
    steps.push_back(step);
    std::optional<StepAnswer> answer = Next(stepAnswers, "step dialog");
    return answer.value_or(StepAnswer::Closed);
  }
  AboutBoxResult ShowAboutBox(const AboutBoxInput& input) override {
    aboutBoxes.push_back(input);
    return AboutBoxResult{aboutChoice};
  }

  ScriptedMessages messages;
  ScriptedFileDialogs files;
  std::deque<std::optional<NodeEditorResult>> nodeResults;
  std::vector<NodeEditorInput> nodeInputs;
  std::deque<std::optional<std::string>> texts;
  std::deque<std::optional<StepAnswer>> stepAnswers;
  std::vector<StepDescription> steps;
  std::vector<AboutBoxInput> aboutBoxes;
  AboutBoxChoice aboutChoice = AboutBoxChoice::Ok;

 private:
  template <typename T>
  T Next(std::deque<T>& script, const char* what) {
    if (script.empty()) {
      ADD_FAILURE() << "an unexpected " << what;
      return T{};
    }
    T next = script.front();
    script.pop_front();
    return next;
  }
};

// Records what is handed to the shell; the "Shell Folders" values, the
// known folders and the shortcut targets come from maps.
class FakeShell : public ShellPort {
 public:
  void OpenInShell(std::string_view target) override { opened.emplace_back(target); }
  std::optional<FilePath> ShellFoldersValue(std::string_view valueName) override {
    const auto found = values.find(std::string(valueName));
    if (found == values.end()) return std::nullopt;
    return FilePath::FromUtf8(found->second);
  }
  std::optional<FilePath> KnownFolder(ShellFolder folder) override {
    const auto found = knownFolders.find(folder);
    if (found == knownFolders.end()) return std::nullopt;
    return FilePath::FromUtf8(found->second);
  }
  void SaveShortcut(const FilePath& linkPath, const FilePath& target) override {
    shortcuts.emplace_back(linkPath.Utf8(), target.Utf8());
  }
  std::optional<FilePath> ResolveShortcut(const FilePath& shortcut) override {
    const auto found = targets.find(shortcut.Utf8());
    if (found == targets.end()) return std::nullopt;
    return FilePath::FromUtf8(found->second);
  }

  std::vector<std::string> opened;
  std::map<std::string, std::string> values;
  std::map<ShellFolder, std::string> knownFolders;
  std::vector<std::pair<std::string, std::string>> shortcuts;
  std::map<std::string, std::string> targets;
};

// Records every view shown in the middle of a command.
class RecordingScreen : public ScreenPort {
 public:
  void Show(const View& view) override { shown.push_back(view); }
  std::vector<View> shown;
};

// The clipboard as one text. With `refusal` set, reading throws it, as the
// platform does for a text CP932 cannot hold.
class FakeClipboard : public ClipboardPort {
 public:
  void WriteText(const std::string& cp932) override { text = cp932; }
  std::optional<std::string> ReadText() override {
    if (!refusal.empty()) throw VelmoraError(refusal);
    return text;
  }
  std::optional<std::string> text;
  std::string refusal;
};

// The core with every port faked, the program at C:\tools\Velmora.exe.
struct FakePlatform {
  FakeDialogs dialogs;
  MemoryFileSystem files;
  FakeShell shell;
  FakeWindow window;
  BytewiseCollation collation;
  RecordingScreen screen;
  FakeClipboard clipboard;

  AppPorts Ports() { return AppPorts{dialogs, files, shell, window, collation, nullptr, &screen, &clipboard}; }

  static AppFacts Facts() {
    AppFacts facts;
    facts.program.productTitle = "Velmora";
    facts.program.productTitleName = FilePath::FromUtf8("Velmora");
    facts.program.path = FilePath::FromUtf8("C:\\tools\\Velmora.exe");
    facts.program.displayText = [](const FilePath& path) { return path.Utf8(); };
    facts.settingsProgram = facts.program.path;
    facts.playerProgram = facts.program.path;
    return facts;
  }
};

}  // namespace velmora::testing
