#include "cli/CommandArguments.h"

#include <algorithm>

namespace velmora::cli {

FileAndSwitches ParseFileAndSwitches(const Arguments& arguments, std::string_view command,
                                     std::initializer_list<std::string_view> options) {
  std::string usage = std::string(command) + " needs one file";
  for (const std::string_view option : options) usage += " and at most " + std::string(option);
  FileAndSwitches parsed;
  bool haveFile = false;
  for (const std::string& argument : arguments) {
    const bool known = std::find(options.begin(), options.end(), argument) != options.end();
    if (known && !parsed.Has(argument)) {
      parsed.given.insert(argument);
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
