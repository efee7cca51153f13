#pragma once
// What the application asks of the platform, grouped by what the platform
// gives: its dialogs, its file system, its shell, the main window's
// placement and the taskbar. Each group is one interface made of the small
// ones the lower layers' commands take, so a command still names only what
// it uses, while the window and the tests hand over one object per group.
//
// What the window shows (a scroll of the tree view, the recent-file items)
// is no port: the core puts it into the View.

#include <optional>
#include <string>

#include "app/FileNameComparison.h"
#include "app/WindowPlacement.h"
#include "desktop/AboutDialogPort.h"
#include "desktop/ShellFolderPort.h"
#include "desktop/ShortcutWriterPort.h"
#include "distribution/ShellOpenPort.h"
#include "distribution/StepDialogPort.h"
#include "distribution/TaskbarProgressPort.h"
#include "document/InputBoxPort.h"
#include "document/MessageBoxPort.h"
#include "document/NodeEditorPort.h"
#include "files/FileDialogPort.h"
#include "files/FileSystemPort.h"
#include "files/ShortcutResolverPort.h"

namespace velmora {

// Every modal dialog: message boxes, the open and save dialogs, the node
// editor, the input box, the step dialogs of a preview and the About box.
class DialogsPort : public MessageBoxPort,
                    public FileDialogPort,
                    public NodeEditorPort,
                    public InputBoxPort,
                    public StepDialogPort,
                    public AboutDialogPort {};

// The shell: opening a path or a URL ("open"), the known folders, and
// writing and resolving shortcuts.
class ShellPort : public ShellOpenPort, public ShellFolderPort, public ShortcutWriterPort, public ShortcutResolverPort {};

struct View;

// The window, for a command that shows its progress while it runs: every
// step of a preview moves the selection on screen before its dialog shows.
class ScreenPort {
 public:
  virtual ~ScreenPort() = default;
  virtual void Show(const View& view) = 0;
};

// The clipboard's text, for branches cut, copied and pasted. The core
// speaks CP932; the platform keeps a text both as CP932 and as Unicode, so
// that any program reads it, and reads the Unicode form back.
class ClipboardPort {
 public:
  virtual ~ClipboardPort() = default;
  // Puts `cp932` on the clipboard in place of what it held. Throws
  // VelmoraError when the clipboard cannot be had.
  virtual void WriteText(const std::string& cp932) = 0;
  // The clipboard's text as CP932; nothing when it holds no text. Throws
  // VelmoraError, with a message naming the character, for a text that
  // CP932 cannot hold: the document stores CP932 only.
  virtual std::optional<std::string> ReadText() = 0;
};

struct AppPorts {
  DialogsPort& dialogs;
  FileSystemPort& files;
  ShellPort& shell;
  WindowPlacementPort& placement;
  // How the recent-file list compares file names (the user's locale).
  TextCollationPort& collation;
  // Null where the system has no taskbar progress.
  TaskbarProgressPort* taskbar = nullptr;
  // Null where nothing is on screen.
  ScreenPort* screen = nullptr;
  // Null without a clipboard: Cut, Copy and Paste are then unavailable.
  ClipboardPort* clipboard = nullptr;
};

}  // namespace velmora
