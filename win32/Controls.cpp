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

std::wstring WindowText(HWND window) {
  // The length may be larger than the text (the system may count it for
  // another code page), never smaller: what was copied is the text.
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

}  // namespace velmora::win32
