#pragma once
// The form in which find compares texts: what an author takes for the same
// character compares equal. ASCII letters in either case, the full-width
// forms of ASCII (０-９, Ａ-Ｚ, ａ-ｚ, the symbols and the ideographic space)
// and the half-width katakana (a voiced sound mark joined to the kana
// before it) each become one code, the same for every form.

#include <cstdint>
#include <string_view>
#include <vector>

namespace velmora {

// One code per character of the CP932 text `text`: an ASCII byte (letters
// in lower case) for ASCII and its full-width forms, the full-width
// katakana's double-byte code for half-width katakana, and every other
// character's own code (a double-byte character as lead * 256 + trail).
std::vector<std::uint16_t> FoldForSearch(std::string_view text);

}  // namespace velmora
