#pragma once
// One fake of each port of the document layer: message boxes and file
// dialogs answered from a script, the node editor and the input box
// answering what a test sets, the recent-file list and the tree view's
// requests recorded. The application core's port groups (AppTestSupport.h)
// are made of these.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "distribution/ShellOpenPort.h"
#include "document/EditorView.h"
#include "document/InputBoxPort.h"
#include "document/MessageBoxPort.h"
#include "document/NodeEditorPort.h"
#include "files/DocumentHistoryPort.h"
#include "files/FileDialogPort.h"

namespace velmora::testing {

struct AskedMessage {
  std::string text;
  std::string caption;
  unsigned flags = 0;
};

// The one fake of what the commands ask of the tree view: counted.
class RecordingEditorView : public EditorView {
 public:
  void ScrollToOrigin() override { ++scrolls; }
  void ExpandAll() override { ++expansions; }
  int scrolls = 0;
  int expansions = 0;
};

// The one message-box fake of the core tests. Questions take the next
// scripted answer, then the standing answer if there is one; a plain
// message (one OK button) is answered OK without using either. A question
// beyond both fails the test and is answered Cancel.
class ScriptedMessages : public MessageBoxPort {
 public:
  int ShowMessage(const std::string& text, const std::string& caption, unsigned flags) override {
    shown.push_back({text, caption, flags});
    if ((flags & 0x0F) == message_box::kOk) return message_box::kAnswerOk;
    if (answers.empty() && standingAnswer) return *standingAnswer;
    if (answers.empty()) {
      ADD_FAILURE() << "an unexpected question: " << text;
      return message_box::kAnswerCancel;
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::deque<int> answers;
  // Every question's answer once the script is used up.
  std::optional<int> standingAnswer;
  std::vector<AskedMessage> shown;
};

// Yes to every question unless a test says otherwise.
struct YesMessages : ScriptedMessages {
  YesMessages() { standingAnswer = message_box::kAnswerYes; }
};

// The one fake of the input box: answers `answer`, keeps what it was asked.
class FakeInputBox : public InputBoxPort {
 public:
  std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                     const std::string& initialText) override {
    askedCaption = caption;
    askedPrompt = prompt;
    askedInitial = initialText;
    return answer;
  }
  std::optional<std::string> answer;
  std::string askedCaption, askedPrompt, askedInitial;
};

// The one fake of the node editor: answers `answer`, keeps its input.
class FakeNodeEditor : public NodeEditorPort {
 public:
  std::optional<NodeEditorResult> EditNode(const NodeEditorInput& input) override {
    ++opened;
    lastInput = input;
    return answer;
  }
  std::optional<NodeEditorResult> answer;
  NodeEditorInput lastInput;
  int opened = 0;
};

// Each dialog takes the next scripted result (a path, or nothing for
// Cancel); the requests are kept for the tests to look at.
class ScriptedFileDialogs : public FileDialogPort {
 public:
  std::optional<FilePath> ShowOpenDialog(const FileDialogRequest& request) override {
    openRequests.push_back(request);
    return Next();
  }
  std::optional<FilePath> ShowSaveDialog(const FileDialogRequest& request) override {
    saveRequests.push_back(request);
    return Next();
  }
  std::deque<std::optional<std::string>> results;
  std::vector<FileDialogRequest> openRequests;
  std::vector<FileDialogRequest> saveRequests;

 private:
  std::optional<FilePath> Next() {
    if (results.empty()) {
      ADD_FAILURE() << "an unexpected file dialog";
      return std::nullopt;
    }
    std::optional<std::string> result = results.front();
    results.pop_front();
    if (!result) return std::nullopt;
    return FilePath::FromUtf8(*result);
  }
};

class RecordingHistory : public DocumentHistoryPort {
 public:
  void AddToHistory(const FilePath& path) override { added.push_back(path.Utf8()); }
  std::vector<std::string> added;
};


}  // namespace velmora::testing
