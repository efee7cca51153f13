#pragma once
// Runs a program as a real child process and collects what it printed. A
// program named without a folder is looked up on the search path.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace velmora::testing {

struct ProcessResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs `program` with `arguments` (UTF-8), standard output and error going
// to files in `scratchFolder`, and waits for it to end. With `input`, the
// program reads that text as its standard input (from a file in the same
// folder); without, it shares the test's.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& scratchFolder, const std::optional<std::string>& input = std::nullopt);

// The whole content of a file the program wrote (empty when there is none).
std::string FileContent(const std::filesystem::path& path);

// A path as UTF-8, the encoding the arguments above are given in.
std::string Utf8(const std::filesystem::path& path);

// A path of the build machine as the test program's own system sees it:
// unchanged on Linux, "Z:\..." for a Windows program under Wine.
std::string HostPath(const std::string& linuxPath);

}  // namespace velmora::testing
