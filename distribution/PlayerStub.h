#pragma once
// The player stub every generated executable starts with. The program only
// copies it, so a stub that is no Windows program would give the author an
// executable that cannot start; it is refused before anything is written.

#include <string>
#include <string_view>

#include "files/FileSystemPort.h"

namespace velmora {

// True when `bytes` start with a valid executable header: "MZ", a pointer
// to the new header (e_lfanew) past the DOS header and inside the bytes,
// and "PE\0\0" there.
bool HasExecutableHeader(std::string_view bytes);

// True when `bytes` are a whole executable: a valid header, and the file
// header, the section table, the size of the headers and every section's
// data inside the bytes. A copy cut short (a download or a copy broken off)
// passes the header check but fails here.
bool IsWholeExecutable(std::string_view bytes);

// Reads the stub at `path` whole; throws VelmoraError naming the file when
// it cannot be read or is no whole Windows program (empty, truncated,
// anything else).
std::string ReadPlayerStub(FileSystemPort& files, const FilePath& path);

}  // namespace velmora
