#pragma once
// Where the shell keeps the user's desktop, Startup folder and the Start
// menu's Programs folder. The shortcut commands ask two ways: the value of
// the user's "Shell Folders" key (which the program only ever reads: it
// writes nothing to the registry), and the shell's own answer for the same
// place, for a user whose key lacks the value.

#include <optional>
#include <string_view>

#include "document/FilePath.h"

namespace velmora {

// LocalAppData: the user's local application data folder, for files of
// the program's own that its folder may not take (the recovery copy).
enum class ShellFolder { Desktop, Startup, Programs, LocalAppData };

class ShellFolderPort {
 public:
  virtual ~ShellFolderPort() = default;
  // The string value `valueName` under the user's
  // "Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders";
  // nothing when the key or the value does not exist.
  virtual std::optional<FilePath> ShellFoldersValue(std::string_view valueName) = 0;
  // The shell's folder for `folder`; nothing when the shell knows none.
  virtual std::optional<FilePath> KnownFolder(ShellFolder folder) = 0;
};

}  // namespace velmora
