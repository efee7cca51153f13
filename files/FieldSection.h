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
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "document/DecisionTree.h"
#include "document/LaterFields.h"
#include "document/StepList.h"

namespace velmora {

inline constexpr std::string_view kFieldSectionHeader = "[FIELDS]";

// The nodes that carry fields, by position, for a writer: views of the
// tree's or the steps' own values, nothing copied.
struct FieldRef {
  std::size_t position = 0;
  const LaterFields* fields = nullptr;
};
struct FieldRefs {
  std::vector<FieldRef> entries;
  // The fields of the nodes that carry a link, copied with each link's
  // target as a position (NodeLinks.h): their entries point here. Elements
  // of a deque stay where they are when it grows or moves.
  std::deque<LaterFields> translated;

  bool empty() const { return entries.empty(); }
  std::vector<FieldRef>::const_iterator begin() const { return entries.begin(); }
  std::vector<FieldRef>::const_iterator end() const { return entries.end(); }
};
FieldRefs FieldRefsOf(const DecisionTree& tree);
// The tree's fields copied into a table by position, for an output made
// from the nodes as shown (the book, the browser's player).
FieldTable FieldTableOf(const DecisionTree& tree);
FieldRefs FieldRefsOf(const FieldTable& table);

// Hands the section's bytes to `add` (a std::string_view each, valid for
// the call only); nothing for no refs.
template <typename Add>
void ForEachFieldSectionPiece(const FieldRefs& refs, Add add) {
  if (refs.empty()) return;
  add(kFieldSectionHeader);
  add(std::string_view("\r\n"));
  for (const FieldRef& ref : refs) {
    char digits[24];
    char* end = digits + sizeof digits;
    char* start = end;
    std::size_t position = ref.position;
    do {
      *--start = static_cast<char>('0' + position % 10);
      position /= 10;
    } while (position != 0);
    ref.fields->ForEach([&](FieldIndex field, std::string_view value) {
      add(std::string_view(start, static_cast<std::size_t>(end - start)));
      add(std::string_view("."));
      add(DeclaredFields()[field].name);
      add(std::string_view("="));
      add(value);
      add(std::string_view("\r\n"));
    });
  }
}
std::size_t FieldSectionSize(const FieldRefs& refs);
// The section's lines (CR LF each), or nothing for no refs.
std::string FieldSectionText(const FieldRefs& refs);

// The same for the nodes of `top`'s branch, positions counted from `top`;
// a link out of the branch stands as kLinkOutOfBranch, which names no
// position: a reader drops it and counts it (ApplyFieldTable).
inline constexpr std::string_view kLinkOutOfBranch = "-";
FieldRefs FieldRefsOfBranch(const DecisionTree& tree, const TreeNode& top);

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
// Gives the nodes of `tree` (in pre-order) the fields of `table`, each
// link's position turned into its target's id. Returns how many links were
// left out because no node stands at their position.
std::size_t ApplyFieldTable(DecisionTree& tree, FieldTable table);
// A list of steps carries the ends' outcomes itself, for a run and the
// outputs: taken from the table (an outcome on a question stays in the
// table only).
void ApplyOutcomes(StepList& steps, const FieldTable& table);

}  // namespace velmora
