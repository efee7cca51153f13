#include "files/TreeTextParser.h"

#include "document/Errors.h"

namespace velmora {

TreeNode* AddInPreOrder(DecisionTree& tree, TreeNode* previous, std::size_t level, std::string_view text, int kind) {
  if (previous == nullptr) return tree.AddChildFromSource(nullptr, text, kind);
  if (level == static_cast<std::size_t>(previous->Level()) + 1) return tree.AddChildFromSource(previous, text, kind);
  // A sibling of the ancestor at the line's level. The walk is bounded by
  // how far the level drops, so a whole parse stays linear.
  TreeNode* sibling = previous;
  while (static_cast<std::size_t>(sibling->Level()) > level) sibling = sibling->Parent();
  return tree.AddChildFromSource(sibling->Parent(), text, kind);
}

TreeTextParse ParseTreeTextOrError(std::string text) {
  TreeTextParse result;
  DecisionTree& tree = result.tree;
  TreeNode* previous = nullptr;
  result.error = ReadTreeLines(tree.KeepSource(std::move(text)), [&](std::size_t level, std::string_view nodeText) {
    previous = AddInPreOrder(tree, previous, level, nodeText);
  });
  return result;
}

namespace {

// A line ends at a CR or an LF; CR LF counts twice, which only leaves room
// unused.
std::size_t MostLines(std::string_view text) {
  std::size_t lineEnds = 0;
  for (const char byte : text) lineEnds += byte == '\r' || byte == '\n';
  return lineEnds;
}

// Reads the lines of `text` into `steps`, whose texts then point into it;
// the invalid-level message, or empty.
std::string AddLines(StepList& steps, std::string_view text) {
  return ReadTreeLines(text, [&steps](std::size_t level, std::string_view nodeText) {
    steps.Add(nodeText, static_cast<int>(level));
  });
}

}  // namespace

StepsParse ParseStepsOrError(std::string_view text, std::string_view tail) {
  StepsParse result{StepList(MostLines(text) + MostLines(tail) + 1), {}};
  result.error = AddLines(result.steps, result.steps.KeepSource(text, tail));
  return result;
}

StepsParse ParseStepsOf(std::string_view text) {
  // Room for exactly its lines, plus a last one without an end: a large
  // file would otherwise set up steps for twice its lines.
  StepsParse result{StepList(LineEndsIn(text) + 1), {}};
  result.error = AddLines(result.steps, text);
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
