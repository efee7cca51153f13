#include "document/Utf8Text.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

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

std::size_t EncodeUtf8(char32_t code, char (&bytes)[4]) {
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
  return size;
}

// The conversion both forms share: false at the first byte that starts no
// character when `stopAtDamage`, else U+FFFD for each such byte.
bool AppendConverted(std::string& out, std::string_view cp932, bool stopAtDamage) {
  const Cp932Utf8Forms& forms = Cp932Utf8FormsTable();
  // A character takes at most three bytes a byte (a half-width katakana, a
  // damaged byte): the forms go straight into that room, which is then cut
  // to what they took. Large pieces (a command's output) convert in one go.
  const std::size_t start = out.size();
  out.resize(start + cp932.size() * 3);
  char* const begin = &out[start];
  char* end = begin;
  for (std::size_t pos = 0; pos < cp932.size(); pos += cp932::CharLengthAt(cp932, pos)) {
    if (stopAtDamage && forms.At(cp932, pos) == kReplacementUtf8) return false;
    end = forms.CopyAt(cp932, pos, end);
  }
  out.resize(start + static_cast<std::size_t>(end - begin));
  return true;
}

// One UTF-8 character at `pos`: its code and length, or a length of 0 for
// a byte that starts none (a stray continuation byte, a cut-off or overlong
// sequence, a surrogate).
struct DecodedUtf8 {
  char32_t code = 0;
  std::size_t length = 0;
};

DecodedUtf8 DecodeUtf8At(std::string_view utf8, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(utf8[pos]);
  if (lead < 0x80) return {lead, 1};
  const std::size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xC2 && lead <= 0xDF ? 2 : 0;
  if (length == 0 || pos + length > utf8.size()) return {};
  char32_t code = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(utf8[pos + i]);
    if ((next & 0xC0) != 0x80) return {};
    code = (code << 6) | (next & 0x3FU);
  }
  const char32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
  if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {};
  return {code, length};
}

// Unicode (the Basic Multilingual Plane, where every CP932 character lies)
// back to CP932, from the same table: 0 where there is no CP932 form. Where
// CP932 holds a character twice, the lowest code wins, except that the
// NEC-selected IBM extensions (lead bytes 0xED, 0xEE) give way to IBM's own
// rows, which is the choice Windows makes (U+2170 becomes 0xFA40, U+FFE2
// 0x81CA, U+2160 0x8754).
class UnicodeToCp932 {
 public:
  UnicodeToCp932() : codes_(0x10000, 0) {
    for (unsigned byte = 1; byte < 0x100; ++byte) {
      const auto single = static_cast<unsigned char>(byte);
      if (!cp932::IsLeadByte(single) && SingleByteToUnicode(single) != kReplacement) {
        codes_[SingleByteToUnicode(single)] = static_cast<std::uint16_t>(byte);
      }
    }
    for (unsigned lead = 0x81; lead < 0x100; ++lead) {
      if (!cp932::IsLeadByte(static_cast<unsigned char>(lead)) || lead == 0xED || lead == 0xEE) continue;
      for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
        const char32_t code = DoubleByteToUnicode(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
        if (code != kReplacement && codes_[code] == 0) codes_[code] = static_cast<std::uint16_t>(lead << 8 | trail);
      }
    }
  }

  // False when the character has no CP932 form.
  bool Append(std::string& out, char32_t code) const {
    if (code == 0) {
      out += '\0';
      return true;
    }
    const std::uint16_t cp932 = code < codes_.size() ? codes_[code] : 0;
    if (cp932 == 0) return false;
    if (cp932 > 0xFF) out += static_cast<char>(cp932 >> 8);
    out += static_cast<char>(cp932 & 0xFF);
    return true;
  }

 private:
  std::vector<std::uint16_t> codes_;
};

const UnicodeToCp932& UnicodeToCp932Table() {
  static const UnicodeToCp932 table;
  return table;
}

// The conversion both forms share: false at the first character without a
// CP932 form when `lenient` is false, else "?" for each.
bool AppendCp932Of(std::string& out, std::string_view utf8, bool lenient) {
  const UnicodeToCp932& table = UnicodeToCp932Table();
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const DecodedUtf8 decoded = DecodeUtf8At(utf8, pos);
    if (decoded.length == 0 || !table.Append(out, decoded.code)) {
      if (!lenient) return false;
      out += '?';
    }
    pos += decoded.length == 0 ? 1 : decoded.length;
  }
  return true;
}

}  // namespace

std::optional<std::string> Utf8ToCp932Exact(std::string_view utf8) {
  std::string out;
  if (!AppendCp932Of(out, utf8, false)) return std::nullopt;
  return out;
}

std::string Utf8ToCp932Lenient(std::string_view utf8) {
  std::string out;
  AppendCp932Of(out, utf8, true);
  return out;
}

Cp932Utf8Forms::Cp932Utf8Forms() {
  const auto formOf = [](char32_t code) {
    char bytes[4];
    Form form{};
    form.size = static_cast<unsigned char>(EncodeUtf8(code, bytes));
    std::memcpy(form.bytes, bytes, form.size);
    return form;
  };
  for (unsigned byte = 0; byte < 0x100; ++byte) {
    const auto lead = static_cast<unsigned char>(byte);
    // A lead byte alone, at the very end, has lost its trail byte.
    single_[byte] = formOf(cp932::IsLeadByte(lead) ? kReplacement : SingleByteToUnicode(lead));
    for (unsigned trail = 0; trail < 0x100; ++trail) {
      pair_[byte * 0x100 + trail] = cp932::IsLeadByte(lead)
                                        ? formOf(DoubleByteToUnicode(lead, static_cast<unsigned char>(trail)))
                                        : Form{};
    }
  }
}

const Cp932Utf8Forms& Cp932Utf8FormsTable() {
  // 260 KB, made once, on the heap rather than in every program's image.
  static const std::unique_ptr<const Cp932Utf8Forms> forms(new Cp932Utf8Forms());
  return *forms;
}

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
