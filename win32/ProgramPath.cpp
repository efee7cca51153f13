#include "win32/ProgramPath.h"

#include <windows.h>

namespace velmora::win32 {

std::wstring OwnProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);  // truncated: a path longer than MAX_PATH
  }
}

}  // namespace velmora::win32
