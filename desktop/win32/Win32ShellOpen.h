#pragma once
// The shell's "open" on Windows, owned by the given window (the main
// window), so that whatever the shell shows about it belongs to that window.

#include <windows.h>

#include "distribution/ShellOpenPort.h"

namespace velmora::win32 {

class Win32ShellOpen final : public ShellOpenPort {
 public:
  explicit Win32ShellOpen(HWND owner) : owner_(owner) {}
  void OpenInShell(std::string_view target) override;

 private:
  HWND owner_;
};

}  // namespace velmora::win32
