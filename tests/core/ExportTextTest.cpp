// The text pieces of the SVG and HTML exports: CP932 to UTF-8 by the core's
// own table, escaping for markup and for script data, and the fixed-pitch
// measure of IPAGothic.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "distribution/MarkupEscape.h"
#include "distribution/TextMeasure.h"
#include "document/Utf8Text.h"

#if !defined(_WIN32) && __has_include(<iconv.h>)
#include <iconv.h>
#define VELMORA_HAVE_ICONV 1
#endif

namespace velmora {
namespace {

struct Conversion {
  const char* name;
  std::string cp932;
  std::string utf8;
};

class Cp932ToUtf8Cases : public ::testing::TestWithParam<Conversion> {};

// The exact form (for paths) gives the same text, or nothing where the
// lenient one put a replacement character; an undamaged text goes back to
// its own bytes.
TEST_P(Cp932ToUtf8Cases, ConvertsLikeTheCodePageBothWays) {
  EXPECT_EQ(Cp932ToUtf8Text(GetParam().cp932), GetParam().utf8);
  const bool damaged = GetParam().utf8.find("\xEF\xBF\xBD") != std::string::npos;
  EXPECT_EQ(Cp932ToUtf8Exact(GetParam().cp932), damaged ? std::nullopt : std::optional<std::string>(GetParam().utf8));
  if (!damaged) {
    EXPECT_EQ(Utf8ToCp932Exact(GetParam().utf8), GetParam().cp932);
  }
}

// A character CP932 holds twice is written as Windows writes it; one it
// cannot hold, or a byte that starts no UTF-8 character, has no exact form
// and shows as "?".
TEST(Utf8ToCp932, ChoosesAsWindowsAndRefusesWhatItCannotHold) {
  EXPECT_EQ(Utf8ToCp932Exact("\xEF\xBF\xA2"), "\x81\xCA");  // ¬, also 0xEEF9 and 0xFA54
  EXPECT_EQ(Utf8ToCp932Exact("\xE2\x88\xB5"), "\x81\xE6");  // ∵, also 0x879A and 0xFA5B
  EXPECT_EQ(Utf8ToCp932Exact("\xE2\x85\xA0"), "\x87\x54");  // Ⅰ, also 0xFA4A
  EXPECT_EQ(Utf8ToCp932Exact("\xE7\xBA\x8A"), "\xFA\x5C");  // 纊, also 0xED40
  for (const char* noForm : {"caf\xC3\xA9", "\xF0\x9F\x98\x80", "a\x80", "\xC0\xAF", "\xED\xA0\x80", "\xE3\x81"}) {
    SCOPED_TRACE(noForm);
    EXPECT_EQ(Utf8ToCp932Exact(noForm), std::nullopt);
  }
  EXPECT_EQ(Utf8ToCp932Lenient("caf\xC3\xA9 \xE3\x83\x91\xF0\x9F\x98\x80\x80"), "caf? \x83\x70??");
}

// Every CP932 character comes back to the same Unicode character: the two
// directions are one table.
TEST(Utf8ToCp932, EveryCharacterRoundTrips) {
  int characters = 0;
  for (unsigned lead = 0x20; lead <= 0xFC; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      const bool single = lead < 0x81 || (lead >= 0xA0 && lead <= 0xDF);
      if (single && trail > 0x40) break;
      const std::string cp932 = single ? std::string(1, static_cast<char>(lead))
                                       : std::string{static_cast<char>(lead), static_cast<char>(trail)};
      const std::optional<std::string> utf8 = Cp932ToUtf8Exact(cp932);
      if (!utf8) continue;
      ++characters;
      const std::optional<std::string> back = Utf8ToCp932Exact(*utf8);
      ASSERT_TRUE(back.has_value()) << std::hex << lead << ' ' << trail;
      EXPECT_EQ(Cp932ToUtf8Exact(*back), utf8) << std::hex << lead << ' ' << trail;
    }
  }
  EXPECT_GT(characters, 9000);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Cp932ToUtf8Cases,
    ::testing::Values(
        Conversion{"Ascii", "Power on?(N) \\ ~", "Power on?(N) \\ ~"},
        Conversion{"HalfWidthKatakana", "\xB1\xDF", "\xEF\xBD\xB1\xEF\xBE\x9F"},             // ｱﾟ
        Conversion{"Placeholder", "\x81\x63", "\xE2\x80\xA6"},                              // …
        Conversion{"NewLineMark", "\x81\xAB", "\xE2\x86\x93"},                              // ↓
        Conversion{"TrailByteBackslash", "\x83\x5C\x83\x74\x83\x67", "\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88"},  // ソフト
        Conversion{"Kanji", "\x88\x9F\x8A\xBF\x8E\x9A", "\xE4\xBA\x9C\xE6\xBC\xA2\xE5\xAD\x97"},  // 亜漢字
        Conversion{"NecCircledOne", "\x87\x40", "\xE2\x91\xA0"},                            // ①
        Conversion{"IbmSmallRomanOne", "\xFA\x40", "\xE2\x85\xB0"},                         // ⅰ
        Conversion{"UserDefinedArea", "\xF0\x40\xF9\xFC", "\xEE\x80\x80\xEE\x9D\x97"},       // U+E000, U+E757
        Conversion{"UnassignedPair", "\x85\x40", "\xEF\xBF\xBD"},
        Conversion{"BadTrailByte", "\x82\x20", "\xEF\xBF\xBD"},
        Conversion{"NoSingleByteCharacter", std::string("\x80\xA0\xFD\xFE\xFF", 5),
                   "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        Conversion{"LeadByteCutOffAtTheEnd", "ab\x82", "ab\xEF\xBF\xBD"},
        Conversion{"Empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

#ifdef VELMORA_HAVE_ICONV
// Every double-byte character the table maps agrees with glibc's CP932,
// except where the two tables are known to choose differently.
TEST(Cp932ToUtf8, AgreesWithTheSystemConverterOnEveryDoubleByteCharacter) {
  iconv_t converter = ::iconv_open("UTF-8", "CP932");
  ASSERT_NE(converter, reinterpret_cast<iconv_t>(-1));
  int compared = 0, differing = 0;
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead >= 0xA0 && lead <= 0xDF) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const std::string cp932{static_cast<char>(lead), static_cast<char>(trail)};
      char buffer[8];
      char* in = const_cast<char*>(cp932.data());
      char* out = buffer;
      std::size_t inLeft = 2, outLeft = sizeof buffer;
      ::iconv(converter, nullptr, nullptr, nullptr, nullptr);
      if (::iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) continue;
      const std::string expected(buffer, static_cast<std::size_t>(out - buffer));
      ++compared;
      if (Cp932ToUtf8Text(cp932) != expected) ++differing;
    }
  }
  ::iconv_close(converter);
  EXPECT_GT(compared, 7000);
  EXPECT_EQ(differing, 0);
}
#endif

struct Escape {
  const char* name;
  std::string text;
  std::string markup;
  std::string script;
};

class EscapeCases : public ::testing::TestWithParam<Escape> {};

TEST_P(EscapeCases, KeepsTheTextOutOfTheStructure) {
  EXPECT_EQ(MarkupEscaped(GetParam().text), GetParam().markup);
  EXPECT_EQ(ScriptString(GetParam().text), GetParam().script);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EscapeCases,
    ::testing::Values(
        Escape{"Plain", "abc", "abc", "\"abc\""},
        Escape{"LessThanAndAmpersand", "a<b && c>d", "a&lt;b &amp;&amp; c&gt;d",
               "\"a\\u003cb \\u0026\\u0026 c\\u003ed\""},
        Escape{"Quotes", "\"it's\"", "&quot;it&#39;s&quot;", "\"\\\"it's\\\"\""},
        Escape{"ClosingScript", "</script><script>alert(1)</script>",
               "&lt;/script&gt;&lt;script&gt;alert(1)&lt;/script&gt;",
               "\"\\u003c/script\\u003e\\u003cscript\\u003ealert(1)\\u003c/script\\u003e\""},
        Escape{"Backslash", "C:\\x", "C:\\x", "\"C:\\\\x\""},
        Escape{"LineBreakAndTab", "a\r\nb\tc", "a\r\nb\tc", "\"a\\u000d\\nb\\u0009c\""},
        Escape{"ForbiddenControl", std::string("a\x01" "b\x1B", 4), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD",
               "\"a\\u0001b\\u001b\""},
        Escape{"LineSeparators", "a\xE2\x80\xA8" "b\xE2\x80\xA9", "a\xE2\x80\xA8" "b\xE2\x80\xA9",
               "\"a\\u2028b\\u2029\""},
        Escape{"Japanese", "\xE3\x81\x82", "\xE3\x81\x82", "\"\xE3\x81\x82\""}),
    [](const auto& info) { return std::string(info.param.name); });

// Whatever the sizes of the pieces, the sink gets every byte in order: up
// to the buffer's end, across it, and in pieces larger than the buffer.
TEST(SinkBuffer, HandsEveryByteToTheSinkInOrder) {
  std::mt19937 random(30);
  StringSink sink;
  std::string expected;
  SinkBuffer out(sink);
  for (int i = 0; i < 60; ++i) {
    const std::size_t largest = i % 4 == 0 ? std::size_t{1} << 19 : std::size_t{1} << 12;
    const std::string piece(std::uniform_int_distribution<std::size_t>(0, largest)(random), static_cast<char>('a' + i % 26));
    if (piece.size() == 1) {
      out += piece.front();
    } else {
      out += piece;
    }
    expected += piece;
  }
  out.Flush();
  EXPECT_EQ(sink.Bytes(), expected);
}

TEST(TextMeasure, CountsHalfWidthOneAndFullWidthTwoColumns) {
  EXPECT_EQ(TextColumns(""), 0U);
  EXPECT_EQ(TextColumns("Power on?"), 9U);
  EXPECT_EQ(TextColumns("\xB1\xB2"), 2U);                  // ｱｲ: half-width katakana
  EXPECT_EQ(TextColumns("\x83\x5C\x83\x74\x83\x67"), 6U);  // ソフト
  EXPECT_EQ(TextColumns("A\x81\x63" "B"), 4U);              // A…B
}

TEST(TextMeasure, SplitsAMessageAtItsLineBreaks) {
  EXPECT_EQ(MessageLines(""), (std::vector<std::string_view>{""}));
  EXPECT_EQ(MessageLines("one"), (std::vector<std::string_view>{"one"}));
  EXPECT_EQ(MessageLines("a\r\n\r\nlonger\r\n"), (std::vector<std::string_view>{"a", "", "longer", ""}));
  EXPECT_EQ(WidestColumns(MessageLines("a\r\n\x82\xA0\x82\xA0\r\nbcd")), 4U);
}

}  // namespace
}  // namespace velmora
