// The node text conventions: markers, default suffixes, newline marks and
// trimming, all counted in CP932 bytes.
#include "document/TextRules.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

const std::string kArrow = "\x81\xAB";       // "↓"
const std::string kEllipsis = "\x81\x63";    // "…"
const std::string kFullWidthSpace = "\x81\x40";

TEST(KindMarker, TableAndLookupInEitherCase) {
  EXPECT_EQ(KindMarker(Question), "? ");
  EXPECT_EQ(KindMarker(Information), "i ");
  EXPECT_EQ(KindMarker(Exclaimation), "! ");
  EXPECT_EQ(KindMarker(Inhibit), "x ");
  EXPECT_EQ(KindMarker(Unset), "");
  EXPECT_EQ(KindMarker(4), "");

  EXPECT_EQ(KindOfMarker("? text"), Question);
  EXPECT_EQ(KindOfMarker("i text"), Information);
  EXPECT_EQ(KindOfMarker("I text"), Information);
  EXPECT_EQ(KindOfMarker("! text"), Exclaimation);
  EXPECT_EQ(KindOfMarker("X text"), Inhibit);
  EXPECT_EQ(KindOfMarker("x "), Inhibit);
}

TEST(KindMarker, TextsWithoutMarker) {
  EXPECT_EQ(KindOfMarker("?x"), -1);         // no space after the sign
  EXPECT_EQ(KindOfMarker("?"), -1);          // one byte
  EXPECT_EQ(KindOfMarker(""), -1);
  EXPECT_EQ(KindOfMarker(kEllipsis), -1);    // a double-byte character
  EXPECT_EQ(KindOfMarker("ix"), -1);
}

TEST(KindMarker, RemovalAndStripping) {
  EXPECT_EQ(RemoveKindMarker("? "), "");
  EXPECT_EQ(RemoveKindMarker("X abc"), "abc");
  // The kind commands keep a leading "? " but strip the other three.
  EXPECT_EQ(StripKindMarker("? abc"), "? abc");
  EXPECT_EQ(StripKindMarker("i abc"), "abc");
  EXPECT_EQ(StripKindMarker("! abc"), "abc");
  EXPECT_EQ(StripKindMarker("X abc"), "abc");
  EXPECT_EQ(StripKindMarker("abc"), "abc");
}

TEST(DefaultSuffix, RecognisedInEitherCase) {
  EXPECT_EQ(DefaultSuffixOf("Is it on?(N)"), DefaultSuffix::No);
  EXPECT_EQ(DefaultSuffixOf("Is it on?(n)"), DefaultSuffix::No);
  EXPECT_EQ(DefaultSuffixOf("Is it on?(y)"), DefaultSuffix::Yes);
  EXPECT_EQ(DefaultSuffixOf("(N)"), DefaultSuffix::No);
  EXPECT_EQ(DefaultSuffixOf("N)"), DefaultSuffix::None);
  EXPECT_EQ(DefaultSuffixOf("text(N) "), DefaultSuffix::None);  // a blank after it hides it
  EXPECT_EQ(DefaultSuffixOf("text"), DefaultSuffix::None);
}

TEST(DefaultSuffix, RemoveAndAppend) {
  EXPECT_EQ(RemoveDefaultSuffix("(N)"), "");
  EXPECT_EQ(RemoveDefaultSuffix("abc(y)"), "abc");
  EXPECT_EQ(RemoveDefaultSuffix("abc"), "abc");
  EXPECT_EQ(AppendNoDefault(RemoveDefaultSuffix("abc(N)")), "abc(N)");
}

TEST(NewLines, FourLinesWithArrow) {
  const std::string stored = "one" + kArrow + "two" + kArrow + kArrow + "three";
  const std::string shown = ExpandNewLines(stored, kArrow);
  EXPECT_EQ(shown, "one\r\ntwo\r\n\r\nthree");
  EXPECT_EQ(FoldNewLines(shown, kArrow), stored);
}

TEST(NewLines, ChangedMarkShowsOldMarkLiterally) {
  const std::string stored = "a" + kArrow + "b/c";
  EXPECT_EQ(ExpandNewLines(stored, "/"), "a" + kArrow + "b\r\nc");
}

TEST(NewLines, MarkNeverMatchesAcrossCharacters) {
  // 0x81 0x5C is a double-byte character whose second byte is the backslash.
  const std::string soText = "\x83\x5C\x81\x5C";  // "ソ―"
  EXPECT_EQ(ExpandNewLines(soText, "\\"), soText);
  // A mark made of the trail byte of one character and the lead byte of the
  // next must not match either.
  const std::string twoChars = "\x81\x40\x81\x40";
  EXPECT_EQ(ExpandNewLines(twoChars, "\x40\x81"), twoChars);
  // A real backslash after a double-byte character is found.
  EXPECT_EQ(ExpandNewLines("\x83\x5C\\x", "\\"), "\x83\x5C\r\nx");
}

TEST(NewLines, EmptyAndLongMarks) {
  EXPECT_EQ(ExpandNewLines("a" + kArrow + "b", ""), "a" + kArrow + "b");
  EXPECT_EQ(FoldNewLines("a\r\nb\r\n", ""), "ab");
  EXPECT_EQ(ExpandNewLines("a<br>b<br>", "<br>"), "a\r\nb\r\n");
  EXPECT_EQ(FoldNewLines("a\r\nb", "<br>"), "a<br>b");
  // A lone CR or LF is not a line break for folding.
  EXPECT_EQ(FoldNewLines("a\nb\rc", "/"), "a\nb\rc");
}

TEST(Trimming, ControlBytesAndSpacesOnly) {
  EXPECT_EQ(TrimBlanks(" \t\r\nabc \x01"), "abc");
  EXPECT_EQ(TrimBlanks(kFullWidthSpace + "abc" + kFullWidthSpace), kFullWidthSpace + "abc" + kFullWidthSpace);
  EXPECT_EQ(TrimBlanks("   "), "");
  EXPECT_EQ(TrimBlanks(std::string("a\0", 2)), "a");
}

TEST(Placeholder, IsTheEllipsisInCp932) { EXPECT_EQ(std::string(PlaceholderText), kEllipsis); }

}  // namespace
}  // namespace velmora

#include "document/Errors.h"

namespace velmora {
namespace {

struct FullStopCase {
  std::string message;
  std::string report;
};

class GeneralErrorReport : public ::testing::TestWithParam<FullStopCase> {};

TEST_P(GeneralErrorReport, FullStopOnlyAfterSingleByteCharactersSortingAfterIt) {
  EXPECT_EQ(GeneralErrorReportText(GetParam().message), GetParam().report);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, GeneralErrorReport,
    ::testing::Values(FullStopCase{"abc", "abc."}, FullStopCase{"abc.", "abc."}, FullStopCase{"abc!", "abc!"},
                      FullStopCase{"", ""},
                      // Half-width katakana "ｱ" is a single byte after ".".
                      FullStopCase{"\xB1", "\xB1."},
                      // "…です", "…ません。", "「x」", "（x）": double-byte endings.
                      FullStopCase{"\x82\xC5\x82\xB7", "\x82\xC5\x82\xB7"},
                      FullStopCase{"\x82\xDC\x82\xB9\x82\xF1\x81\x42", "\x82\xDC\x82\xB9\x82\xF1\x81\x42"},
                      FullStopCase{"\x81\x75x\x81\x76", "\x81\x75x\x81\x76"},
                      FullStopCase{"\x81\x69x\x81\x6A", "\x81\x69x\x81\x6A"},
                      // "ソ" ends in the trail byte 0x5C ("\\"), which alone would sort
                      // after "."; "a表" ends in 0x5C too.
                      FullStopCase{"\x83\x5C", "\x83\x5C"}, FullStopCase{"a\x95\x5C", "a\x95\x5C"},
                      // A lead byte cut off at the end counts as a character of its own.
                      FullStopCase{"a\x82", "a\x82."}));

}  // namespace
}  // namespace velmora
