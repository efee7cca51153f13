// The tree editing commands on the editor model, with fake ports for the
// message box, the input box and the node editor.
#include "document/BranchRecord.h"
#include "document/EditCommands.h"
#include "document/LinkChoices.h"
#include "document/LinkCommands.h"
#include "document/NodeLinks.h"
#include "files/TreeFile.h"

#include <gtest/gtest.h>

#include "DocumentTestSupport.h"

#include <string>
#include <vector>

namespace velmora {
namespace {

const std::string kDots(PlaceholderText);
const std::string kArrow(DefaultNewLineMark);

using testing::FakeInputBox;
using testing::FakeNodeEditor;
using testing::YesMessages;

class EditCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor.ResetToStartingTree();
    editor.ResetTreeView();
    root = editor.Tree().Root();
    yes = root->FirstChild();
    no = root->LastChild();
  }
  // The author folds branches: what the tree view was asked before no
  // longer counts.
  void Collapse(TreeNode*) { view.expansions = 0; }
  // Whether the tree view was asked to unfold every branch since.
  bool AllExpanded() const { return view.expansions > 0; }

  testing::RecordingEditorView view;
  Editor editor{view};
  TreeNode* root = nullptr;
  TreeNode* yes = nullptr;
  TreeNode* no = nullptr;
};

TEST_F(EditCommandsTest, BuildingAQuestionFromALeafFollowsTheEnableTable) {
  editor.Select(yes);
  EXPECT_TRUE(editor.CanAddYes());
  EXPECT_FALSE(editor.CanAddNo());
  EXPECT_FALSE(editor.CanExchange());
  EXPECT_FALSE(editor.CanSetDefault());
  EXPECT_TRUE(editor.CanDelete());

  const int scrollsBefore = view.scrolls;
  AddYes1Click(editor);
  ASSERT_EQ(yes->ChildCount(), 1u);
  TreeNode* firstAnswer = yes->FirstChild();
  EXPECT_EQ(firstAnswer->Text(), kDots);
  EXPECT_EQ(firstAnswer->kind, Unset);
  EXPECT_EQ(editor.Selected(), firstAnswer);
  EXPECT_EQ(editor.CurrentNode, firstAnswer);
  EXPECT_EQ(view.scrolls, scrollsBefore + 1);
  EXPECT_TRUE(editor.State().Modified);
  EXPECT_TRUE(editor.CanSave());
  EXPECT_FALSE(editor.CanSaveAs());

  editor.Select(yes);
  EXPECT_FALSE(editor.CanAddYes());
  EXPECT_TRUE(editor.CanAddNo());
  EXPECT_FALSE(editor.CanExchange());
  EXPECT_EQ(AnswerMark(*yes, editor.Selected()), 0) << "one answer is not a complete question";

  AddYes1Click(editor);  // the AddNo1 item runs the same handler
  ASSERT_EQ(yes->ChildCount(), 2u);
  EXPECT_EQ(yes->FirstChild(), firstAnswer) << "the second answer goes last: No";
  EXPECT_EQ(editor.Selected(), yes->LastChild());

  editor.Select(yes);
  EXPECT_FALSE(editor.CanAddYes());
  EXPECT_FALSE(editor.CanAddNo());
  EXPECT_TRUE(editor.CanExchange());
  EXPECT_TRUE(editor.CanSetDefault());
  EXPECT_EQ(AnswerMark(*yes, editor.Selected()), 1);
  EXPECT_EQ(AnswerMark(*yes->FirstChild(), editor.Selected()), 2);
  EXPECT_EQ(AnswerMark(*yes->LastChild(), editor.Selected()), 3);
  EXPECT_EQ(AnswerMark(*root, editor.Selected()), 0);
}

TEST_F(EditCommandsTest, AddExpandsTheWholeTreeEvenWhenCollapsed) {
  editor.AddBranch(no, PackNode("deep", Question));
  Collapse(no);
  Collapse(root);
  editor.Select(yes);
  AddYes1Click(editor);
  EXPECT_TRUE(AllExpanded());
}

TEST_F(EditCommandsTest, GenerateNeedsTwoNodes) {
  YesMessages box;
  editor.Select(yes);
  ASSERT_TRUE(Delete1Click(editor, box, "Velmora"));
  EXPECT_TRUE(editor.CanGenerate());
  editor.Select(no);
  ASSERT_TRUE(Delete1Click(editor, box, "Velmora"));
  EXPECT_EQ(editor.Tree().Count(), 1u);
  EXPECT_FALSE(editor.CanGenerate());
  EXPECT_FALSE(editor.CanDelete()) << "the root is never deleted";
  EXPECT_TRUE(editor.CanAddYes());
}

TEST_F(EditCommandsTest, DeletingTheYesAnswerMakesTheNoAnswerTheYesAnswer) {
  yes->SetText("first");
  no->SetText("second");
  editor.AddBranch(yes, PackNode("under first", Question));
  YesMessages box;
  editor.Select(yes);
  ASSERT_TRUE(Delete1Click(editor, box, "tree.tre - Velmora"));

  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(box.shown[0].text,
            std::string("first\r\n\r\n") + kDeleteQuestionTail + "\r\n" + kAnswersBelowHead + "1" + kAnswersBelowTail);
  EXPECT_EQ(box.shown.back().caption, "tree.tre - Velmora");
  EXPECT_EQ(box.shown.back().flags, 0x24u);

  ASSERT_EQ(root->ChildCount(), 1u);
  EXPECT_EQ(root->FirstChild(), no);
  EXPECT_EQ(editor.Tree().Count(), 2u);
  EXPECT_EQ(editor.Selected(), root) << "the deleted node's parent is selected";
  EXPECT_EQ(editor.CurrentNode, root);
  EXPECT_TRUE(editor.State().Modified);
  EXPECT_TRUE(editor.CanAddNo());

  AddYes1Click(editor);
  ASSERT_EQ(root->ChildCount(), 2u);
  EXPECT_EQ(root->FirstChild(), no);
  EXPECT_EQ(root->LastChild()->Text(), kDots);
}

TEST_F(EditCommandsTest, DeleteQuestionShowsTheTextAsStored) {
  no->SetText("Restart" + kArrow + "then retry(N)");
  YesMessages box;
  box.standingAnswer = message_box::kAnswerNo;
  editor.Select(no);
  EXPECT_FALSE(Delete1Click(editor, box, "Velmora"));
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(box.shown[0].text, "Restart" + kArrow + "then retry(N)\r\n\r\n" + kDeleteQuestionTail);
  // Refused: nothing changes.
  EXPECT_EQ(root->ChildCount(), 2u);
  EXPECT_FALSE(editor.State().Modified);
  EXPECT_FALSE(editor.CanSave());
  EXPECT_EQ(editor.Selected(), no);
}

// A link never names a node that is gone: deleting its target says so in
// the question, the links go with it in the same step, and undo brings
// both back. Marking, setting, following and taking away a link.
TEST_F(EditCommandsTest, DeletingATargetTakesTheLinksToItAndUndoBringsThemBack) {
  LinkCommands links(editor);
  editor.AddBranch(yes, PackNode("under yes", Information));
  TreeNode* under = yes->FirstChild();
  editor.Select(no);
  links.MarkSource();
  editor.Select(under);
  ASSERT_TRUE(links.CanSetTarget());
  links.SetTarget();
  EXPECT_EQ(editor.Selected(), no) << "the source is selected again";
  EXPECT_EQ(LinkTarget(editor.Tree(), *no), under);
  links.GoToTarget();
  EXPECT_EQ(editor.Selected(), under);
  links.GoBack();
  EXPECT_EQ(editor.Selected(), no);
  EXPECT_FALSE(links.CanGoBack());

  const std::string before = BuildTreeText(editor.Tree(), editor.State());
  YesMessages box;
  editor.Select(yes);
  Editor::Recording step(editor);
  ASSERT_TRUE(Delete1Click(editor, box, "Velmora"));
  EXPECT_EQ(box.shown[0].text, "\x81\x63\r\n\r\n" + std::string(kDeleteQuestionTail) + "\r\n" + kLinksIntoHead + "1" +
                                   kLinksIntoTail + "\r\n" + kAnswersBelowHead + "1" + kAnswersBelowTail);
  EXPECT_TRUE(editor.Tree().LaterOf(*no).Empty()) << "the link went with its target";
  const std::vector<DocumentEdit> inverses = step.Inverses();
  for (auto edit = inverses.rbegin(); edit != inverses.rend(); ++edit) editor.Apply(*edit);
  EXPECT_EQ(BuildTreeText(editor.Tree(), editor.State()), before);
  EXPECT_EQ(LinkTarget(editor.Tree(), *no)->Text(), "under yes");

  editor.Select(no);
  links.RemoveLink();
  EXPECT_EQ(LinkTarget(editor.Tree(), *no), nullptr);
  editor.Select(no);
  EXPECT_FALSE(links.CanSetTarget()) << "nothing marked, and never the node itself";
}

// The node editor's list of nodes to continue at: every other node by its
// line, narrowed as find narrows (width and case folded).
TEST_F(EditCommandsTest, TheLinkListHoldsTheOtherNodesAndNarrowsAsFindDoes) {
  root->SetText("Power on?");
  yes->SetText("Restart");
  no->SetText("plug it in");
  const std::vector<LinkChoice> choices = LinkChoicesFor(editor.Tree(), *yes);
  ASSERT_EQ(choices.size(), 2u);
  EXPECT_EQ(choices[0].label, "1: Power on?");
  EXPECT_EQ(choices[1].label, "3: plug it in");
  EXPECT_EQ(choices[1].id, no->Id());
  const struct {
    std::string search;
    std::vector<std::size_t> found;
  } cases[] = {{"", {0, 1}}, {"\x82\x6f\x82\x8f\x82\x97", {0}}, {"PLUG", {1}}, {"3:", {1}}, {"none", {}}};  // "Ｐｏｗ"
  for (const auto& c : cases) EXPECT_EQ(MatchingChoices(choices, c.search), c.found) << c.search;
}

TEST_F(EditCommandsTest, DeleteWithoutAnAnswerKeepsTheNode) {
  YesMessages box;
  box.standingAnswer = 0;  // the box could not be shown
  editor.Select(yes);
  EXPECT_FALSE(Delete1Click(editor, box, "Velmora"));
  EXPECT_EQ(root->ChildCount(), 2u);
  EXPECT_FALSE(editor.State().Modified);
}

TEST_F(EditCommandsTest, DeleteAndKindCommandsKeepCollapsedBranches) {
  TreeNode* inner = editor.AddBranch(no, PackNode("inner", Question));
  editor.AddBranch(inner, PackNode("leaf", Question));
  editor.AddBranch(yes, PackNode("gone", Question));
  Collapse(inner);
  YesMessages box;
  editor.Select(yes->FirstChild());
  ASSERT_TRUE(Delete1Click(editor, box, "Velmora"));
  EXPECT_FALSE(AllExpanded());
  EXPECT_EQ(editor.Selected(), yes);

  editor.Select(no);
  Exclaimation1Click(editor);
  EXPECT_FALSE(AllExpanded());
  EXPECT_EQ(no->kind, Exclaimation);
}

TEST_F(EditCommandsTest, ExchangeSwapsSubtreesAndKeepsTheParentsDefault) {
  root->SetText("Is it on?(N)");
  yes->SetText("yes side");
  no->SetText("no side");
  TreeNode* yesChild = editor.AddBranch(yes, PackNode("under yes", Question));
  Collapse(yes);
  editor.Select(root);
  Exchange1Click(editor);

  EXPECT_EQ(root->Text(), "Is it on?(N)");
  EXPECT_EQ(root->FirstChild(), no);
  EXPECT_EQ(root->LastChild(), yes);
  EXPECT_EQ(yes->FirstChild(), yesChild);
  EXPECT_TRUE(AllExpanded());
  EXPECT_EQ(editor.Selected(), root);
  EXPECT_EQ(editor.CurrentNode, root);
  EXPECT_TRUE(editor.State().Modified);
  // The marks follow the new order.
  EXPECT_EQ(AnswerMark(*no, editor.Selected()), 2);
  EXPECT_EQ(AnswerMark(*yes, editor.Selected()), 3);
}

TEST_F(EditCommandsTest, KindCommandsStripOnlyTheNonQuestionMarkers) {
  editor.Select(yes);
  yes->SetText("i note");
  Question1Click(editor);
  EXPECT_EQ(yes->Text(), "note");
  EXPECT_EQ(yes->kind, Question);
  EXPECT_TRUE(editor.State().Modified);

  yes->SetText("? why");
  Inhibit1Click(editor);
  EXPECT_EQ(yes->Text(), "? why") << "a leading \"? \" is part of the text";
  EXPECT_EQ(yes->kind, Inhibit);

  yes->SetText("X stop");
  Information1Click(editor);
  EXPECT_EQ(yes->Text(), "stop");
  EXPECT_EQ(yes->kind, Information);
}

TEST_F(EditCommandsTest, KindCommandRunsTheSelectionChange) {
  editor.Select(root);
  editor.CurrentNode = no;  // left elsewhere by an earlier walk
  Question1Click(editor);
  EXPECT_EQ(root->kind, Question);
  EXPECT_EQ(no->kind, Unset);
  EXPECT_EQ(editor.CurrentNode, root);
  EXPECT_EQ(AnswerMark(*root, editor.Selected()), 1);
}

TEST_F(EditCommandsTest, DefaultAnswerCommands) {
  editor.Select(root);
  root->SetText("Plugged in(y)");
  YesDefault1Click(editor);
  EXPECT_EQ(root->Text(), "Plugged in");
  EXPECT_TRUE(editor.State().Modified);

  editor.State().Modified = false;
  YesDefault1Click(editor);
  EXPECT_EQ(root->Text(), "Plugged in");
  EXPECT_TRUE(editor.State().Modified) << "marked modified also without a suffix";

  NoDefault1Click(editor);
  NoDefault1Click(editor);
  EXPECT_EQ(root->Text(), "Plugged in(N)");

  root->SetText("Plugged in(N) ");
  NoDefault1Click(editor);
  EXPECT_EQ(root->Text(), "Plugged in(N) (N)") << "a suffix followed by a blank is not one";
}

TEST_F(EditCommandsTest, DefaultAnswerCommandsIgnoreALeaf) {
  editor.Select(yes);
  yes->SetText("done(N)");
  YesDefault1Click(editor);
  NoDefault1Click(editor);
  EXPECT_EQ(yes->Text(), "done(N)");
  EXPECT_FALSE(editor.State().Modified);
}

TEST_F(EditCommandsTest, NewLineMarkOnlyAChangeMarksModified) {
  FakeInputBox box;
  box.answer = kArrow;
  NewLine1Click(editor, box, "Velmora");
  EXPECT_EQ(box.askedCaption, "Velmora");
  EXPECT_EQ(box.askedPrompt, kNewLinePrompt);
  EXPECT_EQ(box.askedInitial, kArrow);
  EXPECT_FALSE(editor.State().Modified);

  box.answer.reset();  // Cancel
  NewLine1Click(editor, box, "Velmora");
  EXPECT_EQ(editor.State().NewLineMark, kArrow);
  EXPECT_FALSE(editor.State().Modified);

  yes->SetText("a" + kArrow + "b");
  box.answer = "";
  NewLine1Click(editor, box, "Velmora");
  EXPECT_EQ(editor.State().NewLineMark, "");
  EXPECT_TRUE(editor.State().Modified);
  EXPECT_EQ(yes->Text(), "a" + kArrow + "b") << "no node text is rewritten";
}

TEST_F(EditCommandsTest, OptionsAndTitle) {
  ShowButtons1Click(editor, true);
  CloseQuery1Click(editor, true);
  SaveStatus1Click(editor, false);
  EXPECT_TRUE(editor.Settings().ShowButtons);
  EXPECT_TRUE(editor.Settings().CloseQuery);
  EXPECT_FALSE(editor.Settings().SaveStatus);
  EXPECT_FALSE(editor.State().Modified) << "options are not part of the document";

  LabeledEdit1Change(editor, "Printer");
  EXPECT_EQ(editor.State().Title, "Printer");
  EXPECT_TRUE(editor.State().Modified);
  EXPECT_TRUE(editor.CanSave());
  EXPECT_FALSE(LabeledEdit1KeyPress(kEnterKey));
  EXPECT_TRUE(LabeledEdit1KeyPress('a'));
}

TEST_F(EditCommandsTest, NodeEditorOkStoresAndCancelOnlyExpands) {
  FakeNodeEditor dialog;
  no->SetText("Call" + kArrow + "support(N)");
  editor.AddBranch(no, PackNode("x", Question));
  editor.State().Modified = false;
  Collapse(no);
  editor.Select(no);

  EXPECT_TRUE(TreeView1KeyPress(editor, dialog, 'a'));
  EXPECT_EQ(dialog.opened, 0);
  EXPECT_FALSE(TreeView1KeyPress(editor, dialog, kEnterKey));  // Cancel
  EXPECT_EQ(dialog.opened, 1);
  EXPECT_EQ(dialog.lastInput.memoText, "Call\r\nsupport");
  EXPECT_TRUE(dialog.lastInput.preferNo);
  EXPECT_EQ(no->Text(), "Call" + kArrow + "support(N)");
  EXPECT_FALSE(editor.State().Modified);
  EXPECT_TRUE(AllExpanded());

  dialog.answer = NodeEditorResult{Exclaimation, false, "Call\r\nus", {}};
  EXPECT_TRUE(TreeView1DblClick(editor, dialog));
  EXPECT_EQ(no->Text(), "Call" + kArrow + "us");
  EXPECT_EQ(no->kind, Exclaimation);
  EXPECT_TRUE(editor.State().Modified);
  EXPECT_TRUE(editor.CanSave());
  EXPECT_TRUE(editor.CanSaveAs());
}

TEST_F(EditCommandsTest, NodeEditorActsOnTheSelectionNotAStaleCurrentNode) {
  FakeNodeEditor dialog;
  dialog.answer = NodeEditorResult{Information, false, "edited", {}};
  editor.Select(yes);
  editor.CurrentNode = root;
  TreeView1DblClick(editor, dialog);
  EXPECT_EQ(yes->Text(), "edited");
  EXPECT_EQ(root->Text(), kDots);
}

}  // namespace
}  // namespace velmora
