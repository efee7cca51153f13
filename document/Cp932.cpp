#include "document/Cp932.h"

namespace velmora::cp932 {

bool MatchesWholeCharsAt(std::string_view text, std::size_t pos, std::string_view pattern) {
  if (pattern.empty() || text.compare(pos, pattern.size(), pattern) != 0) return false;
  if (pos + pattern.size() > text.size()) return false;
  std::size_t end = pos;
  while (end < pos + pattern.size()) end += CharLengthAt(text, end);
  return end == pos + pattern.size();
}

std::string_view FirstChar(std::string_view text) {
  if (text.empty()) return text;
  return text.substr(0, CharLengthAt(text, 0));
}

}  // namespace velmora::cp932
