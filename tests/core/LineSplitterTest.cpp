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

}  // namespace
}  // namespace velmora
