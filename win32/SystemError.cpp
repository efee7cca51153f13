#include "win32/SystemError.h"

#include <string_view>

#include "document/Errors.h"
#include "win32/WideText.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {
namespace {

// A class may be named by its atom instead of a text.
std::wstring ClassNameText(const wchar_t* className) {
  if (!IS_INTRESOURCE(className)) return className;
  // Digits by hand: std::to_wstring would bring the C library's formatted
  // printing into the player stub.
  std::wstring digits;
  for (auto atom = static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(className)); digits.empty() || atom > 0; atom /= 10) {
    digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + atom % 10));
  }
  return L"#" + digits;
}

// `before`, the class name in double quotation marks, `after` and the
// reason: the shape of the file layer's "cannot create" message.
[[noreturn]] void ThrowNamed(std::wstring_view before, const wchar_t* className, std::wstring_view after,
                             DWORD error) {
  std::wstring text(before);
  text += L'"';
  text += ClassNameText(className);
  text += L'"';
  text += after;
#if defined(__cpp_exceptions)
  throw VelmoraError(ToCp932(text) + SystemReasonText(error));
#else
  EndOnSystemError(ToCp932(text) + SystemReasonText(error));
#endif
}

}  // namespace

std::string SystemReasonText(unsigned long errorCode) {
  wchar_t* buffer = nullptr;
  const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS;
  DWORD length = FormatMessageW(flags, nullptr, errorCode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  const UniqueHandleOf<wchar_t*, &LocalFree> text(buffer);
  // The text ends in a line break (and sometimes blanks); the messages put
  // it at the end of a sentence.
  while (length > 0 && text.get()[length - 1] <= L' ') --length;
  if (length == 0) return {};
  return ToCp932(std::wstring_view(text.get(), length));
}

void ThrowCannotCreateWindow(const wchar_t* className) {
  const DWORD error = GetLastError();
  ThrowNamed(L"ウィンドウ ", className, L" を作成できません。", error);
}

void ThrowCannotRegisterClass(const wchar_t* className) {
  const DWORD error = GetLastError();
  ThrowNamed(L"ウィンドウ クラス ", className, L" を登録できません。", error);
}

}  // namespace velmora::win32
