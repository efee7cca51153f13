#include "distribution/MarkupEscape.h"

#include <cstdint>
#include <cstring>

#include "document/Cp932.h"
#include "document/Utf8Text.h"

namespace velmora {
namespace {

constexpr std::string_view kLineSeparator = "\xE2\x80\xA8";       // U+2028
constexpr std::string_view kParagraphSeparator = "\xE2\x80\xA9";  // U+2029

bool IsForbiddenControl(unsigned char byte) { return byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r'; }

// What AppendMarkupEscaped changes.
bool NeedsMarkupEscape(unsigned char byte) {
  return byte == '&' || byte == '<' || byte == '>' || byte == '"' || byte == '\'' || IsForbiddenControl(byte);
}

void AppendHex4(SinkBuffer& out, unsigned code) {
  static constexpr char kDigits[] = "0123456789abcdef";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kDigits[(code >> shift) & 0xF];
}

}  // namespace

void AppendMarkupEscaped(SinkBuffer& out, std::string_view utf8) {
  for (const char c : utf8) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default:
        if (IsForbiddenControl(static_cast<unsigned char>(c))) {
          out += kReplacementUtf8;
        } else {
          out += c;
        }
    }
  }
}

// Bytes below 0x80 are the same characters in CP932 and in UTF-8, and most
// need no escape: they are copied in runs, a book of a million texts being
// mostly such runs. Only the other characters are converted and escaped one
// by one.
void AppendMarkupCp932(SinkBuffer& out, std::string_view cp932) {
  const Cp932Utf8Forms& forms = Cp932Utf8FormsTable();
  std::size_t runStart = 0;
  std::size_t pos = 0;
  while (pos < cp932.size()) {
    const auto byte = static_cast<unsigned char>(cp932[pos]);
    if (byte < 0x80 && !NeedsMarkupEscape(byte)) {
      ++pos;
      continue;
    }
    out.Append(cp932.data() + runStart, pos - runStart);
    if (forms.At(cp932, pos).size() == 1) {
      AppendMarkupEscaped(out, forms.At(cp932, pos));  // ASCII
    } else {
      out.Commit(forms.CopyAt(cp932, pos, out.Reserve(3)));
    }
    pos += cp932::CharLengthAt(cp932, pos);
    runStart = pos;
  }
  out.Append(cp932.data() + runStart, pos - runStart);
}

std::string MarkupCp932(std::string_view cp932) {
  return Gathered([cp932](SinkBuffer& out) { AppendMarkupCp932(out, cp932); });
}

namespace {

// The digits of a number below 2^32: the diagram's coordinates and the
// pages' counts all are, and 32-bit division by a constant is the cheaper.
char* WriteSmallDecimal(char* at, std::uint32_t value) {
  static constexpr char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  static constexpr std::uint32_t kPowers[] = {10,      100,      1000,      10000,     100000,
                                              1000000, 10000000, 100000000, 1000000000};
  std::size_t length = 1;
  while (length <= 9 && value >= kPowers[length - 1]) ++length;
  char* const end = at + length;
  // From the last digit back, two at a time.
  char* digit = end;
  while (value >= 100) {
    digit -= 2;
    std::memcpy(digit, kPairs + 2 * (value % 100), 2);
    value /= 100;
  }
  if (value >= 10) {
    std::memcpy(digit - 2, kPairs + 2 * value, 2);
  } else {
    digit[-1] = static_cast<char>('0' + value);
  }
  return end;
}

}  // namespace

char* WriteDecimalDigits(char* at, unsigned long long value) {
  constexpr std::uint32_t kEightDigits = 100000000;
  if (value <= 0xFFFFFFFFULL) return WriteSmallDecimal(at, static_cast<std::uint32_t>(value));
  // The high digits, then the low eight with their leading zeros.
  at = WriteDecimalDigits(at, value / kEightDigits);
  char low[10];
  const auto lowLength =
      static_cast<std::size_t>(WriteSmallDecimal(low, static_cast<std::uint32_t>(value % kEightDigits)) - low);
  std::memset(at, '0', 8 - lowLength);
  std::memcpy(at + 8 - lowLength, low, lowLength);
  return at + 8;
}

void AppendDecimal(SinkBuffer& out, long long value) {
  char* at = out.Reserve(21);  // a sign and 20 digits
  if (value < 0) *at++ = '-';
  const unsigned long long size =
      value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
  out.Commit(WriteDecimalDigits(at, size));
}

std::string MarkupEscaped(std::string_view utf8) {
  return Gathered([utf8](SinkBuffer& out) { AppendMarkupEscaped(out, utf8); });
}

std::string ScriptString(std::string_view utf8) {
  return Gathered([utf8](SinkBuffer& out) { AppendScriptString(out, utf8); });
}

void AppendScriptString(SinkBuffer& out, std::string_view utf8) {
  out += '"';
  for (std::size_t pos = 0; pos < utf8.size(); ++pos) {
    const char c = utf8[pos];
    const auto byte = static_cast<unsigned char>(c);
    // Both separators start with the byte E2, which most characters do not:
    // a page of a large procedure is tens of megabytes of these bytes.
    if (c == '\xE2' && (utf8.compare(pos, 3, kLineSeparator) == 0 || utf8.compare(pos, 3, kParagraphSeparator) == 0)) {
      AppendHex4(out, utf8[pos + 2] == '\xA8' ? 0x2028U : 0x2029U);
      pos += 2;
    } else if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (byte < 0x20 || c == '<' || c == '>' || c == '&') {
      AppendHex4(out, byte);
    } else {
      out += c;
    }
  }
  out += '"';
}

}  // namespace velmora
