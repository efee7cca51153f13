#include "win32/Win32MessageBox.h"

#include "win32/WideText.h"

namespace velmora::win32 {

int Win32MessageBox::ShowMessage(const std::string& text, const std::string& caption, unsigned flags) {
  return MessageBoxW(owner_, ToWide(text).c_str(), ToWide(caption).c_str(), flags);
}

}  // namespace velmora::win32
