#pragma once
// Reads a whole file into memory: a procedure, a generated executable, the
// player stub, the settings.

#include <string>

namespace velmora::win32 {

// The file's bytes. Others may read, write, rename or delete it meanwhile
// (a virus scanner or an indexer often holds a file open); a file that grows
// while it is read is read to its end. Raises a VelmoraError naming the path
// and the system's reason when the file cannot be opened or read.
std::string ReadWholeFile(const std::wstring& path);

}  // namespace velmora::win32
