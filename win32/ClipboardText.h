#pragma once
// The one way text goes onto the clipboard, for the editor's branches and
// the player's path alike. Another program may hold the clipboard for a
// moment (a clipboard viewer reading what was just put there), so opening
// it is tried a few times before it counts as failed.

#include <windows.h>

#include <string_view>

namespace velmora::win32 {

// Opens the clipboard for `owner`, trying a few times; false when it stays
// held (GetLastError tells why).
bool OpenClipboardPatiently(HWND owner);

// Closes the clipboard, opened just before, when the scope ends.
class ClipboardScope {
 public:
  ClipboardScope() = default;
  ~ClipboardScope() { CloseClipboard(); }
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
};

// Empties the clipboard and puts `unicode` on it as CF_UNICODETEXT, and
// `ansi` (CP932) as CF_TEXT when given: other programs then need no
// conversion of their own. False when any part failed (GetLastError tells
// why); the clipboard is closed again either way.
bool PutClipboardText(HWND owner, std::wstring_view unicode, const std::string_view* ansi = nullptr);

}  // namespace velmora::win32
