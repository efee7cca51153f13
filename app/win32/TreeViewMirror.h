#pragma once
// Shows the core's decision tree in a Win32 tree view and keeps the two
// identical. Each tree-view item belongs to one TreeNode, matched by the
// node's stable Id(); Sync compares the model with what the view shows and
// touches only the items whose text, picture or place changed, so a command
// on a tree of 100,000 nodes costs a walk over the model, not a refill of
// the view.
//
// What is folded and which answer marks show are the view's own: a new
// item comes unfolded, the author folds and unfolds branches in the view
// (OnItemExpanded keeps the mirror's record), the core asks for everything
// unfolded (ExpandAll), and the marks follow the selection (AnswerMark).

#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "document/Editor.h"

namespace velmora::win32 {

class TreeViewMirror {
 public:
  // What Sync did to the view since the mirror was created: item insertions,
  // deletions (each deleted subtree counts once) and attribute changes.
  struct Counters {
    std::size_t inserted = 0;
    std::size_t deleted = 0;
    std::size_t updated = 0;
    std::size_t expansions = 0;
  };

  TreeViewMirror() = default;
  explicit TreeViewMirror(HWND treeView) : view_(treeView) {}
  TreeViewMirror(const TreeViewMirror&) = delete;
  TreeViewMirror& operator=(const TreeViewMirror&) = delete;

  void Attach(HWND treeView) {
    view_ = treeView;
    viewProcedure_ = nullptr;
  }
  HWND View() const { return view_; }

  // Brings the view up to date with the tree and the selection. Another
  // `generation` is another document: the view is filled anew.
  void Sync(const DecisionTree& tree, const TreeNode* selection, std::uint64_t generation);

  // Only the selection and its answer marks (and a pending scroll): for a
  // change that left the tree alone, so the items are not walked.
  void ShowSelection(const DecisionTree& tree, const TreeNode* selection);

  // Every branch unfolded; only the folded ones are touched.
  void ExpandAll();

  // The root becomes the top visible item and the view scrolls fully left;
  // applied at the end of the next Sync, once the items are in place.
  void RequestScrollToOrigin() { scrollToOrigin_ = true; }

  // True while Sync changes the view: the notifications this causes (a
  // selection moving off a deleted item, say) are not the user's doing.
  bool IsSyncing() const { return syncing_; }

  // The node an item shows, or null for an unknown item.
  TreeNode* NodeOf(HTREEITEM item) const;
  HTREEITEM ItemOf(NodeId id) const;
  std::size_t ItemCount() const { return items_.size(); }

  // The user expanded or collapsed an item.
  void OnItemExpanded(HTREEITEM item, bool expanded);
  bool IsExpanded(NodeId id) const;

  const Counters& Statistics() const { return counters_; }

 private:
  static constexpr NodeId kNoNode = 0;

  struct Item {
    HTREEITEM handle = nullptr;
    NodeId parent = kNoNode;
    std::vector<NodeId> children;
    TreeNode* node = nullptr;
    std::string text;
    int kind = Unset;
    int mark = 0;
    bool expanded = true;
  };

  bool SyncStructure(const DecisionTree& tree);
  bool ReconcileChildren(NodeId parent, HTREEITEM parentHandle, std::vector<NodeId>& shown, NodeList wanted);
  void AppendAll(NodeId parent, HTREEITEM parentHandle, std::vector<NodeId>& shown, NodeList wanted);
  HTREEITEM Insert(TreeNode& node, NodeId parent, HTREEITEM parentHandle, HTREEITEM after);
  void DeleteItem(NodeId id);
  void DeleteAll();
  void UpdateAttributes(Item& item, TreeNode& node);
  void SetMark(NodeId id, int mark);
  void SyncSelection(const TreeNode* selection);
  void ApplyScrollToOrigin(const DecisionTree& tree);
  // Item messages (insert, delete, change, expand) go straight to the tree
  // view's own window procedure, past any subclass of the window: the main
  // window subclasses its tree view to watch keys and clicks, and under Wine
  // every message through a subclassed window looks the subclasses up in
  // the window's properties, which the wine server holds. That costs about
  // 0.1 ms a message, ten seconds for a fill of 100,000 items. No subclass
  // has anything to do with item messages.
  LRESULT ItemMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void SuspendRedraw();
  void ResumeRedraw();

  HWND view_ = nullptr;
  WNDPROC viewProcedure_ = nullptr;
  std::unordered_map<NodeId, Item> items_;
  std::unordered_map<HTREEITEM, NodeId> ids_;
  std::vector<NodeId> topLevel_;
  // The items that show an answer mark: a question and its two answers.
  std::vector<NodeId> marked_;
  std::uint64_t generation_ = 0;
  Counters counters_;
  bool syncing_ = false;
  bool redrawSuspended_ = false;
  bool scrollToOrigin_ = false;
  // The tree of the Sync under way: the items' labels show its nodes'
  // declared fields (TreeLabel).
  const DecisionTree* tree_ = nullptr;
};

}  // namespace velmora::win32
