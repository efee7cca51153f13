#pragma once
// What the main window shows, as a plain value the core hands out after
// every command; the window renders from it alone. It compares the view with
// the one it rendered last: only a new treeRevision makes it walk the tree
// view, so a title keystroke, a colour or a new selection costs the same in
// a tree of any size. What the window is asked to do once (scroll, unfold,
// show a window) comes as numbered requests.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/ComparisonList.h"
#include "app/RunStatisticsList.h"
#include "app/RecentFiles.h"

namespace velmora {

class DecisionTree;
class TreeNode;
struct CheckReport;

// What the window is asked to do once, after it brought its tree view up
// to date.
enum class ViewRequest : unsigned char {
  ScrollToOrigin,   // the root on top, fully left
  ExpandAll,        // every branch unfolded
  RevealSelection,  // the selected node brought into view, its branch unfolded
  ShowFindBox,
  ShowCheck,        // the check window shown (made if need be)
  ShowComparison,   // the comparison window likewise
  ShowRunStatistics,  // the run statistics window likewise
  Close,            // what the close box does (the close sequence may refuse)
};

struct NumberedRequest {
  // Requests are numbered from 1 in the order they were made; a window
  // carries out those with a number above the last it carried out.
  std::uint64_t number = 0;
  ViewRequest request = ViewRequest::ScrollToOrigin;
};

struct CommandView {
  int id = 0;
  bool enabled = true;
  bool checked = false;
  // Whether its menu item has a check mark to show (the options).
  bool checkable = false;
  bool operator==(const CommandView& other) const {
    return id == other.id && enabled == other.enabled && checked == other.checked && checkable == other.checkable;
  }
};

struct View {
  // The window caption (CP932): "abc.tre - Velmora", or the product title.
  std::string caption;
  // Every command of the table, in the table's order.
  std::vector<CommandView> commands;
  // The title box (CP932).
  std::string title;
  // The document's colour (1 green, 2 yellow, 3 red, 0 none).
  int colour = 0;
  // The colour buttons are usable only with taskbar progress.
  bool colourButtonsEnabled = true;
  // The tree view's expand buttons (the ShowButtons option).
  bool treeButtons = false;
  // The captions of History1..History9; an empty caption hides the item.
  std::array<std::string, HistorySize> recentFiles;
  // The document's tree (valid until the next command), the selection and
  // the tree's revision: the same revision, the same nodes, texts and kinds.
  // A new generation is another document, which the view shows afresh.
  const DecisionTree* tree = nullptr;
  TreeNode* selection = nullptr;
  std::uint64_t treeRevision = 0;
  std::uint64_t generation = 0;
  // The most recent requests, oldest first.
  std::vector<NumberedRequest> requests;
  // Undo and redo: the captions of their menu items, naming the step (CP932).
  std::string undoCaption;
  std::string redoCaption;
  // Find: the search text and where the last step stands ("n 件中 m 件目"),
  // both CP932.
  std::string searchText;
  std::string searchStatus;
  // The check window (app/ProcedureCheckList.h): its report while it is
  // open (null otherwise) and a revision that moves only when the report
  // changed.
  std::shared_ptr<const CheckReport> checkReport;
  std::uint64_t checkRevision = 0;
  // The comparison window (app/ComparisonList.h), in the same two parts.
  std::shared_ptr<const ComparisonReport> comparisonReport;
  std::uint64_t comparisonRevision = 0;
  // The run statistics window (app/RunStatisticsList.h), in the same two parts.
  std::shared_ptr<const RunStatisticsReport> runStatisticsReport;
  std::uint64_t runStatisticsRevision = 0;

  // The number of the latest request of this kind among `requests`; 0 when
  // there is none.
  std::uint64_t LatestRequest(ViewRequest request) const {
    for (auto it = requests.rbegin(); it != requests.rend(); ++it) {
      if (it->request == request) return it->number;
    }
    return 0;
  }

  // The command's row; a command without a row is enabled and unchecked.
  CommandView Command(int id) const;
  bool Enabled(int id) const { return Command(id).enabled; }
  bool Checked(int id) const { return Command(id).checked; }
};

}  // namespace velmora
