// Find through the commands and the recovery copy through the application
// core: what the window's find box, F3 and its timer drive.
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/AppCore.h"
#include "app/CommandIds.h"
#include "files/RecoveryCopy.h"
#include "files/TreeFile.h"

namespace velmora {
namespace {

using testing::FakePlatform;
using testing::Path;

// "n 件中 m 件目"
std::string Status(int count, int position) {
  return std::to_string(count) + "\x20\x8c\x8f\x92\x86\x20" + std::to_string(position) + "\x20\x8c\x8f\x96\xda";
}
// "見つかりません"
const std::string kNotFound = "\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1";

constexpr const char* kRecoveryFile = "C:\\tools\\Velmora.recovery";
constexpr const char* kPrinterFile = "C:\\work\\printer.tre";

class FindAndRecoveryTest : public ::testing::Test {
 protected:
  FindAndRecoveryTest() : core(platform.Ports(), FakePlatform::Facts()) { core.Start(false); }

  // Pre-order: "Power on?", "Cable", "Plug it ON" (inside the folded
  // "Cable"), "Fine", "Switched on".
  void OpenPrinter() {
    DocumentState state;
    state.Title = "Printer";
    DecisionTree tree;
    TreeNode* root = tree.AddTopLevel("Power on?", Question);
    TreeNode* cable = tree.AddChild(root, "Cable", Question);
    tree.AddChild(cable, "Plug it ON", Inhibit);
    tree.AddChild(cable, "Fine", Information);
    tree.AddChild(root, "Switched on", Information);
    platform.files.files[kPrinterFile] = BuildTreeText(tree, state);
    core.OpenAsDroppedFile(Path(kPrinterFile));
  }

  std::string SelectedText() const { return std::string(core.Model().Selected()->Text()); }
  bool RecoveryWritten() const { return platform.files.files.count(kRecoveryFile) != 0; }

  FakePlatform platform;
  AppCore core;
};

// ---------------------------------------------------------------------------
// Find

TEST_F(FindAndRecoveryTest, StepsThroughTheMatchesBothWaysAndWraps) {
  OpenPrinter();
  EXPECT_FALSE(core.Run(IDM_FINDNEXT)) << "no search text yet";
  core.SetSearchText("on");
  ASSERT_TRUE(core.CurrentView().Enabled(IDM_FINDNEXT));
  EXPECT_TRUE(core.CurrentView().Enabled(IDM_FINDPREVIOUS));
  EXPECT_EQ(core.CurrentView().searchStatus, "");

  struct Step {
    int command;
    const char* selected;
    int position;
  };
  // From the root: the match in the folded branch, the last, around to the
  // first, and back over the start to the last.
  const Step steps[] = {{IDM_FINDNEXT, "Plug it ON", 2},
                        {IDM_FINDNEXT, "Switched on", 3},
                        {IDM_FINDNEXT, "Power on?", 1},
                        {IDM_FINDPREVIOUS, "Switched on", 3},
                        {IDM_FINDPREVIOUS, "Plug it ON", 2}};
  for (const Step& step : steps) {
    const View before = core.CurrentView();
    EXPECT_TRUE(core.Run(step.command));
    EXPECT_EQ(SelectedText(), step.selected);
    EXPECT_EQ(core.CurrentView().searchStatus, Status(3, step.position)) << step.selected;
    EXPECT_EQ(core.CurrentView().selection, core.Model().Selected());
    // The tree view shows the selection, its branch opened; the tree is
    // the same.
    EXPECT_GT(core.CurrentView().LatestRequest(ViewRequest::RevealSelection),
              before.LatestRequest(ViewRequest::RevealSelection));
    EXPECT_EQ(core.CurrentView().treeRevision, before.treeRevision);
  }
  EXPECT_FALSE(core.Model().State().Modified) << "finding is no change";
}

TEST_F(FindAndRecoveryTest, ATextFoundNowhereKeepsTheSelectionAndSaysSo) {
  OpenPrinter();
  TreeNode* before = core.Model().Selected();
  core.SetSearchText("toner");
  EXPECT_TRUE(core.Run(IDM_FINDPREVIOUS));
  EXPECT_EQ(core.Model().Selected(), before);
  EXPECT_EQ(core.CurrentView().searchStatus, kNotFound);
  // A new text starts without a status; the same text keeps it.
  core.SetSearchText("toner");
  EXPECT_EQ(core.CurrentView().searchStatus, kNotFound);
  core.SetSearchText("cable");
  EXPECT_EQ(core.CurrentView().searchStatus, "");
  EXPECT_EQ(core.CurrentView().searchText, "cable");
}

TEST_F(FindAndRecoveryTest, FindAsksForTheBoxWithoutTouchingTheTree) {
  const View before = core.CurrentView();
  EXPECT_TRUE(core.Run(IDM_FIND));
  EXPECT_GT(core.CurrentView().LatestRequest(ViewRequest::ShowFindBox), before.LatestRequest(ViewRequest::ShowFindBox));
  EXPECT_EQ(core.CurrentView().treeRevision, before.treeRevision);
}

// ---------------------------------------------------------------------------
// The recovery copy

TEST_F(FindAndRecoveryTest, IsWrittenOnlyWhenAChangeIsDue) {
  core.RecoveryTick();
  EXPECT_FALSE(RecoveryWritten()) << "nothing changed";
  OpenPrinter();
  core.RecoveryTick();
  EXPECT_FALSE(RecoveryWritten()) << "an open is no unsaved change";

  core.TypeTitle("Printer 2");
  core.RecoveryTick();
  ASSERT_TRUE(RecoveryWritten());
  const std::string written = platform.files.files[kRecoveryFile];
  EXPECT_NE(written.find("Printer 2"), std::string::npos);
  EXPECT_NE(written.find(std::string("Path=") + kPrinterFile), std::string::npos);

  // Written once per change: a tick without one leaves the file alone.
  platform.files.files.erase(kRecoveryFile);
  core.RecoveryTick();
  EXPECT_FALSE(RecoveryWritten());
  // Nor does a command that changed nothing (the same title again).
  core.TypeTitle("Printer 2");
  core.RecoveryTick();
  EXPECT_FALSE(RecoveryWritten());
  core.TypeTitle("Printer 3");
  core.RecoveryTick();
  EXPECT_TRUE(RecoveryWritten());
}

TEST_F(FindAndRecoveryTest, GoesToTheLocalApplicationDataFolderWhereTheProgramFolderRefuses) {
  platform.shell.knownFolders[ShellFolder::LocalAppData] = "C:\\Users\\me\\AppData\\Local";
  platform.files.refusedFolder = "C:\\tools\\";
  core.TypeTitle("changed");
  core.RecoveryTick();
  EXPECT_FALSE(RecoveryWritten());
  // Named after the program's whole path there: other programs share it.
  const FilePath shared = RecoveryCopy(platform.files, Path("C:\\Users\\me\\AppData\\Local"), Path("C:\\tools\\Velmora.exe"),
                                       RecoveryCopy::Naming::ByFullPath)
                              .Path();
  EXPECT_EQ(shared.Stem().Utf8().rfind("Velmora-", 0), 0u);
  EXPECT_EQ(platform.files.files.count(shared.Utf8()), 1u);
  EXPECT_TRUE(platform.dialogs.messages.shown.empty());

  // Nowhere to write: told once, not at every tick.
  platform.files.failWrites = true;
  core.TypeTitle("changed again");
  core.RecoveryTick();
  core.TypeTitle("changed once more");
  core.RecoveryTick();
  EXPECT_EQ(platform.dialogs.messages.shown.size(), 1u);
}

struct RemovalRow {
  const char* name;
  int answer;  // to every question
  std::function<void(AppCore&, testing::FakeDialogs&)> act;
};

std::ostream& operator<<(std::ostream& out, const RemovalRow& row) { return out << row.name; }

class RecoveryRemovalTest : public FindAndRecoveryTest, public ::testing::WithParamInterface<RemovalRow> {};

TEST_P(RecoveryRemovalTest, LeavesNoCopyBehind) {
  OpenPrinter();
  core.TypeTitle("changed");
  core.RecoveryTick();
  ASSERT_TRUE(RecoveryWritten());
  platform.dialogs.messages.standingAnswer = GetParam().answer;
  GetParam().act(core, platform.dialogs);
  EXPECT_FALSE(RecoveryWritten());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, RecoveryRemovalTest,
    ::testing::Values(RemovalRow{"Save", message_box::kAnswerYes, [](AppCore& core, testing::FakeDialogs&) {
                                   EXPECT_TRUE(core.Run(IDM_SAVE1));
                                 }},
                      RemovalRow{"New", message_box::kAnswerNo,
                                 [](AppCore& core, testing::FakeDialogs&) { EXPECT_TRUE(core.Run(IDM_NEW1)); }},
                      RemovalRow{"Read", message_box::kAnswerNo,
                                 [](AppCore& core, testing::FakeDialogs& dialogs) {
                                   dialogs.files.results = {std::string(kPrinterFile)};
                                   EXPECT_TRUE(core.Run(IDM_READ1));
                                 }},
                      RemovalRow{"DroppedFile", message_box::kAnswerNo,
                                 [](AppCore& core, testing::FakeDialogs&) {
                                   core.OpenAsDroppedFile(Path(kPrinterFile));
                                 }},
                      RemovalRow{"CloseWithoutSaving", message_box::kAnswerNo,
                                 [](AppCore& core, testing::FakeDialogs&) { EXPECT_TRUE(core.CloseQuery()); }}),
    [](const ::testing::TestParamInfo<RemovalRow>& info) { return std::string(info.param.name); });

TEST_F(FindAndRecoveryTest, AFailedSaveKeepsTheCopy) {
  OpenPrinter();
  core.TypeTitle("changed");
  core.RecoveryTick();
  platform.dialogs.messages.standingAnswer = message_box::kAnswerYes;
  platform.files.refusedFolder = "C:\\work\\";
  core.Run(IDM_SAVE1);
  EXPECT_TRUE(core.Model().State().Modified);
  EXPECT_TRUE(RecoveryWritten());
}

// A run that did not end normally: the copy of its changed printer.tre.
void LeaveCopy(FakePlatform& platform) {
  DocumentState state;
  state.Title = "Recovered";
  state.CurrentFileName = Path(kPrinterFile);
  DecisionTree tree;
  TreeNode* root = tree.AddTopLevel("Paper?", Question);
  tree.AddChild(root, "Print", Information);
  tree.AddChild(tree.AddChild(root, "Tray empty?", Question), "Fill it", Exclaimation);
  RecoveryCopy(platform.files, Path("C:\\tools\\"), Path("C:\\tools\\Velmora.exe")).Write(tree, state);
}

TEST_F(FindAndRecoveryTest, AtStartYesRestoresTheWorkAsAnUnsavedDocument) {
  LeaveCopy(platform);
  platform.dialogs.messages.answers = {message_box::kAnswerYes};
  const std::uint64_t revision = core.CurrentView().treeRevision;
  EXPECT_TRUE(core.OfferRecovery());
  ASSERT_EQ(platform.dialogs.messages.shown.size(), 1u);
  // The file, the copy's time and what No does.
  const RecoverySummary summary = RecoveryCopy(platform.files, Path("C:\\tools\\"), Path("C:\\tools\\Velmora.exe")).Summary();
  EXPECT_EQ(summary.savedAt.size(), 16u) << summary.savedAt;
  EXPECT_EQ(platform.dialogs.messages.shown[0].text, RecoveryQuestionText("printer.tre", summary.savedAt));
  EXPECT_EQ(platform.dialogs.messages.shown[0].flags, message_box::kYesNo | message_box::kIconQuestion);

  const View view = core.CurrentView();
  EXPECT_NE(view.treeRevision, revision);
  EXPECT_EQ(view.caption, "*printer.tre - Velmora") << "the recovered work is unsaved";
  EXPECT_EQ(view.title, "Recovered");
  EXPECT_TRUE(view.Enabled(IDM_SAVE1));
  EXPECT_TRUE(view.Enabled(IDM_SAVEAS1));
  EXPECT_TRUE(core.Model().State().Modified);
  EXPECT_EQ(core.Model().State().CurrentFileName, Path(kPrinterFile));
  EXPECT_EQ(core.Model().Tree().Count(), 4u);
  EXPECT_EQ(SelectedText(), "Paper?");
  // Still the copy of this run until a save: a second crash keeps the work.
  EXPECT_TRUE(RecoveryWritten());
  platform.dialogs.messages.standingAnswer = message_box::kAnswerYes;
  EXPECT_TRUE(core.Run(IDM_SAVE1));
  EXPECT_FALSE(RecoveryWritten());
}

TEST_F(FindAndRecoveryTest, AtStartNoDeletesTheCopyAndNothingLeftAsksNothing) {
  EXPECT_FALSE(core.OfferRecovery());
  EXPECT_TRUE(platform.dialogs.messages.shown.empty());

  LeaveCopy(platform);
  platform.dialogs.messages.answers = {message_box::kAnswerNo};
  EXPECT_FALSE(core.OfferRecovery());
  EXPECT_FALSE(RecoveryWritten());
  EXPECT_EQ(core.Model().Tree().Count(), 3u);
  EXPECT_EQ(core.CurrentView().caption, "Velmora");
  EXPECT_FALSE(core.Model().State().Modified);
}

}  // namespace
}  // namespace velmora
