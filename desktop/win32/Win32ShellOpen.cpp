#include "desktop/win32/Win32ShellOpen.h"

#include <shellapi.h>

#include "win32/WideText.h"

namespace velmora::win32 {

void Win32ShellOpen::OpenInShell(std::string_view target) {
  // No parameters, no working folder, a normally shown window. The result
  // is not examined: a missing help file or browser is the shell's to tell.
  const std::wstring wide = ToWidePath(FilePath::FromUtf8(target));
  ShellExecuteW(owner_, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace velmora::win32
