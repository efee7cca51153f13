#include "files/win32/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>

#include "win32/SystemError.h"
#include "win32/WholeFile.h"
#include "win32/WideText.h"
#include "win32/Win32Handles.h"
#include "document/Errors.h"
#include "files/FileMessages.h"

namespace velmora::win32 {
namespace {

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

[[noreturn]] void ThrowCannotCreate(const FilePath& path, DWORD error) {
  throw VelmoraError(CannotCreateMessage(ToCp932(ToWidePath(path)), SystemReasonText(error)));
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

// Each piece goes to the temporary file at once; the writer already makes
// pieces large enough that there is no point in a buffer of its own.
class HandleSink final : public ByteSink {
 public:
  HandleSink(HANDLE file, const FilePath& path) : file_(file), path_(path) {}
  void Write(std::string_view bytes) override {
    if (!WriteAll(file_, bytes)) ThrowCannotCreate(path_, GetLastError());
  }

 private:
  HANDLE file_;
  const FilePath& path_;
};

// A new file with a unique name in the target's own folder, so the final
// step is a rename within one volume. Named here rather than by
// GetTempFileNameW, which refuses folders longer than MAX_PATH allows.
std::wstring CreateTemporaryBeside(const std::wstring& target, UniqueFileHandle& created) {
  const std::size_t separator = target.find_last_of(L"\\/");
  const std::wstring folder = separator == std::wstring::npos ? std::wstring() : target.substr(0, separator + 1);
  const unsigned long long seed = GetTickCount64() ^ (static_cast<unsigned long long>(GetCurrentProcessId()) << 32);
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    wchar_t name[32];
    wsprintfW(name, L"~vel%08lx.tmp", static_cast<unsigned long>((seed + attempt * 7919u) & 0xFFFFFFFFu));
    std::wstring path = folder + name;
    created.Reset(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (created.Valid()) return path;
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return {};
  }
  return {};
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

std::string Win32FileSystem::ReadWholeFile(const FilePath& path) { return win32::ReadWholeFile(ToWidePath(path)); }

void Win32FileSystem::WriteFileAtomically(const FilePath& path, std::string_view bytes) {
  StreamFileAtomically(path, [bytes](ByteSink& sink) { sink.Write(bytes); });
}

namespace {

// The content complete and flushed under a temporary name beside the
// target; the commit puts it in the target's place.
class Win32StagedFile final : public StagedFile {
 public:
  Win32StagedFile(FilePath path, std::wstring target, std::wstring temporary, DWORD attributes)
      : path_(std::move(path)), target_(std::move(target)), temporary_(std::move(temporary)), attributes_(attributes) {}

  // ReplaceFileW keeps the target's attributes, security and creation time;
  // a new file simply takes the temporary file's place.
  void Commit() override {
    const bool targetExists = attributes_ != INVALID_FILE_ATTRIBUTES;
    if (targetExists ? PutInPlaceOf(target_, temporary_.Path()) : MoveInto(target_, temporary_.Path())) {
      temporary_.Keep();
      if (targetExists) KeepAttributes(target_, attributes_);
      return;
    }
    const DWORD error = GetLastError();
    // Here the target is already gone and the new content exists only under
    // the temporary name: it must not be deleted with the failure.
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT) temporary_.Keep();
    ThrowCannotCreate(path_, error);
  }

 private:
  FilePath path_;
  std::wstring target_;
  TemporaryFile temporary_;
  DWORD attributes_;
};

}  // namespace

void Win32FileSystem::StreamFileAtomically(const FilePath& path, const ContentProducer& produce) {
  StageFile(path, produce)->Commit();
}

std::unique_ptr<StagedFile> Win32FileSystem::StageFile(const FilePath& path, const ContentProducer& produce) {
  const std::wstring target = ToWidePath(path);
  const DWORD attributes = AttributesOf(target);
  const bool targetExists = attributes != INVALID_FILE_ATTRIBUTES;
  if (targetExists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) ThrowCannotCreate(path, ERROR_ACCESS_DENIED);
  // Overwriting in place refuses a read-only file; replacing must as well.
  if (targetExists && (attributes & FILE_ATTRIBUTE_READONLY)) ThrowCannotCreate(path, ERROR_ACCESS_DENIED);
  // Replacing a device would put a plain file where it was, or fail late.
  if (targetExists && Identify(path).kind == FileIdentity::Kind::Other) ThrowCannotCreate(path, ERROR_ACCESS_DENIED);

  UniqueFileHandle file;
  std::wstring temporaryPath = CreateTemporaryBeside(target, file);
  if (temporaryPath.empty()) ThrowCannotCreate(path, GetLastError());
  TemporaryFile temporary(temporaryPath);
  HandleSink sink(file.Get(), path);
  produce(sink);
  if (!FlushFileBuffers(file.Get())) ThrowCannotCreate(path, GetLastError());
  if (!file.Close()) ThrowCannotCreate(path, GetLastError());
  temporary.Keep();  // from here on the staged file owns it
  return std::make_unique<Win32StagedFile>(path, target, std::move(temporaryPath), attributes);
}

// A file that exists is known by its volume and file index, so two names of
// one file are the same; a device (NUL, CON, a pipe) is no disk file.
FileIdentity Win32FileSystem::Identify(const FilePath& path) {
  const std::wstring wide = ToWidePath(path);
  UniqueFileHandle file(CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.Valid()) return {FileIdentity::Kind::Missing, Absolute(path).Utf8()};
  BY_HANDLE_FILE_INFORMATION information{};
  const bool disk = GetFileType(file.Get()) == FILE_TYPE_DISK;
  if (!disk || !GetFileInformationByHandle(file.Get(), &information)) {
    return {FileIdentity::Kind::Other, Absolute(path).Utf8()};
  }
  const bool folder = (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const unsigned long long index =
      (static_cast<unsigned long long>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
  return {folder ? FileIdentity::Kind::Other : FileIdentity::Kind::RegularFile,
          std::to_string(information.dwVolumeSerialNumber) + ":" + std::to_string(index)};
}

bool Win32FileSystem::FileExists(const FilePath& path) {
  const DWORD attributes = AttributesOf(ToWidePath(path));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::RemoveFile(const FilePath& path) {
  if (DeleteFileW(ToWidePath(path).c_str())) return true;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

FilePath Win32FileSystem::Absolute(const FilePath& path) {
  if (path.Empty()) return path;
  const std::wstring wide = ToWidePath(path);
  const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (length == 0) return path;
  std::wstring full(length, L'\0');
  const DWORD copied = GetFullPathNameW(wide.c_str(), length, full.data(), nullptr);
  if (copied == 0 || copied >= length) return path;
  full.resize(copied);
  return FromWidePath(full);
}

std::string Win32FileSystem::DisplayText(const FilePath& path) { return PathDisplayText(path); }

std::optional<std::string> Win32FileSystem::ExactCp932(const FilePath& path) {
  const std::wstring wide = ToWidePath(path);
  if (FirstUnrepresentableChar(wide)) return std::nullopt;
  return ToCp932(wide);
}

FilePath Win32FileSystem::FromCp932(std::string_view cp932) { return FromWidePath(ToWide(cp932)); }

std::vector<FilePath> Win32FileSystem::FilesIn(const FilePath& folder) {
  WIN32_FIND_DATAW found{};
  const std::wstring pattern = ToWidePath(folder.Join("*"));
  const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
  std::vector<std::wstring> names;
  if (search == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return {};  // an empty folder (a drive's root has no "." entry)
    throw VelmoraError(CannotOpenMessage(ToCp932(ToWidePath(folder)), SystemReasonText(error)));
  }
  do {
    if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0) {
      names.emplace_back(found.cFileName);
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  std::vector<FilePath> files;
  for (const std::wstring& name : names) files.push_back(FromWidePath(ToWidePath(folder.Join("")) + name));
  return files;
}

}  // namespace velmora::win32
