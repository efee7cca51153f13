#pragma once
// The run statistics window's half in the core: what the run records in the
// document's record folder say of each node, as rows ready to show in the
// check window's kind of list. The folder is read when the author asks
// (records keep arriving while the procedure is in use, so asking again
// reads them again); the rows name their node by id, so choosing one after
// the node was deleted finds nothing.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "distribution/RunStatistics.h"
#include "document/DecisionTree.h"

namespace velmora {

struct RunCountRow {
  NodeId nodeId = 0;
  // Where (CP932): the node's text, then the way to it, as the check names it.
  std::string place;
  // The counts (CP932): "表示 12 回、終了 5 回（解決）、中断 1 回".
  std::string counts;

  bool operator==(const RunCountRow& other) const {
    return nodeId == other.nodeId && place == other.place && counts == other.counts;
  }
};

struct RunStatisticsReport {
  // The line above the list (CP932): the runs of this version, of other
  // versions, and the files that could not be read.
  std::string summary;
  // Every node that runs showed, in tree order.
  std::vector<RunCountRow> rows;
};

// The rows of `stats` over `tree`, whose node numbers they count.
RunStatisticsReport RunStatisticsReportOf(const DecisionTree& tree, const RunStatistics& stats);

class RunStatisticsList {
 public:
  // Shows `report` from now on; the window is to show (again).
  void Open(RunStatisticsReport report);
  void Close() { report_.reset(); }

  // Null while closed.
  const std::shared_ptr<const RunStatisticsReport>& Report() const { return report_; }
  // Moves with every Open, which always read the folder anew.
  std::uint64_t Revision() const { return revision_; }

 private:
  std::shared_ptr<const RunStatisticsReport> report_;
  std::uint64_t revision_ = 0;
};

}  // namespace velmora
