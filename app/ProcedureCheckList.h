#pragma once
// The check window's half in the core: the problems of the open document
// (document/ProcedureCheck.h) as rows ready to show, kept up to date while
// the window is open. The check runs again whenever the document may have
// changed, which is what the tree revision, the title and the newline mark
// together say (the check is linear, so a run after each command is cheap);
// a keystroke in the title box checks the title alone. The report's
// revision moves only when the rows or the counts really changed, so the
// window refills its list only then.
//
// Rows name their node by id, never by pointer: a row outlives the command
// that deletes its node, and choosing it then finds nothing.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/DecisionTree.h"
#include "document/DocumentState.h"
#include "document/ProcedureCheck.h"

namespace velmora {

struct CheckRow {
  ProblemSeverity severity = ProblemSeverity::Error;
  // The node the problem is in; 0 for the document's own (the title).
  NodeId nodeId = 0;
  // Where (CP932): the node's own text, then the texts from the root down
  // to its parent in "（）" with " > " between them; "（タイトル）" for the
  // title.
  std::string place;
  // What (CP932): the check's explanation.
  std::string explanation;

  bool operator==(const CheckRow& other) const {
    return severity == other.severity && nodeId == other.nodeId && place == other.place &&
           explanation == other.explanation;
  }
  bool operator!=(const CheckRow& other) const { return !(*this == other); }
};

// A list of a few hundred thousand rows helps nobody and takes the list view
// seconds to fill: the rows stop here, the counts go on.
inline constexpr std::size_t kShownProblems = 1000;
// A place names at most this many nodes (the root, "…", the nearest ones),
// the node's own text with at most kPlaceOwnTextBytes bytes and each text
// above it with at most kPlaceTextBytes: its length stays bounded however
// deep the node lies, so the rows stay linear in the tree, and the node
// itself, which tells the rows apart, keeps the most room.
inline constexpr std::size_t kPlaceNodes = 8;
inline constexpr std::size_t kPlaceTextBytes = 24;
inline constexpr std::size_t kPlaceOwnTextBytes = 32;

struct CheckReport {
  // In the check's order (the document's problem first, then the nodes' in
  // tree order), at most kShownProblems.
  std::vector<CheckRow> rows;
  std::size_t errors = 0;
  std::size_t warnings = 0;

  bool operator==(const CheckReport& other) const {
    return errors == other.errors && warnings == other.warnings && rows == other.rows;
  }
  bool operator!=(const CheckReport& other) const { return !(*this == other); }
};

// The report of `problems`, which CheckProcedure found in `tree`. One walk
// over the tree, stopping after the last row's node.
CheckReport CheckReportOf(const DecisionTree& tree, const ProblemList& problems);

// The line above the list (CP932): "問題は見つかりませんでした。", or
// "エラー 2 件、警告 1 件", with "（初めの 1000 件を表示）" when rows were left out.
std::string CheckSummaryText(const CheckReport& report);

// The whole place of the node `id` names, for the list's tooltip: every text
// from the root down, " > " between them; when that is longer than a tooltip
// holds (kFullPlaceBytes), the texts nearest the node and "…" before them.
// Empty when the node is gone (or for 0).
inline constexpr std::size_t kFullPlaceBytes = 1000;
std::string FullPlaceOf(const DecisionTree& tree, NodeId id);

// The place of the last node of `path` (the nodes from the root down to
// it), as a row of the check names it: the node's own text, then the way to
// it in "（）", shortened to the bounds above.
std::string PlaceOfNode(const std::vector<const TreeNode*>& path);

// The node a row names, found by a walk over the tree; null when it is gone
// (or for 0, the title).
TreeNode* NodeOfRow(const DecisionTree& tree, NodeId id);

class ProcedureCheckList {
 public:
  // The check command: the window is to show (again) and the report follows
  // the document from now on.
  void Open();
  // The window was closed: no more checks, the report goes.
  void Close();
  bool IsOpen() const { return open_; }

  // Checks the document again if it may have changed since the last call
  // (nothing while closed). `treeRevision` is the core's.
  void Refresh(const DecisionTree& tree, const DocumentState& state, std::uint64_t treeRevision);

  // The report as of the last Refresh; null while closed.
  const std::shared_ptr<const CheckReport>& Report() const { return report_; }
  // Moves only when the report changed.
  std::uint64_t Revision() const { return revision_; }

 private:
  void Publish();

  bool open_ = false;
  std::uint64_t revision_ = 0;
  // What the last check saw; `checked_` false: nothing checked yet.
  bool checked_ = false;
  std::uint64_t treeRevision_ = 0;
  std::string title_;
  std::string newLineMark_;
  // The title's problem and the nodes' apart, so that the title can be
  // checked alone.
  CheckReport titlePart_;
  CheckReport nodePart_;
  std::shared_ptr<const CheckReport> report_;
};

}  // namespace velmora
