#include "document/LinkChoices.h"

#include <algorithm>

#include "document/SearchFolding.h"

namespace velmora {

std::vector<LinkChoice> LinkChoicesFor(const DecisionTree& tree, const TreeNode& node) {
  std::vector<LinkChoice> choices;
  std::size_t line = 1;
  tree.ForEachPreOrder([&](const TreeNode& each) {
    if (&each != &node) choices.push_back({each.Id(), std::to_string(line) + ": " + std::string(each.Text())});
    ++line;
  });
  return choices;
}

std::vector<std::size_t> MatchingChoices(const std::vector<LinkChoice>& choices, std::string_view search) {
  const std::vector<std::uint16_t> pattern = FoldForSearch(search);
  std::vector<std::size_t> matching;
  for (std::size_t i = 0; i < choices.size(); ++i) {
    const std::vector<std::uint16_t> label = FoldForSearch(choices[i].label);
    if (pattern.empty() || std::search(label.begin(), label.end(), pattern.begin(), pattern.end()) != label.end()) {
      matching.push_back(i);
    }
  }
  return matching;
}

}  // namespace velmora
