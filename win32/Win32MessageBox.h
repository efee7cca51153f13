#pragma once
// The message box port on Win32: the CP932 texts become UTF-16 and the box is
// owned by the given window, so it is modal to it.

#include <windows.h>

#include "document/MessageBoxPort.h"

namespace velmora::win32 {

class Win32MessageBox final : public MessageBoxPort {
 public:
  explicit Win32MessageBox(HWND owner = nullptr) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  int ShowMessage(const std::string& text, const std::string& caption, unsigned flags) override;

 private:
  HWND owner_;
};

}  // namespace velmora::win32
