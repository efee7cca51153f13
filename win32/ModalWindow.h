#pragma once
// The base of the editor's own modal windows (the node editor, the input
// box, the link picker): ordinary top-level windows laid out in design
// pixels, which run their own modal loop (ModalLoop.h) with the dialog
// keyboard. The base does for them what the dialog manager does for a
// dialog box, once:
// - the loop itself, with the flags that end it and say how (EndModal);
// - Enter presses the push button that has the focus, OK anywhere else
//   (DM_GETDEFID); Escape, the Cancel button (both IDCANCEL) and a close
//   request end the window as Cancel; OK is the window's own, as it checks
//   what was typed first;
// - Tab and the arrow keys move the focus (WM_NEXTDLGCTL), and the focus
//   comes back to the same control when the window is activated again;
// - static texts and buttons on the face colour (WM_CTLCOLORSTATIC/BTN).
// A window derives from ModalWindow<Itself>, names its class (kClassName)
// and writes HandleWindowMessage for the rest of its messages.
//
// Why the step dialog and the About box do not derive from it: they are
// made anew for each opening and laid out in the dialog units of the
// message font, which the dialog manager (TemplateDialog.h) measures and
// runs for them with no loop of the program's own. The node editor outlives
// its openings (it keeps its state between them), which a dialog box, gone
// at EndDialog, cannot.
//
// An exception thrown by a handler while the window is shown ends the
// window, and RunModal raises it again once the loop has returned, so that
// it reaches the command that opened the window.

#include <windows.h>

#include <exception>
#include <utility>

#include "win32/ControlColours.h"
#include "win32/Dpi.h"
#include "win32/Fonts.h"
#include "win32/ModalLoop.h"
#include "win32/Placement.h"
#include "win32/WindowBase.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {

template <typename Derived>
class ModalWindow : public WindowBase<Derived> {
 protected:
  ModalWindow() = default;
  ~ModalWindow() = default;

  // Shows the window centred over `owner`, which stays disabled meanwhile,
  // with the focus on `focus`, until EndModal. True when it ended accepted;
  // false on Cancel, and when a WM_QUIT ended the loop.
  bool RunModal(HWND owner, HWND focus) {
    HWND window = this->hwnd_;
    CentreOnOwner(window, owner);
    focus_.Remember(focus);
    done_ = false;
    accepted_ = false;
    showing_ = true;
    RunModalLoop(window, owner, done_);
    showing_ = false;
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
    return accepted_;
  }

  void EndModal(bool accepted) {
    accepted_ = accepted;
    done_ = true;
  }

  bool Showing() const { return showing_; }

  // For a small box of fixed size, as a dialog box is (the input box, the
  // link picker): the window at `scale`, its client area `designClient`
  // pixels at 96 DPI, with a dialog's frame.
  void CreateBox(HWND owner, const wchar_t* caption, SIZE designClient, const DpiScale& scale) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WindowClassLook look;
    look.background = ButtonFaceBackground();
    WindowBase<Derived>::RegisterClassOnce(instance, look);
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT frame{0, 0, scale(designClient.cx), scale(designClient.cy)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    this->CreateOwnWindow(exStyle, caption, style, POINT{0, 0},
                          SIZE{frame.right - frame.left, frame.bottom - frame.top}, owner, instance);
  }

  // A box on a screen of another scale (WM_DPICHANGED): the font, the
  // place Windows suggests and the box's own layout anew.
  void RescaleBox(WPARAM wParam, LPARAM lParam, DpiScale& scale, UniqueFont& font) {
    scale = DpiScale(HIWORD(wParam));
    font = CreateUiFont(scale);
    SetFontOfChildren(this->hwnd_, font.get());
    MoveToSuggested(this->hwnd_, *reinterpret_cast<const RECT*>(lParam));
    static_cast<Derived*>(this)->ApplyLayout();
  }

  void OnUncaughtException() {
    if (!showing_) return;
    failure_ = std::current_exception();
    EndModal(false);
  }

 private:
  friend class WindowBase<Derived>;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = this->hwnd_;
    switch (message) {
      case WM_CTLCOLORSTATIC:
      case WM_CTLCOLORBTN:
        return FaceControlColours(reinterpret_cast<HDC>(wParam));
      case WM_ACTIVATE:
        if (focus_.OnActivate(window, wParam)) return 0;
        break;
      case WM_NEXTDLGCTL:
        MoveDialogFocus(window, wParam, lParam);
        return 0;
      case DM_GETDEFID:
        return MAKELRESULT(DefaultButton(), DC_HASDEFID);
      case WM_COMMAND:
        if (LOWORD(wParam) != IDCANCEL) break;
        EndModal(false);
        return 0;
      case WM_CLOSE:
        if (showing_) EndModal(false);
        return 0;
      default:
        break;
    }
    return static_cast<Derived*>(this)->HandleWindowMessage(message, wParam, lParam);
  }

  int DefaultButton() const {
    HWND focus = GetFocus();
    if (focus == nullptr || !IsChild(this->hwnd_, focus)) return IDOK;
    const LRESULT code = SendMessageW(focus, WM_GETDLGCODE, 0, 0);
    if ((code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) == 0) return IDOK;
    return GetDlgCtrlID(focus);
  }

  FocusKeeper focus_;
  std::exception_ptr failure_;
  bool showing_ = false;
  bool done_ = false;
  bool accepted_ = false;
};

}  // namespace velmora::win32
