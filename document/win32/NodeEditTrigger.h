#pragma once
// F2 and a slow second click on the selected node open the node editor, as
// they would start a label edit in other programs. The tree view's own
// label editing stays off: it would store a label without the editor's text
// rules (markers, trimming, placeholder) and could spoil a node's stored
// form.

#include <windows.h>

namespace velmora::win32 {

class NodeEditTrigger {
 public:
  NodeEditTrigger() = default;
  ~NodeEditTrigger();
  NodeEditTrigger(const NodeEditTrigger&) = delete;
  NodeEditTrigger& operator=(const NodeEditTrigger&) = delete;

  // Watches `tree`; each trigger posts WM_COMMAND `commandId` to `target`,
  // so the editor opens from the main loop, not inside the tree's own
  // mouse or timer handling.
  void Attach(HWND tree, HWND target, int commandId);

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR self);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam);
  bool IsOnSelectedLabel(LPARAM lParam) const;
  void StopWaiting();
  void Request() const;

  HWND tree_ = nullptr;
  HWND target_ = nullptr;
  int commandId_ = 0;
  bool waiting_ = false;
};

}  // namespace velmora::win32
