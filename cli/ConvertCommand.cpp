// velmora-cli convert IN OUT [--stub FILE]
#include "cli/Commands.h"
#include "cli/DocumentFiles.h"
#include "cli/OutputTargets.h"

namespace velmora::cli {
namespace {

struct ConvertArguments {
  FilePath input;
  FilePath output;
  FilePath stub;
};

ConvertArguments ParseConvertArguments(CliHost& host, const Arguments& arguments) {
  ConvertArguments parsed;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--stub") {
      if (i + 1 >= arguments.size()) throw UsageError("--stub needs a file");
      parsed.stub = FilePath::FromUtf8(arguments[++i]);
    } else if (arguments[i].size() > 1 && arguments[i][0] == '-' && arguments[i] != "-") {
      throw UsageError("unknown option " + arguments[i]);
    } else {
      positional.push_back(arguments[i]);
    }
  }
  if (positional.size() != 2) throw UsageError("convert needs IN and OUT");
  parsed.input = FilePath::FromUtf8(positional[0]);
  parsed.output = FilePath::FromUtf8(positional[1]);
  // The editor finds its stub beside itself; so does the tool.
  if (parsed.stub.Empty()) parsed.stub = host.ProgramFolder().Join(kDefaultStubName);
  return parsed;
}

}  // namespace

int RunConvert(CliHost& host, const Arguments& arguments) {
  const ConvertArguments parsed = ParseConvertArguments(host, arguments);
  CheckOutputs(host.Files(), {parsed.input, parsed.stub}, {parsed.output});
  // A convert only carries the procedure over, so it reads the steps alone:
  // no tree, and the file's bytes in memory once.
  const LoadedSteps document = OpenStepsLikeEditor(host.Files(), parsed.input);
  WriteLikeEditor(host.Files(), parsed.output, document, parsed.stub);
  return kExitSuccess;
}

}  // namespace velmora::cli
