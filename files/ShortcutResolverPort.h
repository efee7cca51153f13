#pragma once
// Shortcut files (".lnk") given to the program: the file a shortcut points
// at. Only the platform can read them (files/win32/Win32ShortcutResolver);
// without a resolver, shortcuts are refused like any unknown extension.

#include <optional>

#include "document/FilePath.h"

namespace velmora {

class ShortcutResolverPort {
 public:
  virtual ~ShortcutResolverPort() = default;
  // The full, long-named path of the existing file `shortcut` points at;
  // nothing when the shortcut cannot be read or its target is gone.
  virtual std::optional<FilePath> ResolveShortcut(const FilePath& shortcut) = 0;
};

}  // namespace velmora
