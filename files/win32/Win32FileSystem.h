#pragma once
// The file-system port on Windows: W functions on the UTF-16 form of each
// path (no ANSI call, so no path is cut or turned into another file's name),
// reasons from FormatMessageW converted to CP932.

#include "files/FileSystemPort.h"

namespace velmora::win32 {

class Win32FileSystem final : public velmora::FileSystemPort {
 public:
  std::string ReadWholeFile(const FilePath& path) override;
  // Temporary file beside the target, FlushFileBuffers, then ReplaceFileW
  // over an existing target (its attributes, security and creation time
  // stay) or MoveFileExW for a new one.
  void WriteFileAtomically(const FilePath& path, std::string_view bytes) override;
  // The same, with each piece written to the temporary file as it comes.
  void StreamFileAtomically(const FilePath& path, const ContentProducer& produce) override;
  // All of the above up to the replace, which the commit does. A target
  // that is no disk file (a device such as NUL, a pipe) is refused.
  std::unique_ptr<StagedFile> StageFile(const FilePath& path, const ContentProducer& produce) override;
  FileIdentity Identify(const FilePath& path) override;
  bool FileExists(const FilePath& path) override;
  // DeleteFileW; a file that is not there (nor its folder) counts as
  // removed, one that stays (read-only, say) does not.
  bool RemoveFile(const FilePath& path) override;
  FilePath Absolute(const FilePath& path) override;
  std::string DisplayText(const FilePath& path) override;
  std::optional<std::string> ExactCp932(const FilePath& path) override;
  FilePath FromCp932(std::string_view cp932) override;
  std::vector<FilePath> FilesIn(const FilePath& folder) override;
};

}  // namespace velmora::win32
