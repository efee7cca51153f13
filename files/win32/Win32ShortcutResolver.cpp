#include "files/win32/Win32ShortcutResolver.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "win32/ComApartment.h"
#include "win32/ComOwner.h"
#include "win32/WideText.h"

namespace velmora::win32 {
namespace {

// The longest path the W functions take, with its terminator.
constexpr DWORD kPathCapacity = 32768;

// The long form of `path` (a target may be stored in 8.3 form), or the path
// as it is when the system has none.
std::wstring LongPathName(const std::wstring& path) {
  std::wstring result(kPathCapacity, L'\0');
  const DWORD length = GetLongPathNameW(path.c_str(), result.data(), kPathCapacity);
  if (length == 0 || length >= kPathCapacity) return path;
  result.resize(length);
  return result;
}

// The target as the link's item list names it: that is exact, where the
// path the link also stores may be an ANSI copy (Wine's GetPath returns it,
// "Procedure" for "Procédure" under code page 932). A link without an item
// list has only that path.
std::wstring TargetOf(IShellLinkW& link) {
  std::wstring target(kPathCapacity, L'\0');
  PIDLIST_ABSOLUTE items = nullptr;
  if (SUCCEEDED(link.GetIDList(&items)) && items != nullptr) {
    const BOOL named = SHGetPathFromIDListEx(items, target.data(), kPathCapacity, GPFIDL_DEFAULT);
    CoTaskMemFree(items);
    if (named) return target.substr(0, wcslen(target.c_str()));
  }
  if (link.GetPath(target.data(), static_cast<int>(kPathCapacity), nullptr, 0) != S_OK) return {};
  return target.substr(0, wcslen(target.c_str()));
}

}  // namespace

std::optional<FilePath> Win32ShortcutResolver::ResolveShortcut(const FilePath& shortcut) {
  // Any thread may ask; the apartment nests inside the GUI thread's own.
  const ComApartment com;
  IShellLinkW* created = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&created)))) {
    return std::nullopt;
  }
  const ComOwner<IShellLinkW> link(created);
  IPersistFile* persist = nullptr;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) return std::nullopt;
  const ComOwner<IPersistFile> file(persist);
  if (FAILED(file->Load(ToWidePath(shortcut).c_str(), STGM_READ))) return std::nullopt;
  // No owner and no search window: a shortcut that cannot be resolved at
  // once is refused rather than asked about.
  if (FAILED(link->Resolve(nullptr, SLR_ANY_MATCH | SLR_NO_UI))) return std::nullopt;
  const std::wstring target = TargetOf(*link);
  // Resolve may keep a target that no longer exists (Wine's does); such a
  // shortcut leads nowhere.
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (target.empty() || attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  return FromWidePath(LongPathName(target));
}

}  // namespace velmora::win32
