#include "document/Errors.h"

#include "document/Cp932.h"

namespace velmora {
namespace {

// The last character of a CP932 text: walked from the start, since a trail
// byte may look like any single-byte character and only the walk knows
// which bytes pair up.
std::string_view LastChar(std::string_view text) {
  std::size_t pos = 0;
  std::size_t length = 0;
  while (pos < text.size()) {
    length = cp932::CharLengthAt(text, pos);
    pos += length;
  }
  return text.substr(text.size() - length);
}

}  // namespace

std::string GeneralErrorReportText(std::string_view message) {
  std::string text(message);
  // A sentence ending in a double-byte character ("。", "」", "す") is
  // complete as it is; a full stop after it would read "。.".
  const std::string_view last = LastChar(text);
  if (last.size() == 1 && static_cast<unsigned char>(last[0]) > static_cast<unsigned char>('.')) text += ".";
  return text;
}

std::string DecimalText(std::size_t value) {
  char digits[20];
  char* first = digits + sizeof digits;
  do {
    *--first = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0);
  return std::string(first, digits + sizeof digits);
}

}  // namespace velmora
