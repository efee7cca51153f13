#pragma once
// Opens a folder through the shell's "open" verb (an Explorer window), on
// behalf of the given window.

#include <windows.h>

#include "distribution/FolderOpenPort.h"

namespace velmora::win32 {

class Win32FolderOpen final : public velmora::FolderOpenPort {
 public:
  explicit Win32FolderOpen(HWND owner) : owner_(owner) {}
  void OpenFolder(const FilePath& folder) override;

 private:
  HWND owner_;
};

}  // namespace velmora::win32
