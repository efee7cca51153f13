#pragma once
// What the main window tests share: a real TForm1 in this process, with its
// message boxes answered by a recording port instead of a person.

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "document/MessageBoxPort.h"
#include "app/win32/Unit1.h"
#include "win32/WideText.h"

namespace velmora::win32::testing {

struct ShownMessage {
  std::string text;
  std::string caption;
  unsigned flags = 0;
};

class RecordingMessageBoxes : public MessageBoxPort {
 public:
  int ShowMessage(const std::string& text, const std::string& caption, unsigned flags) override {
    shown.push_back({text, caption, flags});
    return answer;
  }
  std::vector<ShownMessage> shown;
  int answer = message_box::kAnswerOk;
};

// A path of the build machine as this Windows program sees it: under Wine
// the Linux root is drive Z:.
inline std::wstring HostPath(const std::string& path) {
  std::wstring wide = ToWide(path);
  if (!wide.empty() && wide[0] == L'/') wide = L"Z:" + wide;
  for (wchar_t& c : wide) {
    if (c == L'/') c = L'\\';
  }
  return wide;
}

inline void InitialiseCommonControls() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)done;
}

// A fresh main window, created hidden as the entry creates it.
// `ports` names what else the test answers itself.
inline std::unique_ptr<TForm1> CreateMainWindow(RecordingMessageBoxes& boxes, MainWindowPorts ports = {}) {
  InitialiseCommonControls();
  ports.messages = &boxes;
  return std::make_unique<TForm1>(GetModuleHandleW(nullptr), "Velmora", RunningProgramPath(), ports);
}

// Handles the messages already waiting, as the event loop would. A quit
// request stays in the queue for the caller to see.
inline void PumpMessages() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

inline std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// A control's rectangle in the client coordinates of its parent.
// The text of a list view's cell.
inline std::wstring ListViewCell(HWND list, int row, int column) {
  wchar_t text[512] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 512;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

inline RECT RectInParent(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The author folds a branch in the tree view.
inline void FoldInView(TForm1& form, const TreeNode& node) {
  const HTREEITEM item = form.TreeView().ItemOf(node.Id());
  SendMessageW(form.Controls().TreeView1, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(item));
  form.TreeView().OnItemExpanded(item, false);
}

// Whether the tree view shows the node's branch unfolded.
inline bool UnfoldedInView(TForm1& form, const TreeNode& node) {
  const auto state = SendMessageW(form.Controls().TreeView1, TVM_GETITEMSTATE,
                                  reinterpret_cast<WPARAM>(form.TreeView().ItemOf(node.Id())), TVIS_EXPANDED);
  return (state & TVIS_EXPANDED) != 0;
}

}  // namespace velmora::win32::testing
