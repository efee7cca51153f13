#pragma once
// Finding the window another program (or this one) shows: the tests and the
// timing programs that start the editor or a generated executable look for
// its dialogs, message boxes and main window this way.

#include <windows.h>

namespace velmora::win32::testing {

namespace process_windows_detail {

struct Search {
  DWORD process;
  const wchar_t* className;
  HWND except;
  HWND found;
};

// A plain function with the platform's calling convention: on 32-bit
// Windows a lambda converts only to a cdecl pointer.
inline BOOL CALLBACK Match(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (owner != search.process || window == search.except || !IsWindowVisible(window) ||
      lstrcmpW(name, search.className) != 0) {
    return TRUE;
  }
  search.found = window;
  return FALSE;
}

}  // namespace process_windows_detail

// A visible top-level window of class `className` ("#32770" for a dialog or
// a message box) in process `process`, other than `except`; null when there
// is none.
inline HWND VisibleWindowOf(DWORD process, const wchar_t* className, HWND except = nullptr) {
  process_windows_detail::Search search{process, className, except, nullptr};
  EnumWindows(&process_windows_detail::Match, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace velmora::win32::testing
