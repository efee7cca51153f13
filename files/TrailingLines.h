#pragma once
// Option and trailer lines arrive from the parser as root-level nodes after
// the tree. Both readers (tree files and the payload of a generated
// executable) read the option block's values the same way and drop every
// root-level node behind the last indented line; the root itself always
// stays.

#include <string>
#include <string_view>
#include <utility>

#include "document/DecisionTree.h"
#include "files/IniText.h"
#include "files/LoadedDocument.h"

namespace velmora {

inline void RemoveTrailingRootLevelNodes(DecisionTree& tree) {
  // The last node in pre-order is at root level exactly when the last
  // top-level node has no children.
  for (TreeNode* last = tree.TopLevel().back(); last != tree.Root() && !last->HasChildren();
       last = tree.TopLevel().back()) {
    tree.Delete(last);
  }
}

// The option block's values: the last [OPTION] section of a text, each key
// with its default where the block or the key is missing. Copies, since a
// tree file's bytes pass to the tree before the values are used.
struct OptionBlock {
  std::string newLineMark;
  std::string title;
  int colour = 1;
};

inline OptionBlock ReadOptionBlock(std::string_view text, const IniReadRules& rules = {}) {
  const std::optional<IniSectionView> options = FindLastIniSection(text, "OPTION", rules);
  return {IniString(options, "NewLine", DefaultNewLineMark), IniString(options, "Title", ""),
          IniInteger(options, "Color", 1)};
}

// The same for a procedure read as a list of steps: the last step at level
// 0 is the last top-level node exactly when that node has no answers.
inline void RemoveTrailingRootLevelSteps(StepList& steps) {
  while (steps.Size() > 1 && steps[steps.Size() - 1].level == 0) steps.RemoveLast();
}

inline void ApplyOptionValues(OptionBlock options, DocumentState& state) {
  state.NewLineMark = std::move(options.newLineMark);
  state.Title = std::move(options.title);
  state.Color = options.colour;
}

// The document takes the block's values, and its lines leave the tree.
inline void ApplyOptionBlock(OptionBlock options, LoadedDocument& document) {
  ApplyOptionValues(std::move(options), document.state);
  RemoveTrailingRootLevelNodes(document.tree);
}

}  // namespace velmora
