#pragma once
// The user's shell folders on Windows: the "Shell Folders" values of the
// Explorer key, opened for reading only (the program creates no key and
// writes no value), and SHGetFolderPathW for a value that is missing.

#include "desktop/ShellFolderPort.h"

namespace velmora::win32 {

class Win32ShellFolders final : public ShellFolderPort {
 public:
  std::optional<FilePath> ShellFoldersValue(std::string_view valueName) override;
  std::optional<FilePath> KnownFolder(ShellFolder folder) override;
};

}  // namespace velmora::win32
