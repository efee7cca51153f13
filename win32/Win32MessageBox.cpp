#include "win32/Win32MessageBox.h"

#include "win32/WideText.h"

namespace velmora::win32 {

int Win32MessageBox::ShowMessage(const std::string& text, const std::string& caption, unsigned flags) {
  return MessageBoxW(owner_, ToWide(text).c_str(), ToWide(caption).c_str(), flags);
}

void ShowErrorReport(HWND owner, const std::wstring& text, const std::wstring& caption) {
  MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK | MB_ICONSTOP);
}

}  // namespace velmora::win32
