#include "win32/WideText.h"

#include <windows.h>

namespace velmora::win32 {

std::wstring ToWide(std::string_view cp932) {
  if (cp932.empty()) return {};
  const int size = static_cast<int>(cp932.size());
  const int length = MultiByteToWideChar(kCodePage932, 0, cp932.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(kCodePage932, 0, cp932.data(), size, wide.data(), length);
  return wide;
}

std::string ToCp932(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(kCodePage932, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(kCodePage932, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

namespace {

bool ConvertsFaithfully(std::wstring_view character) {
  BOOL usedDefault = FALSE;
  char buffer[8];
  const int length = WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, character.data(),
                                         static_cast<int>(character.size()), buffer, sizeof buffer, nullptr,
                                         &usedDefault);
  return length > 0 && !usedDefault;
}

}  // namespace

std::optional<std::wstring> FirstUnrepresentableChar(std::wstring_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const bool pair = IS_HIGH_SURROGATE(text[pos]) && pos + 1 < text.size() && IS_LOW_SURROGATE(text[pos + 1]);
    const std::wstring_view character = text.substr(pos, pair ? 2 : 1);
    if (!ConvertsFaithfully(character)) return std::wstring(character);
    pos += character.size();
  }
  return std::nullopt;
}

}  // namespace velmora::win32
