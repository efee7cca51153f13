// The run records a generated executable leaves and the numbers read back
// from them: random runs through a procedure, recorded as the player
// records them, give back exactly the counts of the runs themselves; a
// record cut short, damaged or foreign is counted and skipped.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>

#include "distribution/PreviewRun.h"
#include "distribution/RunRecord.h"
#include "distribution/RunStatistics.h"
#include "distribution/TreeSteps.h"

namespace velmora {
namespace {

// Answers at random, and ends the run after a while at the latest.
class RandomDialogs final : public StepDialogPort {
 public:
  RandomDialogs(std::mt19937& random, RunLog& log) : random_(random), log_(log) {}
  StepAnswer ShowStepDialog(const StepDescription& step) override {
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
    RandomDialogs dialogs(random, log);
    RunPreview(run.steps, procedure.state, 0, dialogs, nullptr, [&](std::size_t step) {
      log.Step(step);
      ++expected.visits[step + 1];
    });
    const std::size_t last = log.LastStep();
    if (run.steps.HasAnswers(last)) {
      ++expected.stops[last + 1];
      ++expected.outcomes[0];
    } else {
      ++expected.ends[last + 1];
      ++expected.outcomes[static_cast<std::size_t>(run.steps[last].outcome)];
    }
    const std::uint64_t duration = random() % 100000;
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

}  // namespace
}  // namespace velmora
