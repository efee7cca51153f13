#pragma once
// The file-dialog port on Windows: the system's common open and save
// dialogs (GetOpenFileNameW, GetSaveFileNameW, Explorer style), owned by the
// main window. Paths travel as UTF-16 in a buffer that holds the longest
// path the system allows, so no chosen path is cut or changed.

#include <windows.h>

#include "files/FileDialogPort.h"

namespace velmora::win32 {

class Win32FileDialogs final : public velmora::FileDialogPort {
 public:
  explicit Win32FileDialogs(HWND owner) : owner_(owner) {}
  std::optional<FilePath> ShowOpenDialog(const FileDialogRequest& request) override;
  std::optional<FilePath> ShowSaveDialog(const FileDialogRequest& request) override;

 private:
  std::optional<FilePath> Show(const FileDialogRequest& request, bool save);

  HWND owner_;
};

// The request's options as OFN_ flags (OFN_EXPLORER always).
DWORD FileDialogFlags(const FileDialogRequest& request);

}  // namespace velmora::win32
