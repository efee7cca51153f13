// Undo and redo: every kind of step taken back and repeated gives the exact
// bytes a save would write and the same Modified and save commands; the
// history's own rules (the redo branch, the save point, the title's typing
// pauses, the step limit) on the editor model.
#include "document/EditHistory.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "DocumentTestSupport.h"
#include "TreeFileTestSupport.h"
#include "distribution/ColourButtons.h"
#include "document/BranchRecord.h"
#include "document/EditCommands.h"
#include "files/BranchText.h"
#include "files/TreeFile.h"

namespace velmora {
namespace {

using testing::SampleTree;

struct SaveFlags {
  bool modified, save, saveAs;
  bool operator==(const SaveFlags& o) const { return modified == o.modified && save == o.save && saveAs == o.saveAs; }
};

// The editor with a procedure opened from a file, and the history.
class Harness {
 public:
  Harness() {
    DocumentState state;
    state.CurrentFileName = testing::Path("C:\\work\\a.tre");
    state.Title = "Procedure";
    state.Color = 1;
    editor.ReplaceDocument(SampleTree(), state);
    editor.ResetTreeView();
    editor.OfferSaveAs();
    history.Clear(editor);
    nodeEditor.answer = NodeEditorResult{Inhibit, true, "first\r\nsecond", {}};
    inputBox.answer = std::string("##");
  }
  std::string Bytes() const { return BuildTreeText(editor.Tree(), editor.State()); }
  SaveFlags Flags() const {
    return {editor.State().Modified, editor.CanSave(), editor.CanSaveAs()};
  }
  void SelectAt(const NodePath& path) { editor.Select(NodeAt(editor.Tree(), path)); }
  NodePath SelectedPath() const { return PathOf(*editor.Selected()); }
  void SetTitle(const std::string& title) {
    history.Record(
        editor, "Title", [&] { LabeledEdit1Change(editor, title); }, EditHistory::Typing::Yes);
  }

  NullEditorView view;
  Editor editor{view};
  EditHistory history;
  testing::YesMessages messages;
  testing::FakeNodeEditor nodeEditor;
  testing::FakeInputBox inputBox;
};

struct StepCase {
  const char* name;
  const char* kind;
  NodePath selected;
  std::function<void(Harness&)> command;
  NodePath selectedAfterUndo;
};

// The sample procedure: {0} "Power on?(N)" with the answers {0,0} "Cable
// plugged in?" ({0,0,0} to {0,0,2}) and {0,1} "Switch it on" ({0,1,0}).
const StepCase kStepCases[] = {
    {"AddAnswerToLeaf", "AddAnswer", {0, 0, 0}, [](Harness& h) { AddYes1Click(h.editor); }, {0, 0, 0}},
    {"AddFourthAnswer", "AddAnswer", {0, 0}, [](Harness& h) { AddYes1Click(h.editor); }, {0, 0}},
    {"Paste", "Paste", {0, 1, 0},
     [](Harness& h) { PasteBranch(h.editor, "x Stop\n\ti Why\n\t\tDeeper\n\tNext\n"); }, {0, 1, 0}},
    {"DeleteMiddleAnswer", "Delete", {0, 0, 1},
     [](Harness& h) { Delete1Click(h.editor, h.messages, "caption"); }, {0, 0, 1}},
    {"DeleteBranch", "Delete", {0, 0}, [](Harness& h) { Delete1Click(h.editor, h.messages, "caption"); },
     {0, 0}},
    {"Cut", "Cut", {0, 1}, [](Harness& h) { CutBranch(h.editor); }, {0, 1}},
    {"Exchange", "Exchange", {0}, [](Harness& h) { Exchange1Click(h.editor); }, {0}},
    {"NodeEditor", "NodeText", {0, 0, 1}, [](Harness& h) { TreeView1DblClick(h.editor, h.nodeEditor); },
     {0, 0, 1}},
    {"Kind", "Kind", {0, 1}, [](Harness& h) { Inhibit1Click(h.editor); }, {0, 1}},
    {"YesDefault", "DefaultAnswer", {0}, [](Harness& h) { YesDefault1Click(h.editor); }, {0}},
    {"NoDefault", "DefaultAnswer", {0, 0}, [](Harness& h) { NoDefault1Click(h.editor); }, {0, 0}},
    {"NewLineMark", "NewLineMark", {0, 0, 0},
     [](Harness& h) { NewLine1Click(h.editor, h.inputBox, "Velmora"); }, {0, 0, 0}},
    {"Colour", "Colour", {0, 1}, [](Harness& h) { ChooseProgressColour(h.editor, kColourRed); }, {0, 1}},
    {"Title", "Title", {0}, [](Harness& h) { LabeledEdit1Change(h.editor, "Another"); }, {0}},
};

class UndoEachStep : public ::testing::TestWithParam<StepCase> {};

TEST_P(UndoEachStep, UndoAndRedoGiveBackTheSavedBytesAndSaveStates) {
  const StepCase& step = GetParam();
  Harness h;
  h.SelectAt(step.selected);
  const std::string before = h.Bytes();
  const SaveFlags flagsBefore = h.Flags();
  h.history.Record(h.editor, step.kind, [&] { step.command(h); });
  const std::string after = h.Bytes();
  const SaveFlags flagsAfter = h.Flags();
  ASSERT_NE(after, before);
  ASSERT_EQ(h.history.StepCount(), 1u);

  EXPECT_EQ(PathOf(*h.history.Undo(h.editor)), step.selectedAfterUndo);
  EXPECT_EQ(h.SelectedPath(), step.selectedAfterUndo);
  EXPECT_EQ(h.Bytes(), before);
  EXPECT_EQ(h.Flags(), flagsBefore);  // back at the opened file: not modified

  h.history.Redo(h.editor);
  EXPECT_EQ(h.Bytes(), after);
  EXPECT_EQ(h.Flags(), flagsAfter);
  h.history.Undo(h.editor);
  EXPECT_EQ(h.Bytes(), before);
}

INSTANTIATE_TEST_SUITE_P(EditHistory, UndoEachStep, ::testing::ValuesIn(kStepCases),
                         [](const ::testing::TestParamInfo<StepCase>& info) { return info.param.name; });

// Steps whose positions depend on each other: each undo and redo must find
// its nodes where the steps around it left them.
TEST(EditHistory, AMixOfStepsUndoesAndRedoesInOrder) {
  Harness h;
  struct Command {
    NodePath selected;
    const char* kind;
    std::function<void()> run;
  };
  const std::vector<Command> commands = {
      {{0, 0, 1}, "Delete", [&] { Delete1Click(h.editor, h.messages, "c"); }},
      {{0, 0, 0}, "Paste", [&] { PasteBranch(h.editor, "A\n\tB\n"); }},
      {{0}, "Exchange", [&] { Exchange1Click(h.editor); }},
      {{0, 0}, "AddAnswer", [&] { AddYes1Click(h.editor); }},
      {{0, 1, 0}, "Cut", [&] { CutBranch(h.editor); }},
      {{0, 1}, "Kind", [&] { Exclaimation1Click(h.editor); }},
      // Several edits of one node in one step: undone last to first, or the
      // first edit's value would stay.
      {{0, 1}, "Several",
       [&] {
         TreeNode* node = h.editor.Selected();
         NodeFields fields = h.editor.Tree().FieldsOf(*node);
         fields.text = "first";
         h.editor.SetNode(node, fields);
         fields.text = "second";
         fields.later.Set(0, "a note");
         h.editor.SetNode(node, fields);
       }},
  };
  std::vector<std::string> bytes{h.Bytes()};
  for (const Command& command : commands) {
    h.SelectAt(command.selected);
    h.history.Record(h.editor, command.kind, command.run);
    bytes.push_back(h.Bytes());
  }
  ASSERT_EQ(h.history.StepCount(), commands.size());
  for (std::size_t step = commands.size(); step > 0; --step) {
    h.history.Undo(h.editor);
    EXPECT_EQ(h.Bytes(), bytes[step - 1]) << "undo of step " << step;
  }
  EXPECT_FALSE(h.editor.State().Modified);
  for (std::size_t step = 1; step <= commands.size(); ++step) {
    h.history.Redo(h.editor);
    EXPECT_EQ(h.Bytes(), bytes[step]) << "redo of step " << step;
  }
}

TEST(EditHistory, CommandsThatChangeNothingLeaveNoStep) {
  Harness h;
  h.SelectAt({0});
  h.history.Record(h.editor, "Delete", [&] { return Delete1Click(h.editor, h.messages, "c"); });  // the root
  h.SelectAt({0, 1});
  h.history.Record(h.editor, "Exchange", [&] { Exchange1Click(h.editor); });  // one answer only
  h.SetTitle("Procedure");
  EXPECT_EQ(h.history.StepCount(), 0u);
  EXPECT_FALSE(h.history.CanUndo());
  EXPECT_EQ(UndoMenuText(h.history), "\x8c\xb3\x82\xc9\x96\xdf\x82\xb7(&U)");  // 元に戻す(&U)
}

TEST(EditHistory, ANewEditDropsTheRedoBranch) {
  Harness h;
  h.SetTitle("One");
  h.history.Pause(h.editor);
  h.SelectAt({0, 0, 2});
  // The step is named as the command names it: 削除.
  h.history.Record(h.editor, "\x8d\xed\x8f\x9c", [&] { Delete1Click(h.editor, h.messages, "c"); });
  EXPECT_EQ(UndoMenuText(h.history), "\x8c\xb3\x82\xc9\x96\xdf\x82\xb7(&U): \x8d\xed\x8f\x9c");
  h.history.Undo(h.editor);
  EXPECT_EQ(RedoMenuText(h.history), "\x82\xe2\x82\xe8\x92\xbc\x82\xb5(&R): \x8d\xed\x8f\x9c");  // やり直し(&R)

  h.SelectAt({0, 1});
  h.history.Record(h.editor, "Kind", [&] { Information1Click(h.editor); });
  EXPECT_FALSE(h.history.CanRedo());
  EXPECT_EQ(h.history.StepCount(), 2u);
  h.history.Undo(h.editor);
  h.history.Undo(h.editor);
  EXPECT_EQ(h.editor.State().Title, "Procedure");
  EXPECT_EQ(h.editor.Tree().Count(), 7u);  // the deleted answer stayed
}

TEST(EditHistory, UndoAcrossASaveFollowsTheSavePoint) {
  Harness h;
  h.SetTitle("Saved");
  // Save: the document as it is now is the file.
  h.editor.State().Modified = false;
  h.editor.NoteSaved();
  h.history.MarkSaved(h.editor);
  h.SetTitle("Saved and changed");

  h.history.Undo(h.editor);  // back to the saved title
  EXPECT_EQ((SaveFlags{false, false, true}), h.Flags());
  h.history.Undo(h.editor);  // before the save: a change again
  EXPECT_EQ(h.editor.State().Title, "Procedure");
  EXPECT_EQ((SaveFlags{true, true, true}), h.Flags());
  h.history.Redo(h.editor);
  EXPECT_EQ((SaveFlags{false, false, true}), h.Flags());
  h.history.Redo(h.editor);
  EXPECT_EQ((SaveFlags{true, true, true}), h.Flags());

  // A new edit from before the save drops the saved state for good.
  h.history.Undo(h.editor);
  h.history.Undo(h.editor);
  h.SetTitle("Elsewhere");
  h.history.Undo(h.editor);
  EXPECT_EQ(h.editor.State().Title, "Procedure");
  EXPECT_EQ((SaveFlags{true, true, true}), h.Flags());
}

TEST(EditHistory, TheTitleIsOneStepPerTypingPause) {
  Harness h;
  for (const char* typed : {"P", "Pr", "Pro"}) h.SetTitle(typed);
  h.history.Pause(h.editor);
  h.SetTitle("Prox");
  h.SetTitle("Pro");  // typed and taken back: no step at the pause
  h.history.Pause(h.editor);
  EXPECT_EQ(h.history.StepCount(), 1u);
  h.history.Undo(h.editor);
  EXPECT_EQ(h.editor.State().Title, "Procedure");
  EXPECT_FALSE(h.editor.State().Modified);
}

TEST(EditHistory, KeepsTheLastHundredStepsAndForgetsTheSavePointBeyondThem) {
  Harness h;
  for (int step = 0; step < 150; ++step) {
    h.SetTitle("Title " + std::to_string(step));
    h.history.Pause(h.editor);
  }
  EXPECT_EQ(h.history.StepCount(), EditHistory::kMaxSteps);
  while (h.history.CanUndo()) h.history.Undo(h.editor);
  EXPECT_EQ(h.editor.State().Title, "Title 49");
  EXPECT_TRUE(h.editor.State().Modified);
}

TEST(EditHistory, ClearStartsAFreshHistory) {
  Harness h;
  h.SetTitle("Changed");
  h.editor.State().Modified = false;  // as after New or an open
  h.history.Clear(h.editor);
  EXPECT_FALSE(h.history.CanUndo());
  h.SetTitle("Again");
  h.history.Undo(h.editor);
  EXPECT_FALSE(h.editor.State().Modified);
}

TEST(EditHistory, ColourOfAnUnnamedDocumentIsUndoneWithoutMarkingIt) {
  Harness h;
  h.editor.State().CurrentFileName = FilePath();
  h.history.Record(h.editor, "Colour", [&] { ChooseProgressColour(h.editor, kColourYellow); });
  h.SetTitle("Changed");  // Modified from here on
  h.history.Undo(h.editor);
  h.history.Undo(h.editor);
  EXPECT_EQ(h.editor.State().Color, 1);
  EXPECT_FALSE(h.editor.State().Modified);
  h.history.Redo(h.editor);
  EXPECT_EQ(h.editor.State().Color, kColourYellow);
  EXPECT_FALSE(h.editor.State().Modified);
}

// A branch thousands of levels deep is packed and restored without
// recursion (the Windows main thread has a 1 MB stack).
TEST(EditHistory, RestoresADeepBranch) {
  Harness h;
  TreeNode* node = NodeAt(h.editor.Tree(), {0, 1, 0});
  for (int level = 0; level < 5000; ++level) node = h.editor.AddBranch(node, PackNode("deep", Information));
  h.history.Clear(h.editor);
  const std::string before = h.Bytes();
  h.SelectAt({0, 1});
  h.history.Record(h.editor, "Cut", [&] { CutBranch(h.editor); });
  h.history.Undo(h.editor);
  EXPECT_EQ(h.Bytes(), before);
}

}  // namespace
}  // namespace velmora
