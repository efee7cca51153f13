#pragma once
// The player's own executable file (win32/ProgramPath.h names it): its
// bytes, in which the generator left the procedure.

#include <string>

namespace velmora::win32 {

// The whole file. Throws VelmoraError with the cannot-open message and the
// system's reason when it cannot be read.
std::string ReadWholeFile(const std::wstring& path);

}  // namespace velmora::win32
