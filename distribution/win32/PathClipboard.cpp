#include "distribution/win32/PathClipboard.h"

#include "win32/ClipboardText.h"
#include "win32/ProgramPath.h"
#include "win32/TimeText.h"
#include "win32/WideText.h"

namespace velmora::win32 {
namespace {

// "日時: " (date and time) and "ファイル: " (file).
constexpr std::string_view kDateLabel = "\x93\xFA\x8E\x9E: ";
constexpr std::string_view kFileLabel = "\x83\x74\x83\x40\x83\x43\x83\x8B: ";

}  // namespace

std::string PathFooter(const SYSTEMTIME& time, std::wstring_view programPath) {
  std::string text(kDateLabel);
  text += TimeText(time, "// :");
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
  // Appended rather than joined with "+", whose form for a temporary on the
  // right inserts at the front: a member the stub then needs for nothing else.
  std::string text = cp932Path;
  text += PathFooter(now, OwnProgramPath());
  return PutClipboardText(owner, ToWide(text));
}

}  // namespace velmora::win32
