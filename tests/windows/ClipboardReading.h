#pragma once
// The system clipboard as a test reads it: the text in either form the
// program puts there, and a clipboard emptied before a test fills it.

#include <windows.h>

#include <string>

namespace velmora::win32 {

// The clipboard's text: CF_UNICODETEXT for wchar_t, CF_TEXT for char;
// empty when there is none.
template <typename Char = wchar_t>
std::basic_string<Char> ClipboardText() {
  std::basic_string<Char> text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(sizeof(Char) == 1 ? CF_TEXT : CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const Char*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

inline void EmptyTheClipboard() {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  CloseClipboard();
}

}  // namespace velmora::win32
