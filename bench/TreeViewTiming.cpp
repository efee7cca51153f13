// How long the main window's tree view takes to show a large tree: the
// mirror's first fill and its patch after a one-node change, beside a raw
// TVM_INSERTITEMW loop over the same tree, for growing sizes, so that the
// growth (linear or not) shows in the ratios.
//
//   scripts/wine-run.sh --arch win64 --prefix $PWD/build/cross64/wineprefix
//       build/cross64/bench/TreeViewTiming.exe [largest size, default 100000]
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "app/win32/ImageLists.h"
#include "app/win32/TreeViewMirror.h"
#include "win32/WideText.h"
#include "document/Editor.h"

namespace {

using velmora::DecisionTree;
using velmora::TreeNode;

class Stopwatch {
 public:
  Stopwatch() {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
  }
  double Milliseconds() const {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(frequency_.QuadPart);
  }

 private:
  LARGE_INTEGER frequency_{};
  LARGE_INTEGER start_{};
};

// A yes/no tree filled level by level, every node expanded, as a large
// procedure is shown after an add or the node editor.
DecisionTree BuildTree(std::size_t count) {
  DecisionTree tree;
  std::vector<TreeNode*> open{tree.AddTopLevel("\x8E\xBF\x96\xE2 0", velmora::Question)};  // "質問 0"
  std::size_t next = 0;
  while (tree.Count() < count) {
    TreeNode* parent = open[next++];
    for (int answer = 0; answer < 2 && tree.Count() < count; ++answer) {
      const int kind = static_cast<int>(tree.Count() % 4);
      open.push_back(tree.AddChild(parent, "\x8E\xBF\x96\xE2 " + std::to_string(tree.Count()), kind));
    }
  }
  tree.ExpandAll();
  return tree;
}

// A visible window with a tree view of the main window's styles and images.
class TreeViewWindow {
 public:
  explicit TreeViewWindow(const velmora::win32::EditorImageLists& images) {
    frame_ = CreateWindowExW(0, L"STATIC", L"TreeViewTiming", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 700,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    view_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_SHOWSELALWAYS | TVS_TRACKSELECT, 0, 0, 480,
                            660, frame_, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(view_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images.ImageList1()));
    SendMessageW(view_, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(images.ImageList2()));
  }
  ~TreeViewWindow() { DestroyWindow(frame_); }
  TreeViewWindow(const TreeViewWindow&) = delete;
  TreeViewWindow& operator=(const TreeViewWindow&) = delete;
  HWND View() const { return view_; }

 private:
  HWND frame_ = nullptr;
  HWND view_ = nullptr;
};

void Pump() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// The straightforward fill: every node in pre-order as the last child of its
// parent's item, with redrawing off, as a loader would write it.
double RawInsertLoop(HWND view, const DecisionTree& tree) {
  Stopwatch watch;
  SendMessageW(view, WM_SETREDRAW, FALSE, 0);
  std::vector<HTREEITEM> path;  // the items of the current node's ancestors
  for (const TreeNode* node = tree.Root(); node != nullptr; node = tree.NextPreOrder(node)) {
    path.resize(static_cast<std::size_t>(node->Level()));
    std::wstring text = velmora::win32::ToWide(node->Text());
    TVINSERTSTRUCTW insert{};
    insert.hParent = path.empty() ? TVI_ROOT : path.back();
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    insert.item.pszText = text.data();
    insert.item.iImage = velmora::win32::NodeImageOf(node->kind);
    insert.item.iSelectedImage = insert.item.iImage;
    insert.item.stateMask = TVIS_EXPANDED;
    insert.item.state = TVIS_EXPANDED;
    path.push_back(
        reinterpret_cast<HTREEITEM>(SendMessageW(view, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert))));
  }
  SendMessageW(view, WM_SETREDRAW, TRUE, 0);
  UpdateWindow(view);
  return watch.Milliseconds();
}

struct MirrorTimes {
  double fill = 0;
  double patch = 0;
};

MirrorTimes MirrorFillAndPatch(HWND view, DecisionTree tree) {
  velmora::NullEditorView port;
  velmora::Editor editor(port);
  editor.ReplaceDocument(std::move(tree), velmora::DocumentState{});
  velmora::win32::TreeViewMirror mirror(view);
  MirrorTimes times;
  {
    Stopwatch watch;
    mirror.Sync(editor);
    UpdateWindow(view);
    times.fill = watch.Milliseconds();
  }
  // One command's worth of change: a text edited and an answer added deep
  // in the tree, then the selection moved there.
  TreeNode* last = editor.Tree().LastPreOrder();
  last->SetText("\x95\xD2\x8F\x57");  // "編集"
  TreeNode* added = editor.Tree().AddChild(last, "\x81\x63", velmora::Unset);
  {
    Stopwatch watch;
    editor.Select(added);
    mirror.Sync(editor);
    UpdateWindow(view);
    times.patch = watch.Milliseconds();
  }
  return times;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::size_t largest = argc > 1 ? static_cast<std::size_t>(std::wcstoul(argv[1], nullptr, 10)) : 100000;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  const velmora::win32::EditorImageLists images;

  std::printf("%10s %14s %16s %16s %8s\n", "nodes", "raw insert ms", "mirror fill ms", "mirror patch ms",
              "fill/raw");
  for (std::size_t count = largest / 8; count <= largest; count *= 2) {
    double raw = 0;
    {
      TreeViewWindow window(images);
      raw = RawInsertLoop(window.View(), BuildTree(count));
      Pump();
    }
    MirrorTimes mirror;
    {
      TreeViewWindow window(images);
      mirror = MirrorFillAndPatch(window.View(), BuildTree(count));
      Pump();
    }
    std::printf("%10zu %14.1f %16.1f %16.2f %8.2f\n", count, raw, mirror.fill, mirror.patch, mirror.fill / raw);
    std::fflush(stdout);
  }
  return 0;
}
