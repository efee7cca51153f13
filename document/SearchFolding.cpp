#include "document/SearchFolding.h"

#include <algorithm>
#include <iterator>

#include "document/Cp932.h"

namespace velmora {
namespace {

struct FullWidthSymbol {
  std::uint16_t code;
  char ascii;
};

// The full-width symbols of CP932 and the ASCII characters they stand for,
// ordered by code. "￥" goes with "\" (which Japanese fonts show as a yen
// sign) and "￣" with "~"; the quotes have two codes each.
constexpr FullWidthSymbol kSymbols[] = {
    {0x8140, ' '}, {0x8143, ','}, {0x8144, '.'}, {0x8146, ':'}, {0x8147, ';'}, {0x8148, '?'},  {0x8149, '!'},
    {0x814D, '`'}, {0x814F, '^'}, {0x8150, '~'}, {0x8151, '_'}, {0x815E, '/'}, {0x815F, '\\'}, {0x8160, '~'},
    {0x8162, '|'}, {0x8169, '('}, {0x816A, ')'}, {0x816D, '['}, {0x816E, ']'}, {0x816F, '{'},  {0x8170, '}'},
    {0x817B, '+'}, {0x817C, '-'}, {0x8181, '='}, {0x8183, '<'}, {0x8184, '>'}, {0x818F, '\\'}, {0x8190, '$'},
    {0x8193, '%'}, {0x8194, '#'}, {0x8195, '&'}, {0x8196, '*'}, {0x8197, '@'}, {0xEEFB, '\''}, {0xEEFC, '"'},
    {0xFA56, '\''}, {0xFA57, '"'},
};

// The full-width forms of the half-width katakana 0xA1 to 0xDF (the
// punctuation, the kana, the long-vowel mark and the two sound marks).
constexpr std::uint16_t kKatakana[] = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342, 0x8344, 0x8346, 0x8348, 0x8383, 0x8385,
    0x8387, 0x8362, 0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C, 0x834E, 0x8350, 0x8352,
    0x8354, 0x8356, 0x8358, 0x835A, 0x835C, 0x835E, 0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B,
    0x836C, 0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, 0x837E, 0x8380, 0x8381, 0x8382, 0x8384,
    0x8386, 0x8388, 0x8389, 0x838A, 0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B,
};
constexpr unsigned char kVoicedMark = 0xDE;
constexpr unsigned char kSemiVoicedMark = 0xDF;

char AsciiLower(unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); }

// The kana of the ka, sa, ta and ha rows: their voiced forms follow each
// one directly, the semi-voiced forms of the ha row one further.
bool TakesVoicedMark(std::uint16_t kana) {
  if (kana >= 0x834A && kana <= 0x8360) return kana % 2 == 0;          // カ to チ
  if (kana == 0x8363 || kana == 0x8365 || kana == 0x8367) return true;  // ツ テ ト
  return kana >= 0x836E && kana <= 0x837A && (kana - 0x836E) % 3 == 0;  // ハ to ホ
}

std::uint16_t VoicedForm(std::uint16_t kana, unsigned char mark) {
  if (mark == kVoicedMark && kana == 0x8345) return 0x8394;  // ウ and the mark: ヴ
  if (mark == kVoicedMark && TakesVoicedMark(kana)) return static_cast<std::uint16_t>(kana + 1);
  if (mark == kSemiVoicedMark && kana >= 0x836E && kana <= 0x837A && (kana - 0x836E) % 3 == 0) {
    return static_cast<std::uint16_t>(kana + 2);
  }
  return 0;
}

std::uint16_t FoldDoubleByte(std::uint16_t code) {
  if (code >= 0x824F && code <= 0x8258) return static_cast<std::uint16_t>('0' + (code - 0x824F));
  if (code >= 0x8260 && code <= 0x8279) return static_cast<std::uint16_t>('a' + (code - 0x8260));
  if (code >= 0x8281 && code <= 0x829A) return static_cast<std::uint16_t>('a' + (code - 0x8281));
  const auto found = std::lower_bound(std::begin(kSymbols), std::end(kSymbols), code,
                                      [](const FullWidthSymbol& symbol, std::uint16_t c) { return symbol.code < c; });
  if (found != std::end(kSymbols) && found->code == code) return static_cast<unsigned char>(found->ascii);
  return code;
}

}  // namespace

std::vector<std::uint16_t> FoldForSearch(std::string_view text) {
  std::vector<std::uint16_t> folded;
  folded.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    const std::size_t length = cp932::CharLengthAt(text, pos);
    if (length == 2) {
      const auto trail = static_cast<unsigned char>(text[pos + 1]);
      folded.push_back(FoldDoubleByte(static_cast<std::uint16_t>(byte << 8 | trail)));
    } else if (byte >= 0xA1 && byte <= 0xDF) {
      const std::uint16_t kana = kKatakana[byte - 0xA1];
      const std::uint16_t voiced = folded.empty() ? 0 : VoicedForm(folded.back(), byte);
      if (voiced != 0) {
        folded.back() = voiced;
      } else {
        folded.push_back(kana);
      }
    } else {
      folded.push_back(static_cast<unsigned char>(AsciiLower(byte)));
    }
    pos += length;
  }
  return folded;
}

}  // namespace velmora
