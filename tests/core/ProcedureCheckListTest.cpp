// The check window's rows in the core: what each row says and names, that
// the report follows every change of the document while the window is open
// (and only then, and moves its revision only when it changed), and that a
// chosen row never reaches a node that is gone.
#include "app/ProcedureCheckList.h"

#include <gtest/gtest.h>

#include "TreeFileTestSupport.h"

#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "app/CommandIds.h"
#include "distribution/ColourButtons.h"
#include "files/TreeFile.h"
#include "files/TreeTextParser.h"

namespace velmora {
namespace {

using testing::FakePlatform;

const std::string kEllipsis = "\x81\x63";                               // …
const std::string kTitlePlace = "\x81\x69\x83\x5e\x83\x43\x83\x67\x83\x8b\x81\x6a";  // （タイトル）
const std::string kEmpty = "\x81\x69\x8b\xf3\x81\x6a";                   // （空）
// The nodes above the one a row names, in "（" and "）".
std::string Above(const std::string& nodes) { return "\x81\x69" + nodes + "\x81\x6a"; }
const std::string kA = "\x82\xa0";                                      // あ

using testing::TreeOf;

// (severity, place, explanation) of every row, and the rows' node ids.
struct Shown {
  std::vector<std::string> places;
  std::vector<NodeId> ids;
  std::vector<ProblemSeverity> severities;
};

Shown ShownOf(const CheckReport& report) {
  Shown shown;
  for (const CheckRow& row : report.rows) {
    shown.places.push_back(row.place);
    shown.ids.push_back(row.nodeId);
    shown.severities.push_back(row.severity);
  }
  return shown;
}

TEST(CheckReport, NamesEachNodeByItsTextsFromTheRoot) {
  const DecisionTree tree = TreeOf("? Is it on?\n\t? Prints?\n\t\ti Good\n\t\ti \n\ti Switch it on\n");
  DocumentState state;
  const ProblemList problems = CheckProcedure(tree, state);
  const CheckReport report = CheckReportOf(tree, problems);
  const Shown shown = ShownOf(report);
  ASSERT_EQ(report.rows.size(), problems.size());
  // The node's own text first, the way to it after it in "（）".
  EXPECT_EQ(shown.places, (std::vector<std::string>{kTitlePlace, kEmpty + Above("Is it on? > Prints?")}));
  EXPECT_EQ(shown.ids, (std::vector<NodeId>{0, tree.Root()->FirstChild()->LastChild()->Id()}));
  EXPECT_EQ(shown.severities, (std::vector<ProblemSeverity>{ProblemSeverity::Warning, ProblemSeverity::Error}));
  EXPECT_EQ(report.rows[1].explanation, ExplanationOf(ProblemKind::EmptyText));
  EXPECT_EQ(report.errors, 1u);
  EXPECT_EQ(report.warnings, 1u);
}

TEST(CheckReport, KeepsEveryPlaceShortHoweverDeepOrLongTheTexts) {
  // Ten levels, the deepest node the placeholder; a text of 45 "あ" above
  // it is cut between two characters.
  std::string text;
  std::string long45;
  for (int i = 0; i < 45; ++i) long45 += kA;
  for (int level = 0; level < 10; ++level) {
    const std::string nodeText = level == 0 ? long45 : level == 9 ? kEllipsis : "n" + std::to_string(level);
    text += std::string(static_cast<std::size_t>(level), '\t') + "? " + nodeText + "\n";
  }
  const DecisionTree tree = TreeOf(text);
  DocumentState state;
  state.Title = "T";
  const CheckReport report = CheckReportOf(tree, CheckProcedure(tree, state));
  ASSERT_FALSE(report.rows.empty());
  std::string cut;
  for (int i = 0; i < 12; ++i) cut += kA;
  EXPECT_EQ(report.rows.back().place,
            kEllipsis + Above(cut + kEllipsis + " > " + kEllipsis + " > n4 > n5 > n6 > n7 > n8"));
  // The tooltip's place: every text whole.
  const NodeId deepest = report.rows.back().nodeId;
  EXPECT_EQ(FullPlaceOf(tree, deepest), long45 + " > n1 > n2 > n3 > n4 > n5 > n6 > n7 > n8 > " + kEllipsis);
  EXPECT_EQ(FullPlaceOf(tree, 0), "");
}

TEST(CheckReport, ListsTheFirstThousandAndCountsThemAll) {
  std::string text = "? " + kEllipsis + "\n";
  for (int i = 0; i < 1499; ++i) text += "\ti " + kEllipsis + "\n";
  const DecisionTree tree = TreeOf(text);
  DocumentState state;
  state.Title = "T";
  const CheckReport report = CheckReportOf(tree, CheckProcedure(tree, state));
  EXPECT_EQ(report.rows.size(), kShownProblems);
  EXPECT_EQ(report.errors, 1500u);
  EXPECT_EQ(report.warnings, 1u) << "the middle answers";
  // "エラー 1500 件、警告 1 件（初めの 1000 件を表示）"
  EXPECT_EQ(CheckSummaryText(report), "\x83\x47\x83\x89\x81\x5b 1500 \x8c\x8f\x81\x41\x8c\x78\x8d\x90 1 \x8c\x8f"
                                      "\x81\x69\x8f\x89\x82\xdf\x82\xcc 1000 \x8c\x8f\x82\xf0\x95\x5c\x8e\xa6\x81\x6a");
  // "問題は見つかりませんでした。"
  EXPECT_EQ(CheckSummaryText(CheckReport{}),
            "\x96\xe2\x91\xe8\x82\xcd\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd"
            "\x81\x42");
}

// The core as the window drives it, with the check window open.
class CheckWindowCoreTest : public ::testing::Test {
 protected:
  CheckWindowCoreTest() : core(platform.Ports(), FakePlatform::Facts()) {
    core.Start(false);
    DocumentState state;
    state.Title = "Printer";
    const DecisionTree tree = TreeOf("? Is it on?\n\t? Prints?\n\t\ti Good\n\t\ti " + kEllipsis +
                                     "\n\ti Switch it on\n");
    platform.files.files["C:\\work\\printer.tre"] = BuildTreeText(tree, state);
    core.OpenAsDroppedFile(testing::Path("C:\\work\\printer.tre"));
    EXPECT_TRUE(core.Run(IDM_CHECK));
  }

  TreeNode* Node(const std::string& text) {
    for (TreeNode* node : core.Model().Tree().PreOrder()) {
      if (node->Text() == text) return node;
    }
    ADD_FAILURE() << "no node " << text;
    return nullptr;
  }

  std::vector<std::string> Places() { return ShownOf(*core.CurrentView().checkReport).places; }

  FakePlatform platform;
  AppCore core;
};

TEST_F(CheckWindowCoreTest, OpensOnRequestAndFollowsEveryChangeOfTheDocument) {
  const View opened = core.CurrentView();
  EXPECT_NE(opened.LatestRequest(ViewRequest::ShowCheck), 0u);
  ASSERT_NE(opened.checkReport, nullptr);
  EXPECT_EQ(Places(), (std::vector<std::string>{kEllipsis + Above("Is it on? > Prints?")}));

  // A kind changed on the selected node: the check runs again.
  core.Select(Node(kEllipsis));
  EXPECT_TRUE(core.Run(IDM_INFORMATION1));
  EXPECT_EQ(Places(), (std::vector<std::string>{kEllipsis + Above("Is it on? > Prints?")}))
      << "a kind alone leaves the placeholder";
  // The title emptied and filled again.
  core.TypeTitle("");
  EXPECT_EQ(Places(), (std::vector<std::string>{kTitlePlace, kEllipsis + Above("Is it on? > Prints?")}));
  core.TypeTitle("Printer");
  // The faulty node deleted: no row is left for it.
  core.Select(Node(kEllipsis));
  platform.dialogs.messages.answers = {message_box::kAnswerYes};
  EXPECT_TRUE(core.Run(IDM_DELETE1));
  EXPECT_EQ(Places(), (std::vector<std::string>{"Prints?" + Above("Is it on?")}))
      << "a question with one answer is left";
  EXPECT_EQ(core.CurrentView().checkReport->rows[0].explanation, ExplanationOf(ProblemKind::OneAnswer));
  // A second request shows the window again.
  EXPECT_TRUE(core.Run(IDM_CHECK));
  EXPECT_GT(core.CurrentView().LatestRequest(ViewRequest::ShowCheck), opened.LatestRequest(ViewRequest::ShowCheck));
}

TEST_F(CheckWindowCoreTest, MovesItsRevisionOnlyWhenTheReportChanged) {
  const std::uint64_t first = core.CurrentView().checkRevision;
  // A selection, a title keystroke, a colour: the problems stay what they
  // were.
  core.Select(Node("Good"));
  core.TypeTitle("Printer 2");
  core.ChooseColour(kColourRed);
  const View same = core.CurrentView();
  EXPECT_EQ(same.checkRevision, first);
  core.TypeTitle(" ");
  EXPECT_NE(core.CurrentView().checkRevision, first) << "a blank title is an empty one";
}

TEST_F(CheckWindowCoreTest, FollowsTheNewLineMark) {
  // A message of 45 lines by the mark "|", one line by the default mark.
  std::string message = "Switch it on";
  for (int i = 0; i < 45; ++i) message += "|line";
  TreeNode* node = Node("Switch it on");
  core.Model().SetNode(node, NodeFields{message, node->kind, {}});
  EXPECT_EQ(Places().size(), 1u);
  platform.dialogs.texts = {std::string("|")};
  EXPECT_TRUE(core.Run(IDM_NEWLINE1));
  ASSERT_EQ(Places().size(), 2u);
  EXPECT_EQ(core.CurrentView().checkReport->rows[1].explanation, ExplanationOf(ProblemKind::LongMessage));
}

TEST_F(CheckWindowCoreTest, ChoosingARowSelectsItsNodeUnfoldedAndNeverOneThatIsGone) {
  TreeNode* faulty = Node(kEllipsis);
  const NodeId id = core.CurrentView().checkReport->rows[0].nodeId;
  ASSERT_EQ(id, faulty->Id());
  const View before = core.CurrentView();
  EXPECT_TRUE(core.SelectCheckedNode(id));
  EXPECT_EQ(core.Model().Selected(), faulty);
  EXPECT_GT(core.CurrentView().LatestRequest(ViewRequest::RevealSelection),
            before.LatestRequest(ViewRequest::RevealSelection))
      << "the tree view shows the node, its branch unfolded";

  core.Select(core.Model().Tree().Root());
  EXPECT_FALSE(core.SelectCheckedNode(0)) << "the title's row";
  core.Select(faulty);
  platform.dialogs.messages.answers = {message_box::kAnswerYes};
  EXPECT_TRUE(core.Run(IDM_DELETE1));
  EXPECT_FALSE(core.SelectCheckedNode(id));
  EXPECT_NE(core.Model().Selected(), nullptr);
}

TEST_F(CheckWindowCoreTest, ClosedItChecksNothing) {
  core.CloseCheck();
  EXPECT_EQ(core.CurrentView().checkReport, nullptr);
  core.TypeTitle("");
  EXPECT_EQ(core.CurrentView().checkReport, nullptr);
  EXPECT_TRUE(core.Run(IDM_CHECK));
  EXPECT_EQ(Places().front(), kTitlePlace) << "opened again, the report is the document's as it is now";
}

}  // namespace
}  // namespace velmora
