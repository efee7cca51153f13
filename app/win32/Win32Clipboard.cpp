#include "app/win32/Win32Clipboard.h"

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <new>
#include <utility>

#include "document/Errors.h"
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

using UniqueGlobal = UniqueHandleOf<HGLOBAL, &GlobalFree>;

[[noreturn]] void ThrowClipboardError() {
  throw VelmoraError(std::string(kCannotUseClipboard) + SystemReasonText(GetLastError()));
}

// The clipboard, open for the scope. Another program may hold it for a
// moment (a clipboard viewer reading what was just put there), so opening
// is tried a few times before it counts as failed.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) {
    constexpr int kAttempts = 10;
    constexpr DWORD kPauseMilliseconds = 20;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
      if (OpenClipboard(owner)) return;
      Sleep(kPauseMilliseconds);
    }
    ThrowClipboardError();
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

// `count` characters and a terminating zero in a block the clipboard can
// take over.
template <typename Char>
UniqueGlobal GlobalText(const Char* text, std::size_t count) {
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, (count + 1) * sizeof(Char)));
  if (!memory) throw std::bad_alloc();
  const LockedGlobal locked(memory.get());
  if (locked.Data() == nullptr) throw std::bad_alloc();
  auto* target = static_cast<Char*>(locked.Data());
  std::memcpy(target, text, count * sizeof(Char));
  target[count] = Char{};
  return memory;
}

void Put(UINT format, UniqueGlobal memory) {
  if (SetClipboardData(format, memory.get()) == nullptr) ThrowClipboardError();
  // The clipboard owns the block from now on.
  static_cast<void>(memory.release());
}

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
  const std::wstring wide = ToWide(cp932);
  UniqueGlobal unicode = GlobalText(wide.data(), wide.size());
  UniqueGlobal ansi = GlobalText(cp932.data(), cp932.size());
  const OpenedClipboard clipboard(owner_);
  if (!EmptyClipboard()) ThrowClipboardError();
  Put(CF_UNICODETEXT, std::move(unicode));
  Put(CF_TEXT, std::move(ansi));
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
