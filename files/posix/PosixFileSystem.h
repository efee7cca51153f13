#pragma once
// The file-system port on Linux (the command-line tool and the host tests).
// Paths are the system's own byte names; reasons come from strerror. CP932
// forms of paths come from the core's own table (document/Utf8Text.h), as
// every other conversion between CP932 and UTF-8 does.

#include <optional>
#include <string>
#include <string_view>

#include "files/FileSystemPort.h"

namespace velmora {

class PosixFileSystem final : public FileSystemPort {
 public:
  std::string ReadWholeFile(const FilePath& path) override;
  // An unnamed temporary file in the target's folder (or one with a short
  // name where the file system has none), fsync, a name, rename, fsync of
  // the folder. A link as the target is written through, also when the file
  // it names does not exist yet.
  // An existing target's permission bits carry over to the new file.
  void WriteFileAtomically(const FilePath& path, std::string_view bytes) override;
  // The same, with each piece written to the temporary file as it comes.
  void StreamFileAtomically(const FilePath& path, const ContentProducer& produce) override;
  // All of the above up to the rename, which the commit does. A target that
  // exists and is no regular file (a device, a pipe, a socket) is refused.
  std::unique_ptr<StagedFile> StageFile(const FilePath& path, const ContentProducer& produce) override;
  FileIdentity Identify(const FilePath& path) override;
  bool FileExists(const FilePath& path) override;
  bool RemoveFile(const FilePath& path) override;
  FilePath Absolute(const FilePath& path) override;
  std::string DisplayText(const FilePath& path) override;
  std::optional<std::string> ExactCp932(const FilePath& path) override;
  FilePath FromCp932(std::string_view cp932) override;
  std::vector<FilePath> FilesIn(const FilePath& folder) override;
};

}  // namespace velmora
