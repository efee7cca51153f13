#include "player/PlayerWindow.h"

#include "distribution/win32/Unit_Win7Taskbar.h"
#include "player/PlayerResources.h"
#include "win32/Placement.h"

namespace velmora::win32 {

PlayerWindow::PlayerWindow(HINSTANCE instance, const std::wstring& caption)
    : taskbarButtonCreated_(TaskbarProgress::TaskbarButtonCreatedMessage()) {
  WindowClassLook look;
  look.icon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_PLAYER));
  RegisterClassOnce(instance, look);
  CreateOwnWindow(0, caption.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, ScreenCentre(), SIZE{0, 0},
                  nullptr, instance);
  // The taskbar's progress starts with the shell's word that the button is
  // there; a player run as administrator hears it from the shell, which
  // runs at a lower level, only when it lets that message through.
  ChangeWindowMessageFilterEx(hwnd_, taskbarButtonCreated_, MSGFLT_ALLOW, nullptr);
  ShowWindow(hwnd_, SW_SHOWNORMAL);
}

PlayerWindow::~PlayerWindow() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

LRESULT PlayerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == taskbarButtonCreated_) {
    if (taskbar_ != nullptr) taskbar_->OnTaskbarButtonCreated();
    return 0;
  }
  if (message == WM_CLOSE) {
    OnClose();
    return 0;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

// "Close window" on the taskbar button reaches this window, which is
// disabled behind the step dialog: the dialog closes instead, which ends
// the run like its own close box.
void PlayerWindow::OnClose() {
  HWND dialog = GetLastActivePopup(hwnd_);
  if (dialog != nullptr && dialog != hwnd_) PostMessageW(dialog, WM_CLOSE, 0, 0);
}

}  // namespace velmora::win32
