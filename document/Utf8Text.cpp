#include "document/Utf8Text.h"

#include <cstring>
#include <memory>

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

}  // namespace

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
