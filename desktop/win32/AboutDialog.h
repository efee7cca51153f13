#pragma once
// The About box on Windows: a modal dialog owned by the main window and
// centred over it, with the program's icon, the text on a transparent
// label sized to it, "&OK" (the default, also Escape) and "&HomePage", the
// hand cursor over both buttons, and a gradient background drawn anew with
// a random colour on every paint (PaintAboutGradient).

#include <windows.h>

#include "desktop/AboutDialogPort.h"
#include "desktop/HelpMenu.h"

namespace velmora::win32 {

class Win32AboutDialog final : public AboutDialogPort {
 public:
  // `icon` is the program's own (shared, not destroyed here).
  Win32AboutDialog(HWND owner, HICON icon) : owner_(owner), icon_(icon) {}
  AboutBoxResult ShowAboutBox(const AboutBoxInput& input) override;

 private:
  HWND owner_;
  HICON icon_;
};

// Fills the whole client area of `dialog` with a gradient from white to a
// colour drawn from std::rand (seeded once when the main window is created)
// and answers which gradient it drew.
AboutGradient PaintAboutGradient(HWND dialog, HDC dc);

// The gradient itself, over `area`.
void FillAboutGradient(HDC dc, const RECT& area, const AboutGradient& gradient);

// Control ids, so that tests (and accessibility tools) can find the parts.
namespace about_dialog_id {
constexpr int kOk = IDOK;
constexpr int kHomePage = 1002;
constexpr int kText = 1100;
constexpr int kIcon = 1101;
}  // namespace about_dialog_id

}  // namespace velmora::win32
