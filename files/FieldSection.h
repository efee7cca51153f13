#pragma once
// The stored form of the declared fields (LaterFields.h): a section after
// the option block, one line per field a node carries,
//
//   [FIELDS]
//   12.note=Checked with the vendor on 3 May
//
// keyed by the node's pre-order position as of the save (the file is
// always written whole) and the field's name; the value is the field's
// bytes as they are. A document whose nodes carry no field has no section,
// so its file is byte for byte what it was before fields existed. Every
// line of the section starts with a digit at the left margin, so a reader
// that knows nothing of it takes it for root-level lines behind the option
// block and drops them with the block: the tree, the title, the mark and
// the colour read the same (docs/file-format.md).

#include <cstddef>
#include <string>
#include <string_view>

#include "document/DecisionTree.h"
#include "document/LaterFields.h"

namespace velmora {

inline constexpr std::string_view kFieldSectionHeader = "[FIELDS]";

// The section's lines (CR LF each), or nothing for an empty table.
std::string FieldSectionText(const FieldTable& table);
// The table of a tree's nodes: empty when none carries a field.
FieldTable FieldTableOf(const DecisionTree& tree);

// The table of the nodes of `top`'s branch, positions counted from `top`.
FieldTable FieldTableOfBranch(const DecisionTree& tree, const TreeNode& top);

// A branch's text on the clipboard ends in the same section when a node of
// it carries a field: the lines before it and its table. A text without
// one (or whose last "[FIELDS]" line is followed by anything but field
// lines) is all branch lines.
struct BranchSection {
  std::string_view lines;
  FieldTable table;
};
BranchSection SplitBranchFieldSection(std::string_view text);

// The section at the end of a stored text, for a procedure of `nodeCount`
// nodes. Lines that name no node or no declared field are passed over, as
// is a section that does not follow an option block.
FieldTable ReadFieldSection(std::string_view text, std::size_t nodeCount);
// Gives the nodes of `tree` (in pre-order) the fields of `table`.
void ApplyFieldTable(DecisionTree& tree, const FieldTable& table);

}  // namespace velmora
