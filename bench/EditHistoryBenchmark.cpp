// The memory of the undo history: 100 steps of every kind on a procedure of
// 100,000 nodes. A step keeps only what it changed, so the history must stay
// a small fraction of the procedure's own text ("x_tree_text" is the ratio
// of the history's bytes to the size of the saved file), however large the
// tree. Time per step is shown as well: a step must not walk the tree more
// than the command itself does.
#include <benchmark/benchmark.h>

#include "BenchTrees.h"
#include "document/EditCommands.h"
#include "document/EditHistory.h"
#include "files/BranchText.h"
#include "files/TreeFile.h"

namespace velmora::bench {
namespace {

constexpr std::size_t kTreeNodes = 100000;
constexpr int kSteps = 100;

// One step of the mix: a node deep in the tree, a different one each step,
// gets one of the editing commands.
void OneStep(Editor& editor, EditHistory& history, int step) {
  TreeNode* node = editor.Tree().Root();
  // Down the Yes answers, further each step, so the steps touch different
  // nodes; near the leaves a Cut removes a branch of a few dozen nodes.
  for (int depth = 0; depth < 6 + step % 8 && node->HasChildren(); ++depth) {
    node = (step >> depth) % 2 == 0 ? node->FirstChild() : node->LastChild();
  }
  editor.Select(node);
  switch (step % 6) {
    case 0: history.Record(editor, "Kind", [&] { Exclaimation1Click(editor); }); break;
    case 1: history.Record(editor, "DefaultAnswer", [&] { NoDefault1Click(editor); }); break;
    case 2: history.Record(editor, "AddAnswer", [&] { AddYes1Click(editor); }); break;
    case 3: history.Record(editor, "Cut", [&] { CutBranch(editor); }); break;
    case 4: history.Record(editor, "Exchange", [&] { Exchange1Click(editor); }); break;
    default:
      history.Record(
          editor, "Title", [&] { LabeledEdit1Change(editor, "Title " + std::to_string(step)); },
          EditHistory::Typing::Yes);
      history.Pause(editor);
      break;
  }
}

void BM_HistoryOfHundredSteps(benchmark::State& state) {
  std::size_t historyBytes = 0;
  std::size_t treeTextBytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    NullEditorView view;
    Editor editor(view);
    editor.ReplaceDocument(MakeBenchmarkTree(kTreeNodes), DocumentState{});
    EditHistory history;
    treeTextBytes = TreeTextSize(editor.Tree(), editor.State());
    state.ResumeTiming();
    for (int step = 0; step < kSteps; ++step) OneStep(editor, history, step);
    historyBytes = history.StoredBytes();
    benchmark::DoNotOptimize(historyBytes);
  }
  state.counters["history_bytes"] = static_cast<double>(historyBytes);
  state.counters["bytes_per_step"] = static_cast<double>(historyBytes) / kSteps;
  state.counters["x_tree_text"] = static_cast<double>(historyBytes) / static_cast<double>(treeTextBytes);
}

BENCHMARK(BM_HistoryOfHundredSteps)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace velmora::bench
