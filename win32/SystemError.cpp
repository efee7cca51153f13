#include "win32/SystemError.h"

#include <string_view>

#include "document/Errors.h"
#include "win32/WideText.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {
namespace {

// A class may be named by its atom instead of a text. In CP932, as the
// message is: the player stub then needs no wide string arithmetic.
std::string ClassNameText(const wchar_t* className) {
  if (!IS_INTRESOURCE(className)) return ToCp932(className);
  std::string text = "#";
  text += DecimalText(static_cast<std::size_t>(reinterpret_cast<ULONG_PTR>(className)));
  return text;
}

// `before`, the class name in double quotation marks, `after` and the
// reason: the shape of the file layer's "cannot create" message. The texts
// are CP932. Appended piece by piece: joining with "+" where the right side
// is a temporary inserts at its front, a member the stub needs for nothing
// else.
[[noreturn]] void ThrowNamed(std::string_view before, const wchar_t* className, std::string_view after, DWORD error) {
  std::string text(before);
  text += "\"";
  text += ClassNameText(className);
  text += "\"";
  text += after;
  text += SystemReasonText(error);
#if defined(__cpp_exceptions)
  throw VelmoraError(text);
#else
  EndOnSystemError(text);
#endif
}

// "ウィンドウ "
constexpr std::string_view kWindowPrefix = "\x83\x45\x83\x42\x83\x93\x83\x68\x83\x45\x20";
// "ウィンドウ クラス "
constexpr std::string_view kWindowClassPrefix =
    "\x83\x45\x83\x42\x83\x93\x83\x68\x83\x45\x20\x83\x4e\x83\x89\x83\x58\x20";
// " を作成できません。"
constexpr std::string_view kCannotCreateSuffix =
    "\x20\x82\xf0\x8d\xec\x90\xac\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x81\x42";
// " を登録できません。"
constexpr std::string_view kCannotRegisterSuffix =
    "\x20\x82\xf0\x93\x6f\x98\x5e\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x81\x42";

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
  ThrowNamed(kWindowPrefix, className, kCannotCreateSuffix, error);
}

void ThrowCannotRegisterClass(const wchar_t* className) {
  const DWORD error = GetLastError();
  ThrowNamed(kWindowClassPrefix, className, kCannotRegisterSuffix, error);
}

}  // namespace velmora::win32
