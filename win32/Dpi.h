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
