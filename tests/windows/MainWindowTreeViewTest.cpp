// The tree view mirror against a real tree view: after every change of the
// model, the view shows exactly the model (texts, pictures, answer marks,
// expansion, order, selection), and only the items that changed are touched.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/BranchRecord.h"
#include "app/win32/ImageLists.h"
#include "app/win32/TreeViewMirror.h"
#include "win32/WideText.h"
#include "tests/windows/MainWindowTestSupport.h"

namespace velmora::win32 {
namespace {

// A plain top-level window holding one tree view, hidden.
class TreeViewHost {
 public:
  TreeViewHost() {
    testing::InitialiseCommonControls();
    frame_ = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 400, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    view_ = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_SHOWSELALWAYS, 0, 0,
                            400, 400, frame_, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~TreeViewHost() { DestroyWindow(frame_); }
  TreeViewHost(const TreeViewHost&) = delete;
  TreeViewHost& operator=(const TreeViewHost&) = delete;
  HWND View() const { return view_; }

 private:
  HWND frame_ = nullptr;
  HWND view_ = nullptr;
};

class TreeViewMirrorTest : public ::testing::Test {
 protected:
  TreeViewMirrorTest() : mirror(host.View()) {
    editor.ResetToStartingTree();
    editor.ResetTreeView();
  }

  HWND View() const { return host.View(); }

  HTREEITEM Next(HTREEITEM item, UINT relation) const {
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(View(), TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
  }

  // Walks model and view side by side; every difference is a failure.
  void ExpectViewShowsModel() {
    ASSERT_EQ(static_cast<std::size_t>(SendMessageW(View(), TVM_GETCOUNT, 0, 0)), editor.Tree().Count());
    struct Pending {
      NodeList nodes;
      HTREEITEM firstItem;
    };
    std::vector<Pending> pending{{editor.Tree().TopLevel(), Next(nullptr, TVGN_ROOT)}};
    while (!pending.empty()) {
      const Pending level = pending.back();
      pending.pop_back();
      HTREEITEM item = level.firstItem;
      for (TreeNode* node : level.nodes) {
        ASSERT_NE(item, nullptr) << "missing item for " << node->Text();
        ExpectItemShows(item, *node);
        pending.push_back({node->Children(), Next(item, TVGN_CHILD)});
        item = Next(item, TVGN_NEXT);
      }
      EXPECT_EQ(item, nullptr) << "an item too many";
    }
    const TreeNode* selected = editor.Selected();
    EXPECT_EQ(Next(nullptr, TVGN_CARET), selected ? mirror.ItemOf(selected->Id()) : nullptr);
  }

  void ExpectItemShows(HTREEITEM handle, const TreeNode& node) {
    wchar_t text[512] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    item.hItem = handle;
    item.pszText = text;
    item.cchTextMax = 512;
    item.stateMask = TVIS_STATEIMAGEMASK | TVIS_EXPANDED;
    SendMessageW(View(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(ToCp932(text), node.Text());
    EXPECT_EQ(item.iImage, NodeImageOf(node.kind));
    EXPECT_EQ(item.iSelectedImage, NodeImageOf(node.kind));
    EXPECT_EQ(static_cast<int>((item.state & TVIS_STATEIMAGEMASK) >> 12), AnswerMark(node, editor.Selected()));
    if (node.HasChildren()) {
      EXPECT_EQ((item.state & TVIS_EXPANDED) != 0, mirror.IsExpanded(node.Id())) << node.Text();
    }
    EXPECT_EQ(mirror.NodeOf(handle), &node);
  }

  void Sync() { mirror.Sync(editor.Tree(), editor.Selected(), editor.Generation()); }

  TreeViewHost host;
  NullEditorView port;
  Editor editor{port};
  TreeViewMirror mirror;
};

TEST_F(TreeViewMirrorTest, ShowsTheStartingTree) {
  Sync();
  ExpectViewShowsModel();
  EXPECT_EQ(mirror.Statistics().inserted, 3u);
  // The answers have no kind yet: they show the empty picture, not "ask me".
  EXPECT_EQ(editor.Tree().Root()->FirstChild()->kind, Unset);
}

TEST_F(TreeViewMirrorTest, TouchesOnlyWhatChanged) {
  Sync();
  const TreeViewMirror::Counters before = mirror.Statistics();
  TreeNode* yes = editor.Tree().Root()->FirstChild();
  yes->SetText("\x83\x6E\x83\x43");  // "ハイ"
  yes->kind = Information;
  Sync();
  ExpectViewShowsModel();
  EXPECT_EQ(mirror.Statistics().updated, before.updated + 1);
  EXPECT_EQ(mirror.Statistics().inserted, before.inserted);
  EXPECT_EQ(mirror.Statistics().deleted, before.deleted);

  // Nothing changed: nothing touched.
  Sync();
  EXPECT_EQ(mirror.Statistics().updated, before.updated + 1);
}

TEST_F(TreeViewMirrorTest, FollowsAddsDeletesAndExchanges) {
  Sync();
  TreeNode* root = editor.Tree().Root();
  TreeNode* yes = root->FirstChild();
  TreeNode* no = root->LastChild();
  TreeNode* deeper = editor.AddBranch(yes, PackNode("deeper", Question));
  editor.AddBranch(deeper, PackNode("leaf 1", Information));
  editor.AddBranch(deeper, PackNode("leaf 2", Inhibit));
  editor.Select(deeper);
  Sync();
  ExpectViewShowsModel();

  // Exchange: the Yes subtree moves behind the No answer.
  editor.MoveNode(yes, yes->Parent()->ChildCount() - 1);
  Sync();
  ExpectViewShowsModel();
  EXPECT_EQ(Next(mirror.ItemOf(root->Id()), TVGN_CHILD), mirror.ItemOf(no->Id()));

  // Deleting the selected subtree: the selection moves to the parent.
  const auto deletedBefore = mirror.Statistics().deleted;
  editor.RemoveBranch(deeper);
  Sync();
  ExpectViewShowsModel();
  EXPECT_EQ(mirror.Statistics().deleted, deletedBefore + 1);
  EXPECT_EQ(mirror.ItemCount(), editor.Tree().Count());
}

TEST_F(TreeViewMirrorTest, KeepsWhatTheUserFoldsUntilEverythingIsUnfolded) {
  TreeNode* root = editor.Tree().Root();
  Sync();
  EXPECT_TRUE(mirror.IsExpanded(root->Id())) << "a new branch shows unfolded";

  // The user folds the branch in the view: the next change of the tree
  // does not unfold it again.
  HTREEITEM rootItem = mirror.ItemOf(root->Id());
  SendMessageW(View(), TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(rootItem));
  mirror.OnItemExpanded(rootItem, false);
  editor.Tree().Root()->FirstChild()->SetText("changed");
  Sync();
  EXPECT_FALSE(mirror.IsExpanded(root->Id()));
  ExpectViewShowsModel();

  const auto expansions = mirror.Statistics().expansions;
  mirror.ExpandAll();
  EXPECT_TRUE(mirror.IsExpanded(root->Id()));
  EXPECT_EQ(mirror.Statistics().expansions, expansions + 1) << "only the folded branch is touched";
  ExpectViewShowsModel();
}

TEST_F(TreeViewMirrorTest, ShowsAReplacedDocumentWhoseIdsStartAgain) {
  Sync();
  // A document read from a file numbers its nodes from 1 again, in another
  // shape: the same ids now stand for other nodes under other parents.
  DecisionTree loaded;
  TreeNode* root = loaded.AddTopLevel("root", Question);
  TreeNode* a = loaded.AddChild(root, "a", Question);
  loaded.AddChild(a, "a1", Information);
  loaded.AddChild(a, "a2", Exclaimation);
  loaded.AddChild(root, "b", Inhibit);
  editor.ReplaceDocument(std::move(loaded), DocumentState{});
  editor.ResetTreeView();
  Sync();
  ExpectViewShowsModel();

  // And back to the starting tree, reusing the loaded root.
  editor.ResetToStartingTree();
  editor.ResetTreeView();
  Sync();
  ExpectViewShowsModel();
}

TEST_F(TreeViewMirrorTest, ALargeTreeIsFilledOnceAndThenPatched) {
  // Two thousand questions in a chain, each with a leaf beside it.
  TreeNode* node = editor.Tree().Root();
  for (int i = 0; i < 2000; ++i) {
    editor.AddBranch(node, PackNode("leaf " + std::to_string(i), Information));
    node = editor.AddBranch(node, PackNode("question " + std::to_string(i), Question));
  }
  Sync();
  ExpectViewShowsModel();
  const TreeViewMirror::Counters filled = mirror.Statistics();
  EXPECT_EQ(filled.inserted, editor.Tree().Count());

  node->SetText("the deepest question");
  editor.AddBranch(node, PackNode("one more", Information));
  editor.Select(node);
  Sync();
  ExpectViewShowsModel();
  EXPECT_EQ(mirror.Statistics().inserted, filled.inserted + 1);
  EXPECT_EQ(mirror.Statistics().deleted, filled.deleted);
}

TEST_F(TreeViewMirrorTest, SelectionMovesAreNotReportedAsTheUsersOwn) {
  Sync();
  EXPECT_FALSE(mirror.IsSyncing());
  TreeNode* no = editor.Tree().Root()->LastChild();
  editor.Select(no);
  Sync();
  ExpectViewShowsModel();
  EXPECT_FALSE(mirror.IsSyncing());
}

}  // namespace
}  // namespace velmora::win32
