#include "files/posix/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <algorithm>

#include "document/Errors.h"
#include "document/Utf8Text.h"
#include "files/FileMessages.h"
#include "files/posix/BackgroundWriter.h"

namespace velmora {
namespace {

// Owns a file descriptor.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  // Closes now so that a failing close (the last chance for a delayed write
  // error) is seen.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

// Deletes the temporary file unless the write got as far as the rename; an
// unnamed one has nothing to delete until it is given a name.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  const std::string& Path() const { return path_; }
  // The (so far unnamed) file has been given this name.
  void Adopt(std::string path) { path_ = std::move(path); }
  void Keep() { path_.clear(); }

 private:
  std::string path_;
};

[[noreturn]] void ThrowCannotOpen(const FilePath& path, int error) {
  throw VelmoraError(CannotOpenMessage(Utf8ToCp932Lenient(path.Utf8()), std::strerror(error)));
}

[[noreturn]] void ThrowCannotCreate(const FilePath& path, int error) {
  throw VelmoraError(CannotCreateMessage(Utf8ToCp932Lenient(path.Utf8()), std::strerror(error)));
}

// Up to and including the last "/": on Linux a "\\" is part of a name.
FilePath FolderOfSystemPath(const std::string& systemPath) {
  const std::size_t slash = systemPath.rfind('/');
  return FilePath::FromUtf8(slash == std::string::npos ? std::string_view() : std::string_view(systemPath).substr(0, slash + 1));
}

// New files get the usual 0666 less the umask; mkstemp alone would give 0600.
mode_t ModeForNewFile() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

// The rename is only durable once the folder's entry is on the disk as well.
void SyncFolder(const std::string& systemPath) {
  std::string folder = FolderOfSystemPath(systemPath).Utf8();
  if (folder.empty()) folder = ".";
  FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Valid()) ::fsync(fd.Get());
}

// Where a symbolic link at `systemPath` finally leads, followed link by link
// (a relative target is taken against its link's folder), also when the last
// target does not exist yet: a write then creates that file and the link
// stays a link. Nothing when the path is no link; a loop gives ELOOP.
std::optional<std::string> LinkTarget(const std::string& systemPath, int& error) {
  std::string current = systemPath;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
      return hops == 0 ? std::nullopt : std::optional<std::string>(current);
    }
    std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1, '\0');
    const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
    if (length < 0) return hops == 0 ? std::nullopt : std::optional<std::string>(current);
    target.resize(static_cast<std::size_t>(length));
    current = !target.empty() && target.front() == '/' ? target : FolderOfSystemPath(current).Utf8() + target;
  }
  error = ELOOP;
  return std::nullopt;
}

// A name of a few bytes beside the target, so a target whose name has the
// full 255 bytes a folder entry allows can still be written. The six
// characters vary with the process and the attempt; a name taken already is
// simply tried again (linkat never replaces one).
std::string TemporaryNameIn(const std::string& folder, unsigned attempt) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string name = folder + ".vel";
  unsigned value = static_cast<unsigned>(::getpid()) * 2654435761u + attempt * 40503u;
  for (int i = 0; i < 6; ++i) {
    name += kLetters[value % 36];
    value /= 36;
  }
  return name;
}

// Up to `size` bytes into `data`; 0 at the end of the file.
std::size_t ReadSome(int fd, char* data, std::size_t size, const FilePath& path) {
  for (;;) {
    const ssize_t count = ::read(fd, data, size);
    if (count >= 0) return static_cast<std::size_t>(count);
    if (errno != EINTR) ThrowCannotOpen(path, errno);
  }
}

// The pieces go to the temporary file from a helper thread.
class DescriptorSink final : public ByteSink {
 public:
  DescriptorSink(int fd, const FilePath& path) : writer_(fd), path_(path) {}
  void Write(std::string_view bytes) override {
    if (!writer_.Write(bytes)) ThrowCannotCreate(path_, errno);
  }
  void Finish() {
    if (!writer_.Finish()) ThrowCannotCreate(path_, errno);
  }

 private:
  BackgroundWriter writer_;
  const FilePath& path_;
};

}  // namespace

// Read straight into the result, sized from the file's length: no second
// copy of a large file passes through a buffer. A file that changes its
// length while being read still gives what was read.
std::string PosixFileSystem::ReadWholeFile(const FilePath& path) {
  FileDescriptor fd(::open(path.Utf8().c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.Valid()) ThrowCannotOpen(path, errno);
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0) ThrowCannotOpen(path, errno);
  if (S_ISDIR(info.st_mode)) ThrowCannotOpen(path, EISDIR);
  std::string bytes(info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0, '\0');
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const std::size_t count = ReadSome(fd.Get(), bytes.data() + filled, bytes.size() - filled, path);
    if (count == 0) break;
    filled += count;
  }
  bytes.resize(filled);
  char buffer[1 << 16];
  while (const std::size_t count = ReadSome(fd.Get(), buffer, sizeof buffer, path)) bytes.append(buffer, count);
  return bytes;
}

void PosixFileSystem::WriteFileAtomically(const FilePath& path, std::string_view bytes) {
  StreamFileAtomically(path, [bytes](ByteSink& sink) { sink.Write(bytes); });
}

namespace {

// The file the content goes to before it replaces the target: an unnamed
// one (O_TMPFILE) where the folder's file system offers it and /proc can
// name it later, so a write that is killed leaves nothing behind; else one
// with a short name (returned in `name`) that a failure deletes.
int OpenTemporary(const std::string& folder, mode_t mode, std::string& name) {
#ifdef O_TMPFILE
  if (::access("/proc/self/fd", X_OK) == 0) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    if (fd >= 0) return fd;
  }
#else
  (void)mode;
#endif
  name = folder + ".velXXXXXX";
  const int fd = ::mkstemp(name.data());
  if (fd < 0) name.clear();
  return fd;
}

// Gives the unnamed file a short name beside the target, for the rename
// that replaces the target in one step (linkat cannot replace a name).
std::string NameUnnamed(int fd, const std::string& folder) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    std::string name = TemporaryNameIn(folder, attempt);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return name;
    if (errno != EEXIST) return {};
  }
  errno = EEXIST;
  return {};
}

}  // namespace

namespace {

// The content complete and on the disk under a temporary name beside the
// target; the commit renames it over the target.
class PosixStagedFile final : public StagedFile {
 public:
  PosixStagedFile(FilePath path, std::string systemPath, std::string temporaryName)
      : path_(std::move(path)), systemPath_(std::move(systemPath)), temporary_(std::move(temporaryName)) {}

  void Commit() override {
    if (::rename(temporary_.Path().c_str(), systemPath_.c_str()) != 0) ThrowCannotCreate(path_, errno);
    temporary_.Keep();
    SyncFolder(systemPath_);
  }

 private:
  FilePath path_;
  std::string systemPath_;
  TemporaryFile temporary_;
};

// A link is followed, so the file it names gets the new content and the link
// stays a link; a link to a file not there yet creates that file.
std::string WriteTargetOf(const FilePath& path) {
  std::string systemPath = path.Utf8();
  int linkError = 0;
  if (std::optional<std::string> linked = LinkTarget(systemPath, linkError)) systemPath = std::move(*linked);
  if (linkError != 0) ThrowCannotCreate(path, linkError);
  return systemPath;
}

}  // namespace

void PosixFileSystem::StreamFileAtomically(const FilePath& path, const ContentProducer& produce) {
  StageFile(path, produce)->Commit();
}

std::unique_ptr<StagedFile> PosixFileSystem::StageFile(const FilePath& path, const ContentProducer& produce) {
  const std::string systemPath = WriteTargetOf(path);
  struct stat existing {};
  const bool targetExists = ::stat(systemPath.c_str(), &existing) == 0;
  if (targetExists && S_ISDIR(existing.st_mode)) ThrowCannotCreate(path, EISDIR);
  // A rename over a device, a pipe or a socket would put a plain file where
  // the special one was (as root even over /dev/null).
  if (targetExists && !S_ISREG(existing.st_mode)) ThrowCannotCreate(path, ENOTSUP);
  // Replacing by rename needs only a writable folder; a file the user may
  // not write to must stay as protected as an overwrite in place would be.
  if (targetExists && ::access(systemPath.c_str(), W_OK) != 0) ThrowCannotCreate(path, errno);

  const std::string folder = FolderOfSystemPath(systemPath).Utf8();
  const mode_t mode = targetExists ? (existing.st_mode & 07777) : ModeForNewFile();
  std::string temporaryName;
  FileDescriptor fd(OpenTemporary(folder, mode, temporaryName));
  if (!fd.Valid()) ThrowCannotCreate(path, errno);
  const bool unnamed = temporaryName.empty();
  TemporaryFile temporary(temporaryName);

  if (::fchmod(fd.Get(), mode) != 0) ThrowCannotCreate(path, errno);
  {
    DescriptorSink sink(fd.Get(), path);
    produce(sink);
    sink.Finish();
  }  // its helper ends here, before the sync and the close
  if (::fsync(fd.Get()) != 0) ThrowCannotCreate(path, errno);
  if (unnamed) {
    // Named only now that the content is complete and on the disk, and only
    // until the rename a moment later.
    temporary.Adopt(NameUnnamed(fd.Get(), folder));
    if (temporary.Path().empty()) ThrowCannotCreate(path, errno);
  }
  if (fd.Close() != 0) ThrowCannotCreate(path, errno);
  std::string named = temporary.Path();
  temporary.Keep();  // from here on the staged file owns it
  return std::make_unique<PosixStagedFile>(path, systemPath, std::move(named));
}

// A file that exists is known by its device and number, so two names of one
// file (a hard link, "./a" and "a") are the same; one that does not exist yet
// by its folder's real path and its name.
FileIdentity PosixFileSystem::Identify(const FilePath& path) {
  int linkError = 0;
  std::string systemPath = path.Utf8();
  if (std::optional<std::string> linked = LinkTarget(systemPath, linkError)) systemPath = std::move(*linked);
  struct stat info {};
  if (::stat(systemPath.c_str(), &info) == 0) {
    const auto kind = S_ISREG(info.st_mode) ? FileIdentity::Kind::RegularFile : FileIdentity::Kind::Other;
    return {kind, std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino)};
  }
  const std::size_t slash = systemPath.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string(".") : systemPath.substr(0, slash + 1);
  const std::string name = systemPath.substr(slash == std::string::npos ? 0 : slash + 1);
  char* real = ::realpath(folder.c_str(), nullptr);
  std::string key = real != nullptr ? std::string(real) + "/" + name : Absolute(FilePath::FromUtf8(systemPath)).Utf8();
  std::free(real);
  return {FileIdentity::Kind::Missing, key};
}

bool PosixFileSystem::FileExists(const FilePath& path) {
  struct stat info {};
  return ::stat(path.Utf8().c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool PosixFileSystem::RemoveFile(const FilePath& path) {
  return ::unlink(path.Utf8().c_str()) == 0 || errno == ENOENT;
}

// Against the current folder, without resolving links: the path stays the
// one the user named.
FilePath PosixFileSystem::Absolute(const FilePath& path) {
  if (path.Empty() || path.Utf8().front() == '/') return path;
  char* folder = ::getcwd(nullptr, 0);
  if (folder == nullptr) return path;
  const FilePath absolute = FilePath::FromUtf8(folder).Join(path.Utf8());
  std::free(folder);
  return absolute;
}

std::string PosixFileSystem::DisplayText(const FilePath& path) { return Utf8ToCp932Lenient(path.Utf8()); }

std::optional<std::string> PosixFileSystem::ExactCp932(const FilePath& path) { return Utf8ToCp932Exact(path.Utf8()); }

FilePath PosixFileSystem::FromCp932(std::string_view cp932) {
  return FilePath::FromUtf8(Cp932ToUtf8Exact(cp932).value_or(std::string(cp932)));
}

std::vector<FilePath> PosixFileSystem::FilesIn(const FilePath& folder) {
  DIR* listing = ::opendir(folder.Utf8().c_str());
  if (listing == nullptr) ThrowCannotOpen(folder, errno);
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(listing)) names.emplace_back(entry->d_name);
  ::closedir(listing);
  std::sort(names.begin(), names.end());
  std::vector<FilePath> files;
  for (const std::string& name : names) {
    const FilePath path = folder.Join(name);
    struct stat status {};
    if (::stat(path.Utf8().c_str(), &status) == 0 && S_ISREG(status.st_mode)) files.push_back(path);
  }
  return files;
}

}  // namespace velmora
