#include "win32/Controls.h"

#include "win32/SystemError.h"

namespace velmora::win32 {

HWND CreateChild(HWND parent, HFONT font, const ChildControl& control) {
  const RECT& r = control.rect;
  HWND child = CreateWindowExW(control.exStyle, control.className, control.text, WS_CHILD | WS_VISIBLE | control.style,
                               r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), GetModuleHandleW(nullptr),
                               nullptr);
  if (child == nullptr) ThrowCannotCreateWindow(control.className);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

void PlaceControl(HWND control, int left, int top, int width, int height) {
  SetWindowPos(control, nullptr, left, top, width > 0 ? width : 0, height > 0 ? height : 0,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace velmora::win32
