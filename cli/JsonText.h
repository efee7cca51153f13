#pragma once
// JSON strings for the commands that print JSON (check, diff): UTF-8 text
// with quotes, backslashes and control characters escaped.

#include <cstdio>
#include <string>
#include <string_view>

namespace velmora::cli {

inline std::string JsonString(std::string_view utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace velmora::cli
