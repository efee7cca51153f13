#include "document/LaterFields.h"

#include <algorithm>
#include <iterator>

#include "document/Picture.h"

namespace velmora {
namespace {

std::vector<FieldDeclaration>& Declarations() {
  // The program's own fields. A field is this one line, its control in the
  // node editor, and nothing else (docs/architecture.md).
  static std::vector<FieldDeclaration> declarations{
      // "メモ": the author's note, for authors and reviewers; the end user never sees it.
      {"note", "\x83\x81\x83\x82", false, "\x81\x6d\x83\x81\x83\x82\x81\x6e"},
      // "結果": how the procedure ended for the end user at this end, for the
      // end dialog, the path report and the run records: "解決" (resolved),
      // "未解決" (not resolved), "サポートへ連絡" (contact support).
      {"outcome", "\x8c\x8b\x89\xca", true, {}, {std::begin(kOutcomeChoices), std::end(kOutcomeChoices)}},
      // "画像": the picture the end user sees above the step's message, and
      // "代替テキスト", its words for those who cannot see it.
      {"picture", "\x89\xe6\x91\x9c", false, "\x81\x6d\x89\xe6\x91\x9c\x81\x6e", {}, true},
      {"alt", "\x91\xe3\x91\xd6\x83\x65\x83\x4c\x83\x58\x83\x67"},
      // "続ける先": the node a run continues at after this end's message,
      // so that two paths share a step and a procedure may loop. Its mark
      // in the tree names the target, which only the tree knows (NodeLinks.h).
      {"link", "\x91\xb1\x82\xaf\x82\xe9\x90\xe6", true, {}, {}, false, true},
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

bool IsValueOfField(FieldIndex field, std::string_view value) {
  const std::vector<FieldChoice>& choices = DeclaredFields()[field].choices;
  if (value.empty() || choices.empty()) return IsStorableFieldValue(value);
  for (const FieldChoice& choice : choices) {
    if (choice.value == value) return true;
  }
  return false;
}

std::string ShownValue(FieldIndex field, std::string_view value) {
  if (DeclaredFields()[field].picture && !value.empty()) return PictureSummary(value);
  for (const FieldChoice& choice : DeclaredFields()[field].choices) {
    if (choice.value == value) return std::string(choice.label);
  }
  return std::string(value);
}

std::string TreeLabel(std::string_view text, const LaterFields& later) {
  std::string label(text);
  later.ForEach([&](FieldIndex field, std::string_view value) {
    const FieldDeclaration& declaration = DeclaredFields()[field];
    if (!declaration.choices.empty()) {
      // "［解決］": the word itself, never a colour alone.
      label.append(" \x81\x6d").append(ShownValue(field, value)).append("\x81\x6e");
    } else if (!declaration.treeMark.empty()) {
      label.append(" ").append(declaration.treeMark);
    }
  });
  return label;
}

bool IsStorableFieldValue(std::string_view value) {
  return value.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

}  // namespace velmora
