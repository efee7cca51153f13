#pragma once
// The tree-text parser shared by tree files and the payload of generated
// executables: indented lines become nodes. It reads every line, so option
// and trailer lines arrive as root-level nodes for the caller to remove.

#include <cstddef>
#include <string>
#include <string_view>

#include "document/DecisionTree.h"

namespace velmora {

// The level of a line: its leading TABs and spaces, each one level, in any
// mix (the clipboard's branch text follows the same rule).
inline std::size_t IndentationOf(std::string_view line) {
  std::size_t count = 0;
  while (count < line.size() && (line[count] == '\t' || line[count] == ' ')) ++count;
  return count;
}

// Parses `text` into a new tree, which keeps the bytes: its node texts point
// into them, so a large file costs no allocation per line. Lines end at
// CR LF, a lone CR or a lone LF (LF CR is two ends); a NUL ends the text.
// Leading TABs and spaces give the level. A line that goes more than one
// level deeper than the line before it stops the parse with the
// invalid-level message in `error` (the tree then holds the lines before it).
// This form raises nothing, for the player stub, which runs without
// exceptions.
struct TreeTextParse {
  DecisionTree tree;
  std::string error;  // empty when the whole text was read
};
TreeTextParse ParseTreeTextOrError(std::string text);

// The same parse for the editor and the CLI: throws VelmoraError with the
// invalid-level message. (Defined only where exceptions are.)
DecisionTree ParseTreeText(std::string text);

}  // namespace velmora
