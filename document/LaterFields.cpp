#include "document/LaterFields.h"

#include <algorithm>

namespace velmora {
namespace {

std::vector<FieldDeclaration>& Declarations() {
  // The program's own fields. A field is this one line, its control in the
  // node editor, and nothing else (docs/architecture.md).
  static std::vector<FieldDeclaration> declarations{
      // "メモ": the author's note, for authors and reviewers; the end user never sees it.
      {"note", "\x83\x81\x83\x82", false, "\x81\x6d\x83\x81\x83\x82\x81\x6e"},
  };
  return declarations;
}

}  // namespace

const std::vector<FieldDeclaration>& DeclaredFields() { return Declarations(); }

FieldIndex DeclareField(const FieldDeclaration& declaration) {
  Declarations().push_back(declaration);
  return static_cast<FieldIndex>(Declarations().size() - 1);
}

std::optional<FieldIndex> FieldNamed(std::string_view name) {
  const std::vector<FieldDeclaration>& fields = DeclaredFields();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].name == name) return static_cast<FieldIndex>(i);
  }
  return std::nullopt;
}

std::string_view LaterFields::Get(FieldIndex field) const {
  for (const auto& entry : values_) {
    if (entry.first == field) return entry.second;
  }
  return {};
}

void LaterFields::Set(FieldIndex field, std::string value) {
  const auto at = std::lower_bound(values_.begin(), values_.end(), field,
                                   [](const auto& entry, FieldIndex wanted) { return entry.first < wanted; });
  const bool present = at != values_.end() && at->first == field;
  if (value.empty()) {
    if (present) values_.erase(at);
  } else if (present) {
    at->second = std::move(value);
  } else {
    values_.emplace(at, field, std::move(value));
  }
}

std::string TreeLabel(std::string_view text, const LaterFields& later) {
  std::string label(text);
  later.ForEach([&](FieldIndex field, std::string_view) {
    const std::string_view mark = DeclaredFields()[field].treeMark;
    if (!mark.empty()) label.append(" ").append(mark);
  });
  return label;
}

bool IsStorableFieldValue(std::string_view value) {
  return value.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

}  // namespace velmora
