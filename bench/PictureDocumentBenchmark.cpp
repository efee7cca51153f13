// A procedure with a hundred screenshots (30 MB as stored): opened, saved
// and generated into an executable, each bound within 1 s on the machine
// that builds the program. The pictures are PNG headers before random
// bytes: the program never decodes them on these paths, it carries them.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "BenchTrees.h"
#include "ManualTiming.h"
#include "OneFile.h"
#include "document/Picture.h"
#include "files/DistributionPayload.h"
#include "files/TreeFile.h"

namespace velmora::bench {
namespace {

constexpr std::size_t kPictures = 100;
// Raw bytes per picture: 225 KB is 300 KB of base64, 30 MB for a hundred.
constexpr std::size_t kPictureBytes = 225 * 1024;

std::string Screenshot(std::mt19937& random) {
  std::string bytes("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x07\x80\0\0\x04\x38\x08\x06\0\0\0", 29);
  while (bytes.size() < kPictureBytes) bytes += static_cast<char>(random());
  return bytes;
}

DecisionTree TreeWithPictures() {
  DecisionTree tree = MakeBenchmarkTree(1000);
  const FieldIndex picture = *FieldNamed("picture");
  const FieldIndex alt = *FieldNamed("alt");
  std::mt19937 random(41);
  std::size_t position = 0;
  tree.ForEachPreOrder([&](const TreeNode& node) {
    if (position++ % (1000 / kPictures) != 0) return;
    LaterFields later;
    later.Set(picture, Base64Encode(Screenshot(random)));
    later.Set(alt, "screenshot " + std::to_string(position));
    tree.SetLater(node, std::move(later));
  });
  return tree;
}


void BM_OpenPictureDocument(benchmark::State& state) {
  const std::string bytes = BuildTreeText(TreeWithPictures(), DocumentState{});
  OneFile file(bytes);
  MeasureManually(state, [&] {
    LoadedDocument document = LoadTreeFile(file, FilePath::FromUtf8("bench.tre"), DocumentState{});
    benchmark::DoNotOptimize(document.tree.Count());
  });
  state.SetBytesProcessed(static_cast<int64_t>(bytes.size()) * state.iterations());
}

void BM_SavePictureDocument(benchmark::State& state) {
  const DecisionTree tree = TreeWithPictures();
  MeasureManually(state, [&] { benchmark::DoNotOptimize(BuildTreeText(tree, DocumentState{}).size()); });
}

void BM_GeneratePictureDocument(benchmark::State& state) {
  const DecisionTree tree = TreeWithPictures();
  const std::string stub(40960, 'S');
  MeasureManually(state, [&] { benchmark::DoNotOptimize(BuildDistributionExecutable(stub, tree, DocumentState{}).size()); });
}

BENCHMARK(BM_OpenPictureDocument)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SavePictureDocument)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GeneratePictureDocument)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora::bench
