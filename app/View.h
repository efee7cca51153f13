#pragma once
// What the main window shows, as a plain value the core hands out after
// every command. The window renders it and compares it with what it
// rendered last: only a new treeRevision makes it walk the tree view, so a
// title keystroke or a colour costs the same in a tree of any size.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/ComparisonList.h"
#include "app/RecentFiles.h"

namespace velmora {

class TreeNode;
struct CheckReport;

struct CommandView {
  int id = 0;
  bool enabled = true;
  bool checked = false;
  bool operator==(const CommandView& other) const {
    return id == other.id && enabled == other.enabled && checked == other.checked;
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
  TreeNode* selection = nullptr;
  // Grows by one with every request to scroll the tree view to its origin
  // (the root on top, fully left): the window scrolls when it changed.
  std::uint64_t scrollRequest = 0;
  // Grows whenever the tree (its nodes, texts, kinds or expansion) may have
  // changed; the same number means the same tree.
  std::uint64_t treeRevision = 0;
  // Grows by one with every Exit: the window then closes as its close box
  // does (the close sequence may still refuse).
  std::uint64_t closeRequest = 0;
  // Undo and redo: the captions of their menu items, naming the step
  // (CP932), and a counter that grows whenever the selection moved to a
  // node that must be brought into view (an undone step, a pasted branch).
  std::string undoCaption;
  std::string redoCaption;
  std::uint64_t revealRequest = 0;
  // Find: grows by one with every request to show the find box; the search
  // text and where the last step stands ("n 件中 m 件目"), both CP932.
  std::uint64_t findBoxRequest = 0;
  std::string searchText;
  std::string searchStatus;
  // The check window (app/ProcedureCheckList.h): a request to show it (a
  // counter, as the scroll), its report while it is open (null otherwise)
  // and a revision that moves only when the report changed.
  std::uint64_t checkShowRequest = 0;
  std::shared_ptr<const CheckReport> checkReport;
  std::uint64_t checkRevision = 0;
  // The comparison window (app/ComparisonList.h), in the same three parts.
  std::uint64_t comparisonShowRequest = 0;
  std::shared_ptr<const ComparisonReport> comparisonReport;
  std::uint64_t comparisonRevision = 0;

  // The command's row; a command without a row is enabled and unchecked.
  CommandView Command(int id) const;
  bool Enabled(int id) const { return Command(id).enabled; }
  bool Checked(int id) const { return Command(id).checked; }
};

}  // namespace velmora
