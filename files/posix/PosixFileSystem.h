#pragma once
// The file-system port on Linux (the command-line tool and the host tests).
// Paths arrive as CP932 and are converted to the UTF-8 names the system
// uses; reasons come from strerror.

#include <optional>
#include <string>
#include <string_view>

#include "files/FileSystemPort.h"

namespace velmora {

class PosixFileSystem final : public FileSystemPort {
 public:
  std::string ReadWholeFile(const std::string& path) override;
  // Temporary file beside the target, fsync, rename, fsync of the folder.
  // An existing target's permission bits carry over to the new file.
  void WriteFileAtomically(const std::string& path, std::string_view bytes) override;
  bool FileExists(const std::string& path) override;
};

// CP932 <-> UTF-8 by glibc's iconv. Bytes that do not convert make the
// conversion fail (nothing), so no path is ever silently altered.
std::optional<std::string> Cp932ToUtf8(std::string_view cp932);
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

}  // namespace velmora
