#include "desktop/win32/Win32ShortcutWriter.h"

#include <windows.h>

#include <shobjidl.h>

#include "win32/WideText.h"
#include "document/Errors.h"
#include "files/FileMessages.h"
#include "win32/SystemError.h"
#include "win32/ComOwner.h"

namespace velmora::win32 {
namespace {

// Whatever step fails, the user learns which file could not be made and
// the system's reason.
void ThrowIfFailed(HRESULT result, const FilePath& linkPath) {
  if (SUCCEEDED(result)) return;
  throw VelmoraError(CannotCreateMessage(PathDisplayText(linkPath), SystemReasonText(static_cast<unsigned long>(result))));
}

}  // namespace

void Win32ShortcutWriter::SaveShortcut(const FilePath& linkPath, const FilePath& target) {
  IShellLinkW* rawLink = nullptr;
  const HRESULT created = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                           reinterpret_cast<void**>(&rawLink));
  const ComOwner<IShellLinkW> link(rawLink);
  ThrowIfFailed(created, linkPath);
  // The target alone: no arguments, working folder, description, icon or
  // hot key, so the link starts the program as a double click on it would.
  ThrowIfFailed(link->SetPath(ToWidePath(target).c_str()), linkPath);

  IPersistFile* rawFile = nullptr;
  const HRESULT queried = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawFile));
  const ComOwner<IPersistFile> file(rawFile);
  ThrowIfFailed(queried, linkPath);
  // FALSE: the link object does not take the file as its own, so nothing
  // stays tied to it once the link is saved. An existing file is replaced.
  ThrowIfFailed(file->Save(ToWidePath(linkPath).c_str(), FALSE), linkPath);
}

}  // namespace velmora::win32
