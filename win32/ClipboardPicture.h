#pragma once
// A picture from the clipboard, as Print Screen, the Snipping Tool, a
// browser or Explorer leave it there.

#include <windows.h>

#include <optional>
#include <string>

namespace velmora::win32 {

// The clipboard's picture as an image file's bytes: PNG bytes where a
// program offers them ("PNG", which browsers and Office put there, keeps
// transparency), else the device-independent bitmap written as PNG, else
// the first copied file's bytes as they are (its checks come later).
// Nothing when the clipboard holds none of these or cannot be opened.
std::optional<std::string> ClipboardPicture(HWND owner);

}  // namespace velmora::win32
