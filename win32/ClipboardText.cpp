#include "win32/ClipboardText.h"

#include <cstring>

#include "win32/Win32Handles.h"

namespace velmora::win32 {
namespace {

using UniqueGlobal = UniqueHandleOf<HGLOBAL, &GlobalFree>;

// `bytes` of text and a terminating zero character of `zeroBytes` in a
// block the clipboard can take over; null when memory ran out. One function
// for both character types: the player stub carries it.
UniqueGlobal GlobalText(const void* text, std::size_t bytes, std::size_t zeroBytes) {
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes + zeroBytes));
  if (!memory) return memory;
  void* target = GlobalLock(memory.get());
  if (target == nullptr) return UniqueGlobal();
  std::memcpy(target, text, bytes);
  GlobalUnlock(memory.get());
  return memory;
}

bool Put(UINT format, UniqueGlobal memory) {
  if (!memory || SetClipboardData(format, memory.get()) == nullptr) return false;
  // The clipboard owns the block from now on.
  static_cast<void>(memory.release());
  return true;
}

}  // namespace

bool OpenClipboardPatiently(HWND owner) {
  constexpr int kAttempts = 10;
  constexpr DWORD kPauseMilliseconds = 20;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(kPauseMilliseconds);
  }
  return false;
}

bool PutClipboardText(HWND owner, std::wstring_view unicode, const std::string_view* ansi) {
  // The blocks are made before the clipboard is taken, so it is held as
  // briefly as possible.
  UniqueGlobal wide = GlobalText(unicode.data(), unicode.size() * sizeof(wchar_t), sizeof(wchar_t));
  UniqueGlobal narrow = ansi != nullptr ? GlobalText(ansi->data(), ansi->size(), 1) : UniqueGlobal();
  if (!wide || (ansi != nullptr && !narrow)) return false;
  if (!OpenClipboardPatiently(owner)) return false;
  const ClipboardScope open;
  if (!EmptyClipboard() || !Put(CF_UNICODETEXT, std::move(wide))) return false;
  return ansi == nullptr || Put(CF_TEXT, std::move(narrow));
}

}  // namespace velmora::win32
