#include "app/ProcedureCheckList.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "document/Cp932.h"

namespace velmora {
namespace {

// "（タイトル）": the place of the title's problem.
constexpr std::string_view kTitlePlace = "\x81\x69\x83\x5e\x83\x43\x83\x67\x83\x8b\x81\x6a";
// "（空）": a node without text, which would otherwise vanish between two " > ".
constexpr std::string_view kEmptyText = "\x81\x69\x8b\xf3\x81\x6a";
// "…": the nodes or bytes a place leaves out.
constexpr std::string_view kLeftOut = "\x81\x63";
constexpr std::string_view kPlaceSeparator = " > ";
// "（" and "）" around the nodes above the one a row names.
constexpr std::string_view kAboveOpen = "\x81\x69";
constexpr std::string_view kAboveClose = "\x81\x6a";

using ProblemIterator = ProblemList::const_iterator;

// At most `most` bytes of `text`, cut between characters.
void AppendShortened(std::string& place, std::string_view text, std::size_t most) {
  if (text.empty()) {
    place += kEmptyText;
    return;
  }
  if (text.size() <= most) {
    place += text;
    return;
  }
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t next = end + cp932::CharLengthAt(text, end);
    if (next > most) break;
    end = next;
  }
  place += text.substr(0, end);
  place += kLeftOut;
}

CheckRow RowOf(const Problem& problem, std::string place) {
  return CheckRow{problem.Severity(), problem.nodeId, std::move(place), std::string(problem.Explanation())};
}

// The report of the problems in [first, last), in the check's order: the
// document's first, then the nodes' in tree order. The tree is walked once
// with the chain of nodes above the current one, so a place costs no walk
// up to the root.
CheckReport ReportOf(const DecisionTree& tree, ProblemIterator first, ProblemIterator last) {
  CheckReport report;
  for (ProblemIterator problem = first; problem != last; ++problem) {
    ++(problem->Severity() == ProblemSeverity::Error ? report.errors : report.warnings);
  }
  const ProblemIterator shownEnd = first + static_cast<std::ptrdiff_t>(
                                               std::min<std::size_t>(static_cast<std::size_t>(last - first), kShownProblems));
  report.rows.reserve(static_cast<std::size_t>(shownEnd - first));
  ProblemIterator next = first;
  for (; next != shownEnd && next->node == nullptr; ++next) report.rows.push_back(RowOf(*next, std::string(kTitlePlace)));
  std::vector<const TreeNode*> path;
  for (const TreeNode* node = tree.Root(); node != nullptr && next != shownEnd; node = tree.NextPreOrder(node)) {
    while (!path.empty() && path.back() != node->Parent()) path.pop_back();
    path.push_back(node);
    if (next->node != node) continue;
    const std::string place = PlaceOfNode(path);
    for (; next != shownEnd && next->node == node; ++next) report.rows.push_back(RowOf(*next, place));
  }
  return report;
}

}  // namespace

// `path` runs from the root down to the node. The node's own text comes
// first, so a narrow column still shows what is wrong where, then the way
// to it from the root in "（）": "text（root > … > parent）".
std::string PlaceOfNode(const std::vector<const TreeNode*>& path) {
  std::string place;
  AppendShortened(place, path.back()->Text(), kPlaceOwnTextBytes);
  if (path.size() == 1) return place;
  place += kAboveOpen;
  const auto add = [&place](const TreeNode* node, bool first) {
    if (!first) place += kPlaceSeparator;
    AppendShortened(place, node->Text(), kPlaceTextBytes);
  };
  const std::size_t above = path.size() - 1;
  if (above <= kPlaceNodes - 1) {
    for (std::size_t i = 0; i < above; ++i) add(path[i], i == 0);
  } else {
    add(path.front(), true);
    place += kPlaceSeparator;
    place += kLeftOut;
    for (std::size_t i = above - (kPlaceNodes - 3); i < above; ++i) add(path[i], false);
  }
  place += kAboveClose;
  return place;
}

std::string FullPlaceOf(const DecisionTree& tree, NodeId id) {
  const TreeNode* node = NodeOfRow(tree, id);
  if (node == nullptr) return {};
  // From the node up, so a place too long keeps what is nearest the node.
  std::vector<std::string_view> texts;
  std::size_t bytes = 0;
  bool cut = false;
  for (const TreeNode* at = node; at != nullptr; at = at->Parent()) {
    const std::string_view text = at->Text().empty() ? kEmptyText : at->Text();
    if (!texts.empty() && bytes + text.size() + kPlaceSeparator.size() > kFullPlaceBytes) {
      cut = true;
      break;
    }
    texts.push_back(text.substr(0, std::min(text.size(), kFullPlaceBytes)));
    bytes += text.size() + kPlaceSeparator.size();
  }
  std::string place = cut ? std::string(kLeftOut) : std::string();
  for (auto text = texts.rbegin(); text != texts.rend(); ++text) {
    if (!place.empty()) place += kPlaceSeparator;
    place += *text;
  }
  return place;
}

CheckReport CheckReportOf(const DecisionTree& tree, const ProblemList& problems) {
  return ReportOf(tree, problems.begin(), problems.end());
}

std::string CheckSummaryText(const CheckReport& report) {
  if (report.errors == 0 && report.warnings == 0) {
    // 問題は見つかりませんでした。
    return "\x96\xe2\x91\xe8\x82\xcd\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd"
           "\x81\x42";
  }
  // "エラー " N " 件、警告 " M " 件"
  std::string text = "\x83\x47\x83\x89\x81\x5b " + std::to_string(report.errors) + " \x8c\x8f\x81\x41\x8c\x78\x8d\x90 " +
                     std::to_string(report.warnings) + " \x8c\x8f";
  if (report.rows.size() < report.errors + report.warnings) {
    // "（初めの " N " 件を表示）"
    text += "\x81\x69\x8f\x89\x82\xdf\x82\xcc " + std::to_string(report.rows.size()) +
            " \x8c\x8f\x82\xf0\x95\x5c\x8e\xa6\x81\x6a";
  }
  return text;
}

TreeNode* NodeOfRow(const DecisionTree& tree, NodeId id) {
  if (id == 0) return nullptr;
  for (TreeNode* node = tree.Root(); node != nullptr; node = tree.NextPreOrder(node)) {
    if (node->Id() == id) return node;
  }
  return nullptr;
}

void ProcedureCheckList::Open() {
  open_ = true;
}

void ProcedureCheckList::Close() {
  open_ = false;
  checked_ = false;
  titlePart_ = CheckReport{};
  nodePart_ = CheckReport{};
  report_.reset();
  ++revision_;
}

void ProcedureCheckList::Refresh(const DecisionTree& tree, const DocumentState& state, std::uint64_t treeRevision) {
  if (!open_) return;
  const bool nodesStale = !checked_ || treeRevision != treeRevision_ || state.NewLineMark != newLineMark_;
  const bool titleStale = !checked_ || state.Title != title_;
  if (!nodesStale && !titleStale) return;
  checked_ = true;
  treeRevision_ = treeRevision;
  title_ = state.Title;
  newLineMark_ = state.NewLineMark;
  if (nodesStale) {
    const ProblemList problems = CheckProcedure(tree, state);
    const auto nodes = std::find_if(problems.begin(), problems.end(), [](const Problem& p) { return p.node != nullptr; });
    titlePart_ = ReportOf(tree, problems.begin(), nodes);
    nodePart_ = ReportOf(tree, nodes, problems.end());
  } else {
    // A title keystroke: only the title can have changed.
    const DecisionTree noNodes;
    titlePart_ = CheckReportOf(noNodes, CheckProcedure(noNodes, state));
  }
  Publish();
}

void ProcedureCheckList::Publish() {
  CheckReport report;
  report.errors = titlePart_.errors + nodePart_.errors;
  report.warnings = titlePart_.warnings + nodePart_.warnings;
  report.rows = titlePart_.rows;
  const std::size_t room = kShownProblems - std::min(kShownProblems, report.rows.size());
  const std::size_t taken = std::min(room, nodePart_.rows.size());
  report.rows.insert(report.rows.end(), nodePart_.rows.begin(), nodePart_.rows.begin() + static_cast<std::ptrdiff_t>(taken));
  if (report_ != nullptr && *report_ == report) return;
  report_ = std::make_shared<const CheckReport>(std::move(report));
  ++revision_;
}

}  // namespace velmora
