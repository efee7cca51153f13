#pragma once
// Trees for the benchmarks: a complete yes/no procedure of a given size,
// filled level by level (so it is about log2(n) deep, like a real one),
// with Japanese texts, all four kinds, unset answers and No defaults.

#include <cstddef>
#include <string>
#include <vector>

#include "document/DecisionTree.h"

namespace velmora::bench {

// Node i of the complete binary tree has the answers 2i+1 and 2i+2. The
// nodes are created in pre-order, as a load creates them, so the memory
// layout is that of a tree the editor has read from a file.
inline DecisionTree MakeBenchmarkTree(std::size_t nodeCount) {
  DecisionTree tree;
  if (nodeCount == 0) return tree;
  std::vector<TreeNode*> nodes(nodeCount, nullptr);
  // "確認事項" and "対処してください↓" in CP932.
  const std::string question = "\x8a\x6d\x94\x46\x8e\x96\x8d\x80 ";
  const std::string action = "\x91\xce\x8f\x88\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\xab No. ";
  std::vector<std::size_t> pending{0};
  while (!pending.empty()) {
    const std::size_t i = pending.back();
    pending.pop_back();
    if (i == 0) {
      nodes[0] = tree.AddTopLevel(question + "0", Question);
    } else {
      const int kind = static_cast<int>(i % 5) - 1;  // -1 (unset) to 3
      std::string text = (i % 3 == 0 ? action : question) + std::to_string(i);
      if (i % 7 == 0) text += "(N)";
      nodes[i] = tree.AddChild(nodes[(i - 1) / 2], std::move(text), kind);
    }
    if (2 * i + 2 < nodeCount) pending.push_back(2 * i + 2);
    if (2 * i + 1 < nodeCount) pending.push_back(2 * i + 1);
  }
  return tree;
}

}  // namespace velmora::bench
