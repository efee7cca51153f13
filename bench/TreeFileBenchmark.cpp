// Loading and saving trees of 10^3 to 10^6 nodes. Each figure is shown
// beside a baseline that only splits the same bytes into lines with memchr
// (the counter "x_memchr" is the ratio), and the fitted complexity must
// come out linear.
#include <benchmark/benchmark.h>

#include <cstring>

#include "BenchTrees.h"
#include "ManualTiming.h"
#include "OneFile.h"
#include "files/DistributionPayload.h"
#include "files/TreeFile.h"

namespace velmora::bench {
namespace {


std::string TreeText(std::size_t nodes) {
  DocumentState state;
  state.Title = "Benchmark";
  state.Color = 2;
  return BuildTreeText(MakeBenchmarkTree(nodes), state);
}

// The least any reader must do: find every line end.
std::size_t SplitLines(const std::string& bytes) {
  std::size_t lines = 0;
  const char* pos = bytes.data();
  const char* end = pos + bytes.size();
  while (pos < end) {
    const void* lf = std::memchr(pos, '\n', static_cast<std::size_t>(end - pos));
    pos = lf ? static_cast<const char*>(lf) + 1 : end;
    ++lines;
  }
  return lines;
}

double SecondsPerSplit(const std::string& bytes) {
  return BestSeconds([&] { benchmark::DoNotOptimize(SplitLines(bytes)); });
}

template <typename Work>
void Measure(benchmark::State& state, const std::string& bytes, Work work) {
  const double mean = MeasureManually(state, work);
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(static_cast<int64_t>(bytes.size()) * state.iterations());
  state.counters["x_memchr"] = mean / SecondsPerSplit(bytes);
}

void BM_SplitLinesBaseline(benchmark::State& state) {
  const std::string bytes = TreeText(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(SplitLines(bytes));
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(static_cast<int64_t>(bytes.size()) * state.iterations());
}

void BM_LoadTreeFile(benchmark::State& state) {
  const std::string bytes = TreeText(static_cast<std::size_t>(state.range(0)));
  OneFile file(bytes);
  Measure(state, bytes, [&] {
    LoadedDocument document = LoadTreeFile(file, FilePath::FromUtf8("bench.tre"), DocumentState{});
    benchmark::DoNotOptimize(document.tree.Count());
  });
}

void BM_SaveTreeText(benchmark::State& state) {
  const DecisionTree tree = MakeBenchmarkTree(static_cast<std::size_t>(state.range(0)));
  const std::string bytes = BuildTreeText(tree, DocumentState{});
  Measure(state, bytes, [&] { benchmark::DoNotOptimize(BuildTreeText(tree, DocumentState{}).size()); });
}

void BM_ReadDistributionPayload(benchmark::State& state) {
  const std::string bytes = BuildDistributionExecutable(std::string(200000, 'S'),
                                                        MakeBenchmarkTree(static_cast<std::size_t>(state.range(0))),
                                                        DocumentState{});
  Measure(state, bytes, [&] {
    LoadedDocument document = ReadDistributionPayload(bytes, FilePath::FromUtf8("bench.exe"), "bench.exe", DocumentState{});
    benchmark::DoNotOptimize(document.tree.Count());
  });
}

// A note ("確認済み" and a number) on every tenth node: open, save and
// convert (the steps read and written back) beside the same procedure
// without notes ("x_without_notes", which should stay within 1.3).
DecisionTree TreeWithNotes(std::size_t nodes) {
  DecisionTree tree = MakeBenchmarkTree(nodes);
  const FieldIndex note = *FieldNamed("note");
  std::size_t position = 0;
  tree.ForEachPreOrder([&](const TreeNode& node) {
    if (position++ % 10 != 0) return;
    LaterFields later;
    later.Set(note, "\x8a\x6d\x94\x46\x8d\xcf\x82\xdd " + std::to_string(position));
    tree.SetLater(node, std::move(later));
  });
  return tree;
}

template <typename Work>
void MeasureAgainstPlain(benchmark::State& state, const std::string& bytes, const std::string& plainBytes,
                         Work work) {
  const double mean = MeasureManually(state, [&] { work(bytes); });
  state.SetBytesProcessed(static_cast<int64_t>(bytes.size()) * state.iterations());
  state.counters["x_without_notes"] = mean / BestSeconds([&] { work(plainBytes); }, 5);
}

void BM_OpenSaveConvertWithNotes(benchmark::State& state) {
  const auto nodes = static_cast<std::size_t>(state.range(0));
  const std::string bytes = BuildTreeText(TreeWithNotes(nodes), DocumentState{});
  const std::string plain = BuildTreeText(MakeBenchmarkTree(nodes), DocumentState{});
  MeasureAgainstPlain(state, bytes, plain, [](const std::string& text) {
    OneFile file(text);
    const LoadedDocument document = LoadTreeFile(file, FilePath::FromUtf8("bench.tre"), DocumentState{});
    benchmark::DoNotOptimize(BuildTreeText(document.tree, document.state).size());
    const LoadedSteps steps = LoadTreeFileSteps(file, FilePath::FromUtf8("bench.tre"), DocumentState{});
    std::string converted;
    AppendTreeText(converted, StepProcedure{steps.steps, steps.fields}, steps.state);
    benchmark::DoNotOptimize(converted.size());
  });
}

constexpr int64_t kSmallest = 1000;
constexpr int64_t kLargest = 1000000;

BENCHMARK(BM_SplitLinesBaseline)->RangeMultiplier(10)->Range(kSmallest, kLargest)->Complexity(benchmark::oN);
BENCHMARK(BM_LoadTreeFile)->RangeMultiplier(10)->Range(kSmallest, kLargest)->UseManualTime()->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveTreeText)->RangeMultiplier(10)->Range(kSmallest, kLargest)->UseManualTime()->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSaveConvertWithNotes)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDistributionPayload)->RangeMultiplier(10)->Range(kSmallest, kLargest)->UseManualTime()->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora::bench

