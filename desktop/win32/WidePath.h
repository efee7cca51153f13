#pragma once
// Paths between the core's UTF-8 FilePath and the W functions' UTF-16,
// without loss either way, and the CP932 form a path takes in a message.

#include <string>
#include <string_view>

#include "document/FilePath.h"

namespace velmora::win32 {

std::wstring WidePathOf(const FilePath& path);
FilePath FilePathOf(std::wstring_view wide);

// The path as a CP932 text for a message; a character CP932 cannot hold
// shows as "?".
std::string DisplayTextOf(const FilePath& path);

}  // namespace velmora::win32
