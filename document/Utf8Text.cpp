#include "document/Utf8Text.h"

#include "document/Cp932Table.h"
#include "document/Cp932.h"

namespace velmora {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Single bytes: ASCII as itself, 0xA1-0xDF the half-width katakana. 0x80,
// 0xA0 and 0xFD-0xFF are no characters in CP932 (the system maps them to
// private or control values that no reader could use).
char32_t SingleByteToUnicode(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xA1 && byte <= 0xDF) return 0xFF61 + (byte - 0xA1U);
  return kReplacement;
}

int TrailIndex(unsigned char trail) {
  if (trail >= 0x40 && trail <= 0x7E) return trail - 0x40;
  if (trail >= 0x80 && trail <= 0xFC) return trail - 0x80 + 0x3F;
  return -1;
}

char32_t DoubleByteToUnicode(unsigned char lead, unsigned char trail) {
  const int column = TrailIndex(trail);
  if (column < 0) return kReplacement;
  // The user-defined rows 0xF0-0xF9 map to the private use area in order.
  if (lead >= 0xF0 && lead <= 0xF9) return 0xE000 + static_cast<char32_t>((lead - 0xF0) * 188 + column);
  const int row = cp932::kDoubleByteRowOfLead[lead - 0x80];
  if (row < 0) return kReplacement;
  const char16_t code = cp932::kDoubleByteRows[row][column];
  return code != 0 ? code : kReplacement;
}

}  // namespace

char32_t Cp932CharToUnicode(std::string_view cp932, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(cp932[pos]);
  if (cp932::CharLengthAt(cp932, pos) == 1) {
    // A lead byte at the very end has lost its trail byte.
    return cp932::IsLeadByte(lead) ? kReplacement : SingleByteToUnicode(lead);
  }
  return DoubleByteToUnicode(lead, static_cast<unsigned char>(cp932[pos + 1]));
}

void AppendUtf8(std::string& out, char32_t code) {
  // Formed in place and appended at once: the exports append millions.
  char bytes[4];
  std::size_t size = 0;
  if (code < 0x80) {
    bytes[size++] = static_cast<char>(code);
  } else if (code < 0x800) {
    bytes[size++] = static_cast<char>(0xC0 | (code >> 6));
    bytes[size++] = static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    bytes[size++] = static_cast<char>(0xE0 | (code >> 12));
    bytes[size++] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    bytes[size++] = static_cast<char>(0x80 | (code & 0x3F));
  } else {
    bytes[size++] = static_cast<char>(0xF0 | (code >> 18));
    bytes[size++] = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    bytes[size++] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    bytes[size++] = static_cast<char>(0x80 | (code & 0x3F));
  }
  out.append(bytes, size);
}

namespace {

// The conversion both forms share: false at the first byte that starts no
// character when `stopAtDamage`, else U+FFFD for each such byte.
bool AppendConverted(std::string& out, std::string_view cp932, bool stopAtDamage) {
  out.reserve(out.size() + cp932.size() * 3 / 2);
  for (std::size_t pos = 0; pos < cp932.size(); pos += cp932::CharLengthAt(cp932, pos)) {
    const char32_t code = Cp932CharToUnicode(cp932, pos);
    if (stopAtDamage && code == kReplacement) return false;
    AppendUtf8(out, code);
  }
  return true;
}

}  // namespace

std::string Cp932ToUtf8Text(std::string_view cp932) {
  std::string out;
  AppendConverted(out, cp932, false);
  return out;
}

void AppendCp932AsUtf8(std::string& out, std::string_view cp932) { AppendConverted(out, cp932, false); }

std::optional<std::string> Cp932ToUtf8Exact(std::string_view cp932) {
  std::string out;
  if (!AppendConverted(out, cp932, true)) return std::nullopt;
  return out;
}

}  // namespace velmora
