#pragma once
// The commands of velmora-cli. A command is one file with one entry
// function; the dispatch table in CommandTable.cpp names it in one line.
// Arguments arrive in UTF-8 (paths exactly as the system gave them),
// without the program and command names.

#include <stdexcept>
#include <string>
#include <vector>

#include "cli/CliHost.h"

namespace velmora::cli {

using Arguments = std::vector<std::string>;
using CommandEntry = int (*)(CliHost& host, const Arguments& arguments);

// Thrown for a wrong command line: main prints the usage and exits with 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Exit statuses shared by all commands.
constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

struct Command {
  const char* name;
  CommandEntry run;
  const char* synopsis;     // arguments, for the usage text
  const char* description;  // one line for --help
  // The status of a command that fails (a file it cannot read or write);
  // diff keeps 1 for "different", as diff(1) does, and fails with 2.
  int failureStatus = kExitFailure;
};

// The commands in the order --help lists them.
const std::vector<Command>& CommandTable();

int RunConvert(CliHost& host, const Arguments& arguments);
int RunShow(CliHost& host, const Arguments& arguments);
int RunPlay(CliHost& host, const Arguments& arguments);
int RunExport(CliHost& host, const Arguments& arguments);
int RunCheck(CliHost& host, const Arguments& arguments);
int RunPaths(CliHost& host, const Arguments& arguments);
int RunDiff(CliHost& host, const Arguments& arguments);
int RunSet(CliHost& host, const Arguments& arguments);
int RunGitSetup(CliHost& host, const Arguments& arguments);
int RunStats(CliHost& host, const Arguments& arguments);
int RunPictures(CliHost& host, const Arguments& arguments);

}  // namespace velmora::cli
