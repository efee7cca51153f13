#include "app/RunStatisticsList.h"

#include <string_view>
#include <utility>

#include "app/ProcedureCheckList.h"
#include "document/LaterFields.h"

namespace velmora {
namespace {

// 表示, 終了, 中断, 回, 、, （ ）
constexpr std::string_view kShown = "\x95\x5c\x8e\xa6 ";
constexpr std::string_view kEnded = "\x8f\x49\x97\xb9 ";
constexpr std::string_view kStopped = "\x92\x86\x92\x66 ";
constexpr std::string_view kTimes = " \x89\xf1";
constexpr std::string_view kSeparator = "\x81\x41";
constexpr std::string_view kOpen = "\x81\x69";
constexpr std::string_view kClose = "\x81\x6a";
// この版の実行 , 件, 、ほかの版 , 、読めなかったファイル , 実行記録はまだありません。
constexpr std::string_view kThisVersion = "\x82\xb1\x82\xcc\x94\xc5\x82\xcc\x8e\xc0\x8d\x73 ";
constexpr std::string_view kCount = " \x8c\x8f";
constexpr std::string_view kOtherVersions = "\x81\x41\x82\xd9\x82\xa9\x82\xcc\x94\xc5 ";
constexpr std::string_view kUnreadable =
    "\x81\x41\x93\xc7\x82\xdf\x82\xc8\x82\xa9\x82\xc1\x82\xbd\x83\x74\x83\x40\x83\x43\x83\x8b ";
constexpr std::string_view kNoRecords =
    "\x8e\xc0\x8d\x73\x8b\x4c\x98\x5e\x82\xcd\x82\xdc\x82\xbe\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81\x42";

std::size_t CountAt(const std::map<std::size_t, std::size_t>& counts, std::size_t number) {
  const auto at = counts.find(number);
  return at == counts.end() ? 0 : at->second;
}

std::string Times(std::string_view what, std::size_t count) {
  return std::string(what) + std::to_string(count) + std::string(kTimes);
}

// "表示 12 回、終了 5 回（解決）、中断 1 回": what was not counted is left out.
std::string CountsOf(const DecisionTree& tree, const TreeNode& node, const RunStatistics& stats, std::size_t number) {
  std::string counts = Times(kShown, CountAt(stats.visits, number));
  if (const std::size_t ended = CountAt(stats.ends, number)) {
    counts += kSeparator;
    counts += Times(kEnded, ended);
    static const FieldIndex outcomeField = *FieldNamed("outcome");
    const std::string outcome = ShownValue(outcomeField, tree.LaterOf(node).Get(outcomeField));
    if (!outcome.empty()) counts += std::string(kOpen) + std::string(outcome) + std::string(kClose);
  }
  if (const std::size_t stopped = CountAt(stats.stops, number)) {
    counts += kSeparator;
    counts += Times(kStopped, stopped);
  }
  return counts;
}

std::string SummaryOf(const RunStatistics& stats) {
  std::size_t others = 0;
  for (const auto& [version, runs] : stats.otherVersions) others += runs;
  if (stats.runs == 0 && others == 0 && stats.damaged == 0) return std::string(kNoRecords);
  std::string summary = std::string(kThisVersion) + std::to_string(stats.runs) + std::string(kCount);
  if (others != 0) summary += std::string(kOtherVersions) + std::to_string(others) + std::string(kCount);
  if (stats.damaged != 0) summary += std::string(kUnreadable) + std::to_string(stats.damaged) + std::string(kCount);
  return summary;
}

}  // namespace

RunStatisticsReport RunStatisticsReportOf(const DecisionTree& tree, const RunStatistics& stats) {
  RunStatisticsReport report;
  report.summary = SummaryOf(stats);
  // One walk with the chain of nodes above, as the check names its places.
  std::vector<const TreeNode*> path;
  std::size_t number = 0;
  for (const TreeNode* node = tree.Root(); node != nullptr; node = tree.NextPreOrder(node)) {
    ++number;
    while (!path.empty() && path.back() != node->Parent()) path.pop_back();
    path.push_back(node);
    if (CountAt(stats.visits, number) == 0 && CountAt(stats.stops, number) == 0) continue;
    report.rows.push_back({node->Id(), PlaceOfNode(path), CountsOf(tree, *node, stats, number)});
  }
  return report;
}

void RunStatisticsList::Open(RunStatisticsReport report) {
  report_ = std::make_shared<const RunStatisticsReport>(std::move(report));
  ++revision_;
}

}  // namespace velmora
