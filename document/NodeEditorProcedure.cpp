#include "document/NodeEditorProcedure.h"

#include <optional>

#include "document/NodeLinks.h"
#include "document/Picture.h"

namespace velmora {
namespace {

// A memo holds CR LF between lines, but pasted text can bring a lone CR or
// LF. A node text must never hold either (the tree file is line based), so
// every kind of line break counts as one and is folded into the mark.
// CR and LF are never trail bytes in CP932, so a byte scan is safe here.
std::string UnifyLineBreaks(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c == '\r' || c == '\n') {
      result += "\r\n";
      if (c == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ++pos;
      continue;
    }
    result += c;
  }
  return result;
}

// A picture is base64: no line breaks, no blanks, no newline mark to
// expand (a mark of base64 letters would break it), megabytes to copy. A
// link is a node's number, which a mark of digits would break.
bool IsText(FieldIndex field) { return !DeclaredFields()[field].picture && !DeclaredFields()[field].link; }

// Per line of the stored form beyond its text: the indent's TABs are
// counted apart; a kind marker and CR LF, or a field's position, dot, name
// and equals sign, take at most this many.
constexpr std::size_t kLineFrame = 24;

}  // namespace

std::size_t PictureRoom(const DecisionTree& tree, const TreeNode& node) {
  std::size_t used = 0;
  tree.ForEachPreOrder([&](const TreeNode& each) {
    used += each.Text().size() + static_cast<std::size_t>(each.Level()) + kLineFrame;
    tree.LaterOf(each).ForEach([&](FieldIndex field, std::string_view value) {
      if (&each != &node || IsText(field)) used += value.size() + kLineFrame;
    });
  });
  return used < kMostDocumentBytes ? kMostDocumentBytes - used : 0;
}

NodeEditorInput NodeEditorInputFor(const DecisionTree& tree, const TreeNode& node, std::string_view newLineMark) {
  NodeEditorInput input;
  tree.LaterOf(node).ForEach([&](FieldIndex field, std::string_view value) {
    input.later.Set(field, IsText(field) ? ExpandNewLines(value, newLineMark) : std::string(value));
  });
  input.pictureRoom = PictureRoom(tree, node);
  if (!node.HasChildren()) input.linkChoices = [&tree, &node] { return LinkChoicesFor(tree, node); };
  input.linkShown = [&tree](std::string_view value) {
    const std::optional<std::uint64_t> id = LinkNumber(value);
    return id && tree.Find(*id) != nullptr ? ShownFieldValue(tree, LinkField(), value) : std::string();
  };
  input.kind = node.kind;
  std::string text = TrimBlanks(node.Text());
  const DefaultSuffix suffix = DefaultSuffixOf(text);
  if (suffix != DefaultSuffix::None) text = RemoveDefaultSuffix(text);
  input.preferNo = suffix == DefaultSuffix::No;
  input.memoText = ExpandNewLines(text, newLineMark);
  input.answerButtonsEnabled = node.HasChildren();
  input.endFieldsEnabled = !node.HasChildren();
  return input;
}

std::string NodeTextFromEditor(const NodeEditorResult& result, std::string_view newLineMark) {
  // Folding comes before trimming, so a line break at the very end stays as
  // a trailing mark instead of being trimmed away.
  std::string text = FoldNewLines(UnifyLineBreaks(result.memoText), newLineMark);
  // The kind comes from the radio group only; a typed marker is not text.
  if (KindOfMarker(text) >= 0) text = RemoveKindMarker(text);
  text = TrimBlanks(text);
  if (text.empty()) text = std::string(PlaceholderText);
  if (result.preferNo) text = AppendNoDefault(text);
  return text;
}

NodeFields NodeFieldsFromEditor(NodeFields fields, const NodeEditorResult& result, std::string_view newLineMark) {
  fields.text = NodeTextFromEditor(result, newLineMark);
  fields.kind = result.kind;
  fields.later = LaterFields();
  result.later.ForEach([&](FieldIndex field, std::string_view value) {
    // Blank lines around a note are not part of it.
    fields.later.Set(field, IsText(field) ? TrimBlanks(FoldNewLines(UnifyLineBreaks(value), newLineMark))
                                          : std::string(value));
  });
  return fields;
}

}  // namespace velmora
