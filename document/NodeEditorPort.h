#pragma once
// What the node editor dialog is given and what it gives back. The dialog
// itself only shows and collects these values; the rules that turn a node's
// stored text into memo lines and back live in NodeEditorProcedure.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/LaterFields.h"
#include "document/LinkChoices.h"
#include "document/TextRules.h"

namespace velmora {

struct NodeEditorInput {
  // The radio group's item index: the node's kind, -1 for none picked.
  int kind = Unset;
  // RadioButton2 ("No" is the default answer) instead of RadioButton1.
  bool preferNo = false;
  // The two default-answer buttons are enabled only for a node with answers
  // (editing the memo enables them as well).
  bool answerButtonsEnabled = false;
  // The fields of an end (the outcome) can be set: the node has no answers.
  bool endFieldsEnabled = true;
  // The memo's text in CP932, lines separated by CR LF.
  std::string memoText;
  // The node's declared fields (LaterFields.h), each with CR LF between its
  // lines where the node holds newline marks. The dialog shows those it has
  // a control for and hands every one back.
  LaterFields later;
  // The most bytes the node's picture may take as stored (base64), so that
  // the document stays within its limit.
  std::size_t pictureRoom = 0;
  // The nodes an end may continue at (its link, in `later`), made when
  // the author asks for them: a large procedure's list costs its nodes'
  // texts. Empty for a node with answers.
  std::function<std::vector<LinkChoice>()> linkChoices;
  // Where a link's value leads, as the editor shows it beside the button
  // ("→ text"); "" where it names no node.
  std::function<std::string(std::string_view)> linkShown;
};

struct NodeEditorResult {
  int kind = Unset;
  bool preferNo = false;
  std::string memoText;
  // The input's declared fields with the dialog's changes.
  LaterFields later;
};

class NodeEditorPort {
 public:
  virtual ~NodeEditorPort() = default;
  // Shows the dialog modally; nothing when the user cancels.
  virtual std::optional<NodeEditorResult> EditNode(const NodeEditorInput& input) = 0;
};

}  // namespace velmora
