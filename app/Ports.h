#pragma once
// What the application asks of the platform, grouped by what the platform
// gives: its dialogs, its file system, its shell, the main window's
// placement and the taskbar. Each group is one interface made of the small
// ones the lower layers' commands take, so a command still names only what
// it uses, while the window and the tests hand over one object per group.
//
// What the window shows (a scroll of the tree view, the recent-file items)
// is no port: the core puts it into the View.

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
// (A clipboard port joins the ports as a group of its own.)
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
};

}  // namespace velmora
