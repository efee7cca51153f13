#pragma once
// Texts are stored in code page 932. A character that it cannot hold (an
// emoji, many Chinese characters) would silently become "?" on the way in;
// the boxes where the author types name it instead and keep the input.

#include <windows.h>

#include <string>
#include <string_view>

namespace velmora::win32 {

// The message that names the character.
std::wstring UnrepresentableCharMessage(std::wstring_view character);

// Shows the message naming `character`, owned by `owner` and captioned with
// the main window's caption.
void ShowUnrepresentableChar(HWND owner, std::wstring_view character);

// When `text` holds such a character, shows the message (owned by `owner`,
// captioned with the main window's caption), selects the character in
// `edit` (if given) and returns true.
bool RefuseUnrepresentableText(HWND owner, std::wstring_view text, HWND edit = nullptr);

// The caption of the window at the top of `window`'s owner chain: the
// application title as currently shown.
std::wstring ApplicationCaption(HWND window);

}  // namespace velmora::win32
