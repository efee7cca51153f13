#include "win32/CommandLine.h"

namespace velmora::win32 {

// Backslashes are doubled only where a quote follows them (an inner one,
// or the closing one); elsewhere they stand as they are.
std::wstring QuotedArgument(const std::wstring& argument) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

std::wstring CommandLineOf(const std::wstring& program, const std::vector<std::wstring>& arguments) {
  std::wstring commandLine = QuotedArgument(program);
  for (const std::wstring& argument : arguments) commandLine += L" " + QuotedArgument(argument);
  return commandLine;
}

}  // namespace velmora::win32
