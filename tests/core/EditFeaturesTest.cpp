// Undo, redo and the clipboard as the window drives them: every kind of
// step taken through the core's entries is undone and redone to the exact
// bytes a save writes and the same save states; New and the opens start a
// fresh history, saves move the save point; branches go through the
// clipboard from one copy of the program to another, and text that is no
// branch is refused without a change.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "AppTestSupport.h"
#include "TreeFileTestSupport.h"
#include "app/AppCore.h"
#include "app/CommandIds.h"
#include "distribution/ColourButtons.h"
#include "document/BranchRecord.h"
#include "document/NodeLinks.h"
#include "files/BranchText.h"
#include "files/TreeFile.h"

namespace velmora {
namespace {

using testing::FakePlatform;

// "元に戻す(&U): 削除"
constexpr const char* kUndoDeleteCaption = "\x8c\xb3\x82\xc9\x96\xdf\x82\xb7(&U): \x8d\xed\x8f\x9c";
// "やり直し(&R)"
constexpr const char* kRedoCaption = "\x82\xe2\x82\xe8\x92\xbc\x82\xb5(&R)";

struct SaveStates {
  bool modified, save, saveAs;
  bool operator==(const SaveStates& o) const { return modified == o.modified && save == o.save && saveAs == o.saveAs; }
};

class EditFeaturesTest : public ::testing::Test {
 protected:
  EditFeaturesTest() : core(platform.Ports(), FakePlatform::Facts()) {
    core.Start(false);
    Open(core, platform, "C:\\work\\sample.tre");
  }

  // The sample procedure opened from a file: {0} "Power on?(N)" with the
  // answers {0,0} "Cable plugged in?" ({0,0,0} to {0,0,2}) and {0,1}
  // "Switch it on" ({0,1,0}).
  static void Open(AppCore& core, FakePlatform& platform, const char* path) {
    DocumentState state;
    state.Title = "Procedure";
    platform.files.files[path] = BuildTreeText(testing::SampleTree(), state);
    core.OpenAsDroppedFile(testing::Path(path));
  }

  std::string Bytes() const { return BuildTreeText(core.Model().Tree(), core.Model().State()); }
  SaveStates States() const {
    const View view = core.CurrentView();
    return {core.Model().State().Modified, view.Enabled(IDM_SAVE1), view.Enabled(IDM_SAVEAS1)};
  }
  void SelectAt(const NodePath& path) { core.Select(NodeAt(core.Model().Tree(), path)); }
  NodePath SelectedPath() const { return PathOf(*core.Model().Selected()); }
  // A change as the author makes one: a new title after a typing pause.
  void Change(const std::string& title) {
    core.TypeTitle(title);
    core.PauseTyping();
  }

  FakePlatform platform;
  AppCore core;
};

struct StepCase {
  const char* name;
  NodePath selected;  // also the selection after the undo
  std::function<void(FakePlatform&, AppCore&)> change;
};

std::ostream& operator<<(std::ostream& out, const StepCase& step) { return out << step.name; }

void RunEnabled(AppCore& core, int id) { ASSERT_TRUE(core.Run(id)) << "command " << id << " refused"; }

const StepCase kSteps[] = {
    {"AddYes", {0, 0, 0}, [](FakePlatform&, AppCore& core) { RunEnabled(core, IDM_ADDYES1); }},
    {"AddNo", {0, 1}, [](FakePlatform&, AppCore& core) { RunEnabled(core, IDM_ADDNO1); }},
    {"Exchange", {0}, [](FakePlatform&, AppCore& core) { RunEnabled(core, IDM_EXCHANGE1); }},
    {"Delete", {0, 0},
     [](FakePlatform& p, AppCore& core) {
       p.dialogs.messages.answers = {message_box::kAnswerYes};
       RunEnabled(core, IDM_DELETE1);
     }},
    {"NodeEditor", {0, 0, 1},
     [](FakePlatform& p, AppCore& core) {
       p.dialogs.nodeResults = {NodeEditorResult{Inhibit, true, "first\r\nsecond", {}}};
       RunEnabled(core, IDM_EDIT1);
     }},
    {"EnterInTheTree", {0, 1, 0},
     [](FakePlatform& p, AppCore& core) {
       p.dialogs.nodeResults = {NodeEditorResult{Exclaimation, false, "changed", {}}};
       core.KeyInTree('\r');
     }},
    {"Kind", {0, 1}, [](FakePlatform&, AppCore& core) { RunEnabled(core, IDM_INHIBIT1); }},
    // (The sample's root has the No default already.)
    {"YesDefault", {0}, [](FakePlatform&, AppCore& core) { RunEnabled(core, IDM_YESDEFAULT1); }},
    // The steps of the document's state keep the selection where it is.
    {"NewLineMark", {0},
     [](FakePlatform& p, AppCore& core) {
       p.dialogs.texts = {std::string("##")};
       RunEnabled(core, IDM_NEWLINE1);
     }},
    {"Colour", {0}, [](FakePlatform&, AppCore& core) { core.ChooseColour(kColourRed); }},
    {"Title", {0}, [](FakePlatform&, AppCore& core) { core.TypeTitle("Another"); }},
    {"Cut", {0, 1}, [](FakePlatform&, AppCore& core) { RunEnabled(core, IDM_CUT); }},
    {"Paste", {0, 1, 0},
     [](FakePlatform& p, AppCore& core) {
       p.clipboard.text = "x Stop\r\n\ti Why\r\n\t\tDeeper\r\n";
       RunEnabled(core, IDM_PASTE);
     }},
};

class UndoThroughTheCore : public EditFeaturesTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(UndoThroughTheCore, GivesBackTheSavedBytesStatesAndSelection) {
  const StepCase& step = GetParam();
  SelectAt(step.selected);
  const std::string before = Bytes();
  const SaveStates statesBefore = States();
  step.change(platform, core);
  const std::string after = Bytes();
  const SaveStates statesAfter = States();
  ASSERT_NE(after, before);
  ASSERT_TRUE(core.CurrentView().Enabled(IDM_UNDO));

  SelectAt({0});
  const View beforeUndo = core.CurrentView();
  ASSERT_TRUE(core.Run(IDM_UNDO));
  const View undone = core.CurrentView();
  EXPECT_EQ(Bytes(), before);
  EXPECT_EQ(States(), statesBefore);
  EXPECT_EQ(SelectedPath(), step.selected);
  EXPECT_GT(undone.LatestRequest(ViewRequest::RevealSelection), beforeUndo.LatestRequest(ViewRequest::RevealSelection));
  EXPECT_FALSE(undone.Enabled(IDM_UNDO));
  EXPECT_TRUE(undone.Enabled(IDM_REDO));

  ASSERT_TRUE(core.Run(IDM_REDO));
  EXPECT_EQ(Bytes(), after);
  EXPECT_EQ(States(), statesAfter);
  EXPECT_FALSE(core.CurrentView().Enabled(IDM_REDO));
}

INSTANTIATE_TEST_SUITE_P(EditFeatures, UndoThroughTheCore, ::testing::ValuesIn(kSteps),
                         [](const ::testing::TestParamInfo<StepCase>& info) { return info.param.name; });

struct EnabledRow {
  const char* name;
  int id;
  bool onTheRoot;      // the opened file, its root selected
  bool onAnAnswer;     // its question {0,0}, which has three answers
  bool afterAChange;   // that answer deleted: the root with one answer
};

std::ostream& operator<<(std::ostream& out, const EnabledRow& row) { return out << row.name; }

class EditEnabledTest : public EditFeaturesTest, public ::testing::WithParamInterface<EnabledRow> {};

TEST_P(EditEnabledTest, FollowsTheHistoryAndTheSelection) {
  const EnabledRow& row = GetParam();
  EXPECT_EQ(core.CurrentView().Enabled(row.id), row.onTheRoot) << "on the root";
  SelectAt({0, 0});
  EXPECT_EQ(core.CurrentView().Enabled(row.id), row.onAnAnswer) << "on an answer";
  platform.dialogs.messages.answers = {message_box::kAnswerYes};
  core.Run(IDM_DELETE1);
  EXPECT_EQ(core.CurrentView().Enabled(row.id), row.afterAChange) << "after a change";
}

INSTANTIATE_TEST_SUITE_P(Table, EditEnabledTest,
                         ::testing::Values(EnabledRow{"Undo", IDM_UNDO, false, false, true},
                                           EnabledRow{"Redo", IDM_REDO, false, false, false},
                                           EnabledRow{"Cut", IDM_CUT, false, true, false},
                                           EnabledRow{"Copy", IDM_COPY, true, true, true},
                                           EnabledRow{"Paste", IDM_PASTE, false, true, true}),
                         [](const ::testing::TestParamInfo<EnabledRow>& info) { return std::string(info.param.name); });

TEST_F(EditFeaturesTest, WithoutAClipboardItsCommandsAreUnavailable) {
  FakePlatform bare;
  AppPorts ports = bare.Ports();
  ports.clipboard = nullptr;
  AppCore plain(ports, FakePlatform::Facts());
  plain.Start(false);
  for (int id : {IDM_CUT, IDM_COPY, IDM_PASTE}) EXPECT_FALSE(plain.Run(id)) << id;
}

TEST_F(EditFeaturesTest, TheMenuCaptionsNameTheStep) {
  EXPECT_EQ(core.CurrentView().redoCaption, kRedoCaption);
  SelectAt({0, 0, 2});
  platform.dialogs.messages.answers = {message_box::kAnswerYes};
  core.Run(IDM_DELETE1);
  EXPECT_EQ(core.CurrentView().undoCaption, kUndoDeleteCaption);
}

TEST_F(EditFeaturesTest, TheTitleIsOneStepPerPauseAndAnyCommandIsAPause) {
  for (const char* typed : {"P", "Pr", "Pro"}) core.TypeTitle(typed);
  core.PauseTyping();
  core.TypeTitle("Pro 2");
  SelectAt({0});
  core.Run(IDM_EXCHANGE1);
  core.TypeTitle("Pro 3");
  core.Run(IDM_UNDO);
  EXPECT_EQ(core.Model().State().Title, "Pro 2");
  core.Run(IDM_UNDO);
  core.Run(IDM_UNDO);
  EXPECT_EQ(core.Model().State().Title, "Pro");
  core.Run(IDM_UNDO);
  EXPECT_EQ(core.Model().State().Title, "Procedure");
  EXPECT_FALSE(core.CurrentView().Enabled(IDM_UNDO));
}

TEST_F(EditFeaturesTest, UndoAcrossASaveFollowsTheSavedFile) {
  Change("Saved");
  platform.dialogs.messages.answers = {message_box::kAnswerYes};  // overwrite
  ASSERT_TRUE(core.Run(IDM_SAVE1));
  Change("Saved and changed");
  core.Run(IDM_UNDO);
  EXPECT_EQ((SaveStates{false, false, true}), States());
  EXPECT_EQ(Bytes(), platform.files.files["C:\\work\\sample.tre"]);
  core.Run(IDM_UNDO);
  EXPECT_EQ((SaveStates{true, true, true}), States());
  EXPECT_EQ(core.Model().State().Title, "Procedure");
}

TEST_F(EditFeaturesTest, NewAndEveryOpenStartAFreshHistoryACancelledOneKeepsIt) {
  auto undoable = [&] { return core.CurrentView().Enabled(IDM_UNDO); };
  Change("One");
  platform.dialogs.messages.answers = {message_box::kAnswerCancel};
  core.Run(IDM_NEW1);
  EXPECT_TRUE(undoable()) << "New cancelled";
  platform.dialogs.messages.answers = {message_box::kAnswerNo};
  platform.dialogs.files.results = {std::nullopt};
  core.Run(IDM_READ1);
  EXPECT_TRUE(undoable()) << "Read cancelled at the file";

  platform.dialogs.messages.answers = {message_box::kAnswerNo};
  core.Run(IDM_NEW1);
  EXPECT_FALSE(undoable()) << "New";
  Change("Two");
  Open(core, platform, "C:\\work\\other.tre");
  EXPECT_FALSE(undoable()) << "a dropped file";
  Change("Three");
  platform.dialogs.messages.answers = {message_box::kAnswerNo};
  platform.dialogs.files.results = {std::string("C:\\work\\sample.tre")};
  core.Run(IDM_READ1);
  EXPECT_FALSE(undoable()) << "Read";
  Change("Four");
  ASSERT_TRUE(core.Run(IDM_HISTORY1 + 1));
  EXPECT_FALSE(undoable()) << "a recent file";
  EXPECT_EQ(core.Model().State().Title, "Procedure");
}

TEST_F(EditFeaturesTest, ABranchCopiedInOneCopyPastesIntoAnother) {
  FakePlatform otherPlatform;
  AppPorts otherPorts = otherPlatform.Ports();
  otherPorts.clipboard = &platform.clipboard;  // one clipboard for both
  AppCore other(otherPorts, FakePlatform::Facts());
  other.Start(false);
  Open(other, otherPlatform, "C:\\work\\target.tre");

  SelectAt({0, 0});
  ASSERT_TRUE(core.Run(IDM_COPY));
  ASSERT_TRUE(platform.clipboard.text.has_value());
  EXPECT_EQ(*platform.clipboard.text, BranchText(core.Model().Tree(), *core.Model().Selected()));
  const std::string copied = *platform.clipboard.text;

  other.Select(NodeAt(other.Model().Tree(), {0, 1}));
  ASSERT_TRUE(other.Run(IDM_PASTE));
  EXPECT_EQ(BranchText(other.Model().Tree(), *other.Model().Selected()), copied);
  EXPECT_EQ(PathOf(*other.Model().Selected()), (NodePath{0, 1, 1}));
  EXPECT_TRUE(other.Model().State().Modified);
}

TEST_F(EditFeaturesTest, CutTakesTheBranchOnlyOnceTheClipboardHoldsIt) {
  SelectAt({0, 1});
  const std::string branch = BranchText(core.Model().Tree(), *core.Model().Selected());
  ASSERT_TRUE(core.Run(IDM_CUT));
  EXPECT_EQ(platform.clipboard.text, branch);
  EXPECT_EQ(NodeAt(core.Model().Tree(), {0, 1}), nullptr);
  SelectAt({0});
  EXPECT_FALSE(core.Run(IDM_CUT)) << "the root";
}

// A copied branch keeps the links inside it, now to its own copies; a link
// out of it is left, and the paste says so.
TEST_F(EditFeaturesTest, APastedBranchKeepsItsOwnLinksAndSaysWhichItLeft) {
  const auto link = [this](const NodePath& from, const NodePath& to) {
    SelectAt(from);
    ASSERT_TRUE(core.Run(IDM_LINKSOURCE));
    SelectAt(to);
    ASSERT_TRUE(core.Run(IDM_LINKTARGET));
  };
  link({0, 0, 0}, {0});
  link({0, 0, 2}, {0, 0, 1});
  SelectAt({0, 0});
  ASSERT_TRUE(core.Run(IDM_COPY));
  SelectAt({0, 1});
  ASSERT_TRUE(core.Run(IDM_PASTE));
  const TreeNode* pasted = NodeAt(core.Model().Tree(), {0, 1, 1});
  ASSERT_NE(pasted, nullptr);
  EXPECT_EQ(LinkTarget(core.Model().Tree(), *pasted->LastChild()), pasted->Child(1));
  EXPECT_EQ(LinkTarget(core.Model().Tree(), *pasted->FirstChild()), nullptr);
  ASSERT_EQ(platform.dialogs.messages.shown.size(), 1u);
  EXPECT_EQ(platform.dialogs.messages.shown[0].text, std::string(kLinksLeftHead) + "1" + std::string(kLinksLeftTail));
  EXPECT_EQ(platform.dialogs.messages.shown[0].flags, message_box::kOk | message_box::kIconInformation);
}

struct RefusedPaste {
  const char* name;
  std::optional<std::string> text;
  std::string refusal;
  std::string message;
};

std::ostream& operator<<(std::ostream& out, const RefusedPaste& paste) { return out << paste.name; }

class RefusedPasteTest : public EditFeaturesTest, public ::testing::WithParamInterface<RefusedPaste> {};

TEST_P(RefusedPasteTest, ShowsWhyAndChangesNothing) {
  const RefusedPaste& paste = GetParam();
  SelectAt({0, 1});
  platform.clipboard.text = paste.text;
  platform.clipboard.refusal = paste.refusal;
  const std::string before = Bytes();
  ASSERT_TRUE(core.Run(IDM_PASTE));
  EXPECT_EQ(Bytes(), before);
  EXPECT_FALSE(core.Model().State().Modified);
  EXPECT_FALSE(core.CurrentView().Enabled(IDM_UNDO));
  ASSERT_EQ(platform.dialogs.messages.shown.size(), 1u);
  EXPECT_EQ(platform.dialogs.messages.shown[0].text.substr(0, paste.message.size()), paste.message);
  EXPECT_EQ(platform.dialogs.messages.shown[0].caption, "sample.tre - Velmora");
  EXPECT_EQ(platform.dialogs.messages.shown[0].flags, message_box::kOk | message_box::kIconExclamation);
}

INSTANTIATE_TEST_SUITE_P(
    EditFeatures, RefusedPasteTest,
    ::testing::Values(RefusedPaste{"Empty", std::nullopt, "", kNothingToPasteMessage},
                      RefusedPaste{"BlankLines", std::string("\r\n  \r\n"), "", kNothingToPasteMessage},
                      RefusedPaste{"TwoBranches", std::string("A\r\nB\r\n"), "", kNotABranchMessage},
                      RefusedPaste{"SkippedLevel", std::string("A\r\n\t\tB\r\n"), "", kNotABranchMessage},
                      RefusedPaste{"BeyondCp932", std::string("A"), "not CP932", "not CP932"}),
    [](const ::testing::TestParamInfo<RefusedPaste>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora
