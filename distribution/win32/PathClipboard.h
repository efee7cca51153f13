#pragma once
// The player's copy of the path an end user took, for support: the text the
// run made, then when and from which generated file, as plain text
// (CF_UNICODETEXT) on the clipboard.

#include <windows.h>

#include <string>
#include <string_view>

namespace velmora::win32 {

// The footer lines: "日時: yyyy/mm/dd hh:mm" of `time` and "ファイル: " with
// the file name (without folder) of `programPath`. CP932, CR LF lines.
std::string PathFooter(const SYSTEMTIME& time, std::wstring_view programPath);

// Puts `cp932Path` and the footer for now and this program on the
// clipboard. False when the clipboard could not be had (another program
// holds it); the user can then simply try again.
bool CopyPathToClipboard(HWND owner, const std::string& cp932Path);

}  // namespace velmora::win32
