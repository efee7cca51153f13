#include "win32/ClipboardPicture.h"

#include "win32/ClipboardText.h"
#include "win32/DroppedFiles.h"
#include "win32/PictureEncoding.h"
#include "win32/WholeFile.h"

namespace velmora::win32 {
namespace {

// The bytes of the clipboard's block in `format`, copied; nothing without one.
std::optional<std::string> BlockOf(UINT format) {
  HANDLE block = GetClipboardData(format);
  if (block == nullptr) return std::nullopt;
  const void* bytes = GlobalLock(block);
  if (bytes == nullptr) return std::nullopt;
  std::string copy(static_cast<const char*>(bytes), GlobalSize(block));
  GlobalUnlock(block);
  return copy;
}

}  // namespace

std::optional<std::string> ClipboardPicture(HWND owner) {
  if (!OpenClipboardPatiently(owner)) return std::nullopt;
  std::wstring file;
  {
    const ClipboardScope open;
    if (std::optional<std::string> png = BlockOf(RegisterClipboardFormatW(L"PNG"))) return png;
    if (std::optional<std::string> dib = BlockOf(CF_DIB)) return EncodePicture(BmpFileOfDib(*dib), EncodedFormat::Png);
    HANDLE drop = GetClipboardData(CF_HDROP);
    if (drop == nullptr) return std::nullopt;
    file = FirstDroppedFile(static_cast<HDROP>(drop));
  }
  // Read with the clipboard closed again: the file may be large or on a
  // slow share. A file that cannot be read raises its own error.
  if (file.empty()) return std::nullopt;
  return ReadWholeFile(file);
}

}  // namespace velmora::win32
