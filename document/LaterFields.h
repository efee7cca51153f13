#pragma once
// The fields a node may carry besides its text and kind (the author's note,
// and whatever later steps add), declared once as data. Undo, the branches
// on the clipboard, the files, the executable, the comparison and the
// command line loop over the declarations; none of them names a field.
//
// Most nodes carry none of them, so they live outside the node, in a table
// of the tree (DecisionTree.h) that is empty for a document that uses none.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "document/Outcome.h"

namespace velmora {

struct FieldDeclaration {
  // The field's name in the code, in `show` and `set`, and its key in the
  // stored form (FieldSection.h): lower-case ASCII letters and "-".
  std::string_view name;
  // How the comparison and the editor name it (CP932), e.g. "メモ".
  std::string_view label;
  // Only on a node without answers (an end).
  bool endsOnly = false;
  // The word the tree shows after the text of a node that carries the field
  // (CP932; a word, not a colour, so every reader gets it), or empty.
  std::string_view treeMark = {};
  // The values the field takes, for a field that is a choice (the tree then
  // shows the chosen one's label as its mark); empty for free text.
  std::vector<FieldChoice> choices = {};
  // The value is a picture in base64 (Picture.h): shown by what it is
  // ("［画像 1280x720 PNG 183 KB］"), never searched.
  bool picture = false;
  // The value names another node of the same document (NodeLinks.h): its
  // NodeId while in a tree, its pre-order position wherever nodes have no
  // ids (the stored form, a branch's text, a list of steps).
  bool link = false;
};

using FieldIndex = std::uint8_t;

// Every declared field in declaration order: the order of the stored form,
// of `show` and of the comparison's report.
const std::vector<FieldDeclaration>& DeclaredFields();
// Adds a field to the declarations and returns its index. The program's own
// fields are declared in LaterFields.cpp; a test may declare one of its own
// to prove that nothing names the fields one by one.
FieldIndex DeclareField(const FieldDeclaration& declaration);
std::optional<FieldIndex> FieldNamed(std::string_view name);

// Whether `value` may be set on `field`: any storable text, or for a choice
// one of its values (the empty value, none, always may).
bool IsValueOfField(FieldIndex field, std::string_view value);
// How the editor and the outputs name a field's value: a choice's label, a
// picture by its format, size and bytes, a text as it is (so is a value a
// later version may have added).
std::string ShownValue(FieldIndex field, std::string_view value);

// The value of every declared field is a CP932 byte string without CR, LF
// or NUL (a line break stands as the newline mark, as in messages); the
// empty string is the default and is not stored.
class LaterFields {
 public:
  // The field's value, or "" where the node does not carry it.
  std::string_view Get(FieldIndex field) const;
  // An empty value removes the field.
  void Set(FieldIndex field, std::string value);
  bool Empty() const { return values_.empty(); }

  // Calls `visit(field, value)` for every field carried, in declaration order.
  template <typename Visit>
  void ForEach(Visit visit) const {
    for (const auto& entry : values_) visit(entry.first, std::string_view(entry.second));
  }

  bool operator==(const LaterFields& other) const { return values_ == other.values_; }
  bool operator!=(const LaterFields& other) const { return !(*this == other); }

 private:
  // Sorted by field; never an empty value.
  std::vector<std::pair<FieldIndex, std::string>> values_;
};

// The text the tree shows for a node: its text, then the mark of every
// field it carries that has one ("... ［メモ］").
std::string TreeLabel(std::string_view text, const LaterFields& later);

// Whether `value` may be stored: no CR, LF or NUL.
bool IsStorableFieldValue(std::string_view value);

}  // namespace velmora

namespace velmora {

// The declared fields of a procedure's nodes by their pre-order position,
// for a procedure held as a list of steps (StepList.h) and for the stored
// form, where nodes have no ids: positions ascending, no empty entry.
struct PositionedFields {
  std::size_t position = 0;
  LaterFields fields;
};
using FieldTable = std::vector<PositionedFields>;

}  // namespace velmora
