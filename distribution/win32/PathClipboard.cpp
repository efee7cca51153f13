#include "distribution/win32/PathClipboard.h"

#include "win32/ClipboardText.h"
#include "win32/ProgramPath.h"
#include "win32/WideText.h"

namespace velmora::win32 {
namespace {

// "日時: " (date and time) and "ファイル: " (file).
constexpr std::string_view kDateLabel = "\x93\xFA\x8E\x9E: ";
constexpr std::string_view kFileLabel = "\x83\x74\x83\x40\x83\x43\x83\x8B: ";

// Digits by hand into a fixed line: the C library's formatted printing
// would come into the player stub for this one line.
void PutDigits(char* at, unsigned value, int width) {
  for (int i = width - 1; i >= 0; --i) {
    at[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
}

}  // namespace

std::string PathFooter(const SYSTEMTIME& time, std::wstring_view programPath) {
  char stamp[] = "0000/00/00 00:00\r\n";
  PutDigits(stamp, time.wYear, 4);
  PutDigits(stamp + 5, time.wMonth, 2);
  PutDigits(stamp + 8, time.wDay, 2);
  PutDigits(stamp + 11, time.wHour, 2);
  PutDigits(stamp + 14, time.wMinute, 2);
  std::string text(kDateLabel);
  text += stamp;
  const std::size_t slash = programPath.find_last_of(L"\\/");
  text += kFileLabel;
  text += ToCp932(slash == std::wstring_view::npos ? programPath : programPath.substr(slash + 1));
  text += "\r\n";
  return text;
}

bool CopyPathToClipboard(HWND owner, const std::string& cp932Path) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  // Appended rather than joined with "+", whose form for a temporary on the
  // right inserts at the front: a member the stub then needs for nothing else.
  std::string text = cp932Path;
  text += PathFooter(now, OwnProgramPath());
  return PutClipboardText(owner, ToWide(text));
}

}  // namespace velmora::win32
