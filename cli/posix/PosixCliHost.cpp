#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cli/CliPlatform.h"
#include "files/posix/PosixFileSystem.h"

extern "C" char** environ;

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

  FilePath ProgramPath() override {
    char buffer[4096];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return {};
    return FilePath::FromUtf8(std::string_view(buffer, static_cast<std::size_t>(length)));
  }

  int RunProgram(const std::string& program, const std::vector<std::string>& arguments) override {
    std::fflush(stdout);  // what this program printed comes before the child's
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    if (::posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
      return kProgramNotStarted;
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
      if (errno != EINTR) return kProgramNotStarted;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
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
