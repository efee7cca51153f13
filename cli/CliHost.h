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
  // The folder of the velmora-cli executable, with a trailing separator:
  // the default stub lies there.
  virtual FilePath ProgramFolder() = 0;

  // UTF-8 text to standard output, possibly buffered; throws OutputError.
  virtual void WriteOutput(std::string_view utf8) = 0;
  // Pushes out what WriteOutput buffered; throws OutputError.
  virtual void FlushOutput() = 0;
  // UTF-8 text to standard error, as it is (no prefix, no line break added).
  virtual void WriteError(std::string_view utf8) = 0;
};

}  // namespace velmora::cli
