#include "win32/Dpi.h"

#include "win32/Win32Handles.h"

namespace velmora::win32 {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up at run time: the program also runs on systems before Windows
// 10, whose user32 lacks the function (a static import would keep it from
// starting there).
GetDpiForWindowFunction GetDpiForWindowOfSystem() {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return nullptr;
  return reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")));
}

}  // namespace

int WindowDpi(HWND window) {
  static const GetDpiForWindowFunction getDpiForWindow = GetDpiForWindowOfSystem();
  if (window != nullptr && getDpiForWindow != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  const WindowDc dc(window);
  const int dpi = dc.Get() != nullptr ? GetDeviceCaps(dc.Get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace velmora::win32
