#pragma once
// Hands a file, a folder or a web address to the shell, as a double click
// would: the help file to its viewer, the home page to the browser, the
// folder of a generated executable to a folder window. Whatever the shell
// makes of it is its own affair: the program examines no result and shows no
// message when nothing opens (a missing help file, no browser).

#include <string_view>

namespace velmora {

class ShellOpenPort {
 public:
  virtual ~ShellOpenPort() = default;
  // `target` is a file's path or a URL, as UTF-8.
  virtual void OpenInShell(std::string_view target) = 0;
};

}  // namespace velmora
