#pragma once
// Shows a folder to the author, as the shell's "open" of the folder does
// (an Explorer window on Windows). Generate offers it for the folder it has
// just written to.

#include "document/FilePath.h"

namespace velmora {

class FolderOpenPort {
 public:
  virtual ~FolderOpenPort() = default;
  // `folder` ends in its separator ("C:\out\").
  virtual void OpenFolder(const FilePath& folder) = 0;
};

}  // namespace velmora
