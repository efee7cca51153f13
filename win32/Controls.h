#pragma once
// What every window does with its controls: make one, place it, read its
// text.

#include <windows.h>

#include <string>

namespace velmora::win32 {

// What a child control is made of. The style needs no WS_CHILD or
// WS_VISIBLE (every control gets both); a control that its window lays
// out later leaves `rect` empty.
struct ChildControl {
  const wchar_t* className;
  const wchar_t* text;
  DWORD style;
  int id;
  DWORD exStyle = 0;
  RECT rect{};  // client coordinates of the parent
};

// Creates `control` in `parent` and gives it `font`. Raises a VelmoraError
// with the system's reason when the control cannot be created.
HWND CreateChild(HWND parent, HFONT font, const ChildControl& control);

// Moves and sizes a control in its parent's client area; a size below
// zero, which a layout squeezed too far gives, counts as zero.
void PlaceControl(HWND control, int left, int top, int width, int height);

// The whole text of a window or control.
std::wstring WindowText(HWND window);

}  // namespace velmora::win32
