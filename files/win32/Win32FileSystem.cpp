#include "files/win32/Win32FileSystem.h"

#include <windows.h>

#include "win32/WideText.h"
#include "document/Errors.h"
#include "files/FileMessages.h"
#include "files/PathText.h"

namespace velmora::win32 {
namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (Valid()) CloseHandle(handle_);
  }
  HANDLE Get() const { return handle_; }
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Close() {
    const BOOL closed = CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return closed != FALSE;
  }

 private:
  HANDLE handle_;
};

// Deletes the temporary file unless it has taken the target's place.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::wstring path) : path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (!path_.empty()) DeleteFileW(path_.c_str());
  }
  const std::wstring& Path() const { return path_; }
  void Keep() { path_.clear(); }

 private:
  std::wstring path_;
};

class LocalText {
 public:
  LocalText() = default;
  LocalText(const LocalText&) = delete;
  LocalText& operator=(const LocalText&) = delete;
  ~LocalText() {
    if (text_ != nullptr) LocalFree(text_);
  }
  wchar_t** Receive() { return &text_; }
  const wchar_t* Get() const { return text_; }

 private:
  wchar_t* text_ = nullptr;
};

[[noreturn]] void ThrowCannotOpen(const std::string& path, DWORD error) {
  throw VelmoraError(CannotOpenMessage(path, SystemReasonText(error)));
}

[[noreturn]] void ThrowCannotCreate(const std::string& path, DWORD error) {
  throw VelmoraError(CannotCreateMessage(path, SystemReasonText(error)));
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x10000000u ? 0x10000000u : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// A unique empty file in the target's own folder, so the final step is a
// rename within one volume.
std::wstring CreateTemporaryBeside(const std::wstring& target) {
  std::wstring folder(target.substr(0, target.find_last_of(L"\\/") == std::wstring::npos
                                             ? 0
                                             : target.find_last_of(L"\\/") + 1));
  if (folder.empty()) folder = L".";
  wchar_t name[MAX_PATH];
  if (GetTempFileNameW(folder.c_str(), L"vel", 0, name) == 0) return {};
  return name;
}

DWORD AttributesOf(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

bool MoveInto(const std::wstring& target, const std::wstring& temporary) {
  return MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

// ReplaceFileW carries the old file's attributes over on Windows; some
// implementations (Wine's) only rename. Setting them again makes the result
// the same everywhere and costs nothing where they are already there.
void KeepAttributes(const std::wstring& target, DWORD attributes) {
  constexpr DWORD kSettable = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                              FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_OFFLINE;
  const DWORD wanted = attributes & kSettable;
  const DWORD now = AttributesOf(target);
  if (now != INVALID_FILE_ATTRIBUTES && (now & kSettable) != wanted) {
    SetFileAttributesW(target.c_str(), wanted != 0 ? wanted : FILE_ATTRIBUTE_NORMAL);
  }
}

bool PutInPlaceOf(const std::wstring& target, const std::wstring& temporary) {
  if (ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
    return true;
  }
  // The old file was removed but the new one could not be renamed: finish
  // the step by a plain move.
  if (GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
    if (MoveInto(target, temporary)) return true;
    SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
  }
  return false;
}

}  // namespace

std::string SystemReasonText(unsigned long errorCode) {
  LocalText text;
  const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS;
  const DWORD length = FormatMessageW(flags, nullptr, errorCode, 0, reinterpret_cast<wchar_t*>(text.Receive()), 0, nullptr);
  if (length == 0) return {};
  return TrimReasonText(ToCp932(std::wstring_view(text.Get(), length)));
}

std::string Win32FileSystem::ReadWholeFile(const std::string& path) {
  FileHandle file(CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.Valid()) ThrowCannotOpen(path, GetLastError());
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size)) ThrowCannotOpen(path, GetLastError());
  if (static_cast<unsigned long long>(size.QuadPart) > std::string().max_size()) {
    ThrowCannotOpen(path, ERROR_NOT_ENOUGH_MEMORY);
  }
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(size.QuadPart));
  char buffer[1 << 16];
  for (;;) {
    DWORD count = 0;
    if (!ReadFile(file.Get(), buffer, sizeof buffer, &count, nullptr)) ThrowCannotOpen(path, GetLastError());
    if (count == 0) break;
    bytes.append(buffer, count);
  }
  return bytes;
}

void Win32FileSystem::WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const std::wstring target = ToWide(path);
  const DWORD attributes = AttributesOf(target);
  const bool targetExists = attributes != INVALID_FILE_ATTRIBUTES;
  if (targetExists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) ThrowCannotCreate(path, ERROR_ACCESS_DENIED);
  // Overwriting in place refuses a read-only file; replacing must as well.
  if (targetExists && (attributes & FILE_ATTRIBUTE_READONLY)) ThrowCannotCreate(path, ERROR_ACCESS_DENIED);

  const std::wstring temporaryPath = CreateTemporaryBeside(target);
  if (temporaryPath.empty()) ThrowCannotCreate(path, GetLastError());
  TemporaryFile temporary(temporaryPath);
  {
    FileHandle file(CreateFileW(temporaryPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) ThrowCannotCreate(path, GetLastError());
    if (!WriteAll(file.Get(), bytes)) ThrowCannotCreate(path, GetLastError());
    if (!FlushFileBuffers(file.Get())) ThrowCannotCreate(path, GetLastError());
    if (!file.Close()) ThrowCannotCreate(path, GetLastError());
  }
  // ReplaceFileW keeps the target's attributes, security and creation time;
  // a new file simply takes the temporary file's place.
  if (targetExists ? PutInPlaceOf(target, temporaryPath) : MoveInto(target, temporaryPath)) {
    temporary.Keep();
    if (targetExists) KeepAttributes(target, attributes);
    return;
  }
  const DWORD error = GetLastError();
  // Here the target is already gone and the new content exists only under
  // the temporary name: it must not be deleted with the failure.
  if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT) temporary.Keep();
  ThrowCannotCreate(path, error);
}

bool Win32FileSystem::FileExists(const std::string& path) {
  const DWORD attributes = AttributesOf(ToWide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace velmora::win32
