// The check before release and the path table on trees of 10^3 to 10^5
// nodes, each beside a plain pre-order walk that reads every text once (the
// counter "x_walk" is the ratio). The check must come out linear; the path
// table writes one row per end with the answers to it, so its output, and
// its time, grow with the ends times their depth (n log n on these trees).
// A chain of 10^5 levels shows that neither recurses. The check of 10^6
// nodes with 10^5 links stays within twice that without them.
#include <benchmark/benchmark.h>


#include "BenchTrees.h"
#include "ManualTiming.h"
#include "distribution/PathTable.h"
#include "document/NodeLinks.h"
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

// Gives every `every`-th end a link to a node further on (a fixed sequence
// of them: the same tree each run), as shared steps are: every run can end,
// and the check has the problems it has without the links.
void AddLinks(DecisionTree& tree, std::size_t every) {
  const std::vector<TreeNode*> nodes = tree.PreOrder();
  std::uint32_t next = 12345;
  std::size_t ends = 0;
  for (std::size_t i = 0; i + 1 < nodes.size(); ++i) {
    if (nodes[i]->HasChildren() || ends++ % every != 0) continue;
    next = next * 1664525u + 1013904223u;
    LaterFields later;
    later.Set(LinkField(), LinkValue(nodes[i + 1 + next % (nodes.size() - i - 1)]->Id()));
    tree.SetLater(*nodes[i], later);
  }
}

// The check of 10^6 nodes whose ends go on elsewhere, one in every
// `range(0)` (10^5 links from 1 in 5), beside the same tree without links:
// "x_without" is the ratio, and must stay within 2. Both sides are the best
// of five checks: the first check of either pays for the memory it takes
// from the system, which the later ones reuse.
void BM_CheckProcedureLinks(benchmark::State& state) {
  DecisionTree tree = MakeBenchmarkTree(1000000);
  const DocumentState document = Titled();
  const auto check = [&] { benchmark::DoNotOptimize(CheckProcedure(tree, document).size()); };
  const double without = BestSeconds(check, 5);
  AddLinks(tree, static_cast<std::size_t>(state.range(0)));
  const double with = BestSeconds(check, 5);
  MeasureManually(state, check);
  state.counters["x_without"] = with / without;
}

constexpr int64_t kSmallest = 1000;
constexpr int64_t kLargest = 100000;

BENCHMARK(BM_CheckProcedure)->RangeMultiplier(10)->Range(kSmallest, kLargest)->UseManualTime()->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PathTable)->RangeMultiplier(10)->Range(kSmallest, kLargest)->UseManualTime()->Complexity(benchmark::oNLogN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckProcedureChain)->Arg(kLargest)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PathTableChain)->Arg(kLargest)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckProcedureLinks)->Arg(5)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora::bench
