// The run records a generated executable leaves and the numbers read back
// from them: random runs through a procedure, recorded as the player
// records them, give back exactly the counts of the runs themselves; a
// record cut short, damaged or foreign is counted and skipped; the editor
// lists the numbers of its document's record folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>

#include "AppTestSupport.h"
#include "TreeFileTestSupport.h"
#include "app/AppCore.h"
#include "app/CommandIds.h"
#include "distribution/PreviewRun.h"
#include "distribution/RunRecord.h"
#include "distribution/RunStatistics.h"
#include "distribution/TreeSteps.h"
#include "document/ContentVersion.h"
#include "document/LaterFields.h"
#include "document/Utf8Text.h"
#include "files/TreeFile.h"

namespace velmora {
namespace {

// Answers at random, and ends the run after a while at the latest.
class RandomDialogs final : public StepDialogPort {
 public:
  RandomDialogs(std::mt19937& random, RunLog& log, RunStatistics& visits)
      : random_(random), log_(log), visits_(visits) {}
  StepAnswer ShowStepDialog(const StepDescription& step) override {
    log_.Step(step.index);
    ++visits_.visits[step.index + 1];
    const StepAnswer answer = Pick(step);
    log_.Answer(answer);
    return answer;
  }

 private:
  StepAnswer Pick(const StepDescription& step) {
    if (++shown_ > 12) return StepAnswer::Closed;
    const int roll = static_cast<int>(random_() % 10);
    if (step.question) return roll < 4 ? StepAnswer::Yes : roll < 8 ? StepAnswer::No : roll < 9 ? StepAnswer::Back : StepAnswer::Closed;
    return roll < 7 ? StepAnswer::Ok : roll < 9 ? StepAnswer::LeafBack : StepAnswer::Closed;
  }
  std::mt19937& random_;
  RunLog& log_;
  RunStatistics& visits_;
  int shown_ = 0;
};

struct Procedure {
  Procedure() {
    TreeNode* root = tree.AddTopLevel("q", Question);
    TreeNode* yes = tree.AddChild(root, "q2", Question);
    const TreeNode* fixed = tree.AddChild(yes, "fixed", Information);
    tree.AddChild(yes, "still broken", Exclaimation);
    const TreeNode* call = tree.AddChild(root, "call", Inhibit);
    Set(fixed, "resolved");
    Set(call, "contact");
  }
  void Set(const TreeNode* node, const char* outcome) {
    LaterFields later;
    later.Set(*FieldNamed("outcome"), outcome);
    tree.SetLater(*node, later);
  }
  DecisionTree tree;
  DocumentState state;
};

TEST(RunRecords, RandomRunsReadBackAsTheirOwnCounts) {
  Procedure procedure;
  const TreeSteps run = StepsOfTree(procedure.tree);
  std::mt19937 random(20261209);
  RunStatisticsBuilder builder("0badf00d", run.steps.Size());
  RunStatistics expected;
  std::vector<std::uint64_t> durations;
  for (int i = 0; i < 300; ++i) {
    RunLog log;
    RandomDialogs dialogs(random, log, expected);
    RunPreview(run.steps, procedure.state, 0, dialogs, nullptr);
    const std::size_t last = log.LastStep();
    if (run.steps.HasAnswers(last)) {
      ++expected.stops[last + 1];
      ++expected.outcomes[0];
    } else {
      ++expected.ends[last + 1];
      ++expected.outcomes[static_cast<std::size_t>(run.steps[last].outcome)];
    }
    // Most beyond 32 bits, the median among them: the record writes a
    // number without 64-bit division.
    const std::uint64_t duration = i % 4 != 0 ? (std::uint64_t{random()} << 20) + random() : random() % 100000;
    durations.push_back(duration);
    const std::string text = log.RecordText(run.steps, {"Title", "0badf00d", "2026-12-09T20:30:05Z", duration});
    builder.Add("velmora-run-0badf00d-" + std::to_string(i) + ".txt", text);
  }
  // Another version's run is listed apart; a record without a step is none.
  RunLog older;
  older.Step(0);
  older.Answer(StepAnswer::Closed);
  builder.Add("velmora-run-older.txt", older.RecordText(run.steps, {"Title", "12345678", "", 1}));
  builder.Add("velmora-run-empty.txt", RunLog().RecordText(run.steps, {"Title", "0badf00d", "", 1}));
  const RunStatistics stats = builder.Finish();
  EXPECT_EQ(stats.runs, 300u);
  EXPECT_EQ(stats.visits, expected.visits);
  EXPECT_EQ(stats.ends, expected.ends);
  EXPECT_EQ(stats.stops, expected.stops);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(stats.outcomes[i], expected.outcomes[i]) << i;
  std::sort(durations.begin(), durations.end());
  EXPECT_EQ(stats.medianMs, (durations[149] + durations[150]) / 2);
  EXPECT_EQ(stats.damaged, 1u) << "a record without steps";
  EXPECT_EQ(stats.otherVersions, (std::map<std::string, std::size_t>{{"12345678", 1}}));
}

TEST(RunRecords, CutDamagedAndForeignFilesAreCountedAndSkipped) {
  Procedure procedure;
  const TreeSteps run = StepsOfTree(procedure.tree);
  RunLog log;
  log.Step(0);
  log.Answer(StepAnswer::Yes);
  log.Step(1);
  log.Answer(StepAnswer::Yes);
  log.Step(2);
  log.Answer(StepAnswer::Ok);
  const std::string whole = log.RecordText(run.steps, {"T", "0badf00d", "2026-12-09T20:30:05Z", 5230});
  EXPECT_EQ(whole,
            "velmora-run 1\r\ntitle=T\r\nversion=0badf00d\r\nstart=2026-12-09T20:30:05Z\r\nduration-ms=5230\r\n"
            "steps=1 2 3\r\nanswers=y y o\r\nend=3\r\noutcome=resolved\r\n");
  RunStatisticsBuilder builder("0badf00d", run.steps.Size());
  // Every cut that loses more than the last line end.
  std::size_t cuts = 0;
  for (std::size_t length = 0; length + 2 < whole.size(); ++length) {
    builder.Add("velmora-run-cut.txt", whole.substr(0, length));
    ++cuts;
  }
  std::string otherNode = whole;
  otherNode.replace(otherNode.find("end=3"), 5, "end=9");
  builder.Add("velmora-run-9.txt", otherNode);
  builder.Add("notes.txt", whole);
  builder.Add("velmora-run-binary.txt", std::string("\0\xff\x01", 3));
  builder.Add("velmora-run-ok.txt", whole);
  const RunStatistics stats = builder.Finish();
  EXPECT_EQ(stats.runs, 1u);
  EXPECT_EQ(stats.damaged, cuts + 2);
  EXPECT_EQ(stats.foreign, 1u);
  EXPECT_EQ(stats.ends.at(3), 1u);
}

// The editor's list of the numbers: the document's record folder read on
// the command (only offered with a folder set), a row per node shown, and a
// row chosen selects its node.
TEST(RunRecords, TheEditorListsWhatTheRecordsSayOfEachNode) {
  testing::FakePlatform platform;
  AppCore core(platform.Ports(), testing::FakePlatform::Facts());
  core.Start(false);
  EXPECT_FALSE(core.CurrentView().Enabled(IDM_RUNSTATS)) << "no record folder yet";
  DocumentState state;
  state.Title = "t";
  state.RecordFolder = "C:\\records";
  DecisionTree tree = testing::TreeOf("? q\r\n\ti fixed\r\n\tx call\r\n");
  LaterFields resolved;
  resolved.Set(*FieldNamed("outcome"), "resolved");
  tree.SetLater(*tree.Root()->FirstChild(), resolved);
  const std::string text = BuildTreeText(tree, state);
  platform.files.files["C:\\work\\a.tre"] = text;
  core.OpenAsDroppedFile(testing::Path("C:\\work\\a.tre"));
  ASSERT_TRUE(core.CurrentView().Enabled(IDM_RUNSTATS));
  const std::string version = ContentVersion(BuildTreeText(core.Model().Tree(), core.Model().State()));
  const auto record = [&](const std::string& ofVersion, const char* steps, const char* end) {
    return "velmora-run 1\r\ntitle=t\r\nversion=" + ofVersion + "\r\nstart=2026-12-09T20:30:05Z\r\n"
           "duration-ms=1000\r\nsteps=" + steps + "\r\nanswers=y o\r\nend=" + end + "\r\noutcome=none\r\n";
  };
  platform.files.files["C:\\records\\velmora-run-1.txt"] = record(version, "1 2", "2");
  platform.files.files["C:\\records\\velmora-run-2.txt"] = record(version, "1 2", "2");
  platform.files.files["C:\\records\\velmora-run-3.txt"] = record(version, "1", "");
  platform.files.files["C:\\records\\velmora-run-4.txt"] = record("0badf00d", "1 3", "3");
  platform.files.files["C:\\records\\velmora-run-5.txt"] = "velmora-run 1\r\n";
  EXPECT_TRUE(core.Run(IDM_RUNSTATS));
  const View view = core.CurrentView();
  EXPECT_NE(view.LatestRequest(ViewRequest::ShowRunStatistics), 0u);
  ASSERT_NE(view.runStatisticsReport, nullptr);
  const auto cp932 = [](std::string_view utf8) { return *Utf8ToCp932Exact(utf8); };
  EXPECT_EQ(view.runStatisticsReport->summary, cp932("この版の実行 3 件、ほかの版 1 件、読めなかったファイル 1 件"));
  ASSERT_EQ(view.runStatisticsReport->rows.size(), 2u) << "the end no run of this version reached has no row";
  EXPECT_EQ(view.runStatisticsReport->rows[0].place, "q");
  EXPECT_EQ(view.runStatisticsReport->rows[0].counts, cp932("表示 3 回、中断 1 回"));
  EXPECT_EQ(view.runStatisticsReport->rows[1].place, cp932("fixed（q）"));
  EXPECT_EQ(view.runStatisticsReport->rows[1].counts, cp932("表示 2 回、終了 2 回（解決）"));
  EXPECT_TRUE(core.SelectCheckedNode(view.runStatisticsReport->rows[1].nodeId));
  EXPECT_EQ(core.Model().Selected(), core.Model().Tree().Root()->FirstChild());
  core.CloseRunStatistics();
  EXPECT_EQ(core.CurrentView().runStatisticsReport, nullptr);
}

}  // namespace
}  // namespace velmora
