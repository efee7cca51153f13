// New, Read, Save and Save As on the editor model: each outcome of each
// command as one row (what is asked, what is written, and the document and
// its commands afterwards), then the dialogs' requests and the cases where
// the author's work must survive a cancelled dialog or a failed write.
#include "files/DocumentCommands.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "AppTestSupport.h"
#include "TreeFileTestSupport.h"
#include "files/DistributionPayload.h"
#include "distribution/GenerateCommand.h"

namespace velmora {
namespace {

using testing::Describe;
using namespace message_box;

constexpr unsigned kQuestion3 = kYesNoCancel | kIconQuestion;
constexpr unsigned kQuestion2 = kYesNo | kIconQuestion;

// What the window and the model show of the document.
struct Snapshot {
  std::string fileName;
  bool modified = false;
  bool save = false;
  bool saveAs = false;
  std::string caption;
  std::string initialDir;
  std::string title;
  std::string tree;

  Snapshot File(std::string value) const { return Change(&Snapshot::fileName, std::move(value)); }
  Snapshot Caption(std::string value) const { return Change(&Snapshot::caption, std::move(value)); }
  Snapshot Folder(std::string value) const { return Change(&Snapshot::initialDir, std::move(value)); }
  Snapshot Title(std::string value) const { return Change(&Snapshot::title, std::move(value)); }
  Snapshot Tree(std::string value) const { return Change(&Snapshot::tree, std::move(value)); }
  Snapshot SaveAs(bool value) const { return Change(&Snapshot::saveAs, value); }
  // Saved or opened: no changes, Save off.
  Snapshot Clean() const { return Change(&Snapshot::modified, false).Change(&Snapshot::save, false); }

  template <typename T>
  Snapshot Change(T Snapshot::*member, T value) const {
    Snapshot copy = *this;
    copy.*member = std::move(value);
    return copy;
  }
  bool operator==(const Snapshot& o) const {
    return fileName == o.fileName && modified == o.modified && save == o.save && saveAs == o.saveAs &&
           caption == o.caption && initialDir == o.initialDir && title == o.title && tree == o.tree;
  }
};

std::ostream& operator<<(std::ostream& out, const Snapshot& s) {
  return out << "{file '" << s.fileName << "'" << (s.modified ? " modified" : "") << (s.save ? " save" : "")
             << (s.saveAs ? " saveAs" : "") << " caption '" << s.caption << "' folder '" << s.initialDir
             << "' title '" << s.title << "'\n" << s.tree << "}";
}

const std::string kPrinterTree = "[0]Is it on?\n\t[1]Good\n\t[3]Switch it on\n";
const std::string kLampTree = "[0]Lamp lit?\n\t[1]Fine\n\t[2]Call us\n";
const std::string kNewTree = "[0]" + testing::kEllipsis + "\n\t[-1]" + testing::kEllipsis + "\n\t[-1]" +
                             testing::kEllipsis + "\n";

// Opened from C:\work\printer.tre, then edited.
const Snapshot kNamed{"C:\\work\\printer.tre", true, true, true, "printer.tre - Velmora", "C:\\work\\", "Printer",
                      kPrinterTree};
// Never saved, with a title typed; Save As not yet enabled.
const Snapshot kUnnamed{"", true, true, false, "Velmora", "C:\\start\\", "Ver.2 check", kPrinterTree};

const Snapshot kNewDocument = kNamed.File("").Clean().Caption("Velmora").Title("").Tree(kNewTree);
const Snapshot kLampOpened = kNamed.File("C:\\other\\lamp.tre").Clean().Caption("lamp.tre - Velmora")
                                 .Folder("C:\\other\\").Title("Lamp").Tree(kLampTree);

std::string SavedTo(const std::string& path) { return path + kSavedToTail; }
std::string SavedOver(const std::string& path) { return path + kSavedOverTail; }

enum class Command { New, Read, Save, SaveAs };

struct Row {
  const char* name;
  Snapshot start;
  Command command;
  std::vector<int> answers;
  std::vector<std::optional<std::string>> dialogs;
  std::vector<std::pair<std::string, unsigned>> asked;
  Snapshot after;
  std::vector<std::string> history;
  std::vector<std::string> written;
};

std::ostream& operator<<(std::ostream& out, const Row& row) { return out << row.name; }

DecisionTree TreeOf(const char* root, const char* yes, int yesKind, const char* no, int noKind) {
  DecisionTree tree;
  TreeNode* node = tree.AddTopLevel(root, Question);
  tree.AddChild(node, yes, yesKind);
  tree.AddChild(node, no, noKind);
  return tree;
}

class DocumentCommandsTest : public ::testing::Test {
 protected:
  DocumentCommandsTest() {
    DocumentState lamp;
    lamp.Title = "Lamp";
    const DecisionTree lampTree = TreeOf("Lamp lit?", "Fine", Information, "Call us", Exclaimation);
    files.files["C:\\other\\lamp.tre"] = BuildTreeText(lampTree, lamp);
    files.files["C:\\other\\lamp.exe"] = BuildDistributionExecutable("MZstub", lampTree, lamp);
    files.files["C:\\other\\notes.txt"] = "notes";
  }

  void Arrange(const Snapshot& start) {
    DocumentState state;
    state.CurrentFileName = FilePath::FromUtf8(start.fileName);
    state.Title = start.title;
    editor.ReplaceDocument(TreeOf("Is it on?", "Good", Information, "Switch it on", Inhibit), state);
    editor.ResetTreeView();
    if (start.modified) editor.MarkModified();
    // Save follows Modified; Save As, once offered, stays.
    if (start.saveAs) editor.OfferSaveAs();
    editor.InitialDir = FilePath::FromUtf8(start.initialDir);
    caption = start.caption;
    filesBefore = files.files;
  }

  DocumentCommands Commands() {
    return DocumentCommands(
        editor, DocumentPorts{files, messages, dialogs, history, nullptr}, "Velmora", caption);
  }

  void Run(Command command) {
    DocumentCommands commands = Commands();
    switch (command) {
      case Command::New: return commands.New1Click();
      case Command::Read: return commands.Read1Click();
      case Command::Save: return commands.Save1Click();
      case Command::SaveAs: commands.SaveAs1Click(); return;
    }
  }

  Snapshot Now() const {
    const DocumentState& state = editor.State();
    return Snapshot{state.CurrentFileName.Utf8(), state.Modified, editor.CanSave(), editor.CanSaveAs(),
                    caption, editor.InitialDir.Utf8(), state.Title, Describe(editor.Tree())};
  }

  std::vector<std::string> Written() const {
    std::vector<std::string> paths;
    for (const auto& [path, bytes] : files.files) {
      const auto before = filesBefore.find(path);
      if (before == filesBefore.end() || before->second != bytes) paths.push_back(path);
    }
    return paths;
  }

  NullEditorView view;
  Editor editor{view};
  testing::MemoryFileSystem files;
  testing::ScriptedMessages messages;
  testing::ScriptedFileDialogs dialogs;
  testing::RecordingHistory history;
  std::string caption;
  std::map<std::string, std::string> filesBefore;
};

class DocumentCommandOutcomes : public DocumentCommandsTest, public ::testing::WithParamInterface<Row> {};

TEST_P(DocumentCommandOutcomes, AskWriteAndLeaveTheDocumentAsTheRowSays) {
  const Row& row = GetParam();
  Arrange(row.start);
  messages.answers.assign(row.answers.begin(), row.answers.end());
  dialogs.results.assign(row.dialogs.begin(), row.dialogs.end());

  Run(row.command);

  std::vector<std::pair<std::string, unsigned>> asked;
  for (const testing::AskedMessage& shown : messages.shown) {
    asked.emplace_back(shown.text, shown.flags);
    // Every box is captioned with the caption the window showed when the
    // command began: a caption set by a Save As inside it comes after.
    EXPECT_EQ(shown.caption, row.start.caption) << shown.text;
  }
  EXPECT_EQ(asked, row.asked);
  EXPECT_TRUE(messages.answers.empty()) << "answers left over";
  EXPECT_TRUE(dialogs.results.empty()) << "dialog results left over";
  EXPECT_EQ(Now(), row.after);
  EXPECT_EQ(history.added, row.history);
  EXPECT_EQ(Written(), row.written);
  EXPECT_EQ(editor.Selected(), editor.Tree().Root());
}

const std::string kKept = "C:\\saved\\kept.tre";

INSTANTIATE_TEST_SUITE_P(
    Transitions, DocumentCommandOutcomes,
    ::testing::Values(
        Row{"NewOnACleanDocumentAsksNothing", kNamed.Clean(), Command::New, {}, {}, {}, kNewDocument, {}, {}},
        Row{"NewAnsweredNo", kNamed, Command::New, {kAnswerNo}, {}, {{kNewQuestion, kQuestion3}}, kNewDocument, {}, {}},
        Row{"NewAnsweredYesSavesTheOldDocumentFirst", kNamed, Command::New, {kAnswerYes}, {kKept},
            {{kNewQuestion, kQuestion3}, {SavedTo(kKept), kOk}}, kNewDocument.Folder("C:\\saved\\"), {kKept}, {kKept}},
        // The name is cleared before the question, so it stays cleared.
        Row{"NewCancelled", kNamed, Command::New, {kAnswerCancel}, {}, {{kNewQuestion, kQuestion3}}, kNamed.File(""), {}, {}},
        Row{"NewAnsweredYesButTheSaveAsCancelled", kNamed, Command::New, {kAnswerYes}, {std::nullopt},
            {{kNewQuestion, kQuestion3}}, kNamed.File(""), {}, {}},
        Row{"ReadATreeFile", kNamed.Clean(), Command::Read, {}, {"C:\\other\\lamp.tre"}, {}, kLampOpened,
            {"C:\\other\\lamp.tre"}, {}},
        Row{"ReadAnExecutableAfterNo", kUnnamed, Command::Read, {kAnswerNo}, {"C:\\other\\lamp.exe"},
            {{kReadQuestion, kQuestion3}}, kLampOpened.Caption("lamp.exe - Velmora"), {}, {}},
        Row{"ReadARefusedExtension", kNamed.Clean(), Command::Read, {}, {"C:\\other\\notes.txt"},
            {{UnsupportedExtensionMessage("notes.txt"), kOk}}, kNamed.Clean(), {}, {}},
        Row{"ReadDialogCancelled", kNamed, Command::Read, {kAnswerNo}, {std::nullopt}, {{kReadQuestion, kQuestion3}},
            kNamed, {}, {}},
        Row{"ReadCancelledAtTheQuestion", kNamed, Command::Read, {kAnswerCancel}, {}, {{kReadQuestion, kQuestion3}},
            kNamed, {}, {}},
        Row{"ReadAnsweredYesButTheSaveAsCancelled", kNamed, Command::Read, {kAnswerYes}, {std::nullopt},
            {{kReadQuestion, kQuestion3}}, kNamed, {}, {}},
        Row{"SaveConfirmed", kNamed, Command::Save, {kAnswerYes}, {},
            {{kOverwriteQuestion, kQuestion2}, {SavedOver("C:\\work\\printer.tre"), kOk}}, kNamed.Clean(),
            {"C:\\work\\printer.tre"}, {"C:\\work\\printer.tre"}},
        Row{"SaveDeclined", kNamed, Command::Save, {kAnswerNo}, {}, {{kOverwriteQuestion, kQuestion2}}, kNamed, {}, {}},
        Row{"SaveOfAnUnnamedDocumentIsASaveAs", kUnnamed, Command::Save, {}, {kKept}, {{SavedTo(kKept), kOk}},
            kUnnamed.File(kKept).Clean().Caption("kept.tre - Velmora").Folder("C:\\saved\\"), {kKept}, {kKept}},
        Row{"SaveAsCompleted", kNamed, Command::SaveAs, {}, {kKept}, {{SavedTo(kKept), kOk}},
            kNamed.File(kKept).Clean().Caption("kept.tre - Velmora").Folder("C:\\saved\\"), {kKept}, {kKept}},
        // The title was proposed, not stored.
        Row{"SaveAsCancelled", kUnnamed, Command::SaveAs, {}, {std::nullopt}, {}, kUnnamed, {}, {}}),
    [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

TEST_F(DocumentCommandsTest, TheDialogsAskForTheirOwnTextsAndOptions) {
  Arrange(kNamed);
  dialogs.results = {std::nullopt, std::nullopt};
  messages.answers = {kAnswerNo};
  Commands().Read1Click();
  Commands().SaveAs1Click();

  ASSERT_EQ(dialogs.openRequests.size(), 1u);
  const FileDialogRequest& open = dialogs.openRequests[0];
  EXPECT_EQ(open.title, "") << "the open dialog keeps the system's title";
  // "ツリーファイル(*.tre)|*.tre|ダイアログ単体EXEファイル(*.exe)|*.exe|すべてのファイル(*.*)|*.*"
  EXPECT_EQ(open.filter,
            "\x83\x63\x83\x8a\x81\x5b\x83\x74\x83\x40\x83\x43\x83\x8b(*.tre)|*.tre|\x83\x5f\x83\x43\x83\x41\x83\x8d"
            "\x83\x4f\x92\x50\x91\xcc" "EXE\x83\x74\x83\x40\x83\x43\x83\x8b(*.exe)|*.exe|\x82\xb7\x82\xd7\x82\xc4\x82"
            "\xcc\x83\x74\x83\x40\x83\x43\x83\x8b(*.*)|*.*");
  EXPECT_EQ(open.defaultExtension, "tre");
  EXPECT_EQ(open.initialDir.Utf8(), "C:\\work\\");
  EXPECT_TRUE(open.fileName.Empty());
  EXPECT_TRUE(open.hideReadOnly && open.pathMustExist && open.fileMustExist && open.enableSizing);
  EXPECT_FALSE(open.overwritePrompt || open.createPrompt);

  ASSERT_EQ(dialogs.saveRequests.size(), 1u);
  const FileDialogRequest& save = dialogs.saveRequests[0];
  // "切り分け定義を名前を付けて保存"
  EXPECT_EQ(save.title, "\x90\xd8\x82\xe8\x95\xaa\x82\xaf\x92\xe8\x8b\x60\x82\xf0\x96\xbc\x91\x4f\x82\xf0\x95\x74\x82"
                        "\xaf\x82\xc4\x95\xdb\x91\xb6");
  // "ツリーファイル(*.tre)|*.tre|すべてのファイル(*.*)|*.*"
  EXPECT_EQ(save.filter, "\x83\x63\x83\x8a\x81\x5b\x83\x74\x83\x40\x83\x43\x83\x8b(*.tre)|*.tre|\x82\xb7\x82\xd7\x82"
                         "\xc4\x82\xcc\x83\x74\x83\x40\x83\x43\x83\x8b(*.*)|*.*");
  EXPECT_EQ(save.defaultExtension, "tre");
  EXPECT_TRUE(save.overwritePrompt && save.createPrompt && save.hideReadOnly && save.enableSizing);
  EXPECT_FALSE(save.pathMustExist || save.fileMustExist);
}

struct Proposal {
  const char* fileName;
  const char* title;
  const char* saveAsName;
  const char* generateName;
  const char* folder;
};

class ProposedNames : public DocumentCommandsTest, public ::testing::WithParamInterface<Proposal> {};

// A named document proposes its own name in its own folder; an unnamed one
// its title in the folder of the last file opened.
TEST_P(ProposedNames, SaveAsKeepsOnlyTreExtensionsAndGenerateEndsInExe) {
  const Proposal& p = GetParam();
  Arrange(kNamed.File(p.fileName).Title(p.title).Folder("C:\\start\\"));
  dialogs.results = {std::nullopt, std::nullopt};
  Commands().SaveAs1Click();
  testing::FakeShell folders;
  GenerateBtnClick(editor, GeneratePorts{files, messages, dialogs, folders}, testing::Path("C:\\tools\\Velmora.exe"),
                   caption);
  ASSERT_EQ(dialogs.saveRequests.size(), 2u);
  EXPECT_EQ(dialogs.saveRequests[0].fileName.Utf8(), p.saveAsName);
  EXPECT_EQ(dialogs.saveRequests[1].fileName.Utf8(), p.generateName);
  EXPECT_EQ(dialogs.saveRequests[0].initialDir.Utf8(), p.folder);
  EXPECT_EQ(dialogs.saveRequests[1].initialDir.Utf8(), p.folder);
  EXPECT_EQ(editor.State().CurrentFileName.Utf8(), p.fileName);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ProposedNames,
    ::testing::Values(Proposal{"C:\\work\\printer.tre", "Printer", "printer.tre", "printer.EXE", "C:\\work\\"},
                      Proposal{"C:\\work\\printer.TRE", "", "printer.TRE", "printer.EXE", "C:\\work\\"},
                      Proposal{"C:\\work\\tool.Exe", "", "tool", "tool.EXE", "C:\\work\\"},
                      // Everything from the last "." on looks like an extension.
                      Proposal{"", "Ver.2 check", "Ver", "Ver.EXE", "C:\\start\\"},
                      Proposal{"", "", "", ".EXE", "C:\\start\\"}));

// The program starts with New on a fresh editor: the starting tree has three
// nodes, so Generate is available at once, and the colour is the green the
// window shows, also in a file saved before any click.
TEST_F(DocumentCommandsTest, AtStartUpGenerateIsAvailableAndTheColourIsGreen) {
  caption = "Velmora";
  Run(Command::New);
  EXPECT_TRUE(editor.CanGenerate());
  EXPECT_TRUE(editor.CanPreview());
  EXPECT_FALSE(editor.CanSave());
  EXPECT_EQ(Now(), kNewDocument.Folder("").SaveAs(false));

  dialogs.results = {"C:\\new\\first.tre"};
  Run(Command::SaveAs);
  const std::string& saved = files.files["C:\\new\\first.tre"];
  EXPECT_NE(saved.find("\r\nColor=1\r\n"), std::string::npos) << saved;
}

TEST_F(DocumentCommandsTest, SaveOfAFileNamedExeInAnyCaseGoesToSaveAs) {
  Arrange(kNamed.File("C:\\work\\TOOL.eXe"));
  files.files["C:\\work\\TOOL.eXe"] = "MZ the author's program";
  filesBefore = files.files;
  dialogs.results = {std::nullopt};
  Commands().Save1Click();
  EXPECT_EQ(dialogs.saveRequests.size(), 1u);
  EXPECT_TRUE(messages.shown.empty()) << "no overwrite question for an executable";
  EXPECT_TRUE(Written().empty());
}

// A cancelled Save As leaves no title in CurrentFileName, so a later Save
// cannot write a file named after the title into some current folder.
TEST_F(DocumentCommandsTest, ACancelledSaveAsLeavesNoNameForSaveToWriteTo) {
  Arrange(kUnnamed.Title("Printer"));
  dialogs.results = {std::nullopt, std::nullopt};
  Commands().SaveAs1Click();
  Commands().Save1Click();
  EXPECT_EQ(dialogs.saveRequests.size(), 2u) << "Save asks for a name again";
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(Written().empty());
  EXPECT_EQ(Now(), kUnnamed.Title("Printer"));
}

TEST_F(DocumentCommandsTest, AFailedSaveAsChangesNothingAndStopsTheNewThatAskedForIt) {
  Arrange(kNamed);
  files.failWrites = true;
  dialogs.results = {kKept, kKept};
  EXPECT_THROW(Commands().SaveAs1Click(), VelmoraError);
  EXPECT_EQ(Now(), kNamed) << "the old name stays until the file is written";

  messages.answers = {kAnswerYes};
  EXPECT_THROW(Commands().New1Click(), VelmoraError);
  EXPECT_EQ(Now(), kNamed.File("")) << "the changes the author wanted kept are still there";
  EXPECT_TRUE(history.added.empty());
}

TEST_F(DocumentCommandsTest, AFailedSaveKeepsTheChangesMarked) {
  Arrange(kNamed);
  files.failWrites = true;
  messages.answers = {kAnswerYes};
  EXPECT_THROW(Commands().Save1Click(), VelmoraError);
  EXPECT_EQ(Now(), kNamed);
  EXPECT_EQ(messages.shown.size(), 1u) << "no success report";
}

// Opening from the command line, a dropped file or the recent files.
TEST_F(DocumentCommandsTest, OpenNamesTheWindowAndRecordsOnlyTreeFiles) {
  Arrange(kNamed);
  EXPECT_TRUE(Commands().Open(testing::Path("C:\\other\\lamp.exe")));
  EXPECT_EQ(caption, "lamp.exe - Velmora");
  EXPECT_TRUE(history.added.empty());
  EXPECT_TRUE(Commands().Open(testing::Path("C:\\other\\lamp.tre")));
  EXPECT_EQ(Now(), kLampOpened);
  EXPECT_EQ(history.added, std::vector<std::string>{"C:\\other\\lamp.tre"});
  EXPECT_TRUE(messages.shown.empty()) << "opening asks nothing about unsaved changes";
}

// Reading makes every kind explicit and takes the title as the option block
// holds it, trimmed; saving writes exactly that back.
TEST_F(DocumentCommandsTest, ATreeFileOpenedAndSavedAsIsWrittenAsItWasRead) {
  files.files["C:\\work\\sample.tre"] = testing::ReadTestData("sample.tre");
  Arrange(kNamed);
  ASSERT_TRUE(Commands().Open(testing::Path("C:\\work\\sample.tre")));
  dialogs.results = {kKept};
  EXPECT_TRUE(Commands().SaveAs1Click());
  EXPECT_EQ(files.files[kKept], testing::ReadTestData("sample-resaved.tre"));
}

}  // namespace
}  // namespace velmora
