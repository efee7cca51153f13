#pragma once
// A program's arguments written into the one command line CreateProcessW
// takes, so that the child's CommandLineToArgvW (or C runtime) gets each
// argument back exactly: spaces, quotes and trailing backslashes included.

#include <string>
#include <vector>

namespace velmora::win32 {

std::wstring QuotedArgument(const std::wstring& argument);
// The program and its arguments, each quoted, separated by spaces.
std::wstring CommandLineOf(const std::wstring& program, const std::vector<std::wstring>& arguments);

}  // namespace velmora::win32
