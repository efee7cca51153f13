#pragma once
// The comparison window's half in the core: what differs between a file the
// author chose (an earlier version, or the executable handed out) and the
// open document, as rows ready to show, kept up to date while the window is
// open. The chosen file is read once; the comparison runs again whenever the
// document may have changed (the tree revision, the title, the colour and
// the newline mark together say so), and the report's revision moves only
// when the rows really changed.
//
// Rows name their node by id in the open document (a removed node names the
// node it was removed from; the document's own fields name none), so a row
// outlives the command that deletes its node, and choosing it then finds
// nothing.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "distribution/ProcedureDiff.h"
#include "files/LoadedDocument.h"

namespace velmora {

// The node id of a row that has no node in the open document to select: a
// path that only the chosen file has.
inline constexpr NodeId kNoNodeToSelect = ~NodeId{0};

struct ComparisonRow {
  NodeId nodeId = 0;
  // Where (CP932): which file the place is read in ("旧" the chosen file,
  // "新" the open document), the answers from the first node, then the
  // node's text; "経路" and the answers for a path.
  std::string place;
  // What (CP932): the change in words, with the values before and after.
  std::string change;
  // The whole of it (CP932, lines joined by CR LF) for the pane under the
  // list: both texts in full with the changed part marked, both places of a
  // move, the files the places are read in.
  std::string detail;

  bool operator==(const ComparisonRow& other) const {
    return nodeId == other.nodeId && place == other.place && change == other.change && detail == other.detail;
  }
};

struct ComparisonReport {
  // The line above the list (CP932): the file, the count of differences and
  // the paths that appear, disappear or end elsewhere.
  std::string summary;
  // The changes, then the paths that appear, disappear or end elsewhere,
  // each listed as `velmora-cli diff` lists them.
  std::vector<ComparisonRow> rows;

  bool operator==(const ComparisonReport& other) const { return summary == other.summary && rows == other.rows; }
  bool operator!=(const ComparisonReport& other) const { return !(*this == other); }
};

// The rows and summary for `diff`; `fileName` (CP932) names the chosen file.
ComparisonReport ComparisonReportOf(const ProcedureDiff& diff, const std::string& fileName);

class ComparisonList {
 public:
  // Compares from now on against `base`, read from the file `fileName`
  // (CP932, for the summary); the window is to show (again).
  void Open(LoadedDocument base, std::string fileName);
  // The window was closed: the chosen file and the report go.
  void Close();
  bool IsOpen() const { return base_ != nullptr; }

  // Compares again if the document may have changed since the last call
  // (nothing while closed). `treeRevision` is the core's.
  void Refresh(const DecisionTree& tree, const DocumentState& state, std::uint64_t treeRevision);

  // The report as of the last Refresh; null while closed.
  const std::shared_ptr<const ComparisonReport>& Report() const { return report_; }
  // Moves only when the report changed.
  std::uint64_t Revision() const { return revision_; }

 private:
  std::unique_ptr<LoadedDocument> base_;
  std::string fileName_;
  std::uint64_t revision_ = 0;
  bool compared_ = false;
  std::uint64_t treeRevision_ = 0;
  DocumentState seen_;
  // The trees' part of the last comparison, kept while only the title,
  // colour or newline mark change: typing a title compares no tree.
  std::unique_ptr<ProcedureDiff> treeDiff_;
  std::shared_ptr<const ComparisonReport> report_;
};

}  // namespace velmora
