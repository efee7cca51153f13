#pragma once
// Everything an author sets on one node, declared once. The node editor
// hands these over and takes them back, an undone change restores them, a
// branch on the clipboard or in the undo history carries them, and two
// nodes are the same to the comparison when these are.
//
// A new field is a member here, its lines in PackFields and UnpackFields,
// its storage in TreeNode (DecisionTree.h) and its place in the file
// format; everything else follows from this struct.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "document/TextRules.h"

namespace velmora {

struct NodeFields {
  // The one-line text in CP932 as shown: newline marks for line breaks, the
  // default answer as a "(N)" suffix (TextRules.h), no kind marker.
  std::string text;
  // The NodeKind: the picture and the dialog the node is shown with.
  int kind = Unset;

  bool operator==(const NodeFields& other) const { return text == other.text && kind == other.kind; }
  bool operator!=(const NodeFields& other) const { return !(*this == other); }
};

// The fields as bytes and back, for a branch kept outside a tree
// (BranchRecord.h). UnpackFields takes them off the front of `in`, which
// must hold what PackFields wrote.
inline void PackFields(std::string& out, std::string_view text, int kind) {
  // Kinds run from -1 (Unset) to 3; one byte holds them shifted by one.
  out += static_cast<char>(kind + 1);
  const auto size = static_cast<std::uint32_t>(text.size());
  char bytes[sizeof size];
  std::memcpy(bytes, &size, sizeof size);
  out.append(bytes, sizeof size);
  out += text;
}

struct PackedFields {
  std::string_view text;
  int kind = Unset;
};

inline PackedFields UnpackFields(std::string_view& in) {
  PackedFields fields;
  fields.kind = static_cast<unsigned char>(in.front()) - 1;
  std::uint32_t size = 0;
  std::memcpy(&size, in.data() + 1, sizeof size);
  in.remove_prefix(1 + sizeof size);
  fields.text = in.substr(0, size);
  in.remove_prefix(size);
  return fields;
}

}  // namespace velmora
