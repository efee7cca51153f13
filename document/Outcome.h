#pragma once
// How a procedure ended for the end user at an end of a path, as the author
// declares it on the end: the "outcome" field of LaterFields.h takes these
// values. They live here, apart from the fields' table, because the player
// stub reads them too and carries nothing of that table.

#include <cstdint>
#include <string_view>

namespace velmora {

// One value of a field that takes one of a few: stored as `value` (ASCII),
// shown as `label` (CP932).
struct FieldChoice {
  std::string_view value;
  std::string_view label;
};

enum class Outcome : std::uint8_t { None, Resolved, Unresolved, Contact };

// Resolved, Unresolved and Contact in that order: "解決", "未解決",
// "サポートへ連絡".
inline constexpr FieldChoice kOutcomeChoices[] = {
    {"resolved", "\x89\xf0\x8c\x88"},
    {"unresolved", "\x96\xa2\x89\xf0\x8c\x88"},
    {"contact", "\x83\x54\x83\x7c\x81\x5b\x83\x67\x82\xd6\x98\x41\x97\x8d"},
};

// "解決状況: ", before an outcome's word where an end shows it (the step
// dialog, the book, the browser's player).
inline constexpr std::string_view kOutcomeLead = "\x89\xF0\x8C\x88\x8F\xF3\x8B\xB5: ";

// The outcome stored as `value`; None for none and for a value this version
// does not know.
inline Outcome OutcomeOfValue(std::string_view value) {
  for (std::size_t i = 0; i < sizeof kOutcomeChoices / sizeof kOutcomeChoices[0]; ++i) {
    if (kOutcomeChoices[i].value == value) return static_cast<Outcome>(i + 1);
  }
  return Outcome::None;
}

// "解決" and so on; empty for None.
inline std::string_view OutcomeLabel(Outcome outcome) {
  return outcome == Outcome::None ? std::string_view() : kOutcomeChoices[static_cast<std::size_t>(outcome) - 1].label;
}

}  // namespace velmora
