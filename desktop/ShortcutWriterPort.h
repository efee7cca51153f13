#pragma once
// Saves a shell link (".lnk") to a program. Nothing but the target is set on
// the link; a file of the same name is replaced. A failure raises a
// VelmoraError whose text names the link file and the system's reason.

#include "document/FilePath.h"

namespace velmora {

class ShortcutWriterPort {
 public:
  virtual ~ShortcutWriterPort() = default;
  virtual void SaveShortcut(const FilePath& linkPath, const FilePath& target) = 0;
};

}  // namespace velmora
