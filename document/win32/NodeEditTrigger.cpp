#include "document/win32/NodeEditTrigger.h"

#include <commctrl.h>
#include <windowsx.h>

namespace velmora::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 0x4E45;  // "NE"
constexpr UINT_PTR kSlowClickTimer = 0x4E45;

}  // namespace

NodeEditTrigger::~NodeEditTrigger() {
  if (tree_ != nullptr && IsWindow(tree_)) {
    StopWaiting();
    RemoveWindowSubclass(tree_, &NodeEditTrigger::SubclassProc, kSubclassId);
  }
}

void NodeEditTrigger::Attach(HWND tree, HWND target, int commandId) {
  tree_ = tree;
  target_ = target;
  commandId_ = commandId;
  SetWindowSubclass(tree, &NodeEditTrigger::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK NodeEditTrigger::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                               DWORD_PTR self) {
  auto* trigger = reinterpret_cast<NodeEditTrigger*>(self);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, &NodeEditTrigger::SubclassProc, kSubclassId);
    trigger->tree_ = nullptr;
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
  // No exception may unwind through the system's message dispatch; the
  // message then goes on as if the trigger were not there.
  try {
    return trigger->OnMessage(message, wParam, lParam);
  } catch (...) {
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
}

LRESULT NodeEditTrigger::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      return OnLeftButtonDown(wParam, lParam);
    case WM_TIMER:
      if (wParam != kSlowClickTimer) break;
      StopWaiting();
      Request();
      return 0;
    case WM_KEYDOWN:
      StopWaiting();
      if (wParam == VK_F2) {
        Request();
        return 0;
      }
      break;
    // A double click edits through the tree's own notification; anything
    // else the user does in between means the click was not a request.
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_KILLFOCUS:
    case WM_VSCROLL:
    case WM_HSCROLL:
      StopWaiting();
      break;
    default:
      break;
  }
  return DefSubclassProc(tree_, message, wParam, lParam);
}

LRESULT NodeEditTrigger::OnLeftButtonDown(WPARAM wParam, LPARAM lParam) {
  StopWaiting();
  // Only a click on the label of the node that was already selected, in a
  // tree that already had the focus, is a second click.
  const bool secondClick = GetFocus() == tree_ && IsOnSelectedLabel(lParam);
  const auto selectedBefore = reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0));
  // The tree view tracks the mouse until the button is released (or a drag
  // starts); the wait for a possible double click begins after that.
  const LRESULT result = DefSubclassProc(tree_, WM_LBUTTONDOWN, wParam, lParam);
  const auto selectedAfter = reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0));
  // A button still held down means the click became a drag.
  const bool released = (GetKeyState(VK_LBUTTON) & 0x8000) == 0;
  if (secondClick && released && selectedAfter == selectedBefore && tree_ != nullptr) {
    waiting_ = SetTimer(tree_, kSlowClickTimer, GetDoubleClickTime(), nullptr) != 0;
  }
  return result;
}

bool NodeEditTrigger::IsOnSelectedLabel(LPARAM lParam) const {
  TVHITTESTINFO hit{};
  hit.pt = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (item == nullptr || (hit.flags & TVHT_ONITEMLABEL) == 0) return false;
  return item == reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

void NodeEditTrigger::StopWaiting() {
  if (!waiting_) return;
  waiting_ = false;
  if (tree_ != nullptr) KillTimer(tree_, kSlowClickTimer);
}

void NodeEditTrigger::Request() const {
  if (target_ != nullptr) PostMessageW(target_, WM_COMMAND, MAKEWPARAM(commandId_, 0), 0);
}

}  // namespace velmora::win32
