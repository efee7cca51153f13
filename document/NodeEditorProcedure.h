#pragma once
// The hand-over between a tree node and the node editor dialog: the stored
// one-line text becomes memo lines and the default-answer choice, and what
// the dialog returns becomes the node's text and kind again.

#include <string>
#include <string_view>

#include "document/DecisionTree.h"
#include "document/NodeEditorPort.h"

namespace velmora {

// The dialog's starting values for `node`: a "(Y)" or "(N)" suffix is taken
// off the trimmed text ("(N)" selects RadioButton2) and the newline marks
// become line breaks.
NodeEditorInput NodeEditorInputFor(const DecisionTree& tree, const TreeNode& node, std::string_view newLineMark);

// The bytes the stored picture of `node` may take so that the document
// stays within kMostDocumentBytes: the limit less an upper estimate of every
// other line of the stored form.
std::size_t PictureRoom(const DecisionTree& tree, const TreeNode& node);

// The node text that OK stores: line breaks folded into the mark, a typed
// kind marker and the blanks at both ends removed, "…" for nothing left,
// "(N)" appended when No is the default.
std::string NodeTextFromEditor(const NodeEditorResult& result, std::string_view newLineMark);

// OK: the fields the node takes: `fields` (the node's) with the new text,
// the picked kind and the declared fields as the dialog left them.
NodeFields NodeFieldsFromEditor(NodeFields fields, const NodeEditorResult& result, std::string_view newLineMark);

}  // namespace velmora
