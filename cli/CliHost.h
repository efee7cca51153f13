#pragma once
// What a command of velmora-cli needs from the system it runs on. The core
// works on CP932 texts; the host turns them into what the terminal shows
// (UTF-8 on Linux, the console's code page on Windows) and gives the
// commands the same file-system port the editor uses.

#include <string>
#include <string_view>

#include "files/FileSystemPort.h"

namespace velmora::cli {

class CliHost {
 public:
  virtual ~CliHost() = default;

  virtual FileSystemPort& Files() = 0;
  // The folder of the velmora-cli executable, with a trailing separator:
  // the default stub lies there.
  virtual FilePath ProgramFolder() = 0;
  // CP932 text as UTF-8; bytes that are no CP932 character become "?".
  virtual std::string ToUtf8(std::string_view cp932) = 0;
  // UTF-8 text to standard output.
  virtual void WriteOutput(std::string_view utf8) = 0;
  // A CP932 message to standard error, followed by a line break.
  virtual void WriteError(std::string_view cp932) = 0;
  // A plain ASCII/UTF-8 text (usage, help) to standard error.
  virtual void WriteErrorUtf8(std::string_view utf8) = 0;
};

}  // namespace velmora::cli
