// The application core driven as the window drives it: commands by id, the
// view after each, the document commands and the close sequence, all over
// the one set of fake ports.
#include <gtest/gtest.h>

#include <deque>

#include "AppTestSupport.h"
#include "TreeFileTestSupport.h"
#include "app/AppCore.h"
#include "app/CommandIds.h"
#include "app/CloseSequence.h"
#include "distribution/ColourButtons.h"
#include "files/DocumentCommands.h"
#include "files/TreeFile.h"

namespace velmora {
namespace {

using testing::FakePlatform;

class AppCoreTest : public ::testing::Test {
 protected:
  AppCoreTest() : core(platform.Ports(), FakePlatform::Facts()) { core.Start(false); }

  // A named, saved document open, as after a load of C:\work\printer.tre.
  void OpenPrinter() {
    DocumentState state;
    state.Title = "Printer";
    DecisionTree tree;
    TreeNode* root = tree.AddTopLevel("Is it on?", Question);
    tree.AddChild(root, "Good", Information);
    tree.AddChild(root, "Switch it on", Inhibit);
    platform.files.files["C:\\work\\printer.tre"] = BuildTreeText(tree, state);
    core.OpenAsDroppedFile(testing::Path("C:\\work\\printer.tre"));
  }

  FakePlatform platform;
  AppCore core;
};

struct EnabledRow {
  const char* name;
  int id;
  bool atStart;       // a fresh start: the starting tree, its root selected
  bool afterOpen;     // a file just opened, its root selected
  bool onAnAnswer;    // the Yes answer of the opened file selected
};

std::ostream& operator<<(std::ostream& out, const EnabledRow& row) { return out << row.name; }

class CommandEnabledTest : public AppCoreTest, public ::testing::WithParamInterface<EnabledRow> {};

TEST_P(CommandEnabledTest, FollowsTheDocumentAndTheSelection) {
  const EnabledRow& row = GetParam();
  EXPECT_EQ(core.CurrentView().Enabled(row.id), row.atStart) << "at start";
  OpenPrinter();
  EXPECT_EQ(core.CurrentView().Enabled(row.id), row.afterOpen) << "after an open";
  core.Select(core.Model().Tree().Root()->FirstChild());
  EXPECT_EQ(core.CurrentView().Enabled(row.id), row.onAnAnswer) << "on an answer";
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandEnabledTest,
    ::testing::Values(EnabledRow{"New", IDM_NEW1, true, true, true},
                      EnabledRow{"Read", IDM_READ1, true, true, true},
                      EnabledRow{"Save", IDM_SAVE1, false, false, false},
                      EnabledRow{"SaveAs", IDM_SAVEAS1, false, true, true},
                      EnabledRow{"Preview", IDM_PREVIEW1, true, true, true},
                      EnabledRow{"Generate", IDM_GENERATE1, true, true, true},
                      EnabledRow{"AddYesOnAQuestionWithBothAnswers", IDM_ADDYES1, false, false, true},
                      EnabledRow{"Exchange", IDM_EXCHANGE1, true, true, false},
                      EnabledRow{"Delete", IDM_DELETE1, false, false, true},
                      EnabledRow{"FirstRecentFile", IDM_HISTORY1, false, true, true},
                      EnabledRow{"SecondRecentFile", IDM_HISTORY1 + 1, false, false, false},
                      EnabledRow{"Exit", IDM_EXIT1, true, true, true}),
    [](const ::testing::TestParamInfo<EnabledRow>& info) { return std::string(info.param.name); });

TEST_F(AppCoreTest, ADisabledCommandIsRefusedAndDoesNothing) {
  const View before = core.CurrentView();
  ASSERT_FALSE(before.Enabled(IDM_SAVE1));
  ASSERT_FALSE(before.Enabled(IDM_DELETE1));
  EXPECT_FALSE(core.Run(IDM_SAVE1));
  EXPECT_FALSE(core.Run(IDM_DELETE1));
  EXPECT_FALSE(core.Run(9999)) << "an id without a row";
  EXPECT_TRUE(platform.dialogs.messages.shown.empty());
  EXPECT_TRUE(platform.dialogs.files.saveRequests.empty());
  EXPECT_EQ(core.CurrentView().treeRevision, before.treeRevision);
  EXPECT_EQ(core.Model().Tree().Count(), 3u);
}

struct OptionRow {
  const char* name;
  int id;
  bool Options::*option;
};

std::ostream& operator<<(std::ostream& out, const OptionRow& row) { return out << row.name; }

class OptionCommandTest : public AppCoreTest, public ::testing::WithParamInterface<OptionRow> {};

TEST_P(OptionCommandTest, TogglesTheOptionAndItsCheckMarkOnly) {
  const OptionRow& row = GetParam();
  const View before = core.CurrentView();
  ASSERT_FALSE(before.Checked(row.id));
  EXPECT_TRUE(core.Run(row.id));
  const View on = core.CurrentView();
  EXPECT_TRUE(on.Checked(row.id));
  EXPECT_TRUE(core.Model().Settings().*row.option);
  EXPECT_EQ(on.treeRevision, before.treeRevision) << "no option changes the tree";
  for (const CommandView& command : on.commands) {
    if (command.id == row.id) continue;
    EXPECT_EQ(command.checked, before.Checked(command.id)) << command.id;
  }
  EXPECT_TRUE(core.Run(row.id));
  EXPECT_FALSE(core.CurrentView().Checked(row.id));
  EXPECT_FALSE(core.Model().Settings().*row.option);
}

INSTANTIATE_TEST_SUITE_P(Table, OptionCommandTest,
                         ::testing::Values(OptionRow{"ShowButtons", IDM_SHOWBUTTONS1, &Options::ShowButtons},
                                           OptionRow{"CloseQuery", IDM_CLOSEQUERY1, &Options::CloseQuery},
                                           OptionRow{"SaveStatus", IDM_SAVESTATUS1, &Options::SaveStatus}),
                         [](const ::testing::TestParamInfo<OptionRow>& info) { return std::string(info.param.name); });

TEST_F(AppCoreTest, TheTreeRevisionMovesOnlyWithTheTree) {
  OpenPrinter();
  const std::uint64_t opened = core.CurrentView().treeRevision;
  core.TypeTitle("Printer 2");
  core.ChooseColour(kColourRed);
  const View typed = core.CurrentView();
  EXPECT_EQ(typed.treeRevision, opened) << "title and colour leave the tree";
  EXPECT_EQ(typed.title, "Printer 2");
  EXPECT_EQ(typed.colour, kColourRed);
  // A selection moves only the answer marks, which the tree view draws
  // from the selection.
  core.Select(core.Model().Tree().Root()->LastChild());
  const View selected = core.CurrentView();
  EXPECT_EQ(selected.treeRevision, opened);
  EXPECT_EQ(selected.selection, core.Model().Tree().Root()->LastChild());
  EXPECT_TRUE(core.Run(IDM_ADDYES1));
  EXPECT_NE(core.CurrentView().treeRevision, selected.treeRevision);
}

// "*" before the file name marks unsaved changes: an edit puts it there,
// saving and undoing back to the saved state take it away.
TEST_F(AppCoreTest, TheCaptionMarksUnsavedChanges) {
  OpenPrinter();
  EXPECT_EQ(core.CurrentView().caption, "printer.tre - Velmora");
  core.ChooseColour(kColourRed);
  EXPECT_EQ(core.CurrentView().caption, "*printer.tre - Velmora");
  EXPECT_TRUE(core.Run(IDM_UNDO));
  EXPECT_EQ(core.CurrentView().caption, "printer.tre - Velmora");
  EXPECT_TRUE(core.Run(IDM_REDO));
  EXPECT_EQ(core.CurrentView().caption, "*printer.tre - Velmora");
  platform.dialogs.messages.answers = {message_box::kAnswerYes};  // 上書きしてもよいですか？
  EXPECT_TRUE(core.Run(IDM_SAVE1));
  EXPECT_EQ(core.CurrentView().caption, "printer.tre - Velmora");
}

TEST_F(AppCoreTest, SaveAsSetsTheCaptionTheRecentFilesAndAScrollInTheView) {
  OpenPrinter();
  const View before = core.CurrentView();
  platform.dialogs.files.results = {std::string("C:\\out\\copy.tre")};
  EXPECT_TRUE(core.Run(IDM_SAVEAS1));
  const View after = core.CurrentView();
  EXPECT_EQ(after.caption, "copy.tre - Velmora");
  EXPECT_EQ(after.recentFiles[0], "&1 C:\\out\\copy.tre");
  EXPECT_EQ(after.recentFiles[1], "&2 C:\\work\\printer.tre");
  EXPECT_GT(after.LatestRequest(ViewRequest::ScrollToOrigin), before.LatestRequest(ViewRequest::ScrollToOrigin))
      << "the root comes back into sight";
  EXPECT_EQ(platform.files.files.count("C:\\out\\copy.tre"), 1u);
  ASSERT_EQ(platform.dialogs.messages.shown.size(), 1u);
  EXPECT_EQ(platform.dialogs.messages.shown[0].text, std::string("C:\\out\\copy.tre") + kSavedToTail);
  EXPECT_EQ(platform.dialogs.messages.shown[0].caption, "printer.tre - Velmora");
  EXPECT_FALSE(after.Enabled(IDM_SAVE1));
}

TEST_F(AppCoreTest, AFailingCommandShowsTheGeneralErrorReportAndKeepsTheDocument) {
  OpenPrinter();
  core.TypeTitle("changed");
  platform.files.failWrites = true;
  platform.dialogs.files.results = {std::string("C:\\out\\copy.tre")};
  EXPECT_TRUE(core.Run(IDM_SAVEAS1));
  ASSERT_EQ(platform.dialogs.messages.shown.size(), 1u);
  EXPECT_EQ(platform.dialogs.messages.shown[0].caption, "Velmora");
  EXPECT_EQ(platform.dialogs.messages.shown[0].flags, message_box::kOk | message_box::kIconStop);
  EXPECT_EQ(core.CurrentView().caption, "*printer.tre - Velmora") << "still unsaved";
  EXPECT_TRUE(core.Model().State().Modified);
}

TEST_F(AppCoreTest, ADroppedFileOfAnotherKindIsRefusedWithAMessage) {
  OpenPrinter();
  platform.files.files["C:\\work\\notes.txt"] = "notes";
  core.OpenAsDroppedFile(testing::Path("C:\\work\\notes.txt"));
  ASSERT_EQ(platform.dialogs.messages.shown.size(), 1u);
  EXPECT_EQ(platform.dialogs.messages.shown[0].caption, "printer.tre - Velmora");
  EXPECT_EQ(core.CurrentView().caption, "printer.tre - Velmora");
  EXPECT_EQ(core.Model().State().CurrentFileName, testing::Path("C:\\work\\printer.tre"));
}

TEST_F(AppCoreTest, ExitAsksTheWindowToCloseAndTheCloseSequenceDecides) {
  OpenPrinter();
  core.TypeTitle("changed");
  EXPECT_EQ(core.CurrentView().LatestRequest(ViewRequest::Close), 0u);
  EXPECT_TRUE(core.Run(IDM_EXIT1));
  EXPECT_NE(core.CurrentView().LatestRequest(ViewRequest::Close), 0u);

  // Yes, then a cancelled Save As: the close is refused, nothing written.
  platform.dialogs.messages.answers = {message_box::kAnswerYes};
  platform.dialogs.files.results = {std::nullopt};
  EXPECT_FALSE(core.CloseQuery());
  EXPECT_EQ(platform.files.files.count("C:\\tools\\Velmora.ini"), 0u);
  ASSERT_EQ(platform.dialogs.messages.shown.size(), 1u);
  EXPECT_EQ(platform.dialogs.messages.shown[0].text, kExitSaveQuestion);

  // No: the close goes on and the settings file is written.
  platform.dialogs.messages.answers = {message_box::kAnswerNo};
  EXPECT_TRUE(core.CloseQuery());
  EXPECT_EQ(platform.files.files.count("C:\\tools\\Velmora.ini"), 1u);
}

TEST_F(AppCoreTest, ThePreviewShowsEveryStepOnScreenBeforeItsDialog) {
  OpenPrinter();
  platform.dialogs.stepAnswers = {StepAnswer::Yes, StepAnswer::Ok};
  const std::uint64_t revision = core.CurrentView().treeRevision;
  EXPECT_TRUE(core.Run(IDM_PREVIEW1));
  ASSERT_EQ(platform.dialogs.steps.size(), 2u);
  ASSERT_GE(platform.screen.shown.size(), 2u);
  const View& second = platform.screen.shown[1];
  EXPECT_EQ(second.selection, core.Model().Tree().Root()->FirstChild());
  EXPECT_FALSE(second.Enabled(IDM_PREVIEW1));
  EXPECT_FALSE(second.Enabled(IDM_GENERATE1));
  const View after = core.CurrentView();
  EXPECT_EQ(after.selection, core.Model().Tree().Root());
  EXPECT_TRUE(after.Enabled(IDM_PREVIEW1));
  EXPECT_EQ(after.treeRevision, revision) << "a run changes the selection only";
}

TEST_F(AppCoreTest, GenerateOpensTheOutputFolderThroughTheShell) {
  OpenPrinter();
  platform.files.files["C:\\tools\\Velmora.bin"] = testing::StubWithNewHeaderAt(0x40, std::string("PE\0\0", 4), 0x80);
  platform.dialogs.files.results = {std::string("C:\\out\\printer.EXE")};
  platform.dialogs.messages.answers = {message_box::kAnswerYes};
  EXPECT_TRUE(core.Run(IDM_GENERATE1));
  EXPECT_EQ(platform.shell.opened, std::vector<std::string>{"C:\\out\\"});
  EXPECT_EQ(platform.files.files.count("C:\\out\\printer.EXE"), 1u);
}

TEST_F(AppCoreTest, ARecentFileOpensWithoutAQuestionAndAGoneOneIsSkipped) {
  OpenPrinter();
  core.Run(IDM_NEW1);
  ASSERT_EQ(core.CurrentView().caption, "Velmora");
  EXPECT_TRUE(core.Run(IDM_HISTORY1));
  EXPECT_EQ(core.CurrentView().caption, "printer.tre - Velmora");
  platform.files.files.erase("C:\\work\\printer.tre");
  core.Run(IDM_NEW1);
  EXPECT_TRUE(core.Run(IDM_HISTORY1));
  EXPECT_EQ(core.CurrentView().caption, "Velmora");
  EXPECT_TRUE(platform.dialogs.messages.shown.empty());
}

// A file handed over by a second start is opened as Read opens it: the save
// question first when there are unsaved changes, and only No (or a clean
// document) lets the open replace them without a save.
struct HandOverRow {
  const char* name;
  bool changed;                 // the title typed after the open
  std::deque<int> answers;      // to the save question
  bool opened;                  // the handed-over file is the document
};

std::ostream& operator<<(std::ostream& out, const HandOverRow& row) { return out << row.name; }

class HandOverTest : public AppCoreTest, public ::testing::WithParamInterface<HandOverRow> {};

TEST_P(HandOverTest, AsksTheSaveQuestionFirst) {
  const HandOverRow& row = GetParam();
  OpenPrinter();
  if (row.changed) core.TypeTitle("changed");
  platform.files.files["C:\\work\\lamp.tre"] = "? Is the lamp lit?\r\n";
  platform.dialogs.messages.answers = row.answers;
  platform.dialogs.files.results = {std::nullopt};  // a Save As after Yes is cancelled
  core.OpenHandedOverFile(testing::Path("C:\\work\\lamp.tre"));

  const auto& shown = platform.dialogs.messages.shown;
  ASSERT_EQ(shown.size(), row.changed ? 1u : 0u);
  if (row.changed) {
    EXPECT_EQ(shown[0].text, std::string(kReadQuestion) + "\r\n\r\n" + kHandedOverFileLabel + "C:\\work\\lamp.tre");
    EXPECT_EQ(shown[0].flags, kSaveChangesQuestionFlags);
  }
  EXPECT_EQ(core.Model().State().CurrentFileName,
            testing::Path(row.opened ? "C:\\work\\lamp.tre" : "C:\\work\\printer.tre"));
  EXPECT_EQ(core.CurrentView().caption,
            row.opened ? "lamp.tre - Velmora" : std::string(row.changed ? "*" : "") + "printer.tre - Velmora");
}

INSTANTIATE_TEST_SUITE_P(
    SecondStart, HandOverTest,
    ::testing::Values(HandOverRow{"Clean", false, {}, true},
                      HandOverRow{"ChangedAnsweredNo", true, {message_box::kAnswerNo}, true},
                      HandOverRow{"ChangedCancelled", true, {message_box::kAnswerCancel}, false},
                      HandOverRow{"ChangedYesButSaveAsCancelled", true, {message_box::kAnswerYes}, false}),
    [](const ::testing::TestParamInfo<HandOverRow>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora
