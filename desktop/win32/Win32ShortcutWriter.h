#pragma once
// Shell links on Windows: the ShellLink object through IShellLinkW and
// IPersistFile, so a target or link path that CP932 cannot hold is kept as
// it is. COM must be initialised on the calling thread.

#include "desktop/ShortcutWriterPort.h"

namespace velmora::win32 {

class Win32ShortcutWriter final : public ShortcutWriterPort {
 public:
  void SaveShortcut(const FilePath& linkPath, const FilePath& target) override;
};

}  // namespace velmora::win32
