#pragma once
// The open and save dialogs as the document commands ask for them. The
// request carries a dialog's texts and options (those of OpenDialog1,
// SaveDialog1 and SaveDialog2), the proposed name and the folder it starts
// in; the answer is the chosen file's full path, or nothing when the user
// cancels. The Win32 side shows the system's common dialogs
// (files/win32/Win32FileDialogs); the core tests answer with a fake.

#include <optional>
#include <string>

#include "document/FilePath.h"

namespace velmora {

struct FileDialogRequest {
  // The caption (CP932); empty leaves the platform's own ("Open").
  std::string title;
  // Pairs of description and pattern, all separated by "|" (CP932): "ツリーファイル(*.tre)|*.tre|すべてのファイル(*.*)|*.*".
  std::string filter;
  // Added to a typed name without extension; without the dot ("tre").
  std::string defaultExtension;
  // The name shown in the name box when the dialog opens (no folder).
  FilePath fileName;
  // The folder the dialog starts in; empty leaves it to the system.
  FilePath initialDir;

  bool hideReadOnly = false;     // no read-only check box
  bool pathMustExist = false;    // only an existing folder is accepted
  bool fileMustExist = false;    // only an existing file is accepted
  bool overwritePrompt = false;  // asks before replacing an existing file
  bool createPrompt = false;     // asks before creating a new file
  bool enableSizing = false;     // the dialog can be resized
};

class FileDialogPort {
 public:
  virtual ~FileDialogPort() = default;
  virtual std::optional<FilePath> ShowOpenDialog(const FileDialogRequest& request) = 0;
  virtual std::optional<FilePath> ShowSaveDialog(const FileDialogRequest& request) = 0;
};

}  // namespace velmora
