#include "document/Picture.h"

#include <array>
#include <cstdlib>

namespace velmora {
namespace {

std::uint32_t Byte(std::string_view bytes, std::size_t at) { return static_cast<unsigned char>(bytes[at]); }
std::uint32_t BigEndian16(std::string_view bytes, std::size_t at) { return Byte(bytes, at) << 8 | Byte(bytes, at + 1); }
std::uint32_t BigEndian32(std::string_view bytes, std::size_t at) {
  return BigEndian16(bytes, at) << 16 | BigEndian16(bytes, at + 2);
}
std::uint32_t LittleEndian16(std::string_view bytes, std::size_t at) { return Byte(bytes, at) | Byte(bytes, at + 1) << 8; }
std::uint32_t LittleEndian32(std::string_view bytes, std::size_t at) {
  return LittleEndian16(bytes, at) | LittleEndian16(bytes, at + 2) << 16;
}

std::optional<PictureFacts> Facts(PictureFormat format, std::uint32_t width, std::uint32_t height) {
  if (width == 0 || height == 0) return std::nullopt;
  return PictureFacts{format, width, height};
}

// The size from the first frame's header (a start-of-frame segment); the
// segments before it are skipped by their lengths.
std::optional<PictureFacts> JpegFacts(std::string_view bytes) {
  std::size_t at = 2;
  while (at + 4 <= bytes.size()) {
    if (Byte(bytes, at) != 0xFF) return std::nullopt;
    const std::uint32_t marker = Byte(bytes, at + 1);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    // Markers without a length: the restart markers, the start of the image, TEM.
    if ((marker >= 0xD0 && marker <= 0xD8) || marker == 0x01) {
      at += 2;
      continue;
    }
    const std::uint32_t length = BigEndian16(bytes, at + 2);
    const bool startOfFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (startOfFrame) {
      if (length < 7 || at + 9 > bytes.size()) return std::nullopt;
      return Facts(PictureFormat::Jpeg, BigEndian16(bytes, at + 7), BigEndian16(bytes, at + 5));
    }
    if (length < 2 || marker == 0xD9) return std::nullopt;
    at += 2 + length;
  }
  return std::nullopt;
}

std::optional<PictureFacts> BmpFacts(std::string_view bytes) {
  if (bytes.size() < 26) return std::nullopt;
  const std::uint32_t header = LittleEndian32(bytes, 14);
  if (header == 12) return Facts(PictureFormat::Bmp, LittleEndian16(bytes, 18), LittleEndian16(bytes, 20));
  if (header < 40 || bytes.size() < 26) return std::nullopt;
  // The height is negative for a picture stored top-down.
  const auto height = static_cast<std::int32_t>(LittleEndian32(bytes, 22));
  const auto width = static_cast<std::int32_t>(LittleEndian32(bytes, 18));
  if (width <= 0 || height == 0 || height == INT32_MIN) return std::nullopt;
  return Facts(PictureFormat::Bmp, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(std::abs(height)));
}

constexpr char kBase64Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int Base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

bool IsBase64(std::string_view text) {
  if (text.size() % 4 != 0) return false;
  const std::size_t end = text.find('=');
  if (end != std::string_view::npos && (text.size() - end > 2 || text.find_first_not_of('=', end) != std::string_view::npos)) {
    return false;
  }
  for (std::size_t i = 0; i < std::min(end, text.size()); ++i) {
    if (Base64Value(text[i]) < 0) return false;
  }
  return true;
}

std::size_t DecodedSize(std::string_view base64) {
  std::size_t padding = 0;
  while (padding < 2 && padding < base64.size() && base64[base64.size() - 1 - padding] == '=') ++padding;
  return base64.size() / 4 * 3 - std::min(padding, base64.size() / 4 * 3);
}

// The header is near the start; a JPEG's frame may follow a thumbnail of
// up to 64 KB.
constexpr std::size_t kHeaderBase64 = 128 * 1024;

std::optional<PictureFacts> StoredPictureFacts(std::string_view base64) {
  const std::optional<std::string> start = Base64Decode(base64.substr(0, std::min(base64.size(), kHeaderBase64)));
  return start ? ReadPictureFacts(*start) : std::nullopt;
}

}  // namespace

std::optional<PictureFacts> ReadPictureFacts(std::string_view bytes) {
  constexpr std::string_view kPng("\x89PNG\r\n\x1a\n", 8);
  if (bytes.substr(0, 8) == kPng) {
    if (bytes.size() < 24 || bytes.substr(12, 4) != "IHDR") return std::nullopt;
    return Facts(PictureFormat::Png, BigEndian32(bytes, 16), BigEndian32(bytes, 20));
  }
  if (bytes.substr(0, 6) == "GIF87a" || bytes.substr(0, 6) == "GIF89a") {
    if (bytes.size() < 10) return std::nullopt;
    return Facts(PictureFormat::Gif, LittleEndian16(bytes, 6), LittleEndian16(bytes, 8));
  }
  if (bytes.size() >= 3 && Byte(bytes, 0) == 0xFF && Byte(bytes, 1) == 0xD8 && Byte(bytes, 2) == 0xFF) {
    return JpegFacts(bytes);
  }
  if (bytes.substr(0, 2) == "BM") return BmpFacts(bytes);
  return std::nullopt;
}

std::string_view PictureFormatName(PictureFormat format) {
  static constexpr std::array<std::string_view, 4> kNames{"PNG", "JPEG", "GIF", "BMP"};
  return kNames[static_cast<std::size_t>(format)];
}

std::optional<PictureRefusal> CheckPicture(std::string_view bytes) {
  if (bytes.size() > kMostPictureBytes) return PictureRefusal::TooManyBytes;
  const std::optional<PictureFacts> facts = ReadPictureFacts(bytes);
  if (!facts) return PictureRefusal::NotAPicture;
  if (facts->width > kMostPictureSide || facts->height > kMostPictureSide) return PictureRefusal::TooLarge;
  return std::nullopt;
}

// What the check and the outputs both need, read once: why a stored picture
// cannot be shown, or its facts.
struct StoredExamination {
  std::optional<PictureRefusal> refusal;
  PictureFacts facts;
};

StoredExamination Examine(std::string_view base64) {
  if (!IsBase64(base64)) return {PictureRefusal::NotAPicture, {}};
  if (DecodedSize(base64) > kMostPictureBytes) return {PictureRefusal::TooManyBytes, {}};
  const std::optional<PictureFacts> facts = StoredPictureFacts(base64);
  if (!facts) return {PictureRefusal::NotAPicture, {}};
  if (facts->width > kMostPictureSide || facts->height > kMostPictureSide) return {PictureRefusal::TooLarge, *facts};
  return {std::nullopt, *facts};
}

std::optional<PictureRefusal> CheckStoredPicture(std::string_view base64) { return Examine(base64).refusal; }

std::optional<PictureFacts> ShowablePictureFacts(std::string_view base64) {
  const StoredExamination examined = Examine(base64);
  if (examined.refusal) return std::nullopt;
  return examined.facts;
}

std::string PictureSummary(std::string_view base64, std::string_view alt) {
  const std::string kilobytes = std::to_string((DecodedSize(base64) + 1023) / 1024) + " KB";
  const std::optional<PictureFacts> facts = IsBase64(base64) ? StoredPictureFacts(base64) : std::nullopt;
  // [画像 ...], [読めない画像 ...]
  std::string summary = facts ? "[\x89\xe6\x91\x9c " + std::to_string(facts->width) + "x" +
                                    std::to_string(facts->height) + " " + std::string(PictureFormatName(facts->format)) +
                                    " " + kilobytes
                              : "[\x93\xc7\x82\xdf\x82\xc8\x82\xa2\x89\xe6\x91\x9c " + kilobytes;
  if (!alt.empty()) summary.append(": ").append(alt);
  return summary + "]";
}

std::string Base64Encode(std::string_view bytes) {
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t at = 0;
  for (; at + 3 <= bytes.size(); at += 3) {
    const std::uint32_t group = Byte(bytes, at) << 16 | Byte(bytes, at + 1) << 8 | Byte(bytes, at + 2);
    for (int shift = 18; shift >= 0; shift -= 6) text += kBase64Digits[group >> shift & 0x3F];
  }
  const std::size_t left = bytes.size() - at;
  if (left == 0) return text;
  const std::uint32_t group = Byte(bytes, at) << 16 | (left == 2 ? Byte(bytes, at + 1) << 8 : 0);
  text += kBase64Digits[group >> 18 & 0x3F];
  text += kBase64Digits[group >> 12 & 0x3F];
  text += left == 2 ? kBase64Digits[group >> 6 & 0x3F] : '=';
  text += '=';
  return text;
}

std::optional<std::string> Base64Decode(std::string_view text) {
  std::string bytes(text.size() / 4 * 3, '\0');
  const std::size_t written = Base64DecodeInto(text, bytes.data());
  if (written == kNotBase64) return std::nullopt;
  bytes.resize(written);
  return bytes;
}

std::size_t Base64DecodeInto(std::string_view text, char* out) {
  if (text.size() % 4 != 0) return kNotBase64;
  std::size_t padding = 0;
  if (!text.empty() && text.back() == '=') padding = text[text.size() - 2] == '=' ? 2 : 1;
  char* const start = out;
  // Whole groups of four digits make three bytes; the bits of earlier
  // groups shifted past the top do not matter.
  std::uint32_t group = 0;
  for (std::size_t i = 0; i < text.size() - padding; ++i) {
    const int value = Base64Value(text[i]);
    if (value < 0) return kNotBase64;
    group = group << 6 | static_cast<std::uint32_t>(value);
    if (i % 4 != 3) continue;
    *out++ = static_cast<char>(group >> 16);
    *out++ = static_cast<char>(group >> 8);
    *out++ = static_cast<char>(group);
  }
  if (padding == 0) return static_cast<std::size_t>(out - start);
  group <<= 6 * padding;
  // Bits the padding leaves over must be zero: one form per byte string.
  if ((group & (padding == 1 ? 0xFFu : 0xFFFFu)) != 0) return kNotBase64;
  *out++ = static_cast<char>(group >> 16);
  if (padding == 1) *out++ = static_cast<char>(group >> 8);
  return static_cast<std::size_t>(out - start);
}

}  // namespace velmora
