#pragma once
// A second start that names a file hands the file to the running copy: the
// path travels as UTF-16 in a WM_COPYDATA message, so no character is lost
// on the way (a CP932 path could not hold every name the shell can give).
// The message comes from another process, so the receiver takes nothing on
// trust: the identifier, the size and the text are all checked.

#include <windows.h>

#include <optional>
#include <string>

namespace velmora::win32 {

// The longest path a hand-over carries, in UTF-16 units (the system's own
// limit for long paths).
constexpr std::size_t kMaxHandedOverPath = 32767;

// The identifier in COPYDATASTRUCT::dwData: a registered message number, the
// same in every process of the session and unlike any other program's use.
ULONG_PTR FileHandOverId();

// Sends `path` to `window`. True when the running copy took it over; false
// when the path cannot be sent, or the window refused it, did not answer in
// time or is gone.
bool SendFileHandOver(HWND window, const std::wstring& path);

// The path in a received WM_COPYDATA, or nothing when the data is not a
// well-formed hand-over: another identifier, no data, an odd byte count, a
// path beyond kMaxHandedOverPath, or a NUL inside it (one at the end is
// allowed and dropped).
std::optional<std::wstring> ReadFileHandOver(const COPYDATASTRUCT& data);

}  // namespace velmora::win32
