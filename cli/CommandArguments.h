#pragma once
// The argument shape most commands share: one input file and switches that
// change the output's form ("--json", "--csv", "--bom", "--quiet"), each at
// most once.

#include <initializer_list>
#include <set>
#include <string>
#include <string_view>

#include "cli/Commands.h"

namespace velmora::cli {

struct FileAndSwitches {
  std::string file;
  std::set<std::string> given;

  bool Has(std::string_view option) const { return given.count(std::string(option)) != 0; }
};

// Throws UsageError naming `command` for anything else: no file, two files,
// an unknown option, an option twice.
FileAndSwitches ParseFileAndSwitches(const Arguments& arguments, std::string_view command,
                                     std::initializer_list<std::string_view> options);

}  // namespace velmora::cli
