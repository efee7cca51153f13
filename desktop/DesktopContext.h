#pragma once
// What the six desktop commands work with: the platform behind small ports,
// and the facts about the running program that only the platform side can
// tell (its own path, and how a path reads in a CP932 message: a path is
// UTF-8 here, and only the Win32 side can turn it into CP932).

#include <functional>
#include <string>

#include "desktop/AboutDialogPort.h"
#include "desktop/ShellFolderPort.h"
#include "distribution/ShellOpenPort.h"
#include "desktop/ShortcutWriterPort.h"
#include "document/FilePath.h"
#include "document/MessageBoxPort.h"

namespace velmora {

struct DesktopPorts {
  MessageBoxPort& messages;
  ShellFolderPort& folders;
  ShortcutWriterPort& shortcuts;
  ShellOpenPort& shell;
  AboutDialogPort& about;
};

struct ProgramFacts {
  // ProductTitle: the application title (CP932), the caption of the
  // program's messages and the first word of the About text.
  std::string productTitle;
  // The same title as a file name, for the shortcut's file.
  FilePath productTitleName;
  // The program's own full path: the shortcuts' target, and beside it the
  // help file.
  FilePath path;
  // A path as a CP932 text for a message.
  std::function<std::string(const FilePath&)> displayText;
};

}  // namespace velmora
