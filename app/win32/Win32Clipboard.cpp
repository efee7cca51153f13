#include "app/win32/Win32Clipboard.h"

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <new>
#include <utility>

#include "document/Errors.h"
#include "win32/ClipboardText.h"
#include "win32/SystemError.h"
#include "win32/WideText.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {
namespace {

// "クリップボードを開けません。"
constexpr const char* kCannotUseClipboard =
    "\x83\x4e\x83\x8a\x83\x62\x83\x76\x83\x7b\x81\x5b\x83\x68\x82\xf0\x8a\x4a\x82\xaf\x82\xdc\x82\xb9\x82\xf1\x81\x42";
// "貼り付ける文字列に保存できない文字があります（", then the code and "）。"
constexpr const char* kUnstorableTextHead =
    "\x93\x5c\x82\xe8\x95\x74\x82\xaf\x82\xe9\x95\xb6\x8e\x9a\x97\xf1\x82\xc9\x95\xdb\x91\xb6\x82\xc5\x82\xab\x82\xc8"
    "\x82\xa2\x95\xb6\x8e\x9a\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb7\x81\x69";
constexpr const char* kUnstorableTextTail = "\x81\x6a\x81\x42";

[[noreturn]] void ThrowClipboardError() {
  throw VelmoraError(std::string(kCannotUseClipboard) + SystemReasonText(GetLastError()));
}

// The clipboard, open for the scope (ClipboardText.h tries a few times).
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) {
    if (!OpenClipboardPatiently(owner)) ThrowClipboardError();
  }
  ~OpenedClipboard() { CloseClipboard(); }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
};

// A global memory block's content, locked for the scope.
class LockedGlobal {
 public:
  explicit LockedGlobal(HGLOBAL memory) : memory_(memory), data_(GlobalLock(memory)) {}
  ~LockedGlobal() {
    if (data_ != nullptr) GlobalUnlock(memory_);
  }
  LockedGlobal(const LockedGlobal&) = delete;
  LockedGlobal& operator=(const LockedGlobal&) = delete;
  void* Data() const { return data_; }
  std::size_t Size() const { return GlobalSize(memory_); }

 private:
  HGLOBAL memory_;
  void* data_;
};

unsigned long CodePoint(std::wstring_view character) {
  const auto first = static_cast<unsigned long>(character.empty() ? 0 : character[0]);
  if (character.size() < 2 || first < 0xD800 || first > 0xDBFF) return first;
  const auto second = static_cast<unsigned long>(character[1]);
  return 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00);
}

}  // namespace

std::string UnstorableClipboardTextMessage(std::wstring_view character) {
  char code[16];
  std::snprintf(code, sizeof code, "U+%04lX", CodePoint(character));
  return std::string(kUnstorableTextHead) + code + kUnstorableTextTail;
}

void Win32Clipboard::WriteText(const std::string& cp932) {
  const std::string_view ansi(cp932);
  if (!PutClipboardText(owner_, ToWide(cp932), &ansi)) ThrowClipboardError();
}

std::optional<std::string> Win32Clipboard::ReadText() {
  std::wstring text;
  {
    const OpenedClipboard clipboard(owner_);
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data == nullptr) return std::nullopt;
    const LockedGlobal locked(data);
    if (locked.Data() == nullptr) return std::nullopt;
    const auto* chars = static_cast<const wchar_t*>(locked.Data());
    // A block may be larger than its text, and a careless program's text
    // may lack its terminating zero: the block's size bounds the reading.
    text.assign(chars, wcsnlen(chars, locked.Size() / sizeof(wchar_t)));
  }
  if (const std::optional<std::wstring> refused = FirstUnrepresentableChar(text)) {
    throw VelmoraError(UnstorableClipboardTextMessage(*refused));
  }
  return ToCp932(text);
}

}  // namespace velmora::win32
