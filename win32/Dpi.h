#pragma once
// Sizes are designed in pixels at 96 DPI and scaled to the DPI the window
// really has, so that every window of the program grows alike on a screen
// set to a larger text size.

#include <windows.h>

namespace velmora::win32 {

// The DPI the windows' sizes are designed at.
constexpr int kDesignDpi = 96;

// The DPI of `window`: GetDpiForWindow where the system has it (Windows 10
// on), the LOGPIXELSY of the window's device context otherwise; the
// screen's for a null window (one not created yet takes its owner's).
int WindowDpi(HWND window);

// Per-monitor DPI: a window moved to a screen of another scale gets
// WM_DPICHANGED with the new DPI (HIWORD of wParam) and the rectangle Windows
// suggests (lParam). Each window takes that rectangle, makes its fonts and
// pictures anew at the new DPI and lays itself out again; these two are the
// steps every window shares.
// (Inline: the player, which links none of the editor's toolkit files but
// the few it needs, has its step dialogs follow a DPI change too.)
inline void MoveToSuggested(HWND window, const RECT& suggested) {
  SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}
inline void SetFontOfChildren(HWND window, HFONT font) {
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
}

// Turns design pixels into pixels at one DPI.
class DpiScale {
 public:
  explicit DpiScale(int dpi) : dpi_(dpi > 0 ? dpi : kDesignDpi) {}
  int Dpi() const { return dpi_; }
  int operator()(int designPixels) const { return MulDiv(designPixels, dpi_, kDesignDpi); }
  // Back from pixels at this DPI to design pixels.
  int ToDesign(int pixels) const { return MulDiv(pixels, kDesignDpi, dpi_); }

 private:
  int dpi_;
};

}  // namespace velmora::win32
