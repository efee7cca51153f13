// The line rule read from either end: the reverse splitter, which finds a
// tree file's option block from the end, gives exactly the lines of the
// forward one, last first, for every kind of line end.
#include "files/LineSplitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

std::vector<std::string> Forward(std::string_view text) {
  std::vector<std::string> lines;
  LineSplitter splitter(text);
  std::string_view line;
  while (splitter.Next(line)) lines.emplace_back(line);
  return lines;
}

std::vector<std::string> BackwardReversed(std::string_view text) {
  std::vector<std::string> lines;
  ReverseLineSplitter splitter(text);
  std::string_view line;
  while (splitter.Previous(line)) {
    // Each line starts where the splitter says it does.
    EXPECT_EQ(splitter.Text().substr(splitter.Position(), line.size()), line);
    lines.insert(lines.begin(), std::string(line));
  }
  return lines;
}

TEST(LineSplitter, BothDirectionsAgreeOnEveryLineEnd) {
  const std::string cases[] = {
      "",          "a",         "a\r\n",     "a\r\nb",     "a\rb\r",      "a\nb\n",     "\r\n",
      "\n",        "\r",        "\n\r",      "\r\r\n",     "a\r\r\nb",    "a\n\rb",     "a\n\n\n",
      "\r\n\r\n",  "x\r\n\ty\r", "\t\r\n \n", "[OPTION]", "a\r\n[O]\r", std::string("a\0\r\nb", 5),
      std::string("\0a\r\n", 4), std::string("a\r\n\0", 4),
  };
  for (const std::string& text : cases) {
    EXPECT_EQ(BackwardReversed(text), Forward(text)) << "input of " << text.size() << " bytes: " << text;
  }
}

// The line on which the NUL stands is the one the splitter would number for
// the text up to it, a line end just before the NUL starting a new line.
TEST(LineSplitter, TheLineOfTheFirstNulCountsEveryKindOfLineEnd) {
  const std::pair<std::string, std::size_t> cases[] = {
      {"no nul\r\nhere", 0},
      {std::string("\0", 1), 1},
      {std::string("abc\0def", 7), 1},
      {std::string("a\r\n\0", 4), 2},
      {std::string("a\r\nb\rc\nd\0\n\0", 11), 4},
      {std::string("a\n\r\0", 4), 3},
      {std::string("a\r\0\n", 4), 2},
  };
  for (const auto& [text, line] : cases) {
    EXPECT_EQ(LineOfFirstNul(text), line) << "input of " << text.size() << " bytes";
    if (line == 0) continue;
    // As many lines as the splitter finds before the NUL, plus the one it
    // stopped on when that line had begun.
    std::vector<std::string> before = Forward(text);
    const std::string_view kept = BeforeNul(text);
    const bool lineBegun = !kept.empty() && kept.back() != '\r' && kept.back() != '\n';
    EXPECT_EQ(before.size() + (lineBegun ? 0 : 1), line) << "input of " << text.size() << " bytes";
  }
}

}  // namespace
}  // namespace velmora
