#pragma once
// CP932 as UTF-8: the program's one conversion in that direction, for the
// exports (the SVG diagram, the HTML player, the book), the command line's
// output and POSIX paths. It is the core's own table, so every platform
// gives the same bytes and a damaged byte becomes the same U+FFFD
// everywhere.

#include <cstddef>
#include <optional>
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
// The same, appended to `out`.
void AppendCp932AsUtf8(std::string& out, std::string_view cp932);
// The same, or nothing when a byte starts no character: for a path, which
// must never be silently altered.
std::optional<std::string> Cp932ToUtf8Exact(std::string_view cp932);

}  // namespace velmora
