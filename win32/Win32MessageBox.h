#pragma once
// The message box port on Win32: the CP932 texts become UTF-16 and the box is
// owned by the given window, so it is modal to it.

#include <windows.h>

#include <string>

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

// The general error report's box (OK and a stop icon, owned by `owner`) for
// a text that is already UTF-16: one that names a character code page 932
// cannot hold. The port's reports come out the same.
void ShowErrorReport(HWND owner, const std::wstring& text, const std::wstring& caption);

}  // namespace velmora::win32
