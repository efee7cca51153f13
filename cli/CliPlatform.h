#pragma once
// The platform half of velmora-cli: one implementation for Linux (iconv,
// UTF-8 terminal) and one for Windows (W functions, the console's code page).

#include <memory>
#include <string>

#include "cli/CliHost.h"
#include "cli/Commands.h"

namespace velmora::cli {

// Settles process-wide settings before anything else runs (may start the
// program afresh with them on Linux; returns normally otherwise).
void PrepareProcess(char** argv);

std::unique_ptr<CliHost> MakePlatformHost();

// The arguments after the program name, converted to CP932. False (with the
// argument in UTF-8) when one holds a character CP932 cannot represent: such
// a name could not be opened by the editor either.
bool CommandLineArguments(int argc, char** argv, Arguments& arguments, std::string& badArgument);

int Main(CliHost& host, const Arguments& arguments);

}  // namespace velmora::cli
