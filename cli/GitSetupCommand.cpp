// velmora-cli git-setup [--global] [--undo]: makes Git compare procedures
// node by node, in the manner of other tools that ship a semantic diff:
// the "velmora" diff driver goes into the repository's (or the user's)
// Git configuration, and the .gitattributes lines that choose it are
// printed for the author to add, since which files are procedures is the
// repository's own decision.
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "document/Errors.h"

namespace velmora::cli {
namespace {

constexpr const char* kCommandKey = "diff.velmora.command";
constexpr const char* kTextconvKey = "diff.velmora.textconv";
// `git config --unset` of a key that is not there.
constexpr int kGitKeyMissing = 5;

struct GitSetupArguments {
  bool global = false;
  bool undo = false;
};

GitSetupArguments ParseGitSetupArguments(const Arguments& arguments) {
  GitSetupArguments parsed;
  for (const std::string& argument : arguments) {
    if (argument == "--global" && !parsed.global) {
      parsed.global = true;
    } else if (argument == "--undo" && !parsed.undo) {
      parsed.undo = true;
    } else {
      throw UsageError("git-setup takes only --global and --undo, not " + argument);
    }
  }
  return parsed;
}

// Git runs a driver's command through the shell: the program's path in
// single quotes keeps its spaces and backslashes (a Windows path too).
std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

class GitConfig {
 public:
  GitConfig(CliHost& host, bool global) : host_(host), scope_(global ? "--global" : "--local") {}

  // Git's own message on standard error says why it refused. (Git drops
  // the section itself when its last key is unset.)
  int Run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"config", scope_});
    const int status = host_.RunProgram("git", arguments);
    if (status == CliHost::kProgramNotStarted) {
      throw VelmoraError("git could not be started: is Git installed and on the search path?");
    }
    return status;
  }

  void Set(const char* key, const std::string& value) {
    const int status = Run({key, value});
    if (status != 0) throw VelmoraError("git config failed (exit " + std::to_string(status) + ")");
  }

  // True when the key was there.
  bool Unset(const char* key) {
    const int status = Run({"--unset", key});
    if (status != 0 && status != kGitKeyMissing) {
      throw VelmoraError("git config --unset failed (exit " + std::to_string(status) + ")");
    }
    return status == 0;
  }

 private:
  CliHost& host_;
  std::string scope_;
};

std::string ScopeName(bool global) { return global ? "your global Git configuration" : "this repository's Git configuration"; }

int Install(CliHost& host, const GitSetupArguments& parsed) {
  const FilePath program = host.ProgramPath();
  if (program.Empty()) throw VelmoraError("the path of velmora-cli itself is unknown");
  const std::string self = ShellQuoted(program.Utf8());
  GitConfig config(host, parsed.global);
  config.Set(kCommandKey, self + " diff");
  config.Set(kTextconvKey, self + " show --flat");
  host.WriteOutput("The diff driver \"velmora\" is now in " + ScopeName(parsed.global) +
                   ".\nAdd these lines to .gitattributes in the repository's top folder:\n"
                   "*.tre diff=velmora\n*.exe diff=velmora\n"
                   "git diff then lists the changed nodes; git log -p and other commands show one line per node.\n");
  return kExitSuccess;
}

int Uninstall(CliHost& host, const GitSetupArguments& parsed) {
  GitConfig config(host, parsed.global);
  const bool hadCommand = config.Unset(kCommandKey);
  const bool hadTextconv = config.Unset(kTextconvKey);
  if (!hadCommand && !hadTextconv) {
    host.WriteOutput("There is no diff driver \"velmora\" in " + ScopeName(parsed.global) + "; nothing to undo.\n");
    return kExitSuccess;
  }
  host.WriteOutput("The diff driver \"velmora\" is removed from " + ScopeName(parsed.global) +
                   ".\nRemove the lines with diff=velmora from .gitattributes.\n");
  return kExitSuccess;
}

}  // namespace

int RunGitSetup(CliHost& host, const Arguments& arguments) {
  const GitSetupArguments parsed = ParseGitSetupArguments(arguments);
  return parsed.undo ? Uninstall(host, parsed) : Install(host, parsed);
}

}  // namespace velmora::cli
