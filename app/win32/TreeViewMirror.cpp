#include "app/win32/TreeViewMirror.h"

#include <algorithm>
#include <unordered_set>

#include "app/win32/ImageLists.h"
#include "document/FlagScope.h"
#include "document/NodeLinks.h"
#include "win32/WideText.h"

namespace velmora::win32 {

namespace {

// Short child lists (nearly all of them: questions have two answers) are
// searched directly; long ones through a hash set.
class IdSet {
 public:
  explicit IdSet(NodeList nodes) : nodes_(nodes) {
    std::size_t count = 0;
    for (auto it = nodes.begin(); it != nodes.end() && count <= kLinearLimit; ++it) ++count;
    hashing_ = count > kLinearLimit;
    if (hashing_) {
      for (TreeNode* node : nodes) hashed_.insert(node->Id());
    }
  }
  bool Contains(NodeId id) const {
    if (hashing_) return hashed_.count(id) != 0;
    for (TreeNode* node : nodes_) {
      if (node->Id() == id) return true;
    }
    return false;
  }

 private:
  static constexpr std::size_t kLinearLimit = 16;
  NodeList nodes_;
  bool hashing_ = false;
  std::unordered_set<NodeId> hashed_;
};

bool SameIds(const std::vector<NodeId>& shown, NodeList wanted) {
  auto want = wanted.begin();
  for (NodeId id : shown) {
    if (want == wanted.end() || (*want)->Id() != id) return false;
    ++want;
  }
  return want == wanted.end();
}

UINT StateImageMask(int mark) { return INDEXTOSTATEIMAGEMASK(static_cast<UINT>(mark)); }

}  // namespace

void TreeViewMirror::Sync(const DecisionTree& tree, const TreeNode* selection, std::uint64_t generation) {
  FlagScope syncing(syncing_);
  tree_ = &tree;
  // Ids are unique within one document only: a document read from a file
  // numbers its nodes afresh, so another document is filled anew, which
  // costs no more than the walk itself. A node that turns up under another
  // parent than the item of its id can only come from such a replacement.
  if (generation != generation_ || !SyncStructure(tree)) {
    generation_ = generation;
    DeleteAll();
    SyncStructure(tree);
  }
  SyncSelection(selection);
  ResumeRedraw();
  ApplyScrollToOrigin(tree);
}

void TreeViewMirror::ShowSelection(const DecisionTree& tree, const TreeNode* selection) {
  FlagScope syncing(syncing_);
  SyncSelection(selection);
  ApplyScrollToOrigin(tree);
}

bool TreeViewMirror::SyncStructure(const DecisionTree& tree) {
  if (items_.size() < tree.Count()) {
    items_.reserve(tree.Count());
    ids_.reserve(tree.Count());
  }
  if (!ReconcileChildren(kNoNode, TVI_ROOT, topLevel_, tree.TopLevel())) return false;
  for (TreeNode* node = tree.Root(); node != nullptr; node = tree.NextPreOrder(node)) {
    Item& item = items_.at(node->Id());
    UpdateAttributes(item, *node);
    if (!ReconcileChildren(node->Id(), item.handle, item.children, node->Children())) return false;
  }
  return true;
}

// A branch the view does not show yet (all of it, on the first fill): every
// child goes at the end. Naming the place as TVI_LAST rather than by the
// previous item spares the view a look-up of that item; Wine's tree view
// searches its items one by one for every handle it is given.
void TreeViewMirror::AppendAll(NodeId parent, HTREEITEM parentHandle, std::vector<NodeId>& shown, NodeList wanted) {
  for (TreeNode* child : wanted) {
    Insert(*child, parent, parentHandle, TVI_LAST);
    shown.push_back(child->Id());
  }
}

bool TreeViewMirror::ReconcileChildren(NodeId parent, HTREEITEM parentHandle, std::vector<NodeId>& shown,
                                       NodeList wanted) {
  if (SameIds(shown, wanted)) return true;
  if (shown.empty()) {
    // A node that already has an item elsewhere comes from a replaced
    // document: the caller then fills the view anew.
    for (TreeNode* child : wanted) {
      if (items_.count(child->Id()) != 0) return false;
    }
    AppendAll(parent, parentHandle, shown, wanted);
    return true;
  }
  const IdSet wantedIds(wanted);
  std::vector<NodeId> kept;
  kept.reserve(shown.size());
  for (NodeId id : shown) {
    if (wantedIds.Contains(id)) {
      kept.push_back(id);
    } else {
      DeleteItem(id);
    }
  }
  // Walk the wanted order: an item already in its place stays; one that
  // moved among its siblings (an exchange of answers) is shown afresh at its
  // new place, since a tree view cannot move items.
  std::size_t next = 0;
  HTREEITEM previous = TVI_FIRST;
  for (TreeNode* child : wanted) {
    while (next < kept.size() && kept[next] == kNoNode) ++next;
    const NodeId id = child->Id();
    if (next < kept.size() && kept[next] == id) {
      previous = items_.at(id).handle;
      ++next;
      continue;
    }
    const auto existing = items_.find(id);
    if (existing != items_.end()) {
      if (existing->second.parent != parent) return false;
      for (std::size_t k = next; k < kept.size(); ++k) {
        if (kept[k] == id) kept[k] = kNoNode;
      }
      DeleteItem(id);
    }
    // kept[next] is the next item kept in the view; once none follows, a
    // new item simply goes last (see AppendAll).
    previous = Insert(*child, parent, parentHandle, next < kept.size() ? previous : TVI_LAST);
  }
  shown.clear();
  for (TreeNode* child : wanted) shown.push_back(child->Id());
  return true;
}

HTREEITEM TreeViewMirror::Insert(TreeNode& node, NodeId parent, HTREEITEM parentHandle, HTREEITEM after) {
  SuspendRedraw();
  const std::string label = TreeLabelOf(*tree_, node);
  std::wstring text = ToWide(label);
  TVINSERTSTRUCTW insert{};
  insert.hParent = parentHandle;
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
  insert.item.pszText = text.data();
  insert.item.iImage = NodeImageOf(node.kind);
  insert.item.iSelectedImage = NodeImageOf(node.kind);
  // Unfolded from the start, as the editor shows a procedure, so filling a
  // large tree needs no expand message per branch. The answer marks come
  // with the selection.
  insert.item.stateMask = TVIS_STATEIMAGEMASK | TVIS_EXPANDED;
  insert.item.state = StateImageMask(0) | TVIS_EXPANDED;
  const auto handle =
      reinterpret_cast<HTREEITEM>(ItemMessage(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  Item& item = items_[node.Id()];
  item.handle = handle;
  item.parent = parent;
  item.children.clear();
  item.node = &node;
  item.text = label;
  item.kind = node.kind;
  item.mark = 0;
  item.expanded = true;
  ids_[handle] = node.Id();
  ++counters_.inserted;
  return handle;
}

void TreeViewMirror::DeleteItem(NodeId id) {
  const auto found = items_.find(id);
  if (found == items_.end()) return;
  SuspendRedraw();
  ItemMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(found->second.handle));
  ++counters_.deleted;
  // The view dropped the whole subtree; so do the records.
  std::vector<NodeId> pending{id};
  while (!pending.empty()) {
    const NodeId current = pending.back();
    pending.pop_back();
    const auto record = items_.find(current);
    if (record == items_.end()) continue;
    for (NodeId child : record->second.children) pending.push_back(child);
    ids_.erase(record->second.handle);
    items_.erase(record);
  }
}

void TreeViewMirror::DeleteAll() {
  SuspendRedraw();
  ItemMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  counters_.deleted += topLevel_.size();
  items_.clear();
  ids_.clear();
  topLevel_.clear();
  marked_.clear();
}

void TreeViewMirror::UpdateAttributes(Item& item, TreeNode& node) {
  item.node = &node;
  TVITEMW change{};
  change.hItem = item.handle;
  std::wstring text;
  std::string label = TreeLabelOf(*tree_, node);
  if (item.text != label) {
    text = ToWide(label);
    change.mask |= TVIF_TEXT;
    change.pszText = text.data();
    item.text = std::move(label);
  }
  if (item.kind != node.kind) {
    change.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    change.iImage = NodeImageOf(node.kind);
    change.iSelectedImage = NodeImageOf(node.kind);
    item.kind = node.kind;
  }
  if (change.mask == 0) return;
  ItemMessage(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change));
  ++counters_.updated;
}

void TreeViewMirror::ExpandAll() {
  FlagScope syncing(syncing_);
  for (auto& [id, item] : items_) {
    if (item.expanded || item.children.empty()) continue;
    ItemMessage(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item.handle));
    item.expanded = true;
    ++counters_.expansions;
  }
}

void TreeViewMirror::SetMark(NodeId id, int mark) {
  const auto found = items_.find(id);
  if (found == items_.end() || found->second.mark == mark) return;
  TVITEMW change{};
  change.mask = TVIF_STATE;
  change.hItem = found->second.handle;
  change.stateMask = TVIS_STATEIMAGEMASK;
  change.state = StateImageMask(mark);
  ItemMessage(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change));
  found->second.mark = mark;
  ++counters_.updated;
}

// The marks are taken off the items that had them and put on the selected
// question and its answers: three items at most, whatever the tree's size.
void TreeViewMirror::SyncSelection(const TreeNode* selection) {
  std::vector<NodeId> wanted;
  if (selection != nullptr && AnswerMark(*selection, selection) != 0) {
    wanted = {selection->Id(), selection->FirstChild()->Id(), selection->LastChild()->Id()};
  }
  for (NodeId id : marked_) {
    if (std::find(wanted.begin(), wanted.end(), id) == wanted.end()) SetMark(id, 0);
  }
  for (std::size_t at = 0; at < wanted.size(); ++at) SetMark(wanted[at], static_cast<int>(at) + 1);
  marked_ = std::move(wanted);

  const HTREEITEM want = selection != nullptr ? ItemOf(selection->Id()) : nullptr;
  const auto current = reinterpret_cast<HTREEITEM>(SendMessageW(view_, TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (current != want) SendMessageW(view_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(want));
}

void TreeViewMirror::ApplyScrollToOrigin(const DecisionTree& tree) {
  if (!scrollToOrigin_) return;
  scrollToOrigin_ = false;
  const TreeNode* root = tree.Root();
  if (root == nullptr) return;
  SendMessageW(view_, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(ItemOf(root->Id())));
  SendMessageW(view_, WM_HSCROLL, MAKEWPARAM(SB_LEFT, 0), 0);
}

LRESULT TreeViewMirror::ItemMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (viewProcedure_ == nullptr) {
    viewProcedure_ = reinterpret_cast<WNDPROC>(GetClassLongPtrW(view_, GCLP_WNDPROC));
  }
  return CallWindowProcW(viewProcedure_, view_, message, wParam, lParam);
}

void TreeViewMirror::SuspendRedraw() {
  if (redrawSuspended_) return;
  redrawSuspended_ = true;
  SendMessageW(view_, WM_SETREDRAW, FALSE, 0);
}

void TreeViewMirror::ResumeRedraw() {
  if (!redrawSuspended_) return;
  redrawSuspended_ = false;
  SendMessageW(view_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(view_, nullptr, TRUE);
}

TreeNode* TreeViewMirror::NodeOf(HTREEITEM item) const {
  const auto id = ids_.find(item);
  if (id == ids_.end()) return nullptr;
  return items_.at(id->second).node;
}

HTREEITEM TreeViewMirror::ItemOf(NodeId id) const {
  const auto found = items_.find(id);
  return found == items_.end() ? nullptr : found->second.handle;
}

void TreeViewMirror::OnItemExpanded(HTREEITEM handle, bool expanded) {
  const auto id = ids_.find(handle);
  if (id == ids_.end()) return;
  items_.at(id->second).expanded = expanded;
}

bool TreeViewMirror::IsExpanded(NodeId id) const {
  const auto found = items_.find(id);
  return found != items_.end() && found->second.expanded;
}

}  // namespace velmora::win32
