#pragma once
// What the tree-view timing programs share: a stopwatch, a visible window
// holding a bare tree view like the main window's, and the reference every
// figure is set against, the straightforward fill.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/win32/ImageLists.h"
#include "document/DecisionTree.h"
#include "document/MessageBoxPort.h"
#include "win32/WideText.h"

namespace velmora::bench {

// Any question the editor might ask is answered at once instead of waiting
// for a person; a benchmark that gets one has failed anyway.
class AnsweringMessageBoxes : public MessageBoxPort {
 public:
  int ShowMessage(const std::string& text, const std::string&, unsigned) override {
    std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
    return message_box::kAnswerOk;
  }
};

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

// A visible window with a bare tree view: the main window's styles and
// images, and when `model` is given, that tree view's font, indent and size.
class TreeViewWindow {
 public:
  explicit TreeViewWindow(const win32::EditorImageLists& images, HWND model = nullptr) {
    RECT size{0, 0, 480, 660};
    if (model != nullptr) GetClientRect(model, &size);
    frame_ = CreateWindowExW(0, L"STATIC", L"TreeViewTiming", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                             size.right + 20, size.bottom + 40, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    view_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_SHOWSELALWAYS | TVS_TRACKSELECT, 0, 0,
                            size.right, size.bottom, frame_, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(view_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images.ImageList1()));
    SendMessageW(view_, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(images.ImageList2()));
    if (model != nullptr) {
      SendMessageW(view_, WM_SETFONT, static_cast<WPARAM>(SendMessageW(model, WM_GETFONT, 0, 0)), FALSE);
      SendMessageW(view_, TVM_SETINDENT, static_cast<WPARAM>(SendMessageW(model, TVM_GETINDENT, 0, 0)), 0);
    }
  }
  ~TreeViewWindow() { DestroyWindow(frame_); }
  TreeViewWindow(const TreeViewWindow&) = delete;
  TreeViewWindow& operator=(const TreeViewWindow&) = delete;
  HWND View() const { return view_; }

 private:
  HWND frame_ = nullptr;
  HWND view_ = nullptr;
};

inline void Pump() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// The straightforward fill: every node in pre-order as the last child of its
// parent's item, text given at once, redrawing off, as a loader would write
// it. Returns the milliseconds until the view has painted.
inline double RawInsertLoop(HWND view, const DecisionTree& tree) {
  Stopwatch watch;
  SendMessageW(view, WM_SETREDRAW, FALSE, 0);
  std::vector<HTREEITEM> path;  // the items of the current node's ancestors
  for (const TreeNode* node = tree.Root(); node != nullptr; node = tree.NextPreOrder(node)) {
    path.resize(static_cast<std::size_t>(node->Level()));
    std::wstring text = win32::ToWide(node->Text());
    TVINSERTSTRUCTW insert{};
    insert.hParent = path.empty() ? TVI_ROOT : path.back();
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    insert.item.pszText = text.data();
    insert.item.iImage = win32::NodeImageOf(node->kind);
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

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[(values.size() - 1) / 2];
}

}  // namespace velmora::bench
