// The check before release and the path table on trees of 10^3 to 10^5
// nodes, each beside a plain pre-order walk that reads every text once (the
// counter "x_walk" is the ratio). The check must come out linear; the path
// table writes one row per end with the answers to it, so its output, and
// its time, grow with the ends times their depth (n log n on these trees).
// A chain of 10^5 levels shows that neither recurses.
#include <benchmark/benchmark.h>


#include "BenchTrees.h"
#include "ManualTiming.h"
#include "distribution/PathTable.h"
#include "document/ProcedureCheck.h"

namespace velmora::bench {
namespace {

std::size_t WalkTexts(const DecisionTree& tree) {
  std::size_t bytes = 0;
  tree.ForEachPreOrder([&](const TreeNode& node) { bytes += node.Text().size(); });
  return bytes;
}

double SecondsPerWalk(const DecisionTree& tree) {
  return BestSeconds([&] { benchmark::DoNotOptimize(WalkTexts(tree)); });
}

// Counts the bytes and drops them, as a fast consumer would.
class CountingSink final : public ByteSink {
 public:
  void Write(std::string_view bytes) override { count += bytes.size(); }
  std::size_t count = 0;
};

template <typename Work>
void Measure(benchmark::State& state, const DecisionTree& tree, Work work) {
  const double mean = MeasureManually(state, work);
  state.SetComplexityN(state.range(0));
  state.counters["x_walk"] = mean / SecondsPerWalk(tree);
}

DecisionTree Chain(std::size_t levels) {
  DecisionTree tree;
  TreeNode* node = tree.AddTopLevel("q", Question);
  for (std::size_t i = 1; i < levels; ++i) node = tree.AddChild(node, "q", Question);
  return tree;
}

DocumentState Titled() {
  DocumentState state;
  state.Title = "Benchmark";
  return state;
}

void BM_CheckProcedure(benchmark::State& state) {
  const DecisionTree tree = MakeBenchmarkTree(static_cast<std::size_t>(state.range(0)));
  const DocumentState document = Titled();
  Measure(state, tree, [&] { benchmark::DoNotOptimize(CheckProcedure(tree, document).size()); });
}

void BM_PathTable(benchmark::State& state) {
  const DecisionTree tree = MakeBenchmarkTree(static_cast<std::size_t>(state.range(0)));
  Measure(state, tree, [&] {
    CountingSink sink;
    WritePathTable(sink, tree, PathTableOptions{});
    benchmark::DoNotOptimize(sink.count);
  });
}

void BM_CheckProcedureChain(benchmark::State& state) {
  const DecisionTree tree = Chain(static_cast<std::size_t>(state.range(0)));
  const DocumentState document = Titled();
  Measure(state, tree, [&] { benchmark::DoNotOptimize(CheckProcedure(tree, document).size()); });
}

void BM_PathTableChain(benchmark::State& state) {
  const DecisionTree tree = Chain(static_cast<std::size_t>(state.range(0)));
  Measure(state, tree, [&] {
    CountingSink sink;
    WritePathTable(sink, tree, PathTableOptions{});
    benchmark::DoNotOptimize(sink.count);
  });
}

constexpr int64_t kSmallest = 1000;
constexpr int64_t kLargest = 100000;

BENCHMARK(BM_CheckProcedure)->RangeMultiplier(10)->Range(kSmallest, kLargest)->UseManualTime()->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PathTable)->RangeMultiplier(10)->Range(kSmallest, kLargest)->UseManualTime()->Complexity(benchmark::oNLogN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckProcedureChain)->Arg(kLargest)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PathTableChain)->Arg(kLargest)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora::bench
