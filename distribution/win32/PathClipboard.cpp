#include "distribution/win32/PathClipboard.h"

#include <cstring>

#include "win32/ProgramPath.h"
#include "win32/WideText.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {
namespace {

// "日時: " (date and time) and "ファイル: " (file).
constexpr std::string_view kDateLabel = "\x93\xFA\x8E\x9E: ";
constexpr std::string_view kFileLabel = "\x83\x74\x83\x40\x83\x43\x83\x8B: ";

// Digits by hand, zero-padded: the C library's formatted printing would
// come into the player stub for this one line.
void AppendNumber(std::string& text, unsigned value, int width) {
  char digits[8] = {};
  for (int i = width - 1; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  text.append(digits, static_cast<std::size_t>(width));
}

class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~OpenClipboardScope() {
    if (open_) CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  bool Open() const { return open_; }

 private:
  bool open_;
};

using UniqueGlobal = UniqueHandleOf<HGLOBAL, &GlobalFree>;

}  // namespace

std::string PathFooter(const SYSTEMTIME& time, std::wstring_view programPath) {
  std::string text(kDateLabel);
  AppendNumber(text, time.wYear, 4);
  text += '/';
  AppendNumber(text, time.wMonth, 2);
  text += '/';
  AppendNumber(text, time.wDay, 2);
  text += ' ';
  AppendNumber(text, time.wHour, 2);
  text += ':';
  AppendNumber(text, time.wMinute, 2);
  text += "\r\n";
  const std::size_t slash = programPath.find_last_of(L"\\/");
  text += kFileLabel;
  text += ToCp932(slash == std::wstring_view::npos ? programPath : programPath.substr(slash + 1));
  text += "\r\n";
  return text;
}

bool CopyPathToClipboard(HWND owner, const std::string& cp932Path) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const std::wstring text = ToWide(cp932Path + PathFooter(now, OwnProgramPath()));
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return false;
  void* target = GlobalLock(memory.get());
  if (target == nullptr) return false;
  std::memcpy(target, text.c_str(), bytes);
  GlobalUnlock(memory.get());
  const OpenClipboardScope clipboard(owner);
  if (!clipboard.Open() || !EmptyClipboard()) return false;
  if (SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) return false;
  // The clipboard owns the memory now.
  memory.release();
  return true;
}

}  // namespace velmora::win32
