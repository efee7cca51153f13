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
// after the window is gone reaches a dead object. No exception may unwind
// through the system's message dispatch; one that reaches the base is handed
// to the window's OnUncaughtException (a window that reports errors defines
// it; the default swallows) and the message gets the default handling.
//
// Not a framework: no layout, no control wrappers, no message maps.

#include <windows.h>

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
  ~WindowBase() = default;
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
    RegisterClassExW(&wc);
  }

  // Creates the window of this object; Handle() is set from WM_NCCREATE on,
  // so the messages sent during creation already reach the members. The
  // handle, or null when the system refused the window.
  HWND CreateOwnWindow(DWORD exStyle, const wchar_t* caption, DWORD style, POINT position, SIZE size, HWND owner,
                       HINSTANCE instance) {
    CreateWindowExW(exStyle, Derived::kClassName, caption, style, position.x, position.y, size.cx, size.cy, owner,
                    nullptr, instance, static_cast<Derived*>(this));
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
    try {
      return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
      self->OnUncaughtException();
      return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  }
};

}  // namespace velmora::win32
