#pragma once
// Runs a program as a real child process and collects what it printed.

#include <string>
#include <vector>

namespace velmora::testing {

struct ProcessResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs `program` with `arguments` (UTF-8), standard output and error going
// to files in `scratchFolder`, and waits for it to end.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& scratchFolder);

// A path of the build machine as the test program's own system sees it:
// unchanged on Linux, "Z:\..." for a Windows program under Wine.
std::string HostPath(const std::string& linuxPath);

}  // namespace velmora::testing
