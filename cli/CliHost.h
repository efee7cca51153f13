#pragma once
// What a command of velmora-cli needs from the system it runs on. The core
// works on CP932 texts; the host turns them into what the terminal shows
// and gives the commands the same file-system port the editor uses.
//
// Standard output and standard error carry one encoding: UTF-8 on Linux;
// on Windows a console shows the text as it is (in the console's code page)
// and a redirected stream gets UTF-8, both of them alike, so a script that
// collects both reads one encoding.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "files/FileSystemPort.h"

namespace velmora::cli {

// Standard output could not take what was written (a full disk, a closed
// pipe's reader gone on Windows): the command's result is lost, so the
// command fails.
class OutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class CliHost {
 public:
  virtual ~CliHost() = default;

  virtual FileSystemPort& Files() = 0;
  // The velmora-cli executable itself (empty when the system will not
  // say), and its folder with a trailing separator: the default stub lies
  // there.
  virtual FilePath ProgramPath() = 0;
  FilePath ProgramFolder() {
    const FilePath program = ProgramPath();
    return program.Empty() ? FilePath{} : program.Folder();
  }

  // Runs `program` (found on the search path) with `arguments`, all UTF-8,
  // its standard streams this program's own; returns its exit status, or
  // kProgramNotStarted when it could not be started at all.
  static constexpr int kProgramNotStarted = -1;
  virtual int RunProgram(const std::string& program, const std::vector<std::string>& arguments) = 0;

  // UTF-8 text to standard output, possibly buffered; throws OutputError.
  virtual void WriteOutput(std::string_view utf8) = 0;
  // Pushes out what WriteOutput buffered; throws OutputError.
  virtual void FlushOutput() = 0;
  // UTF-8 text to standard error, as it is (no prefix, no line break added).
  virtual void WriteError(std::string_view utf8) = 0;
};

}  // namespace velmora::cli
