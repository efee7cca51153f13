#pragma once
// The tree-text parser shared by tree files and the payload of generated
// executables: indented lines become the nodes of a tree, or the steps of a
// run (the player). It reads every line, so option and trailer lines arrive
// as root-level nodes for the caller to remove.

#include <cstddef>
#include <string>
#include <string_view>

#include "document/DecisionTree.h"
#include "document/StepList.h"
#include "files/FileMessages.h"
#include "files/LineSplitter.h"

namespace velmora {

// The level of a line: its leading TABs and spaces, each one level, in any
// mix (the clipboard's branch text follows the same rule).
inline std::size_t IndentationOf(std::string_view line) {
  std::size_t count = 0;
  while (count < line.size() && (line[count] == '\t' || line[count] == ' ')) ++count;
  return count;
}

// The one reading of tree lines, whatever they are read into: calls
// `addLine(level, text)` for each line of `text`, its leading TABs and
// blanks taken off as its level. Lines end at CR LF, a lone CR or a lone LF
// (LF CR is two ends); a NUL ends the text. The first line is level 0
// however far it is indented. A line that goes more than one level deeper
// than the line before it stops the reading: the result is then the
// invalid-level message (empty when every line was read).
template <typename AddLine>
std::string ReadTreeLines(std::string_view text, AddLine addLine) {
  LineSplitter lines(text);
  std::string_view line;
  std::size_t previousLevel = 0;
  bool first = true;
  while (lines.Next(line)) {
    std::size_t level = IndentationOf(line);
    const std::string_view nodeText = line.substr(level);
    if (first) {
      level = 0;
      first = false;
    } else if (level > previousLevel + 1) {
      return InvalidLevelMessage(level, nodeText);
    }
    addLine(level, nodeText);
    previousLevel = level;
  }
  return {};
}

// Reads a copy of `text` followed by `tail`, which the list keeps, into a
// list of steps with their kinds left Unset. An invalid level leaves its
// message in `error` (the list then holds the lines before it).
struct StepsParse {
  StepList steps;
  std::string error;  // empty when every line was read
};
StepsParse ParseStepsOrError(std::string_view text, std::string_view tail);
// The same without a copy: the steps point into `text`, which the caller
// keeps for as long as they are used (a whole file read for a command).
StepsParse ParseStepsOf(std::string_view text);

// Adds the node that follows `previous` in pre-order (null for the first)
// at `level`, its text a part of what the tree keeps (KeepSource): a child
// of `previous` one level deeper, else a sibling of its ancestor at that
// level. The level must be at most one deeper than the previous node's.
TreeNode* AddInPreOrder(DecisionTree& tree, TreeNode* previous, std::size_t level, std::string_view text,
                        int kind = Question);

// Parses `text` into a new tree, which keeps the bytes: its node texts point
// into them, so a large file costs no allocation per line. Lines are read
// as ReadTreeLines reads them; an invalid level leaves its message in
// `error` (the tree then holds the lines before it).
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
