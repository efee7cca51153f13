#include "player/PlayerWindow.h"

#include <stdexcept>

#include "distribution/Unit_Win7Taskbar.h"
#include "player/PlayerResources.h"

namespace velmora::win32 {

void PlayerWindow::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, kClassName, &existing)) return;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &PlayerWindow::WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_PLAYER));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);
}

PlayerWindow::PlayerWindow(HINSTANCE instance, const std::wstring& caption) {
  RegisterWindowClass(instance);
  CreateWindowExW(0, kClassName, caption.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                  GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr, nullptr,
                  instance, this);
  if (hwnd_ == nullptr) throw std::runtime_error("the player window cannot be created");
  ShowWindow(hwnd_, SW_SHOWNORMAL);
}

PlayerWindow::~PlayerWindow() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

LRESULT CALLBACK PlayerWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<PlayerWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<PlayerWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT PlayerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == TaskbarProgress::TaskbarButtonCreatedMessage()) {
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
