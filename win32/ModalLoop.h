#pragma once
// The modal loop of the editor's own dialogs: their windows are ordinary
// top-level windows (kept between openings, laid out in pixels), so they
// run their own loop with the dialog keyboard (Tab, Enter, Esc) instead of
// the platform's dialog box functions.

#include <windows.h>

namespace velmora::win32 {

// Shows `dialog` over `owner`, which stays disabled until `done` becomes
// true. Whenever the dialog waits for input its owner gets WM_ENTERIDLE,
// as with the platform's dialog boxes. A WM_QUIT that arrives meanwhile is posted again for the outer loop
// and ends the dialog; the return value is false then.
bool RunModalLoop(HWND dialog, HWND owner, const bool& done);

// WM_NEXTDLGCTL, which the dialog keyboard sends for Tab and the arrow keys
// (and a multiline edit for Tab): moves the focus as a dialog box does.
void MoveDialogFocus(HWND dialog, WPARAM wParam, LPARAM lParam);

// The focus a dialog-like window gets back when it is activated again (after
// a message box, say): ordinary windows do not restore it themselves.
class FocusKeeper {
 public:
  // Handles WM_ACTIVATE; returns true when the message was consumed.
  bool OnActivate(HWND window, WPARAM wParam);
  // The control that gets the focus when the window is next activated.
  void Remember(HWND control) { focused_ = control; }

 private:
  HWND focused_ = nullptr;
};

}  // namespace velmora::win32
