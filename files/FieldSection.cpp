#include "files/FieldSection.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "document/TextRules.h"
#include "document/BranchRecord.h"
#include "document/NodeLinks.h"
#include "files/IniText.h"
#include "files/LineSplitter.h"

namespace velmora {
namespace {

struct FieldLine {
  std::size_t position = 0;
  FieldIndex field = 0;
  std::string_view value;
};

// "12.note=value": the position, the declared field and the raw value.
std::optional<FieldLine> ParseFieldLine(std::string_view line) {
  FieldLine parsed;
  std::size_t at = 0;
  for (; at < line.size() && line[at] >= '0' && line[at] <= '9'; ++at) {
    // No procedure has this many nodes; a longer number names none.
    if (parsed.position > (~std::size_t{0} - 9) / 10) return std::nullopt;
    parsed.position = parsed.position * 10 + static_cast<std::size_t>(line[at] - '0');
  }
  if (at == 0 || at >= line.size() || line[at] != '.') return std::nullopt;
  const std::size_t equals = line.find('=', at);
  if (equals == std::string_view::npos) return std::nullopt;
  const std::optional<FieldIndex> field = FieldNamed(line.substr(at + 1, equals - at - 1));
  if (!field) return std::nullopt;
  parsed.field = *field;
  parsed.value = line.substr(equals + 1);
  return parsed;
}

// Lines in the order written (by position; a hand-edited text may not be)
// as a table: the first of two lines for the same field of a node counts.
FieldTable TableOfLines(std::vector<FieldLine> lines) {
  const auto byPosition = [](const FieldLine& a, const FieldLine& b) { return a.position < b.position; };
  if (!std::is_sorted(lines.begin(), lines.end(), byPosition)) std::stable_sort(lines.begin(), lines.end(), byPosition);
  FieldTable table;
  for (const FieldLine& line : lines) {
    if (table.empty() || table.back().position != line.position) table.push_back({line.position, {}});
    LaterFields& fields = table.back().fields;
    if (fields.Get(line.field).empty()) fields.Set(line.field, std::string(line.value));
  }
  return table;
}

bool StartsIndented(std::string_view line) { return !line.empty() && (line[0] == '\t' || line[0] == ' '); }

bool IsHeader(std::string_view line, std::string_view name) {
  const std::string_view trimmed = TrimBlanksView(line);
  return trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']' &&
         IniNamesEqual(TrimBlanksView(trimmed.substr(1, trimmed.size() - 2)), name);
}

// The section's lines, last first: the root-level lines after "[FIELDS]",
// where an "[OPTION]" header stands among the root-level lines before it.
std::vector<std::string_view> SectionLines(std::string_view text) {
  std::vector<std::string_view> lines;
  ReverseLineSplitter splitter(text);
  std::string_view line;
  bool inSection = false;
  while (splitter.Previous(line) && !StartsIndented(line)) {
    if (!inSection) {
      if (line == kFieldSectionHeader) {
        inSection = true;
      } else {
        lines.push_back(line);
      }
    } else if (IsHeader(line, "OPTION")) {
      return lines;
    }
  }
  return {};
}

}  // namespace

std::size_t FieldSectionSize(const FieldRefs& refs) {
  std::size_t size = 0;
  ForEachFieldSectionPiece(refs, [&size](std::string_view piece) { size += piece.size(); });
  return size;
}

std::string FieldSectionText(const FieldRefs& refs) {
  std::string text;
  text.reserve(FieldSectionSize(refs));
  ForEachFieldSectionPiece(refs, [&text](std::string_view piece) { text += piece; });
  return text;
}

namespace {

// The refs of the nodes from `top` on (`next` walks them), positions counted
// from there; a link's target becomes its position among the same nodes,
// and a link out of them is left out.
template <typename Next>
FieldRefs RefsOfNodes(const DecisionTree& tree, const TreeNode* top, const TreeNode* first, Next next) {
  FieldRefs refs;
  if (!tree.HasLaterFields()) return refs;
  std::optional<LinkPositions> links;
  std::size_t position = 0;
  for (const TreeNode* node = first; node != nullptr; node = next(node), ++position) {
    const LaterFields& later = tree.LaterOf(*node);
    if (later.Empty()) continue;
    if (!CarriesLink(later)) {
      refs.entries.push_back({position, &later});
      continue;
    }
    if (!links) links.emplace(tree, top);
    LaterFields translated = later;
    // A branch's link out of it has nothing to name where the branch goes:
    // it stands as kLinkOutOfBranch, so that a paste can say it was left.
    TranslateLinks(translated, [&](std::string_view value) {
      std::string position = links->Translate(value);
      return position.empty() && top != nullptr ? std::string(kLinkOutOfBranch) : position;
    });
    if (translated.Empty()) continue;
    refs.translated.push_back(std::move(translated));
    refs.entries.push_back({position, &refs.translated.back()});
  }
  return refs;
}

}  // namespace

FieldRefs FieldRefsOf(const DecisionTree& tree) {
  return RefsOfNodes(tree, nullptr, tree.Root(), [&tree](const TreeNode* node) { return tree.NextPreOrder(node); });
}

FieldTable FieldTableOf(const DecisionTree& tree) {
  FieldTable table;
  for (const FieldRef& ref : FieldRefsOf(tree)) table.push_back({ref.position, *ref.fields});
  return table;
}

FieldRefs FieldRefsOf(const FieldTable& table) {
  FieldRefs refs;
  refs.entries.reserve(table.size());
  for (const PositionedFields& entry : table) refs.entries.push_back({entry.position, &entry.fields});
  return refs;
}

FieldRefs FieldRefsOfBranch(const DecisionTree& tree, const TreeNode& top) {
  return RefsOfNodes(tree, &top, &top, [&tree, &top](const TreeNode* node) { return NextInBranch(tree, &top, node); });
}

BranchSection SplitBranchFieldSection(std::string_view text) {
  ReverseLineSplitter splitter(text);
  std::vector<FieldLine> lines;
  std::string_view line;
  while (splitter.Previous(line)) {
    if (line == kFieldSectionHeader) {
      std::reverse(lines.begin(), lines.end());
      return {text.substr(0, splitter.Position()), TableOfLines(std::move(lines))};
    }
    if (TrimBlanksView(line).empty()) continue;
    const std::optional<FieldLine> parsed = ParseFieldLine(line);
    if (!parsed) break;
    lines.push_back(*parsed);
  }
  return {text, {}};
}

FieldTable ReadFieldSection(std::string_view text, std::size_t nodeCount) {
  std::vector<FieldLine> lines;
  for (const std::string_view line : SectionLines(text)) {
    const std::optional<FieldLine> parsed = ParseFieldLine(line);
    if (parsed && parsed->position < nodeCount && IsStorableFieldValue(parsed->value)) lines.push_back(*parsed);
  }
  // Read last first: back into the written order.
  std::reverse(lines.begin(), lines.end());
  return TableOfLines(std::move(lines));
}

std::size_t ApplyFieldTable(DecisionTree& tree, FieldTable table) {
  if (table.empty()) return 0;
  // Links name positions here; the tree names nodes by id.
  std::size_t droppedLinks = 0;
  std::optional<LinkIds> links;
  for (PositionedFields& entry : table) {
    if (!CarriesLink(entry.fields)) continue;
    if (!links) links.emplace(tree, nullptr);
    droppedLinks += TranslateLinks(entry.fields, [&](std::string_view value) { return links->Translate(value); });
  }
  tree.ReserveLaterFields(table.size());
  auto next = table.begin();
  std::size_t position = 0;
  for (TreeNode* node = tree.Root(); node != nullptr && next != table.end(); node = tree.NextPreOrder(node)) {
    if (next->position == position) tree.SetLater(*node, std::move((next++)->fields));
    ++position;
  }
  return droppedLinks;
}

void ApplyOutcomes(StepList& steps, const FieldTable& table) {
  static const FieldIndex outcome = *FieldNamed("outcome");
  for (const PositionedFields& entry : table) {
    if (entry.position < steps.Size() && !steps.HasAnswers(entry.position)) {
      steps[entry.position].outcome = OutcomeOfValue(entry.fields.Get(outcome));
    }
  }
}

}  // namespace velmora
