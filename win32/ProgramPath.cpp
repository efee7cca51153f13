#include "win32/ProgramPath.h"

#include <windows.h>

#include <memory>

namespace velmora::win32 {

// A buffer that doubles until the path fits (one longer than MAX_PATH is
// cut short, and says so only by filling the buffer), then one string of
// the right length: resizing a string in place would bring its resize
// member into the player stub.
std::wstring OwnProgramPath() {
  for (DWORD capacity = MAX_PATH;; capacity *= 2) {
    const std::unique_ptr<wchar_t[]> buffer(new wchar_t[capacity]);
    const DWORD length = GetModuleFileNameW(nullptr, buffer.get(), capacity);
    if (length == 0) return {};
    if (length < capacity) return std::wstring(buffer.get(), length);
  }
}

}  // namespace velmora::win32
