#pragma once
// The platform half of velmora-cli: one implementation for Linux (POSIX files,
// UTF-8 terminal) and one for Windows (W functions, the console).

#include <memory>
#include <string>

#include "cli/CliHost.h"
#include "cli/Commands.h"

namespace velmora::cli {

// Settles process-wide settings before anything else runs (may start the
// program afresh with them on Linux; returns normally otherwise).
void PrepareProcess(char** argv);

std::unique_ptr<CliHost> MakePlatformHost();

// The arguments after the program name, as UTF-8 without loss: on Linux the
// bytes as given, on Windows the wide command line converted. A file name
// that CP932 cannot hold still names its file (the editor opens such files
// too); it becomes CP932 only where a message shows it.
Arguments CommandLineArguments(int argc, char** argv);

int Main(CliHost& host, const Arguments& arguments);

}  // namespace velmora::cli
