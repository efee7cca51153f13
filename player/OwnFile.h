#pragma once
// The player's own executable file: its path and its bytes, in which the
// generator left the procedure.

#include <string>

namespace velmora::win32 {

// The full path of the running program, however long.
std::wstring OwnExecutablePath();

// The whole file. Throws VelmoraError with the cannot-open message and the
// system's reason when it cannot be read.
std::string ReadWholeFile(const std::wstring& path);

}  // namespace velmora::win32
