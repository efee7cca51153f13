#include "document/NodeSearch.h"

#include <algorithm>
#include <vector>

#include "document/NodeLinks.h"
#include "document/SearchFolding.h"
#include "document/TextRules.h"

namespace velmora {
namespace {

// " 件中 " and " 件目"
constexpr std::string_view kOfTotal = "\x20\x8c\x8f\x92\x86\x20";
constexpr std::string_view kPositionTail = "\x20\x8c\x8f\x96\xda";
// "見つかりません"
constexpr std::string_view kNotFound = "\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1";

bool Contains(const std::vector<std::uint16_t>& text, const std::vector<std::uint16_t>& pattern) {
  return std::search(text.begin(), text.end(), pattern.begin(), pattern.end()) != text.end();
}

bool FieldsContain(const DecisionTree& tree, const TreeNode& node, const std::vector<std::uint16_t>& pattern,
                   std::string_view newLineMark) {
  bool found = false;
  tree.LaterOf(node).ForEach([&](FieldIndex field, std::string_view value) {
    if (DeclaredFields()[field].picture) return;  // its words are the alt text
    // A link is found by its target's text, as the tree shows it: never by
    // the number the editor holds.
    const std::string shown = IsLinkField(field) ? ShownFieldValue(tree, field, value) : std::string(value);
    found = found || Contains(FoldForSearch(ExpandNewLines(shown, newLineMark)), pattern);
  });
  return found;
}

}  // namespace

SearchResult FindNode(const DecisionTree& tree, const TreeNode* from, std::string_view searchText,
                      std::string_view newLineMark, SearchDirection direction, bool inFields) {
  SearchResult result;
  const std::vector<std::uint16_t> pattern = FoldForSearch(searchText);
  if (pattern.empty()) return result;
  // One walk in tree order gives every match and where `from` stands
  // among them; the counts of the find box come from the same walk.
  std::vector<TreeNode*> matches;
  std::size_t beforeFrom = 0;  // matches before `from`
  bool fromMatches = false;
  bool passedFrom = false;
  for (TreeNode* node = tree.Root(); node != nullptr; node = tree.NextPreOrder(node)) {
    const bool matching = Contains(FoldForSearch(ExpandNewLines(node->Text(), newLineMark)), pattern) ||
                          (inFields && FieldsContain(tree, *node, pattern, newLineMark));
    if (node == from) {
      passedFrom = true;
      fromMatches = matching;
    }
    if (!matching) continue;
    if (!passedFrom) ++beforeFrom;
    matches.push_back(node);
  }
  result.count = matches.size();
  if (matches.empty()) return result;
  std::size_t index = 0;
  if (direction == SearchDirection::Next) {
    index = passedFrom ? beforeFrom + (fromMatches ? 1 : 0) : 0;
    if (index >= matches.size()) index = 0;
  } else {
    index = passedFrom && beforeFrom > 0 ? beforeFrom - 1 : matches.size() - 1;
  }
  result.node = matches[index];
  result.position = index + 1;
  return result;
}

std::string SearchResultText(const SearchResult& result) {
  if (result.count == 0) return std::string(kNotFound);
  return std::to_string(result.count) + std::string(kOfTotal) + std::to_string(result.position) +
         std::string(kPositionTail);
}

}  // namespace velmora
