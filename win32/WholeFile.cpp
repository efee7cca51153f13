#include "win32/WholeFile.h"

#include <windows.h>

#include <algorithm>

#include "document/Errors.h"
#include "files/FileMessages.h"
#include "win32/SystemError.h"
#include "win32/WideText.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {
namespace {

// ReadFile takes a DWORD count; a large file is read in pieces of this size.
constexpr std::size_t kLargestRead = std::size_t{1} << 24;

[[noreturn]] void ThrowCannotOpen(const std::wstring& path, DWORD error) {
  throw VelmoraError(CannotOpenMessage(ToCp932(path), SystemReasonText(error)));
}

// Reads up to `count` bytes into `into`; 0 at the end of the file.
std::size_t ReadSome(HANDLE file, char* into, std::size_t count, const std::wstring& path) {
  DWORD read = 0;
  const DWORD chunk = static_cast<DWORD>(std::min(count, kLargestRead));
  if (!ReadFile(file, into, chunk, &read, nullptr)) ThrowCannotOpen(path, GetLastError());
  return read;
}

}  // namespace

std::string ReadWholeFile(const std::wstring& path) {
  const UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.Valid()) ThrowCannotOpen(path, GetLastError());
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size)) ThrowCannotOpen(path, GetLastError());
  // A 32-bit program cannot hold every file: refused, never cut short.
  if (static_cast<unsigned long long>(size.QuadPart) > std::string().max_size()) {
    ThrowCannotOpen(path, ERROR_NOT_ENOUGH_MEMORY);
  }

  // Straight into the string, which is made once at the measured size.
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::size_t read = ReadSome(file.Get(), bytes.data() + done, bytes.size() - done, path);
    if (read == 0) break;
    done += read;
  }
  bytes.resize(done);
  char tail[1 << 16];
  while (const std::size_t read = ReadSome(file.Get(), tail, sizeof tail, path)) bytes.append(tail, read);
  return bytes;
}

}  // namespace velmora::win32
