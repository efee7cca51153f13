#pragma once
// UTF-8 beside the W functions' UTF-16, both ways without loss: the form of
// paths in the core (FilePath) and of the command-line tool's output.

#include <string>
#include <string_view>

namespace velmora::win32 {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

}  // namespace velmora::win32
