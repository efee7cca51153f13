#include "player/OwnFile.h"

#include <windows.h>

#include <algorithm>

#include "win32/SystemError.h"
#include "win32/WideText.h"
#include "win32/Win32Handles.h"
#include "document/Errors.h"
#include "files/FileMessages.h"

namespace velmora::win32 {
namespace {

[[noreturn]] void ThrowCannotOpen(const std::wstring& path) {
  const DWORD error = GetLastError();
  throw VelmoraError(CannotOpenMessage(ToCp932(path), SystemReasonText(error)));
}

}  // namespace

std::string ReadWholeFile(const std::wstring& path) {
  // Share everything: the file is the running program itself, and a virus
  // scanner or an indexer may hold it open too.
  UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    file.release();
    ThrowCannotOpen(path);
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) ThrowCannotOpen(path);
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
    if (!ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr)) ThrowCannotOpen(path);
    if (read == 0) break;
    done += read;
  }
  bytes.resize(done);
  return bytes;
}

}  // namespace velmora::win32
