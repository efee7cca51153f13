#include "files/TreeTextParser.h"

#include "document/Errors.h"
#include "files/FileMessages.h"
#include "files/LineSplitter.h"

namespace velmora {

TreeTextParse ParseTreeTextOrError(std::string text) {
  TreeTextParse result;
  DecisionTree& tree = result.tree;
  const std::string_view source = tree.KeepSource(std::move(text));
  TreeNode* previous = nullptr;
  LineSplitter lines(source);
  std::string_view line;
  while (lines.Next(line)) {
    const std::size_t level = IndentationOf(line);
    const std::string_view nodeText = line.substr(level);
    if (previous == nullptr) {
      // The first line is the root, however far it is indented.
      previous = tree.AddChildFromSource(nullptr, nodeText);
      continue;
    }
    const std::size_t previousLevel = static_cast<std::size_t>(previous->Level());
    if (level > previousLevel + 1) {
      result.error = InvalidLevelMessage(level, nodeText);
      return result;
    }
    if (level == previousLevel + 1) {
      previous = tree.AddChildFromSource(previous, nodeText);
      continue;
    }
    // A sibling of the ancestor at the line's level. The walk is bounded by
    // how far the level drops, so a whole parse stays linear.
    TreeNode* sibling = previous;
    while (static_cast<std::size_t>(sibling->Level()) > level) sibling = sibling->Parent();
    previous = tree.AddChildFromSource(sibling->Parent(), nodeText);
  }
  return result;
}

#if defined(__cpp_exceptions)
DecisionTree ParseTreeText(std::string text) {
  TreeTextParse parse = ParseTreeTextOrError(std::move(text));
  if (!parse.error.empty()) throw VelmoraError(parse.error);
  return std::move(parse.tree);
}
#endif

}  // namespace velmora
