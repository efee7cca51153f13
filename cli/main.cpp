// velmora-cli: the editor's file behaviour from the command line, for
// authors who keep procedures in version control and build them in scripts.
#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "cli/CliPlatform.h"
#include "cli/Commands.h"
#include "document/Errors.h"
#include "document/Utf8Text.h"

namespace velmora::cli {
namespace {

constexpr const char* kVersion = "V1.7";
constexpr std::string_view kMessagePrefix = "velmora-cli: ";

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

std::string HelpText(CliHost& host) {
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
      "no output file is then created or changed (a command with several outputs writes all or none).\n"
      "An output that is no regular file (a device, a pipe, a folder) or that is an input is refused.\n"
      "Wrong arguments exit with 2.\n"
      "Without --stub, convert takes the player stub Velmora.bin from the folder of velmora-cli";
  const FilePath folder = host.ProgramFolder();
  if (!folder.Empty()) text += " (" + folder.Utf8() + ")";
  text += ".\n";
  return text;
}

const Command* FindCommand(const std::string& name) {
  for (const Command& command : CommandTable()) {
    if (name == command.name) return &command;
  }
  return nullptr;
}

int Dispatch(CliHost& host, const Arguments& arguments, int& failureStatus) {
  if (arguments.empty()) throw UsageError("no command given");
  const std::string& first = arguments[0];
  if (first == "--help" || first == "-h") {
    host.WriteOutput(HelpText(host));
    return kExitSuccess;
  }
  if (first == "--version") {
    host.WriteOutput(std::string(kVersion) + "\n");
    return kExitSuccess;
  }
  const Command* command = FindCommand(first);
  if (command == nullptr) throw UsageError("unknown command " + first);
  failureStatus = command->failureStatus;
  return command->run(host, Arguments(arguments.begin() + 1, arguments.end()));
}

}  // namespace

// Every message starts with the program's name, as the messages of other
// command-line tools do, so a script's log tells who said it.
// The editor's messages break their lines with CR LF, as a message box
// wants; a terminal's lines end in LF.
void Report(CliHost& host, std::string_view utf8) {
  std::string text(kMessagePrefix);
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8.compare(i, 2, "\r\n") == 0) continue;
    text += utf8[i];
  }
  host.WriteError(text + "\n");
}

int Main(CliHost& host, const Arguments& arguments) {
  int failureStatus = kExitFailure;
  try {
    const int status = Dispatch(host, arguments, failureStatus);
    host.FlushOutput();
    return status;
  } catch (const UsageError& error) {
    host.WriteError(std::string(kMessagePrefix) + error.what() + "\n" + UsageText());
    return kExitUsage;
  } catch (const OutputError& error) {
    Report(host, std::string("cannot write standard output: ") + error.what());
    return failureStatus;
  } catch (const VelmoraError& error) {
    // The editor's general error report shows the same text.
    Report(host, Cp932ToUtf8Text(GeneralErrorReportText(error.what())));
    return failureStatus;
  } catch (const std::bad_alloc&) {
    Report(host, "out of memory");
    return failureStatus;
  } catch (const std::exception& error) {
    Report(host, error.what());
    return failureStatus;
  }
}

}  // namespace velmora::cli

int main(int argc, char** argv) {
  velmora::cli::PrepareProcess(argv);
  std::unique_ptr<velmora::cli::CliHost> host = velmora::cli::MakePlatformHost();
  return velmora::cli::Main(*host, velmora::cli::CommandLineArguments(argc, argv));
}
