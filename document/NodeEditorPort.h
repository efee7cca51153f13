#pragma once
// What the node editor dialog is given and what it gives back. The dialog
// itself only shows and collects these values; the rules that turn a node's
// stored text into memo lines and back live in NodeEditorProcedure.

#include <optional>
#include <string>

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
  // The memo's text in CP932, lines separated by CR LF.
  std::string memoText;
};

struct NodeEditorResult {
  int kind = Unset;
  bool preferNo = false;
  std::string memoText;
};

class NodeEditorPort {
 public:
  virtual ~NodeEditorPort() = default;
  // Shows the dialog modally; nothing when the user cancels.
  virtual std::optional<NodeEditorResult> EditNode(const NodeEditorInput& input) = 0;
};

}  // namespace velmora
