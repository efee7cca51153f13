#include "app/win32/Win32Platform.h"

#include "desktop/win32/AboutDialog.h"
#include "desktop/win32/Win32ShellFolders.h"
#include "desktop/win32/Win32ShellOpen.h"
#include "desktop/win32/Win32ShortcutWriter.h"
#include "distribution/win32/StepDialog.h"
#include "document/win32/InputBox.h"
#include "document/win32/Unit2.h"
#include "files/win32/Win32FileDialogs.h"
#include "files/win32/Win32ShortcutResolver.h"
#include "win32/Win32MessageBox.h"

namespace velmora::win32 {

Win32Dialogs::Win32Dialogs(HWND owner, HICON icon, const MainWindowPorts& overrides)
    : owner_(owner), icon_(icon), overrides_(overrides), previewDialogCentre_(InitialPreviewDialogCentre()) {}

Win32Dialogs::~Win32Dialogs() = default;

int Win32Dialogs::ShowMessage(const std::string& text, const std::string& caption, unsigned flags) {
  if (overrides_.messages != nullptr) return overrides_.messages->ShowMessage(text, caption, flags);
  return Win32MessageBox(owner_).ShowMessage(text, caption, flags);
}

std::optional<FilePath> Win32Dialogs::ShowOpenDialog(const FileDialogRequest& request) {
  return Win32FileDialogs(owner_).ShowOpenDialog(request);
}

std::optional<FilePath> Win32Dialogs::ShowSaveDialog(const FileDialogRequest& request) {
  return Win32FileDialogs(owner_).ShowSaveDialog(request);
}

std::optional<NodeEditorResult> Win32Dialogs::EditNode(const NodeEditorInput& input) {
  if (overrides_.nodeEditor != nullptr) return overrides_.nodeEditor->EditNode(input);
  return NodeEditorWindow().EditNode(input);
}

TForm2& Win32Dialogs::NodeEditorWindow() {
  if (nodeEditor_ == nullptr) nodeEditor_ = std::make_unique<TForm2>(owner_);
  return *nodeEditor_;
}

std::optional<std::string> Win32Dialogs::AskText(const std::string& caption, const std::string& prompt,
                                                 const std::string& initialText) {
  if (overrides_.inputBox != nullptr) return overrides_.inputBox->AskText(caption, prompt, initialText);
  if (inputBox_ == nullptr) inputBox_ = std::make_unique<Win32InputBox>(owner_);
  return inputBox_->AskText(caption, prompt, initialText);
}

StepAnswer Win32Dialogs::ShowStepDialog(const StepDescription& step) {
  if (overrides_.stepDialogs != nullptr) return overrides_.stepDialogs->ShowStepDialog(step);
  return win32::ShowStepDialog(owner_, step, previewDialogCentre_);
}

AboutBoxResult Win32Dialogs::ShowAboutBox(const AboutBoxInput& input) {
  return Win32AboutDialog(owner_, icon_).ShowAboutBox(input);
}

// FolderOpen and the help and home-page commands are one and the same
// "open" of the shell.
void Win32Shell::OpenInShell(std::string_view target) {
  if (override_ != nullptr) return override_->OpenInShell(target);
  Win32ShellOpen(owner_).OpenInShell(target);
}

std::optional<FilePath> Win32Shell::ShellFoldersValue(std::string_view valueName) {
  return Win32ShellFolders().ShellFoldersValue(valueName);
}

std::optional<FilePath> Win32Shell::KnownFolder(ShellFolder folder) { return Win32ShellFolders().KnownFolder(folder); }

void Win32Shell::SaveShortcut(const FilePath& linkPath, const FilePath& target) {
  Win32ShortcutWriter().SaveShortcut(linkPath, target);
}

std::optional<FilePath> Win32Shell::ResolveShortcut(const FilePath& shortcut) {
  return Win32ShortcutResolver().ResolveShortcut(shortcut);
}

Win32Platform::Win32Platform(HWND window, HICON icon, const MainWindowPorts& overrides)
    : dialogs_(window, icon, overrides),
      shell_(window, overrides.shellOpen),
      placement_(window, firstShowState_),
      taskbar_(window),
      clipboard_(window) {}

AppPorts Win32Platform::Ports(ScreenPort& screen) {
  return AppPorts{dialogs_, files_, shell_, placement_, collation_, &taskbar_, &screen, &clipboard_};
}

bool Win32Platform::ProbeTaskbarProgress() {
  taskbarProgressAvailable_ = taskbar_.InitTaskbarProgress();
  return taskbarProgressAvailable_;
}

}  // namespace velmora::win32
