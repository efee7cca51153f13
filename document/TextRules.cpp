#include "document/TextRules.h"

#include <array>
#include <cctype>

#include "document/Cp932.h"

namespace velmora {
namespace {

constexpr std::array<std::string_view, KindCount> kKindMarkers = {"? ", "i ", "! ", "x "};

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string_view KindMarker(int kind) {
  if (kind < 0 || kind >= KindCount) return {};
  return kKindMarkers[static_cast<std::size_t>(kind)];
}

int KindOfMarker(std::string_view text) {
  if (text.size() < 2) return -1;
  const char head[2] = {AsciiLower(text[0]), AsciiLower(text[1])};
  for (int kind = 0; kind < KindCount; ++kind) {
    const std::string_view marker = kKindMarkers[static_cast<std::size_t>(kind)];
    if (head[0] == marker[0] && head[1] == marker[1]) return kind;
  }
  return -1;
}

std::string RemoveKindMarker(std::string_view text) {
  return std::string(text.size() >= 2 ? text.substr(2) : std::string_view{});
}

std::string StripKindMarker(std::string_view text) {
  const int kind = KindOfMarker(text);
  if (kind >= Information && kind <= Inhibit) return RemoveKindMarker(text);
  return std::string(text);
}

DefaultSuffix DefaultSuffixOf(std::string_view text) {
  if (text.size() < 3) return DefaultSuffix::None;
  const std::string_view tail = text.substr(text.size() - 3);
  const char upper[3] = {AsciiUpper(tail[0]), AsciiUpper(tail[1]), AsciiUpper(tail[2])};
  const std::string_view tailUpper(upper, 3);
  if (tailUpper == NoDefaultSuffix) return DefaultSuffix::No;
  if (tailUpper == YesDefaultSuffix) return DefaultSuffix::Yes;
  return DefaultSuffix::None;
}

bool HasDefaultSuffix(std::string_view text) { return DefaultSuffixOf(text) != DefaultSuffix::None; }

std::string_view WithoutDefaultSuffix(std::string_view text) {
  return HasDefaultSuffix(text) ? text.substr(0, text.size() - 3) : text;
}

std::string RemoveDefaultSuffix(std::string_view text) { return std::string(WithoutDefaultSuffix(text)); }

std::string AppendNoDefault(std::string_view text) {
  std::string result(text);
  result += NoDefaultSuffix;
  return result;
}

std::string ExpandNewLines(std::string_view text, std::string_view mark) {
  if (mark.empty()) return std::string(text);
  std::string result;
  result.reserve(text.size());
  // The characters between two marks are copied at once: the exports
  // expand a large procedure's messages by the hundred thousand.
  std::size_t runStart = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (text[pos] == mark.front() && cp932::MatchesWholeCharsAt(text, pos, mark)) {
      result.append(text, runStart, pos - runStart);
      result += "\r\n";
      pos += mark.size();
      runStart = pos;
      continue;
    }
    pos += cp932::CharLengthAt(text, pos);
  }
  result.append(text, runStart, pos - runStart);
  return result;
}

std::string FoldNewLines(std::string_view text, std::string_view mark) {
  std::string result;
  result.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') {
      result += mark;
      pos += 2;
      continue;
    }
    const std::size_t length = cp932::CharLengthAt(text, pos);
    result.append(text, pos, length);
    pos += length;
  }
  return result;
}

std::string_view TrimBlanksView(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlankByte(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && IsBlankByte(static_cast<unsigned char>(text[end - 1]))) --end;
  return text.substr(begin, end - begin);
}

std::string TrimBlanks(std::string_view text) { return std::string(TrimBlanksView(text)); }

}  // namespace velmora
