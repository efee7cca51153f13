#pragma once
// Everything an author sets on one node. The node editor hands these over
// and takes them back, an undone change restores them, a branch on the
// clipboard or in the undo history carries them, and two nodes are the same
// to the comparison when these are. A command that changes one field
// changes a copy of the node's fields (DecisionTree::FieldsOf), never a set
// built from parts, so that it keeps every other field.
//
// The text and the kind live on every node; every further field is declared
// once in LaterFields.cpp and travels in `later`.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "document/LaterFields.h"
#include "document/TextRules.h"

namespace velmora {

struct NodeFields {
  // The one-line text in CP932 as shown: newline marks for line breaks, the
  // default answer as a "(N)" suffix (TextRules.h), no kind marker.
  std::string text;
  // The NodeKind: the picture and the dialog the node is shown with.
  int kind = Unset;
  // The declared fields the node carries.
  LaterFields later;

  bool operator==(const NodeFields& other) const {
    return text == other.text && kind == other.kind && later == other.later;
  }
  bool operator!=(const NodeFields& other) const { return !(*this == other); }
};

namespace packing {

inline void PutSize(std::string& out, std::size_t value) {
  const auto size = static_cast<std::uint32_t>(value);
  char bytes[sizeof size];
  std::memcpy(bytes, &size, sizeof size);
  out.append(bytes, sizeof size);
}

inline std::string_view TakeSized(std::string_view& in) {
  std::uint32_t size = 0;
  std::memcpy(&size, in.data(), sizeof size);
  in.remove_prefix(sizeof size);
  const std::string_view bytes = in.substr(0, size);
  in.remove_prefix(size);
  return bytes;
}

}  // namespace packing

// The fields as bytes and back, for a branch kept outside a tree
// (BranchRecord.h). UnpackFields takes them off the front of `in`, which
// must hold what PackFields wrote.
inline void PackFields(std::string& out, std::string_view text, int kind, const LaterFields& later) {
  // Kinds run from -1 (Unset) to 3; one byte holds them shifted by one.
  out += static_cast<char>(kind + 1);
  packing::PutSize(out, text.size());
  out += text;
  // The declared fields: their number, then each field's index and value.
  const std::size_t countAt = out.size();
  out += '\0';
  later.ForEach([&out, countAt](FieldIndex field, std::string_view value) {
    out += static_cast<char>(field);
    packing::PutSize(out, value.size());
    out += value;
    ++out[countAt];
  });
}

struct PackedFields {
  std::string_view text;
  int kind = Unset;
  LaterFields later;
};

inline PackedFields UnpackFields(std::string_view& in) {
  PackedFields fields;
  fields.kind = static_cast<unsigned char>(in.front()) - 1;
  in.remove_prefix(1);
  fields.text = packing::TakeSized(in);
  const auto count = static_cast<unsigned char>(in.front());
  in.remove_prefix(1);
  for (unsigned i = 0; i < count; ++i) {
    const auto field = static_cast<FieldIndex>(in.front());
    in.remove_prefix(1);
    fields.later.Set(field, std::string(packing::TakeSized(in)));
  }
  return fields;
}

}  // namespace velmora
