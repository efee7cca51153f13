#pragma once
// The clipboard port on Windows. A text goes on the clipboard twice: as
// CF_UNICODETEXT, which every current program reads, and as CF_TEXT in
// CP932, the form older programs and the document itself use. It is read
// back from CF_UNICODETEXT, which the system also makes from a CF_TEXT
// that another program put there.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "app/Ports.h"

namespace velmora::win32 {

// The refusal of a clipboard text holding `character`, which CP932 cannot
// hold: the character is named by its code ("U+1F600"), since the message
// itself is CP932.
std::string UnstorableClipboardTextMessage(std::wstring_view character);

class Win32Clipboard final : public ClipboardPort {
 public:
  // `owner` owns the clipboard's content once written.
  explicit Win32Clipboard(HWND owner) : owner_(owner) {}

  void WriteText(const std::string& cp932) override;
  std::optional<std::string> ReadText() override;

 private:
  HWND owner_;
};

}  // namespace velmora::win32
