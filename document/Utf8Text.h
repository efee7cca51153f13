#pragma once
// CP932 as UTF-8 and back: the program's one conversion between the two,
// for the exports (the SVG diagram, the HTML player, the book), the command
// line's output and POSIX paths. It is the core's own table, so every
// platform gives the same bytes and a damaged byte becomes the same U+FFFD
// everywhere.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "document/Cp932.h"

namespace velmora {

// U+FFFD: what a byte that starts no CP932 character becomes, so a damaged
// text still exports and shows where it is damaged.
inline constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// The UTF-8 form of every CP932 character, for a caller converting many
// (the exports): the form of the character at `pos` (one or two bytes, as
// cp932::CharLengthAt tells), or U+FFFD's when it is none (a lead byte at
// the very end has lost its trail byte).
class Cp932Utf8Forms {
 public:
  std::string_view At(std::string_view cp932, std::size_t pos) const {
    const auto lead = static_cast<unsigned char>(cp932[pos]);
    const Form& form = cp932::CharLengthAt(cp932, pos) == 2
                           ? pair_[lead * 0x100U + static_cast<unsigned char>(cp932[pos + 1])]
                           : single_[lead];
    return std::string_view(form.bytes, form.size);
  }
  // Writes that form at `out`, which has room for 3 bytes, and returns
  // where it ends: no copy of a size known only at run time.
  char* CopyAt(std::string_view cp932, std::size_t pos, char* out) const {
    const std::string_view form = At(cp932, pos);
    out[0] = form.data()[0];
    out[1] = form.data()[1];
    out[2] = form.data()[2];
    return out + form.size();
  }

 private:
  friend const Cp932Utf8Forms& Cp932Utf8FormsTable();
  Cp932Utf8Forms();

  struct Form {
    unsigned char size;
    char bytes[3];  // no CP932 character lies beyond U+FFFF
  };
  Form single_[0x100];
  Form pair_[0x10000];  // by lead byte * 0x100 + trail byte
};
// The table, made at the first call.
const Cp932Utf8Forms& Cp932Utf8FormsTable();

// The whole text as UTF-8; a byte that starts no character becomes U+FFFD.
std::string Cp932ToUtf8Text(std::string_view cp932);
// The same, appended to `out`.
void AppendCp932AsUtf8(std::string& out, std::string_view cp932);
// The same, or nothing when a byte starts no character: for a path, which
// must never be silently altered.
std::optional<std::string> Cp932ToUtf8Exact(std::string_view cp932);

// UTF-8 as CP932 by the same table (a character CP932 holds twice as
// Windows writes it), or nothing when a character has no CP932 form or a
// byte starts no UTF-8 character: for a path, which must name its file.
std::optional<std::string> Utf8ToCp932Exact(std::string_view utf8);
// The same with "?" for each such character or byte, so every path can be
// shown in a message.
std::string Utf8ToCp932Lenient(std::string_view utf8);

}  // namespace velmora
