#pragma once
// Option and trailer lines arrive from the parser as root-level nodes after
// the tree. Both readers (tree files and the payload of a generated
// executable) read the option block's values the same way and drop every
// root-level node behind the last indented line; the root itself always
// stays.

#include <string>
#include <string_view>
#include <utility>

#include "document/DecisionTree.h"
#include "files/IniText.h"
#include "files/LoadedDocument.h"

namespace velmora {

inline void RemoveTrailingRootLevelNodes(DecisionTree& tree) {
  // The last node in pre-order is at root level exactly when the last
  // top-level node has no children.
  for (TreeNode* last = tree.TopLevel().back(); last != tree.Root() && !last->HasChildren();
       last = tree.TopLevel().back()) {
    tree.Delete(last);
  }
}

// The option block's values: the last [OPTION] section of a text, each key
// with its default where the block or the key is missing. Copies, since a
// tree file's bytes pass to the tree before the values are used.
struct OptionBlock {
  std::string newLineMark;
  std::string title;
  int colour = 1;
  std::string recordFolder;
};

// The run records' folder's line, written after the colour only when the
// document names one; a reader that does not know the key skips it.
inline constexpr std::string_view kRecordFolderKey = "RecordFolder=";

inline OptionBlock ReadOptionBlock(std::string_view text, const IniReadRules& rules = {}) {
  const std::optional<IniSectionView> options = FindLastIniSection(text, "OPTION", rules);
  return {IniString(options, "NewLine", DefaultNewLineMark), IniString(options, "Title", ""),
          IniInteger(options, "Color", 1), IniString(options, "RecordFolder", "")};
}

// The position a text starts with, and in `digits` how many digits it
// took: nine at most, so no position wraps a 32-bit size.
inline std::size_t LeadingPosition(std::string_view text, std::size_t& digits) {
  std::size_t position = 0;
  while (digits < text.size() && digits < 9 && text[digits] >= '0' && text[digits] <= '9') {
    position = position * 10 + static_cast<std::size_t>(text[digits++] - '0');
  }
  return position;
}

// The fields a run shows or follows, from the stored field lines
// ("12.outcome=resolved", "3.picture=iVBOR...", "3.alt=...", "9.link=2" in
// the section after the option block, FieldSection.h), which arrive like
// the block as root-level steps behind the tree: read before those go. The
// player reads no other field, and no table of them; as every reader, it
// takes the first line of a field.
inline void ReadStepFields(StepList& steps) {
  constexpr std::string_view kFieldsHeader = "[FIELDS]";
  constexpr std::string_view kOutcomeKey = ".outcome=";
  constexpr std::string_view kPictureKey = ".picture=";
  constexpr std::string_view kAltKey = ".alt=";
  constexpr std::string_view kLinkKey = ".link=";
  std::size_t trailing = steps.Size();
  while (trailing > 1 && steps[trailing - 1].level == 0) --trailing;
  bool inFields = false;
  for (std::size_t i = trailing; i < steps.Size(); ++i) {
    const std::string_view line = steps[i].text;
    if (!line.empty() && line[0] == '[') {
      inFields = line == kFieldsHeader;
      continue;
    }
    std::size_t digits = 0;
    const std::size_t position = LeadingPosition(line, digits);
    if (!inFields || digits == 0 || position >= trailing) continue;
    // The value after the key, for a line with that key.
    const std::string_view field = line.substr(digits);
    std::string_view value;
    const auto keyed = [&field, &value](std::string_view key) {
      if (field.substr(0, key.size()) != key) return false;
      value = field.substr(key.size());
      return true;
    };
    Step& step = steps[position];
    if (keyed(kOutcomeKey)) {
      if (!steps.HasAnswers(position) && step.outcome == Outcome::None) step.outcome = OutcomeOfValue(value);
    } else if (keyed(kPictureKey)) {
      if (step.picture.empty()) step.picture = value;
    } else if (keyed(kAltKey)) {
      if (step.alt.empty()) step.alt = value;
    } else if (keyed(kLinkKey)) {
      // A link names a step of the procedure by its position; anything
      // else (no node there, a damaged line) leaves the end an end.
      std::size_t at = 0;
      const std::size_t link = LeadingPosition(value, at);
      if (at > 0 && at == value.size() && link < trailing && !steps.HasAnswers(position) && step.link == StepList::kNone) {
        step.link = link;
      }
    }
  }
}

// The same for a procedure read as a list of steps: the last step at level
// 0 is the last top-level node exactly when that node has no answers.
inline void RemoveTrailingRootLevelSteps(StepList& steps) {
  while (steps.Size() > 1 && steps[steps.Size() - 1].level == 0) steps.RemoveLast();
}

inline void ApplyOptionValues(OptionBlock options, DocumentState& state) {
  state.NewLineMark = std::move(options.newLineMark);
  state.Title = std::move(options.title);
  state.Color = options.colour;
  state.RecordFolder = std::move(options.recordFolder);
}

// The document takes the block's values, and its lines leave the tree.
inline void ApplyOptionBlock(OptionBlock options, LoadedDocument& document) {
  ApplyOptionValues(std::move(options), document.state);
  RemoveTrailingRootLevelNodes(document.tree);
}

}  // namespace velmora
