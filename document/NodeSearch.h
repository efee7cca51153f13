#pragma once
// Find: the next or previous node whose text, as the author sees it (every
// newline mark a line break), contains the search text, compared in the
// folded form of SearchFolding.h (no letter case, no full-width or
// half-width difference). Nodes are taken in tree order, and the search
// wraps around at either end.

#include <cstddef>
#include <string>
#include <string_view>

#include "document/DecisionTree.h"

namespace velmora {

enum class SearchDirection { Next, Previous };

struct SearchResult {
  // The node found, or null when no node matches.
  TreeNode* node = nullptr;
  // The found node's place among the matching nodes in tree order (from 1),
  // and how many nodes match.
  std::size_t position = 0;
  std::size_t count = 0;
};

// Searches from the node after (before) `from`; a null `from` starts at the
// root (at the last node). `from` itself is found last, so the only match
// is found again. An empty search text finds nothing. With `inFields` a
// node also matches by the text of a declared field it carries (the
// author's note, ...), newline marks as line breaks there too.
SearchResult FindNode(const DecisionTree& tree, const TreeNode* from, std::string_view searchText,
                      std::string_view newLineMark, SearchDirection direction, bool inFields = false);

// "n 件中 m 件目" (n matches, the m-th), or "見つかりません" for none.
std::string SearchResultText(const SearchResult& result);

}  // namespace velmora
