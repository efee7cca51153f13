// The SVG diagram, the HTML player, the procedure book and the comparison
// of two versions of trees of 10^3 to 10^6 nodes, into memory: the tidy-tree layout is linear in Buchheim's form, and the fitted
// complexity must come out linear too. "bytes_per_node" shows that the file
// itself grows linearly.
#include <benchmark/benchmark.h>

#include "BenchTrees.h"
#include "distribution/DiagramSvg.h"
#include "distribution/HtmlPlayer.h"
#include "distribution/ProcedureBook.h"
#include "distribution/ProcedureDiff.h"

namespace velmora::bench {
namespace {

// Counts what it is given, so the benchmark times the writer, not a copy.
class CountingSink final : public ByteSink {
 public:
  void Write(std::string_view bytes) override { count += bytes.size(); }
  std::size_t count = 0;
};

template <typename Write>
void MeasureExport(benchmark::State& state, Write write) {
  const DecisionTree tree = MakeBenchmarkTree(static_cast<std::size_t>(state.range(0)));
  DocumentState document;
  document.Title = "Benchmark";
  std::size_t bytes = 0;
  for (auto _ : state) {
    CountingSink sink;
    write(tree, document, sink);
    bytes = sink.count;
  }
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
  state.counters["bytes_per_node"] = static_cast<double>(bytes) / static_cast<double>(state.range(0));
}

void BM_ExportDiagramSvg(benchmark::State& state) {
  MeasureExport(state, [](const DecisionTree& tree, const DocumentState& document, ByteSink& sink) {
    WriteDiagramSvg(tree, document, DiagramOptions{}, sink);
  });
}

void BM_ExportHtmlPlayer(benchmark::State& state) {
  MeasureExport(state, [](const DecisionTree& tree, const DocumentState& document, ByteSink& sink) {
    WriteHtmlPlayer(tree, document, sink);
  });
}

void BM_ExportBook(benchmark::State& state) {
  MeasureExport(state, [](const DecisionTree& tree, const DocumentState& document, ByteSink& sink) {
    WriteProcedureBook(tree, document, "2026/12/08", sink);
  });
}

// A version with one leaf's text changed against the original: the whole
// matching and the path comparison, as diff and the comparison window run it.
void BM_CompareVersions(benchmark::State& state) {
  const DecisionTree before = MakeBenchmarkTree(static_cast<std::size_t>(state.range(0)));
  DecisionTree after = MakeBenchmarkTree(static_cast<std::size_t>(state.range(0)));
  after.LastPreOrder()->SetText("changed");
  const DocumentState document;
  std::size_t changes = 0;
  for (auto _ : state) changes = CompareProcedures({before, document}, {after, document}).changes.size();
  state.SetComplexityN(state.range(0));
  state.counters["changes"] = static_cast<double>(changes);
}

BENCHMARK(BM_ExportBook)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompareVersions)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportDiagramSvg)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportHtmlPlayer)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora::bench
