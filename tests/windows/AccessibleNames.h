#pragma once
// What a screen reader is told about a control: the name of its system
// accessibility object (oleacc), and the label a list or tree is named by
// (Windows names those from the static before them; Wine names none, so the
// tests look at the window order instead).

#include <windows.h>

#include <oleacc.h>

#include <string>
#include <vector>

#include "win32/Controls.h"
#include "win32/WideText.h"

namespace velmora::win32::testing {

// IAccessible's interface id, spelled out: MinGW's oleacc and uuid libraries
// both define IID_IAccessible, and a test that names it links both.
constexpr IID kAccessibleInterface = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

inline std::wstring AccessibleName(HWND control) {
  IAccessible* accessible = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), kAccessibleInterface,
                                        reinterpret_cast<void**>(&accessible)))) {
    return {};
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  std::wstring result;
  if (SUCCEEDED(accessible->get_accName(self, &name)) && name != nullptr) result = name;
  SysFreeString(name);
  accessible->Release();
  return result;
}

inline std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// The window just before `control` in its parent's order, when it is a
// static with text: what Windows names a tree or list view by.
inline std::wstring LabelBefore(HWND control) {
  HWND before = GetWindow(control, GW_HWNDPREV);
  if (before == nullptr || lstrcmpiW(ClassOf(before).c_str(), L"Static") != 0) return {};
  return win32::WindowText(before);
}

// The names of every focusable control of `window` that has none: what a
// screen reader would announce as an unnamed control.
inline std::vector<std::wstring> UnnamedControls(HWND window) {
  std::vector<std::wstring> unnamed;
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    if ((style & WS_TABSTOP) == 0 || (style & WS_VISIBLE) == 0) continue;
    const std::wstring kind = ClassOf(child);
    const bool namedByLabel = kind == L"SysTreeView32" || kind == L"SysListView32";
    if ((namedByLabel ? LabelBefore(child) : AccessibleName(child)).empty()) {
      unnamed.push_back(kind + L" " + std::to_wstring(GetDlgCtrlID(child)));
    }
  }
  return unnamed;
}

// The height of the font a window draws with (positive: pixels).
inline LONG FontHeightOf(HWND window) {
  LOGFONTW font{};
  const auto handle = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  if (handle == nullptr || GetObjectW(handle, sizeof font, &font) == 0) return 0;
  return font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
}

// WM_DPICHANGED as Windows sends it when a window reaches a screen of
// another scale; returns the rectangle it suggested.
inline RECT SendDpiChange(HWND window, int dpi) {
  RECT now{};
  GetWindowRect(window, &now);
  RECT suggested{now.left + 10, now.top + 10, now.left + 10 + MulDiv(now.right - now.left, dpi, 96),
                 now.top + 10 + MulDiv(now.bottom - now.top, dpi, 96)};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  return suggested;
}

inline bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace velmora::win32::testing
