#pragma once
// What the file layer needs from the platform: whole files in, whole files
// out. Paths are CP932 strings, like every other text of the program; each
// implementation converts them to what its system calls take.

#include <string>
#include <string_view>

namespace velmora {

class FileSystemPort {
 public:
  virtual ~FileSystemPort() = default;

  // The file's whole content. Throws VelmoraError with the cannot-open
  // message (path and the system's reason) when the file cannot be read.
  virtual std::string ReadWholeFile(const std::string& path) = 0;

  // Puts `bytes` in place of the file at `path` as one step: the content
  // goes to a temporary file in the same folder, is flushed to the disk and
  // then replaces the target, so a failure at any point (disk full, a crash
  // mid-write) leaves the old file as it was. Throws VelmoraError with the
  // cannot-create message naming `path`.
  virtual void WriteFileAtomically(const std::string& path, std::string_view bytes) = 0;

  // True when a file (not a folder) exists at `path`.
  virtual bool FileExists(const std::string& path) = 0;
};

}  // namespace velmora
