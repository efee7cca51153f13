#pragma once
// Shortcut files on Windows: the shell's link object (IShellLinkW through
// IPersistFile), resolved without any window, and the target's long name.

#include "files/ShortcutResolverPort.h"

namespace velmora::win32 {

class Win32ShortcutResolver final : public velmora::ShortcutResolverPort {
 public:
  std::optional<FilePath> ResolveShortcut(const FilePath& shortcut) override;
};

}  // namespace velmora::win32
