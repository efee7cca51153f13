#include "win32/ModalLoop.h"

namespace velmora::win32 {

bool RunModalLoop(HWND dialog, HWND owner, const bool& done) {
  // A nested dialog finds its owner already disabled; only the one that
  // disabled it enables it again.
  const bool disabledOwner = owner != nullptr && IsWindowEnabled(owner);
  if (disabledOwner) EnableWindow(owner, FALSE);
  ShowWindow(dialog, SW_SHOW);
  SetForegroundWindow(dialog);

  bool quit = false;
  WPARAM quitCode = 0;
  MSG message;
  while (!done) {
    // As the dialog manager does: the owner hears when the dialog waits for
    // input (tests drive the dialog from there).
    if (owner != nullptr && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
      SendMessageW(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(dialog));
      if (done) break;
    }
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      quit = true;
      quitCode = got == 0 ? message.wParam : 0;
      break;
    }
    if (IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }

  // The owner is enabled before the dialog hides, so activation returns to
  // it and not to some other program's window.
  if (disabledOwner) EnableWindow(owner, TRUE);
  ShowWindow(dialog, SW_HIDE);
  if (owner != nullptr) SetActiveWindow(owner);
  if (quit) PostQuitMessage(static_cast<int>(quitCode));
  return !quit;
}

void MoveDialogFocus(HWND dialog, WPARAM wParam, LPARAM lParam) {
  HWND target = LOWORD(lParam) != 0 ? reinterpret_cast<HWND>(wParam)
                                    : GetNextDlgTabItem(dialog, GetFocus(), wParam != 0 ? TRUE : FALSE);
  if (target == nullptr) return;
  SetFocus(target);
  // Entering an edit box by keyboard selects its text, as in dialog boxes.
  if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(target, EM_SETSEL, 0, -1);
}

bool FocusKeeper::OnActivate(HWND window, WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window, focus)) focused_ = focus;
    return false;
  }
  if (focused_ == nullptr || !IsWindow(focused_) || !IsChild(window, focused_)) return false;
  SetFocus(focused_);
  return true;
}

}  // namespace velmora::win32
