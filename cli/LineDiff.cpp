#include "cli/LineDiff.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace velmora::cli {
namespace {

constexpr std::size_t kContext = 3;
// Cells of the comparison table: 16 million cells of 4 bytes stay well
// within what a diff run may take.
constexpr std::size_t kMostCells = std::size_t{1} << 24;

// Lines with their line ends, so a last line without one stays visible.
std::vector<std::string_view> LinesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::size_t length = end == std::string_view::npos ? text.size() : end + 1;
    lines.push_back(text.substr(0, length));
    text.remove_prefix(length);
  }
  return lines;
}

std::vector<std::string_view> Slice(const std::vector<std::string_view>& lines, std::size_t from, std::size_t to) {
  std::vector<std::string_view> slice;
  for (std::size_t i = from; i < to; ++i) slice.push_back(lines[i]);
  return slice;
}

struct Edit {
  char mark;  // ' ', '-' or '+'
  std::string_view line;
};

// The middle's edits, kept lines between them, by a longest common
// subsequence table filled from the end.
std::vector<Edit> MiddleEdits(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b) {
  std::vector<Edit> edits;
  const std::size_t n = a.size();
  const std::size_t m = b.size();
  if (n == 0 || m == 0 || n * m > kMostCells) {
    for (const std::string_view line : a) edits.push_back({'-', line});
    for (const std::string_view line : b) edits.push_back({'+', line});
    return edits;
  }
  std::vector<std::uint32_t> common((n + 1) * (m + 1), 0);
  const auto at = [m](std::size_t i, std::size_t j) { return i * (m + 1) + j; };
  for (std::size_t i = n; i-- > 0;) {
    for (std::size_t j = m; j-- > 0;) {
      common[at(i, j)] = a[i] == b[j] ? common[at(i + 1, j + 1)] + 1
                                      : std::max(common[at(i + 1, j)], common[at(i, j + 1)]);
    }
  }
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < n || j < m) {
    if (i < n && j < m && a[i] == b[j]) {
      edits.push_back({' ', a[i++]});
      ++j;
    } else if (j == m || (i < n && common[at(i + 1, j)] >= common[at(i, j + 1)])) {
      edits.push_back({'-', a[i++]});
    } else {
      edits.push_back({'+', b[j++]});
    }
  }
  return edits;
}

std::string Range(std::size_t start, std::size_t count) {
  // diff -u numbers from 1, and an empty range by the line before it.
  return std::to_string(count == 0 ? start : start + 1) + "," + std::to_string(count);
}

}  // namespace

std::string UnifiedLineDiff(std::string_view before, std::string_view after, std::string_view oldName,
                            std::string_view newName) {
  if (before == after) return {};
  const std::vector<std::string_view> a = LinesOf(before);
  const std::vector<std::string_view> b = LinesOf(after);
  std::size_t prefix = 0;
  while (prefix < a.size() && prefix < b.size() && a[prefix] == b[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < a.size() - prefix && suffix < b.size() - prefix &&
         a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix]) {
    ++suffix;
  }
  const std::size_t leading = std::min(prefix, kContext);
  const std::size_t trailing = std::min(suffix, kContext);
  const std::vector<std::string_view> middleA = Slice(a, prefix, a.size() - suffix);
  const std::vector<std::string_view> middleB = Slice(b, prefix, b.size() - suffix);

  std::string text = "--- " + std::string(oldName) + "\n+++ " + std::string(newName) + "\n";
  const std::size_t start = prefix - leading;
  text += "@@ -" + Range(start, leading + middleA.size() + trailing) + " +" +
          Range(start, leading + middleB.size() + trailing) + " @@\n";
  const auto append = [&text](char mark, std::string_view line) {
    text += mark;
    text += line;
    if (line.empty() || line.back() != '\n') text += "\n\\ No newline at end of file\n";
  };
  for (std::size_t k = start; k < prefix; ++k) append(' ', a[k]);
  for (const Edit& edit : MiddleEdits(middleA, middleB)) append(edit.mark, edit.line);
  for (std::size_t k = a.size() - suffix; k < a.size() - suffix + trailing; ++k) append(' ', a[k]);
  return text;
}

}  // namespace velmora::cli
