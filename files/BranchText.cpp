#include "files/BranchText.h"

#include "document/BranchRecord.h"
#include "document/EditCommands.h"
#include "document/Errors.h"
#include "files/FieldSection.h"
#include "files/LineSplitter.h"
#include "files/TreeFile.h"
#include "files/TreeTextParser.h"

namespace velmora {
namespace {

// " 行目: " (after the line's number)
constexpr std::string_view kLineNumberTail = "\x20\x8d\x73\x96\xda\x3a\x20";

bool IsBlankLine(std::string_view line) { return TrimBlanksView(line).empty(); }

VelmoraError NotABranch(std::size_t lineNumber, std::string_view line) {
  return VelmoraError(std::string(kNotABranchMessage) + "\r\n\r\n" + std::to_string(lineNumber) +
                      std::string(kLineNumberTail) + std::string(TrimBlanksView(line)));
}

}  // namespace

std::string BranchText(const DecisionTree& tree, const TreeNode& top) {
  return BranchLines(tree, top) + FieldSectionText(FieldRefsOfBranch(tree, top));
}

DecisionTree ParseBranchText(std::string_view wholeText, std::size_t* droppedLinks) {
  const BranchSection section = SplitBranchFieldSection(wholeText);
  const std::string_view text = section.lines;
  DecisionTree tree;
  TreeNode* previous = nullptr;
  std::size_t base = 0;
  std::size_t lineNumber = 0;
  LineSplitter lines(text);
  std::string_view line;
  while (lines.Next(line)) {
    ++lineNumber;
    if (IsBlankLine(line)) continue;
    const std::size_t indentation = IndentationOf(line);
    const std::string_view nodeText = line.substr(indentation);
    if (previous == nullptr) {
      base = indentation;
      previous = tree.AddTopLevel(nodeText);
      continue;
    }
    // A line at or left of the first line's indentation would start a
    // second branch beside it.
    if (indentation <= base) throw NotABranch(lineNumber, line);
    const int level = static_cast<int>(indentation - base);
    if (level > previous->Level() + 1) throw NotABranch(lineNumber, line);
    TreeNode* parent = previous;
    while (parent->Level() >= level) parent = parent->Parent();
    previous = tree.AddChild(parent, nodeText);
  }
  if (previous == nullptr) throw VelmoraError(kNothingToPasteMessage);
  RestoreKinds(tree);
  // A line of a marker alone leaves no text; a node always shows one.
  tree.ForEachPreOrder([](TreeNode& node) {
    if (node.Text().empty()) node.SetText(PlaceholderText);
  });
  const std::size_t dropped = ApplyFieldTable(tree, section.table);
  if (droppedLinks != nullptr) *droppedLinks = dropped;
  return tree;
}

std::optional<std::string> CopyBranchText(const Editor& editor) {
  if (editor.Selected() == nullptr) return std::nullopt;
  return BranchText(editor.Tree(), *editor.Selected());
}

bool CanCutBranch(const Editor& editor) { return editor.Selected() != nullptr && editor.Selected()->Level() != 0; }

std::optional<std::string> CutBranch(Editor& editor) {
  if (!CanCutBranch(editor)) return std::nullopt;
  TreeNode* node = editor.Selected();
  editor.CurrentNode = node;
  std::string text = BranchText(editor.Tree(), *node);
  DeleteBranch(editor, node);
  return text;
}

// The same flags that enable AddYes1 and AddNo1 for CurrentNode, so Paste
// is offered exactly where they are.
bool CanPasteBranch(const Editor& editor) {
  return editor.CanAddAnswer();
}

bool PasteBranch(Editor& editor, std::string_view text, std::size_t* droppedLinks) {
  if (!CanPasteBranch(editor)) return false;
  const DecisionTree branch = ParseBranchText(text, droppedLinks);
  TreeNode* added = editor.AddBranch(editor.CurrentNode, PackBranch(branch, *branch.Root()));
  ShowAddedAnswer(editor, added);
  return true;
}

}  // namespace velmora
