#include "cli/CommandArguments.h"

namespace velmora::cli {

FileAndSwitch ParseFileAndSwitch(const Arguments& arguments, std::string_view command, std::string_view option) {
  const std::string usage = std::string(command) + " needs one file and at most " + std::string(option);
  FileAndSwitch parsed;
  bool haveFile = false;
  for (const std::string& argument : arguments) {
    if (argument == option && !parsed.switched) {
      parsed.switched = true;
    } else if (haveFile || (argument.size() > 1 && argument[0] == '-')) {
      throw UsageError(usage);
    } else {
      parsed.file = argument;
      haveFile = true;
    }
  }
  if (!haveFile) throw UsageError(usage);
  return parsed;
}

}  // namespace velmora::cli
