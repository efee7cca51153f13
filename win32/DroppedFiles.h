#pragma once
// The first of the files dropped on a window or copied in Explorer: the
// windows take one file at a time.

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace velmora::win32 {

inline std::wstring FirstDroppedFile(HDROP drop) {
  const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
  std::wstring path(length + 1, L'\0');
  DragQueryFileW(drop, 0, path.data(), length + 1);
  path.resize(length);
  return path;
}

}  // namespace velmora::win32
