// A preview run over real trees, answered by a scripted dialog: where each
// answer leads, what each step shows, and what the taskbar is asked to do.
#include "document/BranchRecord.h"
#include "distribution/PreviewRun.h"

#include <algorithm>
#include <deque>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DocumentTestSupport.h"
#include "TreeFileTestSupport.h"

#include "distribution/TreeSteps.h"
#include "document/Editor.h"
#include "document/NodeLinks.h"
#include "files/LoadedDocument.h"
#include "files/TreeTextParser.h"

namespace velmora {
namespace {

// Answers the steps from a script and keeps what each step showed.
class ScriptedDialogs : public StepDialogPort {
 public:
  explicit ScriptedDialogs(std::deque<StepAnswer> answers) : answers_(std::move(answers)) {}

  StepAnswer ShowStepDialog(const StepDescription& step) override {
    shown.push_back(step);
    if (answers_.empty()) throw std::logic_error("the run asked for more steps than scripted");
    const StepAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  std::vector<std::string> Messages() const {
    std::vector<std::string> messages;
    for (const StepDescription& step : shown) messages.push_back(step.message);
    return messages;
  }
  bool Exhausted() const { return answers_.empty(); }

  std::vector<StepDescription> shown;

 private:
  std::deque<StepAnswer> answers_;
};

struct TaskbarCall {
  bool isState;
  TaskbarProgressState state;
  std::uint64_t completed;
  std::uint64_t total;
};

class RecordingTaskbar : public TaskbarProgressPort {
 public:
  bool SetTaskbarProgressState(TaskbarProgressState state) override {
    calls.push_back({true, state, 0, 0});
    return true;
  }
  bool SetTaskbarProgressValue(std::uint64_t completed, std::uint64_t total) override {
    calls.push_back({false, TaskbarProgressState::None, completed, total});
    return true;
  }
  std::vector<StepProgress> Values() const {
    std::vector<StepProgress> values;
    for (const TaskbarCall& call : calls)
      if (!call.isState) values.push_back({call.completed, call.total});
    return values;
  }
  std::vector<TaskbarProgressState> States() const {
    std::vector<TaskbarProgressState> states;
    for (const TaskbarCall& call : calls)
      if (call.isState) states.push_back(call.state);
    return states;
  }
  std::vector<TaskbarCall> calls;
};

const std::string kArrow = "\x81\xAB";  // ↓, the default newline mark

// root "q" with answers "yes" (a question with "yes-yes" and "yes-no") and "no".
struct SampleTree {
  SampleTree() {
    root = tree.AddTopLevel("q", Question);
    yes = tree.AddChild(root, "yes", Exclaimation);
    yesYes = tree.AddChild(yes, "yes-yes", Information);
    yesNo = tree.AddChild(yes, "yes-no", Inhibit);
    no = tree.AddChild(root, "no", Unset);
  }
  DecisionTree tree;
  DocumentState state;
  TreeNode* root;
  TreeNode* yes;
  TreeNode* yesYes;
  TreeNode* yesNo;
  TreeNode* no;
};

std::vector<std::string> MessagesOfRun(const DecisionTree& tree, const DocumentState& state, TreeNode* start,
                             std::deque<StepAnswer> answers) {
  ScriptedDialogs dialogs(std::move(answers));
  RunPreview(tree, state, start, dialogs, nullptr);
  EXPECT_TRUE(dialogs.Exhausted()) << "the run ended before the script did";
  return dialogs.Messages();
}

using A = StepAnswer;
using Path = std::vector<std::string>;

TEST(PreviewRun, AnswersLeadToFirstChildLastChildAndParent) {
  SampleTree t;
  EXPECT_EQ(MessagesOfRun(t.tree, t.state, t.root, {A::Yes, A::No, A::Ok}), (Path{"q", "yes", "yes-no"}));
  EXPECT_EQ(MessagesOfRun(t.tree, t.state, t.root, {A::Yes, A::Yes, A::LeafBack, A::Back, A::No, A::LeafBack, A::Back}),
            (Path{"q", "yes", "yes-yes", "yes", "q", "no", "q"}));
  // Closing any dialog ends the run at once.
  EXPECT_EQ(MessagesOfRun(t.tree, t.state, t.root, {A::Yes, A::Closed}), (Path{"q", "yes"}));
}

// What the player's copy button and Ctrl+C put on the clipboard (before the
// date and file lines the dialog adds): the trimmed title, each answered
// question with its answer, then the step on show. Back takes an answer
// away again.
TEST(PreviewRun, PathSoFarHoldsEachAnsweredQuestionAndTheStepOnShow) {
  SampleTree t;
  t.state.Title = "  Printer  ";
  // "[質問] ", "[回答] ", "[結果] ", "はい", "いいえ"
  const std::string q = "[\x8E\xBF\x96\xE2] ";
  const std::string a = "[\x89\xF1\x93\x9A] ";
  const std::string r = "[\x8C\x8B\x89\xCA] ";
  const std::string yes = "\x82\xCD\x82\xA2";
  const std::string no = "\x82\xA2\x82\xA2\x82\xA6";
  ScriptedDialogs dialogs({A::Yes, A::No, A::LeafBack, A::Back, A::No, A::Ok});
  RunPreview(t.tree, t.state, t.root, dialogs, nullptr, {}, PathCopy::Offered);
  std::vector<std::string> paths;
  for (const StepDescription& step : dialogs.shown) paths.push_back(step.path);
  EXPECT_EQ(paths, (std::vector<std::string>{
                       "Printer\r\n" + q + "q\r\n",
                       "Printer\r\n" + q + "q\r\n" + a + yes + "\r\n" + q + "yes\r\n",
                       "Printer\r\n" + q + "q\r\n" + a + yes + "\r\n" + q + "yes\r\n" + a + no + "\r\n" + r +
                           "yes-no\r\n",
                       "Printer\r\n" + q + "q\r\n" + a + yes + "\r\n" + q + "yes\r\n",
                       "Printer\r\n" + q + "q\r\n",
                       "Printer\r\n" + q + "q\r\n" + a + no + "\r\n" + r + "no\r\n",
                   }));
}

TEST(PreviewRun, PathTextDropsDefaultSuffixesAndBreaksLinesAtTheMark) {
  DecisionTree tree;
  DocumentState state;
  TreeNode* root = tree.AddTopLevel("one" + kArrow + "two(N)", Question);
  tree.AddChild(root, "end(N)", Information);
  ScriptedDialogs dialogs({A::No, A::Ok});
  RunPreview(tree, state, root, dialogs, nullptr, {}, PathCopy::Offered);
  ASSERT_EQ(dialogs.shown.size(), 2u);
  // An end of a path shows its text as written, suffix and all.
  EXPECT_EQ(dialogs.shown[1].path,
            "\r\n[\x8E\xBF\x96\xE2] one\r\ntwo\r\n[\x89\xF1\x93\x9A] \x82\xA2\x82\xA2\x82\xA6\r\n"
            "[\x8C\x8B\x89\xCA] end(N)\r\n");
}

// An end with an outcome says it in words (the dialog and the copied path,
// which also names the version); one that sends the end user to support
// offers the copy first. An outcome left on a question is not shown.
TEST(PreviewRun, AnEndSaysItsOutcomeAndTheCopyNamesItAndTheVersion) {
  SampleTree t;
  const FieldIndex outcome = *FieldNamed("outcome");
  const auto setOutcome = [&](TreeNode* node, const char* value) {
    LaterFields later;
    later.Set(outcome, value);
    t.tree.SetLater(*node, later);
  };
  setOutcome(t.yesYes, "resolved");
  setOutcome(t.no, "contact");
  setOutcome(t.yes, "unresolved");
  const TreeSteps run = StepsOfTree(t.tree);
  ScriptedDialogs dialogs({A::Yes, A::Yes, A::LeafBack, A::Back, A::No, A::Ok});
  RunPreview(run.steps, t.state, 0, dialogs, nullptr, PathCopy::Offered, "0badf00d");
  ASSERT_EQ(dialogs.shown.size(), 6u);
  // "解決状況: 解決", "解決状況: サポートへ連絡"
  EXPECT_EQ(dialogs.shown[1].message, "yes");
  EXPECT_EQ(dialogs.shown[2].message, "yes-yes\r\n\r\n\x89\xF0\x8C\x88\x8F\xF3\x8B\xB5: \x89\xf0\x8c\x88");
  EXPECT_EQ(dialogs.shown[5].message, "no\r\n\r\n\x89\xF0\x8C\x88\x8F\xF3\x8B\xB5: \x83\x54\x83\x7c\x81\x5b\x83\x67\x82\xd6\x98\x41\x97\x8d");
  EXPECT_FALSE(dialogs.shown[2].copyFirst);
  EXPECT_TRUE(dialogs.shown[5].copyFirst);
  // "[結果] no", "[解決状況] サポートへ連絡", "[版] 0badf00d"
  const std::string& path = dialogs.shown[5].path;
  EXPECT_NE(path.find("[\x8C\x8B\x89\xCA] no\r\n[\x89\xF0\x8C\x88\x8F\xF3\x8B\xB5] "
                      "\x83\x54\x83\x7c\x81\x5b\x83\x67\x82\xd6\x98\x41\x97\x8d\r\n[\x94\xC5] 0badf00d\r\n"),
            std::string::npos)
      << path;
}

// The editor's preview offers no copy: its steps carry no path.
TEST(PreviewRun, StepsCarryNoPathUnlessACopyIsOffered) {
  SampleTree t;
  ScriptedDialogs dialogs({A::Yes, A::Ok});
  RunPreview(t.tree, t.state, t.root, dialogs, nullptr);
  for (const StepDescription& step : dialogs.shown) EXPECT_EQ(step.path, "");
}

TEST(PreviewRun, NothingSelectedStartsAtTheRoot) {
  SampleTree t;
  EXPECT_EQ(MessagesOfRun(t.tree, t.state, nullptr, {A::No, A::Ok}), (Path{"q", "no"}));
}

TEST(PreviewRun, OneChildIsBothAnswersAndMiddleChildrenAreNeverReached) {
  DecisionTree tree;
  DocumentState state;
  TreeNode* root = tree.AddTopLevel("one", Question);
  tree.AddChild(root, "only", Information);
  EXPECT_EQ(MessagesOfRun(tree, state, root, {A::Yes, A::LeafBack, A::No, A::Ok}), (Path{"one", "only", "one", "only"}));

  DecisionTree three;
  TreeNode* top = three.AddTopLevel("three", Question);
  three.AddChild(top, "first", Information);
  three.AddChild(top, "middle", Information);
  three.AddChild(top, "last", Information);
  EXPECT_EQ(MessagesOfRun(three, state, top, {A::Yes, A::LeafBack, A::No, A::LeafBack, A::Back}),
            (Path{"three", "first", "three", "last", "three"}));
}

TEST(PreviewRun, TreeOfOnlyTheRootEndsOnEitherButton) {
  DecisionTree tree;
  DocumentState state;
  TreeNode* root = tree.AddTopLevel("alone", Information);
  for (StepAnswer answer : {A::Ok, A::LeafBack}) {
    ScriptedDialogs dialogs({answer});
    RunPreview(tree, state, root, dialogs, nullptr);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_FALSE(dialogs.shown[0].question);
    EXPECT_TRUE(dialogs.shown[0].topLevel);
  }
  const StepButtonRow buttons = StepButtons(false, true);
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_EQ(buttons[0].caption, "\x82\x6E\x82\x6A");  // ＯＫ
  EXPECT_EQ(buttons[1].caption, "\x8F\x49\x97\xB9");  // 終了
}

TEST(PreviewRun, BackFromDeepInTheTreeClimbsThroughUnshownAncestors) {
  DecisionTree tree;
  DocumentState state;
  TreeNode* root = tree.AddTopLevel("L0", Question);
  TreeNode* l1 = tree.AddChild(root, "L1", Question);
  TreeNode* l2 = tree.AddChild(l1, "L2", Question);
  TreeNode* l3 = tree.AddChild(l2, "L3", Information);
  ScriptedDialogs dialogs({A::LeafBack, A::Back, A::Back, A::Back});
  RunPreview(tree, state, l3, dialogs, nullptr);
  EXPECT_EQ(dialogs.Messages(), (Path{"L3", "L2", "L1", "L0"}));
  EXPECT_FALSE(dialogs.shown[2].topLevel);
  EXPECT_TRUE(dialogs.shown[3].topLevel);
  // Coming down again from above the start, the copied path holds the
  // questions answered on the way, from the highest one reached.
  ScriptedDialogs again({A::LeafBack, A::Back, A::Yes, A::Yes, A::Ok});
  RunPreview(tree, state, l3, again, nullptr, {}, PathCopy::Offered);
  EXPECT_EQ(again.shown.back().path, "\r\n[\x8E\xBF\x96\xE2] L1\r\n[\x89\xF1\x93\x9A] \x82\xCD\x82\xA2\r\n"
                                     "[\x8E\xBF\x96\xE2] L2\r\n[\x89\xF1\x93\x9A] \x82\xCD\x82\xA2\r\n"
                                     "[\x8C\x8B\x89\xCA] L3\r\n");
  // The root's third button is Finish; below it the same button is Back.
  EXPECT_EQ(StepButtons(true, true)[2].caption, "\x8F\x49\x97\xB9");   // 終了
  EXPECT_EQ(StepButtons(true, false)[2].caption, "\x96\xDF\x82\xE9");  // 戻る
  EXPECT_EQ(StepButtons(true, false)[0].caption, "\x82\xCD\x82\xA2(&Y)");
  EXPECT_EQ(StepButtons(true, false)[1].caption, "\x82\xA2\x82\xA2\x82\xA6(&N)");
  EXPECT_EQ(StepButtons(false, false)[1].answer, A::LeafBack);
}

// The run's state machine itself, over a tree's steps, on `node`.
template <typename Look>
auto LookAt(const DecisionTree& tree, const DocumentState& state, const TreeNode* node, Look look) {
  const TreeSteps run = StepsOfTree(tree);
  const auto at = std::find(run.nodes.begin(), run.nodes.end(), node) - run.nodes.begin();
  return look(PreviewRun(run.steps, state, static_cast<std::size_t>(at)));
}

// Describes the one step of a lone node (a question if `withChild`).
StepDescription StepOf(const std::string& text, int kind, bool withChild, const DocumentState& state = {}) {
  DecisionTree tree;
  TreeNode* node = tree.AddTopLevel(text, kind);
  if (withChild) tree.AddChild(node, "child", Information);
  return LookAt(tree, state, node, [](const PreviewRun& run) { return run.DescribeStep(); });
}

TEST(PreviewRun, DefaultAnswerSuffixesOfQuestions) {
  StepDescription step = StepOf("Is it on?(N)", Question, true);
  EXPECT_EQ(step.message, "Is it on?");
  EXPECT_TRUE(step.noDefault);
  EXPECT_TRUE(step.question);

  step = StepOf("lower(n)", Question, true);
  EXPECT_EQ(step.message, "lower");
  EXPECT_TRUE(step.noDefault);

  step = StepOf("lower(y)", Question, true);
  EXPECT_EQ(step.message, "lower");
  EXPECT_FALSE(step.noDefault);

  step = StepOf("(N)", Question, true);
  EXPECT_EQ(step.message, "");
  EXPECT_TRUE(step.noDefault);

  step = StepOf("plain", Question, true);
  EXPECT_EQ(step.message, "plain");
  EXPECT_FALSE(step.noDefault);

  // An end of a path shows the suffix and keeps OK as its default.
  step = StepOf("the end(N)", Question, false);
  EXPECT_EQ(step.message, "the end(N)");
  EXPECT_FALSE(step.noDefault);
  EXPECT_FALSE(step.question);
}

TEST(PreviewRun, NewLineMarkBreaksLinesBeforeTheSuffixIsTaken) {
  DocumentState state;
  // "one↓two(N)": two lines, no suffix, No the default.
  StepDescription step = StepOf("one" + kArrow + "two(N)", Question, true, state);
  EXPECT_EQ(step.message, "one\r\ntwo");
  EXPECT_TRUE(step.noDefault);
  // An empty mark replaces nothing.
  state.NewLineMark.clear();
  EXPECT_EQ(StepOf("one" + kArrow + "two", Information, false, state).message, "one" + kArrow + "two");
}

TEST(PreviewRun, CaptionIsTheTrimmedTitleAndTypeFollowsTheKind) {
  DocumentState state;
  state.Title = " \t Printer help\x81\x40 \r\n";  // ends with a full-width space that stays
  EXPECT_EQ(StepOf("x", Question, false, state).caption, "Printer help\x81\x40");
  state.Title = "   ";
  EXPECT_EQ(StepOf("x", Question, false, state).caption, "");

  EXPECT_EQ(StepOf("x", Question, false).type, StepDialogType::Confirmation);
  EXPECT_EQ(StepOf("x", Information, false).type, StepDialogType::Information);
  EXPECT_EQ(StepOf("x", Exclaimation, false).type, StepDialogType::Warning);
  EXPECT_EQ(StepOf("x", Inhibit, false).type, StepDialogType::Error);
  EXPECT_EQ(StepOf("x", Unset, true).type, StepDialogType::Information);
  EXPECT_EQ(StepOf("x", 17, true).type, StepDialogType::Information);
}

TEST(PreviewRun, ProgressIsDepthWithinTheSubtreeOnShow) {
  // root - a (level 1) - b (2) - c (3); root - d (level 1, a leaf).
  DecisionTree tree;
  DocumentState state;
  TreeNode* root = tree.AddTopLevel("root", Question);
  TreeNode* a = tree.AddChild(root, "a", Question);
  TreeNode* b = tree.AddChild(a, "b", Question);
  TreeNode* c = tree.AddChild(b, "c", Information);
  tree.AddChild(a, "a-no", Information);
  TreeNode* d = tree.AddChild(root, "d", Information);
  // A second top-level node after the root must not count as a descendant.
  tree.AddTopLevel("stray", Information);

  const auto progress = [&](const TreeNode* node) {
    return LookAt(tree, state, node, [](const PreviewRun& run) { return run.Progress(); });
  };
  EXPECT_EQ(progress(a), (StepProgress{2, 4}));
  EXPECT_EQ(progress(root), (StepProgress{1, 4}));
  EXPECT_EQ(progress(c), (StepProgress{4, 4}));
  EXPECT_EQ(progress(d), (StepProgress{2, 2}));
  EXPECT_EQ(progress(b), (StepProgress{3, 4}));
}

// "cable?": Yes to "lamp?" (Yes "fixed", No "restart", which goes back to
// "lamp?"), No to "plug in", which goes on at "lamp?" too: a shared step
// and a retry loop.
struct LinkedTree {
  LinkedTree() {
    cable = tree.AddTopLevel("cable?", Question);
    lamp = tree.AddChild(cable, "lamp?", Question);
    tree.AddChild(lamp, "fixed", Information);
    restart = tree.AddChild(lamp, "restart", Information);
    plug = tree.AddChild(cable, "plug in", Information);
    Link(restart, lamp);
    Link(plug, lamp);
  }
  void Link(TreeNode* from, const TreeNode* to) {
    LaterFields later = tree.LaterOf(*from);
    later.Set(LinkField(), LinkValue(to->Id()));
    tree.SetLater(*from, later);
  }
  DecisionTree tree;
  DocumentState state;
  TreeNode* cable;
  TreeNode* lamp;
  TreeNode* restart;
  TreeNode* plug;
};

TEST(PreviewRun, LinksGoOnAtTheirTargetAndBackGoesBackAcrossThem) {
  LinkedTree t;
  EXPECT_EQ(MessagesOfRun(t.tree, t.state, t.cable, {A::No, A::Ok, A::Back, A::LeafBack, A::Back}),
            (Path{"cable?", "plug in", "lamp?", "plug in", "cable?"}));
  // The copy names the jump by the target's line: "[手順] plug in", "→ 2".
  ScriptedDialogs dialogs({A::No, A::Ok, A::Closed});
  RunPreview(t.tree, t.state, t.cable, dialogs, nullptr, {}, PathCopy::Offered);
  EXPECT_EQ(dialogs.shown[2].path, "\r\n[\x8E\xBF\x96\xE2] cable?\r\n[\x89\xF1\x93\x9A] \x82\xA2\x82\xA2\x82\xA6\r\n"
                                   "[\x8e\xe8\x8f\x87] plug in\r\n\x81\xa8 2\r\n[\x8E\xBF\x96\xE2] lamp?\r\n");
  EXPECT_FALSE(dialogs.shown[2].topLevel);
}

// Round the retry loop a thousand times: the run keeps the way to the step
// without the rounds, so its history and its copied path stay as they were
// after the first.
TEST(PreviewRun, ALoopRunRoundAThousandTimesHoldsWhatItHeldOnce) {
  LinkedTree t;
  std::deque<StepAnswer> answers{A::Yes};
  for (int round = 0; round < 1000; ++round) answers.insert(answers.end(), {A::No, A::Ok});
  answers.insert(answers.end(), {A::Yes, A::Ok});
  ScriptedDialogs dialogs(answers);
  RunPreview(t.tree, t.state, t.cable, dialogs, nullptr, {}, PathCopy::Offered);
  ASSERT_EQ(dialogs.shown.size(), 2003u);
  EXPECT_EQ(dialogs.shown[3].path, dialogs.shown[2001].path);
  EXPECT_EQ(dialogs.shown.back().message, "fixed");
  EXPECT_EQ(dialogs.shown.back().path, "\r\n[\x8E\xBF\x96\xE2] cable?\r\n[\x89\xF1\x93\x9A] \x82\xCD\x82\xA2\r\n"
                                       "[\x8E\xBF\x96\xE2] lamp?\r\n[\x89\xF1\x93\x9A] \x82\xCD\x82\xA2\r\n"
                                       "[\x8C\x8B\x89\xCA] fixed\r\n");
}

// An end with a link and no message of its own is passed without a dialog,
// also on the way back; two that lead only to each other show one after
// all rather than go round for ever.
TEST(PreviewRun, AnEndWithALinkAndNoMessageIsPassedAtOnce) {
  LinkedTree t;
  t.tree.SetFields(*t.plug, NodeFields{"", Information, t.tree.LaterOf(*t.plug)});
  EXPECT_EQ(MessagesOfRun(t.tree, t.state, t.cable, {A::No, A::Back, A::Closed}), (Path{"cable?", "lamp?", "cable?"}));
  TreeNode* other = t.tree.AddTopLevel(" ", Information);
  t.Link(other, t.plug);
  t.Link(t.plug, other);
  t.Link(t.restart, other);
  EXPECT_EQ(MessagesOfRun(t.tree, t.state, t.cable, {A::Yes, A::No, A::Ok, A::Closed}),
            (Path{"cable?", "lamp?", "restart", ""}));
}

// The run finds its way by walking the list of steps; on any procedure
// (with a stray top-level node now and then) each walk must land where
// the tree's own links lead, and both readings of the lines into steps (the
// player's copy, the command line's view) must give the tree parser's nodes.
TEST(PreviewRun, StepWalksLeadWhereTheTreeLinksLead) {
  std::mt19937 random(30);
  for (int round = 0; round < 60; ++round) {
    const std::string text = testing::RandomProcedure(random) + (round % 3 == 0 ? "i stray\r\n" : "");
    const DecisionTree tree = testing::TreeOf(text);
    const TreeSteps run = StepsOfTree(tree);
    const auto index = [&run](const TreeNode* node) {
      return node == nullptr ? StepList::kNone
                             : static_cast<std::size_t>(std::find(run.nodes.begin(), run.nodes.end(), node) -
                                                        run.nodes.begin());
    };
    ASSERT_EQ(run.steps.Size(), tree.Count());
    for (std::size_t i = 0; i < run.steps.Size(); ++i) {
      const TreeNode* node = run.nodes[i];
      EXPECT_EQ(run.steps.HasAnswers(i), node->HasChildren());
      EXPECT_EQ(run.steps.FirstAnswer(i), index(node->FirstChild()));
      EXPECT_EQ(run.steps.LastAnswer(i), index(node->LastChild()));
      EXPECT_EQ(run.steps.Parent(i), index(node->Parent()));
      EXPECT_EQ(run.steps.SubtreeEnd(i), i + tree.SubtreeSize(node));
    }
    StepsParse parses[] = {ParseStepsOrError(text, ""), ParseStepsOf(text)};
    for (StepsParse& parse : parses) {
      ASSERT_EQ(parse.error, "");
      RestoreKinds(parse.steps);
      EXPECT_EQ(testing::Describe(parse.steps), testing::Describe(tree));
    }
  }
}

TEST(PreviewRun, TaskbarFollowsEveryStepAndIsClearedAtTheEnd) {
  SampleTree t;
  t.state.Color = 3;
  ScriptedDialogs dialogs({A::Yes, A::Yes, A::Ok});
  RecordingTaskbar taskbar;
  RunPreview(t.tree, t.state, t.root, dialogs, &taskbar);
  EXPECT_EQ(taskbar.Values(), (std::vector<StepProgress>{{1, 3}, {2, 3}, {3, 3}, {0, 2147483647}}));
  EXPECT_EQ(taskbar.States(),
            (std::vector<TaskbarProgressState>{TaskbarProgressState::Error, TaskbarProgressState::Error,
                                               TaskbarProgressState::Error, TaskbarProgressState::None}));
  // Each step sets the state before the value; the end sets the value first.
  ASSERT_EQ(taskbar.calls.size(), 8u);
  EXPECT_TRUE(taskbar.calls[0].isState);
  EXPECT_FALSE(taskbar.calls[1].isState);
  EXPECT_FALSE(taskbar.calls[6].isState);
  EXPECT_TRUE(taskbar.calls[7].isState);
}

TEST(PreviewRun, NoColourGivesStateNoneAtEveryStepWhileValuesAreStillSet) {
  SampleTree t;
  t.state.Color = 0;
  ScriptedDialogs dialogs({A::No, A::LeafBack, A::Back});
  RecordingTaskbar taskbar;
  RunPreview(t.tree, t.state, t.root, dialogs, &taskbar);
  for (TaskbarProgressState state : taskbar.States()) EXPECT_EQ(state, TaskbarProgressState::None);
  EXPECT_EQ(taskbar.Values(), (std::vector<StepProgress>{{1, 3}, {2, 2}, {1, 3}, {0, 2147483647}}));
}

TEST(PreviewRun, FailingDialogStillClearsTheBar) {
  SampleTree t;
  t.state.Color = 1;
  ScriptedDialogs dialogs({A::Yes});  // the second step throws
  RecordingTaskbar taskbar;
  EXPECT_THROW(RunPreview(t.tree, t.state, t.root, dialogs, &taskbar), std::logic_error);
  ASSERT_FALSE(taskbar.calls.empty());
  EXPECT_TRUE(taskbar.calls.back().isState);
  EXPECT_EQ(taskbar.calls.back().state, TaskbarProgressState::None);
}

TEST(EditorPreview, SelectionFollowsTheRunAndCommandsComeBackAtTheEnd) {
  testing::RecordingEditorView view;
  Editor editor(view);
  editor.ResetToStartingTree();
  TreeNode* root = editor.Tree().Root();
  TreeNode* yes = root->FirstChild();
  editor.AddBranch(yes, PackNode("deeper", Information));
  editor.Select(yes);

  struct Seen {
    TreeNode* selected;
    TreeNode* current;
    bool preview;
    bool generate;
    int rootMark;
  };
  std::vector<Seen> seen;
  ScriptedDialogs dialogs({A::Yes, A::LeafBack, A::Back, A::No, A::Ok});
  RunEditorPreview(editor, dialogs, nullptr, [&] {
    seen.push_back({editor.Selected(), editor.CurrentNode, editor.CanPreview(), editor.CanGenerate(),
                    AnswerMark(*root, editor.Selected())});
  });
  ASSERT_EQ(dialogs.shown.size(), 5u);
  const std::vector<TreeNode*> expected = {yes, yes->FirstChild(), yes, root, root->LastChild()};
  ASSERT_EQ(seen.size(), expected.size() + 1);
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(seen[i].selected, expected[i]) << "step " << i;
    EXPECT_EQ(seen[i].current, expected[i]) << "step " << i;
    EXPECT_FALSE(seen[i].preview);
    EXPECT_FALSE(seen[i].generate);
  }
  // The selection handling ran for each move: at the root its answer marks show.
  EXPECT_EQ(seen[3].rootMark, 1);
  EXPECT_EQ(seen.back().selected, root);
  EXPECT_TRUE(seen.back().preview);
  EXPECT_TRUE(seen.back().generate);
  EXPECT_EQ(editor.CurrentNode, root);
  EXPECT_GE(view.scrolls, 1);
}

TEST(EditorPreview, LoneRootEnablesGenerateAtTheEndAndFailuresRestoreTheEditor) {
  testing::RecordingEditorView view;
  Editor editor(view);  // a lone root, as the form starts
  ScriptedDialogs finish({A::LeafBack});
  RunEditorPreview(editor, finish, nullptr, {});
  EXPECT_TRUE(editor.CanPreview());
  EXPECT_TRUE(editor.CanGenerate());

  editor.ResetToStartingTree();
  editor.Select(editor.Tree().Root()->LastChild());
  ScriptedDialogs failing({});
  RecordingTaskbar taskbar;
  EXPECT_THROW(RunEditorPreview(editor, failing, &taskbar, {}), std::logic_error);
  EXPECT_EQ(editor.Selected(), editor.Tree().Root());
  EXPECT_TRUE(editor.CanPreview());
  EXPECT_TRUE(editor.CanGenerate());
  EXPECT_EQ(taskbar.States().back(), TaskbarProgressState::None);
}

}  // namespace
}  // namespace velmora
