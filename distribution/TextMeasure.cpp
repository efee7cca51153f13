#include "distribution/TextMeasure.h"

#include <algorithm>

namespace velmora {

std::size_t TextColumns(std::string_view cp932Line) {
  // A character's byte count is its column count, so the width is the
  // length; a damaged pair drawn as one replacement character only errs on
  // the wide side.
  return cp932Line.size();
}

std::vector<std::string_view> MessageLines(std::string_view expanded) {
  std::vector<std::string_view> lines;
  SplitMessageLines(expanded, lines);
  return lines;
}

void SplitMessageLines(std::string_view expanded, std::vector<std::string_view>& lines) {
  lines.clear();
  for (std::size_t start = 0;;) {
    const std::size_t end = expanded.find("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(expanded.substr(start));
      return;
    }
    lines.push_back(expanded.substr(start, end - start));
    start = end + 2;
  }
}

std::size_t WidestColumns(const std::vector<std::string_view>& lines) {
  std::size_t widest = 0;
  for (const std::string_view line : lines) widest = std::max(widest, TextColumns(line));
  return widest;
}

}  // namespace velmora
