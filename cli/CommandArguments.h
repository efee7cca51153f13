#pragma once
// The argument shape most commands share: one input file and, at most once,
// one option that switches the output's form ("--json", "--csv").

#include <string>
#include <string_view>

#include "cli/Commands.h"

namespace velmora::cli {

struct FileAndSwitch {
  std::string file;
  bool switched = false;
};

// Throws UsageError naming `command` for anything else: no file, two files,
// an unknown option, the option twice.
FileAndSwitch ParseFileAndSwitch(const Arguments& arguments, std::string_view command, std::string_view option);

}  // namespace velmora::cli
