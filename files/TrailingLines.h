#pragma once
// Option and trailer lines arrive from the parser as root-level nodes after
// the tree. Both readers drop every root-level node behind the last indented
// line; the root itself always stays.

#include "document/DecisionTree.h"

namespace velmora {

inline void RemoveTrailingRootLevelNodes(DecisionTree& tree) {
  // The last node in pre-order is at root level exactly when the last
  // top-level node has no children.
  for (TreeNode* last = tree.TopLevel().back(); last != tree.Root() && !last->HasChildren();
       last = tree.TopLevel().back()) {
    tree.Delete(last);
  }
}

}  // namespace velmora
