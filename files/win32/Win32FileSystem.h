#pragma once
// The file-system port on Windows: W functions on paths converted from
// CP932, reasons from FormatMessageW converted back to CP932.

#include "files/FileSystemPort.h"

namespace velmora::win32 {

class Win32FileSystem final : public velmora::FileSystemPort {
 public:
  std::string ReadWholeFile(const std::string& path) override;
  // Temporary file beside the target, FlushFileBuffers, then ReplaceFileW
  // over an existing target (its attributes, security and creation time
  // stay) or MoveFileExW for a new one.
  void WriteFileAtomically(const std::string& path, std::string_view bytes) override;
  bool FileExists(const std::string& path) override;
};

// The system's text for an error code, in CP932, without its line break.
std::string SystemReasonText(unsigned long errorCode);

}  // namespace velmora::win32
