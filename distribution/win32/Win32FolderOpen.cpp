#include "distribution/win32/Win32FolderOpen.h"

#include <shellapi.h>

#include "win32/WideText.h"

namespace velmora::win32 {

// The executable is written by then; a folder window that cannot be shown
// takes nothing away from that, and the shell reports its own failures.
void Win32FolderOpen::OpenFolder(const FilePath& folder) {
  ShellExecuteW(owner_, L"open", ToWidePath(folder).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace velmora::win32
