#include "files/win32/Win32FileDialogs.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "document/Errors.h"
#include "win32/FileDialogFilter.h"
#include "win32/WideText.h"

namespace velmora::win32 {
namespace {

// The longest path the W functions take, with its terminator.
constexpr std::size_t kPathCapacity = 32768;

// A dialog the system could not show at all, which the author should hear
// about rather than take for a Cancel:
// "ファイルの選択画面を表示できません (エラー 0x3002)".
std::string CannotShowMessage(DWORD error) {
  // "ファイルの選択画面を表示できません (エラー "
  constexpr char kCannotShow[] =
      "\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xcc\x91\x49\x91\xf0\x89\xe6\x96\xca\x82\xf0\x95\x5c\x8e\xa6\x82"
      "\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x20\x28\x83\x47\x83\x89\x81\x5b\x20";
  char code[16];
  std::snprintf(code, sizeof code, "0x%04lX", static_cast<unsigned long>(error));
  return std::string(kCannotShow) + code + ")";
}

const wchar_t* OrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

// The dialogs move the process's current folder to wherever the author
// browsed. The program never relies on it (every path is made absolute),
// but a current folder holds its folder in use: the author could not
// rename or delete it while the program runs. So it goes back.
class CurrentFolderKept {
 public:
  CurrentFolderKept() {
    const DWORD length = GetCurrentDirectoryW(0, nullptr);
    folder_.resize(length);
    folder_.resize(GetCurrentDirectoryW(length, folder_.data()));
  }
  ~CurrentFolderKept() {
    if (!folder_.empty()) SetCurrentDirectoryW(folder_.c_str());
  }
  CurrentFolderKept(const CurrentFolderKept&) = delete;
  CurrentFolderKept& operator=(const CurrentFolderKept&) = delete;

 private:
  std::wstring folder_;
};

}  // namespace

DWORD FileDialogFlags(const FileDialogRequest& request) {
  DWORD flags = OFN_EXPLORER;
  if (request.hideReadOnly) flags |= OFN_HIDEREADONLY;
  if (request.pathMustExist) flags |= OFN_PATHMUSTEXIST;
  if (request.fileMustExist) flags |= OFN_FILEMUSTEXIST;
  if (request.overwritePrompt) flags |= OFN_OVERWRITEPROMPT;
  if (request.createPrompt) flags |= OFN_CREATEPROMPT;
  if (request.enableSizing) flags |= OFN_ENABLESIZING;
  return flags;
}

std::optional<FilePath> Win32FileDialogs::ShowOpenDialog(const FileDialogRequest& request) {
  return Show(request, false);
}

std::optional<FilePath> Win32FileDialogs::ShowSaveDialog(const FileDialogRequest& request) {
  return Show(request, true);
}

std::optional<FilePath> Win32FileDialogs::Show(const FileDialogRequest& request, bool save) {
  const std::wstring title = ToWide(request.title);
  const std::wstring filter = FileDialogFilter(request.filter);
  const std::wstring defaultExtension = ToWide(request.defaultExtension);
  const std::wstring initialDir = ToWidePath(request.initialDir);
  std::wstring proposed = ToWidePath(request.fileName);
  std::size_t capacity = kPathCapacity;
  const CurrentFolderKept currentFolder;
  // At most a few rounds: a proposal the system refuses as a name (a title
  // holding "?" or ":") is dropped, and a buffer too small grows.
  for (int round = 0; round < 4; ++round) {
    std::vector<wchar_t> buffer(std::max(capacity, proposed.size() + 1), L'\0');
    proposed.copy(buffer.data(), proposed.size());
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.data();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.lpstrInitialDir = OrNull(initialDir);
    dialog.lpstrTitle = OrNull(title);
    dialog.Flags = FileDialogFlags(request);
    dialog.lpstrDefExt = OrNull(defaultExtension);
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (chosen) return FromWidePath(std::wstring(buffer.data()));

    const DWORD error = CommDlgExtendedError();
    if (error == 0) return std::nullopt;  // the author cancelled
    if (error == FNERR_INVALIDFILENAME && !proposed.empty()) {
      proposed.clear();
      continue;
    }
    if (error == FNERR_BUFFERTOOSMALL) {
      // The first character then holds the size needed.
      capacity = std::max<std::size_t>(capacity * 2, static_cast<WORD>(buffer[0]) + 1u);
      continue;
    }
    throw VelmoraError(CannotShowMessage(error));
  }
  throw VelmoraError(CannotShowMessage(FNERR_BUFFERTOOSMALL));
}

}  // namespace velmora::win32
