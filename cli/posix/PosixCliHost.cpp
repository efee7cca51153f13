#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/CliPlatform.h"
#include "files/posix/PosixFileSystem.h"

namespace velmora::cli {
namespace {

void WriteAll(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}

[[noreturn]] void ThrowOutputError(int error) {
  throw OutputError(error != 0 ? std::strerror(error) : "write error");
}

class PosixCliHost final : public CliHost {
 public:
  FileSystemPort& Files() override { return files_; }

  FilePath ProgramFolder() override {
    char buffer[4096];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return {};
    return FilePath::FromUtf8(std::string_view(buffer, static_cast<std::size_t>(length))).Folder();
  }


  // Buffered by stdio: a long outline costs few system calls. A failure may
  // show only at the flush, which FlushOutput makes sure to see.
  void WriteOutput(std::string_view utf8) override {
    errno = 0;
    if (std::fwrite(utf8.data(), 1, utf8.size(), stdout) != utf8.size()) ThrowOutputError(errno);
  }
  void FlushOutput() override {
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) ThrowOutputError(errno);
  }

  void WriteError(std::string_view utf8) override { WriteAll(stderr, utf8); }

 private:
  PosixFileSystem files_;
};

}  // namespace

// A procedure of a million nodes means a million small allocations and two
// buffers of the file's size. Where page faults are dear (virtual machines)
// faulting in 4 KB pages costs more than the whole conversion, so the
// program asks glibc for a heap that grows in large steps on transparent huge
// pages, with the big buffers on that heap too. Tunables are read only at
// start-up, hence one exec of itself; a GLIBC_TUNABLES the user set stands
// (and also marks the second start).
void PrepareProcess(char** argv) {
  if (std::getenv("GLIBC_TUNABLES") != nullptr) return;
  ::setenv("GLIBC_TUNABLES",
           "glibc.malloc.hugetlb=1:glibc.malloc.top_pad=268435456:glibc.malloc.mmap_threshold=1073741824", 1);
  ::execv("/proc/self/exe", argv);
  ::unsetenv("GLIBC_TUNABLES");  // no exec: carry on with the defaults
}

std::unique_ptr<CliHost> MakePlatformHost() { return std::make_unique<PosixCliHost>(); }

Arguments CommandLineArguments(int argc, char** argv) { return Arguments(argv + 1, argv + argc); }

}  // namespace velmora::cli
