#pragma once
// The platform behind the application core's ports on Windows: the real
// dialogs, file system, shell, window placement and taskbar of the main
// window. A test that answers some dialog itself names its own port in
// MainWindowPorts; everything it leaves null is the real thing.

#include <windows.h>

#include <memory>

#include "app/Ports.h"
#include "app/win32/UserLocaleCollation.h"
#include "app/win32/Win32Clipboard.h"
#include "app/win32/Win32WindowPlacement.h"
#include "distribution/win32/Unit_Win7Taskbar.h"
#include "files/win32/Win32FileSystem.h"

namespace velmora::win32 {

class TForm2;

// What a test puts in place of the real dialogs and shell calls.
struct MainWindowPorts {
  MessageBoxPort* messages = nullptr;
  NodeEditorPort* nodeEditor = nullptr;
  InputBoxPort* inputBox = nullptr;
  StepDialogPort* stepDialogs = nullptr;
  ShellOpenPort* shellOpen = nullptr;
  // Generate reads the player stub beside this program; empty: beside the
  // program the window belongs to.
  FilePath playerProgram;
};

// Every dialog, owned by the main window.
class Win32Dialogs final : public DialogsPort {
 public:
  Win32Dialogs(HWND owner, HICON icon, const MainWindowPorts& overrides);
  ~Win32Dialogs() override;
  Win32Dialogs(const Win32Dialogs&) = delete;
  Win32Dialogs& operator=(const Win32Dialogs&) = delete;

  int ShowMessage(const std::string& text, const std::string& caption, unsigned flags) override;
  std::optional<FilePath> ShowOpenDialog(const FileDialogRequest& request) override;
  std::optional<FilePath> ShowSaveDialog(const FileDialogRequest& request) override;
  std::optional<NodeEditorResult> EditNode(const NodeEditorInput& input) override;
  std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                     const std::string& initialText) override;
  StepAnswer ShowStepDialog(const StepDescription& step) override;
  AboutBoxResult ShowAboutBox(const AboutBoxInput& input) override;

  // The node editor, made when first needed; it stays between openings.
  TForm2& NodeEditorWindow();

  // Where the next step dialog is centred; follows the last one.
  POINT PreviewDialogCentre() const { return previewDialogCentre_; }

 private:
  HWND owner_;
  HICON icon_;
  MainWindowPorts overrides_;
  // The node editor and the input box stay between openings (made when
  // first needed).
  std::unique_ptr<TForm2> nodeEditor_;
  std::unique_ptr<InputBoxPort> inputBox_;
  POINT previewDialogCentre_;
};

// The shell, for the main window.
class Win32Shell final : public ShellPort {
 public:
  Win32Shell(HWND owner, ShellOpenPort* override) : owner_(owner), override_(override) {}

  void OpenInShell(std::string_view target) override;
  std::optional<FilePath> ShellFoldersValue(std::string_view valueName) override;
  std::optional<FilePath> KnownFolder(ShellFolder folder) override;
  void SaveShortcut(const FilePath& linkPath, const FilePath& target) override;
  std::optional<FilePath> ResolveShortcut(const FilePath& shortcut) override;

 private:
  HWND owner_;
  ShellOpenPort* override_;
};

// All of the main window's ports, made once the window exists.
class Win32Platform {
 public:
  Win32Platform(HWND window, HICON icon, const MainWindowPorts& overrides);

  // The ports for the core; `screen` is the window.
  AppPorts Ports(ScreenPort& screen);

  Win32Dialogs& Dialogs() { return dialogs_; }
  TaskbarProgress& Taskbar() { return taskbar_; }
  bool TaskbarProgressAvailable() const { return taskbarProgressAvailable_; }
  // Probes the taskbar progress facility: the colour buttons and the bar
  // during a preview are available only with it.
  bool ProbeTaskbarProgress();
  // The state the window is first shown in, as the settings restored it.
  WindowState FirstShowState() const { return firstShowState_; }

 private:
  Win32Dialogs dialogs_;
  Win32Shell shell_;
  Win32FileSystem files_;
  WindowState firstShowState_ = WindowState::Normal;
  Win32WindowPlacement placement_;
  UserLocaleCollation collation_;
  TaskbarProgress taskbar_;
  bool taskbarProgressAvailable_ = false;
  Win32Clipboard clipboard_;
};

}  // namespace velmora::win32
