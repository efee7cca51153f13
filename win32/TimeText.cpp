#include "win32/TimeText.h"

namespace velmora::win32 {

void AppendDigits(std::string& out, unsigned value, int width) {
  char digits[10];
  for (int i = width; i-- > 0; value /= 10) digits[i] = static_cast<char>('0' + value % 10);
  out.append(digits, static_cast<std::size_t>(width));
}

std::string TimeText(const SYSTEMTIME& time, std::string_view separators) {
  const WORD parts[] = {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
  std::string text;
  for (std::size_t part = 0; part <= separators.size() && part < 6; ++part) {
    AppendDigits(text, parts[part], part == 0 ? 4 : 2);
    if (part < separators.size()) text += separators[part];
  }
  return text;
}

}  // namespace velmora::win32
