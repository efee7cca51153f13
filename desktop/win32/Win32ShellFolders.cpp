#include "desktop/win32/Win32ShellFolders.h"

#include <windows.h>

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

#include <memory>
#include <string>

#include "win32/WideText.h"
#include "win32/WideText.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {
namespace {

constexpr wchar_t kShellFoldersKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

using UniqueKey = UniqueHandleOf<HKEY, &RegCloseKey>;

// CSIDL_DESKTOPDIRECTORY, not CSIDL_DESKTOP: the folder on disk, which is
// what the "Desktop" value names, rather than the shell's virtual desktop.
int CsidlOf(ShellFolder folder) {
  switch (folder) {
    case ShellFolder::Desktop: return CSIDL_DESKTOPDIRECTORY;
    case ShellFolder::Startup: return CSIDL_STARTUP;
    case ShellFolder::Programs: return CSIDL_PROGRAMS;
    case ShellFolder::LocalAppData: return CSIDL_LOCAL_APPDATA;
  }
  return CSIDL_DESKTOPDIRECTORY;
}

// A string value as stored: REG_SZ as it is, REG_EXPAND_SZ with its
// environment variables filled in; the terminating NULs dropped.
std::optional<std::wstring> ReadStringValue(HKEY key, const std::wstring& name) {
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return std::nullopt;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.resize(bytes / sizeof(wchar_t));
  while (!value.empty() && value.back() == L'\0') value.pop_back();
  if (type == REG_SZ) return value;
  const DWORD length = ExpandEnvironmentStringsW(value.c_str(), nullptr, 0);
  if (length == 0) return std::nullopt;
  std::wstring expanded(length, L'\0');
  ExpandEnvironmentStringsW(value.c_str(), expanded.data(), length);
  expanded.resize(length - 1);
  return expanded;
}

// The known-folder call the system names the folder by; the buffer is the
// shell's and goes back to it.
std::optional<FilePath> LocalAppDataFolder() {
  PWSTR path = nullptr;
  const HRESULT result = SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_DEFAULT, nullptr, &path);
  const std::unique_ptr<wchar_t, decltype(&CoTaskMemFree)> owned(path, &CoTaskMemFree);
  if (FAILED(result) || path == nullptr) return std::nullopt;
  return FromWidePath(path);
}

}  // namespace

std::optional<FilePath> Win32ShellFolders::ShellFoldersValue(std::string_view valueName) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kShellFoldersKey, 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  const UniqueKey key(opened);
  const std::optional<std::wstring> value = ReadStringValue(key.get(), ToWide(valueName));
  if (!value) return std::nullopt;
  return FromWidePath(*value);
}

std::optional<FilePath> Win32ShellFolders::KnownFolder(ShellFolder folder) {
  if (folder == ShellFolder::LocalAppData) return LocalAppDataFolder();
  // Without CSIDL_FLAG_CREATE: asking must not make a folder either.
  wchar_t path[MAX_PATH] = {};
  if (SHGetFolderPathW(nullptr, CsidlOf(folder), nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return std::nullopt;
  return FromWidePath(path);
}

}  // namespace velmora::win32
