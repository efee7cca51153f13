#pragma once
// CP932 procedure texts as UTF-8, for the files that leave the Windows world
// (the SVG diagram and the HTML player). The conversion is the core's own, so
// an export gives the same bytes on every platform.

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// U+FFFD: what a byte that starts no CP932 character becomes, so a damaged
// text still exports and shows where it is damaged.
inline constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// The Unicode value of the CP932 character at `pos` (one or two bytes, as
// cp932::CharLengthAt tells), or U+FFFD when it is none.
char32_t Cp932CharToUnicode(std::string_view cp932, std::size_t pos);

// Appends the UTF-8 form of `code`.
void AppendUtf8(std::string& out, char32_t code);

// The whole text as UTF-8; a byte that starts no character becomes U+FFFD.
std::string Cp932ToUtf8Text(std::string_view cp932);

}  // namespace velmora
