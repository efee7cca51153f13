#pragma once
// The one piece every window class of the program shares: registering its
// window class once and routing the window procedure to a member. A window
// class derives from WindowBase<Itself>, names its class (kClassName) and
// writes HandleMessage, which only dispatches to small OnX members.
//
//   class TForm2 : public WindowBase<TForm2> { ...
//     static constexpr wchar_t kClassName[] = L"TForm2";
//     LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
//
// The object must outlive its window: the base stores `this` at
// WM_NCCREATE and forgets it at WM_NCDESTROY, so no message that arrives
// after the window is gone reaches a dead object.
//
// Failures: a class that cannot be registered or a window that cannot be
// created raises a VelmoraError with the system's reason (SystemError.h).
// No exception may unwind through the system's message dispatch. One thrown
// while the window is being created (WM_NCCREATE, WM_CREATE) makes the
// creation fail and is raised again by CreateOwnWindow; any other one that
// reaches the base is handed to the window's OnUncaughtException (a window
// that reports errors defines it; the default swallows) and the message
// gets the default handling.
//
// Not a framework: no layout, no control wrappers, no message maps.

#include <windows.h>

#include <exception>
#include <utility>

#include "win32/SystemError.h"

namespace velmora::win32 {

// What a window class looks like before any window of it exists.
struct WindowClassLook {
  HICON icon = nullptr;
  HICON smallIcon = nullptr;
  HBRUSH background = nullptr;  // null: the window paints its own background
};

// The face colour that dialogs and forms share.
inline HBRUSH ButtonFaceBackground() { return reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1); }

template <typename Derived>
class WindowBase {
 public:
  HWND Handle() const { return hwnd_; }

 protected:
  WindowBase() = default;
  // A window still here means the derived constructor failed after creating
  // it (its destructor never ran): it goes without reaching the object.
  ~WindowBase() {
    if (hwnd_ == nullptr) return;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  // Registers Derived::kClassName in `instance` unless a window of the class
  // was registered already (the class lives as long as the module).
  static void RegisterClassOnce(HINSTANCE instance, const WindowClassLook& look = {}) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, Derived::kClassName, &existing)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &WindowBase::WindowProc;
    wc.hInstance = instance;
    wc.hIcon = look.icon;
    wc.hIconSm = look.smallIcon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = look.background;
    wc.lpszClassName = Derived::kClassName;
    if (RegisterClassExW(&wc) == 0) ThrowCannotRegisterClass(Derived::kClassName);
  }

  // Creates the window of this object; Handle() is set from WM_NCCREATE on,
  // so the messages sent during creation already reach the members.
  HWND CreateOwnWindow(DWORD exStyle, const wchar_t* caption, DWORD style, POINT position, SIZE size, HWND owner,
                       HINSTANCE instance) {
#if defined(__cpp_exceptions)
    creationFailure_ = nullptr;
#endif
    HWND created = CreateWindowExW(exStyle, Derived::kClassName, caption, style, position.x, position.y, size.cx,
                                   size.cy, owner, nullptr, instance, static_cast<Derived*>(this));
    if (created == nullptr) {
      // A refusal in WM_NCCREATE leaves no WM_NCDESTROY to forget the handle.
      hwnd_ = nullptr;
#if defined(__cpp_exceptions)
      if (creationFailure_) std::rethrow_exception(std::exchange(creationFailure_, nullptr));
#endif
      ThrowCannotCreateWindow(Derived::kClassName);
    }
    return hwnd_;
  }

  // What a window does with an exception no handler caught: nothing.
  void OnUncaughtException() {}

  HWND hwnd_ = nullptr;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* created = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      created->hwnd_ = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      self->hwnd_ = nullptr;
      return DefWindowProcW(hwnd, message, wParam, lParam);
    }
#if defined(__cpp_exceptions)
    try {
      return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
      if (message == WM_NCCREATE || message == WM_CREATE) {
        self->creationFailure_ = std::current_exception();
        return message == WM_CREATE ? -1 : FALSE;
      }
      self->OnUncaughtException();
      return DefWindowProcW(hwnd, message, wParam, lParam);
    }
#else
    // The player stub runs without exceptions: nothing can be thrown.
    return self->HandleMessage(message, wParam, lParam);
#endif
  }

#if defined(__cpp_exceptions)
  std::exception_ptr creationFailure_;
#endif
};

}  // namespace velmora::win32
