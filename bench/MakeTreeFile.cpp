// velmora-bench-tree N OUT: writes the benchmark tree of N nodes as a tree
// file, for timing velmora-cli on it.
#include <cstdio>
#include <cstdlib>

#include "BenchTrees.h"
#include "files/TreeFile.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: velmora-bench-tree NODES OUT\n");
    return 2;
  }
  const std::size_t nodes = std::strtoull(argv[1], nullptr, 10);
  velmora::DocumentState state;
  state.Title = "Benchmark";
  state.Color = 1;
  velmora::DecisionTree tree = velmora::bench::MakeBenchmarkTree(nodes);
  // Unset kinds as a load would restore them, so that converting the file
  // gives it back byte for byte.
  tree.ForEachPreOrder([](velmora::TreeNode& node) {
    if (node.kind == velmora::Unset) node.kind = node.HasChildren() ? velmora::Question : velmora::Information;
  });
  const std::string text = velmora::BuildTreeText(tree, state);
  std::FILE* out = std::fopen(argv[2], "wb");
  if (out == nullptr || std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fclose(out) != 0) {
    std::perror(argv[2]);
    return 1;
  }
  return 0;
}
