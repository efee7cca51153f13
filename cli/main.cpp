// velmora-cli: the editor's file behaviour from the command line, for
// authors who keep procedures in version control and build them in scripts.
#include <exception>
#include <memory>
#include <string>

#include "cli/CliPlatform.h"
#include "cli/Commands.h"
#include "document/Errors.h"

namespace velmora::cli {
namespace {

constexpr const char* kVersion = "V1.7";

std::string UsageText() {
  std::string text = "usage: velmora-cli COMMAND ARGUMENTS\n       velmora-cli --help | --version\n";
  for (const Command& command : CommandTable()) {
    text += "       velmora-cli ";
    text += command.name;
    text += ' ';
    text += command.synopsis;
    text += '\n';
  }
  return text;
}

std::string HelpText() {
  std::string text = UsageText() + "\ncommands:\n";
  for (const Command& command : CommandTable()) {
    text += "  ";
    text += command.name;
    text += "\n      ";
    text += command.description;
    text += '\n';
  }
  text +=
      "\nA command that fails prints the editor's message on standard error and exits with 1;\n"
      "the output file is then neither created nor changed. Wrong arguments exit with 2.\n";
  return text;
}

const Command* FindCommand(const std::string& name) {
  for (const Command& command : CommandTable()) {
    if (name == command.name) return &command;
  }
  return nullptr;
}

int Dispatch(CliHost& host, const Arguments& arguments) {
  if (arguments.empty()) throw UsageError("no command given");
  const std::string& first = arguments[0];
  if (first == "--help" || first == "-h") {
    host.WriteOutput(HelpText());
    return kExitSuccess;
  }
  if (first == "--version") {
    host.WriteOutput(std::string(kVersion) + "\n");
    return kExitSuccess;
  }
  const Command* command = FindCommand(first);
  if (command == nullptr) throw UsageError("unknown command " + first);
  return command->run(host, Arguments(arguments.begin() + 1, arguments.end()));
}

}  // namespace

int Main(CliHost& host, const Arguments& arguments) {
  try {
    return Dispatch(host, arguments);
  } catch (const UsageError& error) {
    host.WriteErrorUtf8(std::string("velmora-cli: ") + error.what() + "\n" + UsageText());
    return kExitUsage;
  } catch (const VelmoraError& error) {
    // The editor's general error report shows the same text.
    host.WriteError(GeneralErrorReportText(error.what()));
    return kExitFailure;
  } catch (const std::bad_alloc&) {
    host.WriteErrorUtf8("velmora-cli: out of memory\n");
    return kExitFailure;
  } catch (const std::exception& error) {
    host.WriteErrorUtf8(std::string("velmora-cli: ") + error.what() + "\n");
    return kExitFailure;
  }
}

}  // namespace velmora::cli

int main(int argc, char** argv) {
  velmora::cli::PrepareProcess(argv);
  std::unique_ptr<velmora::cli::CliHost> host = velmora::cli::MakePlatformHost();
  velmora::cli::Arguments arguments;
  std::string badArgument;
  if (!velmora::cli::CommandLineArguments(argc, argv, arguments, badArgument)) {
    host->WriteErrorUtf8("velmora-cli: the argument \"" + badArgument +
                         "\" cannot be written in code page 932, which the editor's files use\n");
    return velmora::cli::kExitFailure;
  }
  return velmora::cli::Main(*host, arguments);
}
