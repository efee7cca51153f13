#pragma once
// The nodes an end may continue at, as the node editor's list offers them:
// every other node, by its line and text, found as the find box finds
// (SearchFolding.h: width and case folded).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "document/DecisionTree.h"

namespace velmora {

struct LinkChoice {
  NodeId id = 0;
  // "12: ランプは点灯しますか？" (CP932): the node's line and text.
  std::string label;
};

// Every node but `node`, in tree order.
std::vector<LinkChoice> LinkChoicesFor(const DecisionTree& tree, const TreeNode& node);
// The choices whose label holds `search` as find matches it; all for none.
std::vector<std::size_t> MatchingChoices(const std::vector<LinkChoice>& choices, std::string_view search);

}  // namespace velmora
