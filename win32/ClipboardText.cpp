#include "win32/ClipboardText.h"

#include <cstring>

#include "win32/Win32Handles.h"

namespace velmora::win32 {
namespace {

using UniqueGlobal = UniqueHandleOf<HGLOBAL, &GlobalFree>;

// `count` characters and a terminating zero in a block the clipboard can
// take over; null when memory ran out.
template <typename Char>
UniqueGlobal GlobalText(const Char* text, std::size_t count) {
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, (count + 1) * sizeof(Char)));
  if (!memory) return memory;
  auto* target = static_cast<Char*>(GlobalLock(memory.get()));
  if (target == nullptr) return UniqueGlobal();
  std::memcpy(target, text, count * sizeof(Char));
  target[count] = Char{};
  GlobalUnlock(memory.get());
  return memory;
}

bool Put(UINT format, UniqueGlobal memory) {
  if (!memory || SetClipboardData(format, memory.get()) == nullptr) return false;
  // The clipboard owns the block from now on.
  static_cast<void>(memory.release());
  return true;
}

class ClipboardScope {
 public:
  ClipboardScope() = default;
  ~ClipboardScope() { CloseClipboard(); }
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
};

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
  UniqueGlobal wide = GlobalText(unicode.data(), unicode.size());
  UniqueGlobal narrow = ansi != nullptr ? GlobalText(ansi->data(), ansi->size()) : UniqueGlobal();
  if (!wide || (ansi != nullptr && !narrow)) return false;
  if (!OpenClipboardPatiently(owner)) return false;
  const ClipboardScope open;
  if (!EmptyClipboard() || !Put(CF_UNICODETEXT, std::move(wide))) return false;
  return ansi == nullptr || Put(CF_TEXT, std::move(narrow));
}

}  // namespace velmora::win32
