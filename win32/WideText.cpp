#include "win32/WideText.h"

#include <windows.h>

namespace velmora::win32 {

std::wstring FromCodePage(std::string_view bytes, unsigned codePage) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), length);
  return wide;
}

std::string ToCodePage(std::wstring_view text, unsigned codePage) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

std::wstring ToWide(std::string_view cp932) { return FromCodePage(cp932, kCodePage932); }

std::string ToCp932(std::wstring_view text) { return ToCodePage(text, kCodePage932); }

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

std::wstring ToWidePath(const FilePath& path) {
  const std::string& bytes = path.Utf8();
  std::wstring wide;
  wide.reserve(bytes.size());
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (lead < 0x80 || lead < 0xC0 || pos + length > bytes.size()) {
      // ASCII, or a byte that starts no sequence (never made by FromWidePath).
      wide += static_cast<wchar_t>(lead);
      ++pos;
      continue;
    }
    unsigned long code = lead & (0xFFu >> (length + 1));
    for (std::size_t i = 1; i < length; ++i) code = (code << 6) | (static_cast<unsigned char>(bytes[pos + i]) & 0x3Fu);
    if (code >= 0x10000) {
      code -= 0x10000;
      wide += static_cast<wchar_t>(0xD800 + (code >> 10));
      wide += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
    } else {
      wide += static_cast<wchar_t>(code);
    }
    pos += length;
  }
  return wide;
}

FilePath FromWidePath(std::wstring_view path) {
  std::string bytes;
  bytes.reserve(path.size());
  auto put = [&bytes](unsigned long code, int continuation) {
    static constexpr unsigned char kLeads[] = {0x00, 0xC0, 0xE0, 0xF0};
    bytes += static_cast<char>(kLeads[continuation] | (code >> (6 * continuation)));
    for (int i = continuation - 1; i >= 0; --i) bytes += static_cast<char>(0x80 | ((code >> (6 * i)) & 0x3F));
  };
  for (std::size_t pos = 0; pos < path.size(); ++pos) {
    unsigned long code = path[pos];
    if (IS_HIGH_SURROGATE(path[pos]) && pos + 1 < path.size() && IS_LOW_SURROGATE(path[pos + 1])) {
      code = 0x10000 + ((code - 0xD800) << 10) + (path[pos + 1] - 0xDC00);
      ++pos;
    }
    put(code, code < 0x80 ? 0 : code < 0x800 ? 1 : code < 0x10000 ? 2 : 3);
  }
  return FilePath::FromUtf8(bytes);
}

std::string PathDisplayText(const FilePath& path) { return ToCp932(ToWidePath(path)); }

}  // namespace velmora::win32
