#include "document/Errors.h"

#include <cstdint>

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

namespace {

// `value` / 10, leaving `value` % 10, in 32-bit divisions: the 64-bit one
// is a library routine of 0.8 KB that the player stub would carry for a
// run record's duration alone. Long division in three parts, each
// remainder below 10 carried into the next.
unsigned DivideByTen(std::uint64_t& value) {
  const auto high = static_cast<std::uint32_t>(value >> 32);
  const auto low = static_cast<std::uint32_t>(value);
  const std::uint32_t middle = (high % 10) << 16 | low >> 16;
  const std::uint32_t bottom = (middle % 10) << 16 | (low & 0xFFFF);
  value = static_cast<std::uint64_t>(high / 10) << 32 | (middle / 10) << 16 | bottom / 10;
  return bottom % 10;
}

}  // namespace

std::string DecimalText(std::uint64_t value) {
  char digits[20];
  char* first = digits + sizeof digits;
  do {
    *--first = static_cast<char>('0' + DivideByTen(value));
  } while (value > 0);
  return std::string(first, digits + sizeof digits);
}

}  // namespace velmora
