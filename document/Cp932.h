#pragma once
// Everything the program knows about the shape of code page 932 (Shift-JIS)
// byte strings. The text rules count and match bytes, so they must never cut a
// double-byte character in half; this is the one place that knows which bytes
// start such a character.

#include <cstddef>
#include <string_view>

namespace velmora::cp932 {

// Lead bytes of double-byte characters: 0x81-0x9F and 0xE0-0xFC. The trail
// byte may be 0x40-0x7E or 0x80-0xFC, so it can look like ASCII ("[", "\\").
constexpr bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Length in bytes of the character that starts at `pos` (1 or 2). A lead
// byte at the very end of the text counts as a character of its own.
constexpr std::size_t CharLengthAt(std::string_view text, std::size_t pos) {
  return (IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) ? 2 : 1;
}

// True when `text` holds `pattern` at `pos` and the match ends on a character
// boundary, given that `pos` itself is one. Such a match never splits a
// double-byte character at either end.
bool MatchesWholeCharsAt(std::string_view text, std::size_t pos, std::string_view pattern);

// The first character of `text` (1 or 2 bytes), or empty for an empty text.
std::string_view FirstChar(std::string_view text);

}  // namespace velmora::cp932
