#include "distribution/MarkupEscape.h"

#include <charconv>

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

void AppendHex4(std::string& out, unsigned code) {
  static constexpr char kDigits[] = "0123456789abcdef";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kDigits[(code >> shift) & 0xF];
}

}  // namespace

void AppendMarkupEscaped(std::string& out, std::string_view utf8) {
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
void AppendMarkupCp932(std::string& out, std::string_view cp932) {
  std::size_t runStart = 0;
  std::size_t pos = 0;
  while (pos < cp932.size()) {
    const auto byte = static_cast<unsigned char>(cp932[pos]);
    if (byte < 0x80 && !NeedsMarkupEscape(byte)) {
      ++pos;
      continue;
    }
    out.append(cp932.data() + runStart, pos - runStart);
    const char32_t code = Cp932CharToUnicode(cp932, pos);
    if (code < 0x80) {
      const char ascii = static_cast<char>(code);
      AppendMarkupEscaped(out, std::string_view(&ascii, 1));
    } else {
      AppendUtf8(out, code);
    }
    pos += cp932::CharLengthAt(cp932, pos);
    runStart = pos;
  }
  out.append(cp932.data() + runStart, pos - runStart);
}

void AppendDecimal(std::string& out, long long value) {
  char digits[24];
  const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, end.ptr);
}

std::string MarkupEscaped(std::string_view utf8) {
  std::string out;
  AppendMarkupEscaped(out, utf8);
  return out;
}

void AppendScriptString(std::string& out, std::string_view utf8) {
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
