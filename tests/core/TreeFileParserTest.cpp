// The tree-text parser: line ends, indentation and the level rules.
#include <gtest/gtest.h>

#include "files/DistributionPayload.h"
#include "files/FileMessages.h"
#include "files/TreeFile.h"
#include "files/TreeTextParser.h"
#include "TreeFileTestSupport.h"

namespace velmora {
namespace {

using testing::Describe;

std::string Parsed(const std::string& text) { return Describe(ParseTreeText(text)); }

TEST(TreeTextParser, EveryKindOfLineEnd) {
  struct Case {
    std::string text;
    std::string expected;
  };
  const Case cases[] = {
      {std::string("a\r\n\tb\r\n"), "[0]a\n\t[0]b\n"},
      {std::string("a\r\tb\r"), "[0]a\n\t[0]b\n"},
      {std::string("a\n\tb\n"), "[0]a\n\t[0]b\n"},
      // LF CR is two ends with an empty (root-level) line between.
      {std::string("a\n\rb"), "[0]a\n[0]\n[0]b\n"},
      {std::string("a\r\n\r\nb"), "[0]a\n[0]\n[0]b\n"},
      // A last line without terminator counts; NUL ends the text.
      {std::string("a\r\n\tb"), "[0]a\n\t[0]b\n"},
      {std::string("a\r\n\tb\0\r\nc\r\n", 10), "[0]a\n\t[0]b\n"},
      {std::string("\0a", 2), ""},
      {std::string(""), ""},
      {std::string("\r\n"), "[0]\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(Parsed(c.text), c.expected) << "input: " << c.text;
}

TEST(TreeTextParser, TabsAndSpacesInAnyMixAreLevels) {
  EXPECT_EQ(Parsed("r\n\ta\n \tb\n  c\n\t \td  \nx"), "[0]r\n\t[0]a\n\t\t[0]b\n\t\t[0]c\n\t\t\t[0]d  \n[0]x\n");
  // Spaces load the same tree as TABs.
  EXPECT_EQ(Parsed("r\r\n a\r\n  b\r\n c\r\n"), Parsed("r\r\n\ta\r\n\t\tb\r\n\tc\r\n"));
}

TEST(TreeTextParser, LevelDropsClimbToTheMatchingAncestor) {
  EXPECT_EQ(Parsed("r\n\ta\n\t\tb\n\t\t\tc\n\td\n\t\te\nf\n\tg"),
            "[0]r\n\t[0]a\n\t\t[0]b\n\t\t\t[0]c\n\t[0]d\n\t\t[0]e\n[0]f\n\t[0]g\n");
  // Blank lines: an empty line is an empty root-level node, a line of blanks
  // an empty node at its level.
  EXPECT_EQ(Parsed("r\n\ta\n\t\n\n\tb"), "[0]r\n\t[0]a\n\t[0]\n[0]\n\t[0]b\n");
}

TEST(TreeTextParser, FirstLineIsTheRootHoweverIndented) {
  EXPECT_EQ(Parsed("\t\tr\n\ta"), "[0]r\n\t[0]a\n");
  // The next line is measured against level 0, not against its indentation.
  EXPECT_EQ(testing::ErrorOf([] { ParseTreeText("\tr\n\t\ta"); }),
            "\x83\x41\x83\x43\x83\x65\x83\x80 \"a\" \x82\xcc\x8a\x4b\x91\x77 (2) \x82\xaa\x95\x73\x90\xb3\x82\xc5\x82\xb7");
}

TEST(TreeTextParser, JumpOfTwoLevelsNamesTheLineAndItsLevel) {
  // "アイテム "x  y" の階層 (3) が不正です": the text without indentation,
  // trailing blanks kept.
  EXPECT_EQ(testing::ErrorOf([] { ParseTreeText("r\r\n\ta\r\n\t \t x  y\r\n\tb\r\n"); }),
            "\x83\x41\x83\x43\x83\x65\x83\x80 \"x  y\" \x82\xcc\x8a\x4b\x91\x77 (4) \x82\xaa\x95\x73\x90\xb3\x82\xc5\x82\xb7");
}

// The player parses without exceptions: the value form stops at the bad
// line with the message the editor's form throws, and reads good text alike.
TEST(TreeTextParser, ValueFormStopsAtTheBadLineWithTheSameMessage) {
  const std::string bad[] = {"\tr\n\t\ta", "r\r\n\ta\r\n\t \t x  y\r\n\tb\r\n", "r\n\t\t\tdeep"};
  for (const std::string& text : bad) {
    const TreeTextParse parse = ParseTreeTextOrError(text);
    EXPECT_EQ(parse.error, testing::ErrorOf([&] { ParseTreeText(text); })) << text;
    EXPECT_NE(parse.error, "(no error)");
  }
  // The lines before the bad one are in the tree; nothing after it.
  EXPECT_EQ(testing::Describe(ParseTreeTextOrError("r\n\ta\n\t\t\tx\n\tb").tree), "[0]r\n\t[0]a\n");
  const TreeTextParse good = ParseTreeTextOrError("r\n\ta\n\tb");
  EXPECT_EQ(good.error, "");
  EXPECT_EQ(testing::Describe(good.tree), Parsed("r\n\ta\n\tb"));
}

// A line of megabytes at a wrong level gives a message of a few hundred
// bytes: the quote is cut on a character boundary and ends in "…".
TEST(TreeTextParser, TheLevelErrorQuotesAtMostTheStartOfALongLine) {
  const std::string kCut = "\x81\x63";  // "…"
  // "あ" is two bytes; after one "x" the limit falls inside one of them.
  std::string kana;
  for (std::size_t i = 0; i < kQuoteLimit; ++i) kana += "\x82\xa0";
  const std::pair<std::string, std::string> cases[] = {
      {std::string(8u << 20, 'y'), std::string(kQuoteLimit, 'y') + kCut},
      {std::string(kQuoteLimit, 'z'), std::string(kQuoteLimit, 'z')},
      {std::string(kQuoteLimit + 1, 'z'), std::string(kQuoteLimit, 'z') + kCut},
      {"x" + kana, "x" + kana.substr(0, kQuoteLimit - 2) + kCut},
      {kana, kana.substr(0, kQuoteLimit) + kCut},
  };
  for (const auto& [line, quoted] : cases) {
    // A structured binding cannot be captured before C++20.
    const std::string& text = line;
    const std::string message = testing::ErrorOf([&] { ParseTreeText("r\r\n\t\t" + text + "\r\n"); });
    EXPECT_EQ(QuotedLine(line), quoted) << line.size() << " bytes";
    EXPECT_NE(message.find("\"" + quoted + "\" "), std::string::npos) << line.size() << " bytes";
    EXPECT_LT(message.size(), 300u);
  }
}

// Files can hold trees far deeper than any stack: 10,000 levels (about 50 MB
// of TABs) load, restore, save, generate, read back and go away without
// recursion.
TEST(TreeTextParser, TenThousandLevelsLoadAndSaveWithoutRecursion) {
  constexpr std::size_t kDepth = 10000;
  std::string text;
  text.reserve(kDepth * kDepth / 2 + kDepth * 8);
  for (std::size_t level = 0; level < kDepth; ++level) {
    text.append(level, '\t');
    text += "i n\r\n";
  }
  testing::MemoryFileSystem fs;
  fs.files["deep.tre"] = text + "[OPTION]\r\nTitle=deep\r\n";
  LoadedDocument document = LoadTreeFile(fs, testing::Path("deep.tre"), DocumentState{});
  ASSERT_EQ(document.tree.Count(), kDepth);
  EXPECT_EQ(document.tree.LastPreOrder()->Level(), static_cast<int>(kDepth - 1));
  EXPECT_EQ(document.tree.LastPreOrder()->kind, Information);
  const std::string saved = BuildTreeText(document.tree, document.state);
  EXPECT_EQ(saved.compare(0, text.size(), text), 0);

  const std::string generated = BuildDistributionExecutable("MZ", document.tree, document.state);
  const LoadedDocument readBack = ReadDistributionPayload(generated, testing::Path("deep.exe"), "deep.exe", DocumentState{});
  EXPECT_EQ(readBack.tree.Count(), kDepth);
  EXPECT_EQ(readBack.state.Title, "deep");
}

}  // namespace
}  // namespace velmora
