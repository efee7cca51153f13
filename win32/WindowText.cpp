// Reading a window's text, apart from making controls (Controls.cpp): the
// player stub makes controls but reads none, and builds only that file.
#include "win32/Controls.h"

namespace velmora::win32 {

std::wstring WindowText(HWND window) {
  // The length may be larger than the text (the system may count it for
  // another code page), never smaller: what was copied is the text.
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

}  // namespace velmora::win32
