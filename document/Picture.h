#pragma once
// A step's picture as the document holds it: the image file's bytes as
// they were given (PNG, JPEG, GIF or BMP), in base64, as the value of the
// "picture" field, so that it travels like every other field (undo, the
// clipboard, the files, the comparison) as one line of text. What the
// program must know of a picture without decoding it (its format and size,
// read from its header) and the limits it is held to live here too.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

enum class PictureFormat : std::uint8_t { Png, Jpeg, Gif, Bmp };

// Limits, stated in the help and enforced where a picture is set: the
// image file's bytes, the picture's sides in pixels, and a whole document.
inline constexpr std::size_t kMostPictureBytes = 8 * 1024 * 1024;
inline constexpr std::uint32_t kMostPictureSide = 8192;
inline constexpr std::size_t kMostDocumentBytes = 200 * 1024 * 1024;

struct PictureFacts {
  PictureFormat format = PictureFormat::Png;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};

// The format and size of an image file from its header; nothing for bytes
// that are none of the four formats or whose header is damaged.
std::optional<PictureFacts> ReadPictureFacts(std::string_view bytes);

// "PNG", "JPEG", "GIF", "BMP".
std::string_view PictureFormatName(PictureFormat format);

// Why a picture cannot be taken, or nothing when it can: none of the four
// formats, larger than the limits.
enum class PictureRefusal { NotAPicture, TooManyBytes, TooLarge };
std::optional<PictureRefusal> CheckPicture(std::string_view bytes);

// The same for a stored picture (its base64), read from its start only:
// the check runs after every command, and a picture may be megabytes.
std::optional<PictureRefusal> CheckStoredPicture(std::string_view base64);
// The format and size of a stored picture a player can show (read as the
// check reads it), or nothing for one it cannot.
std::optional<PictureFacts> ShowablePictureFacts(std::string_view base64);

// How the outputs name a stored picture (its base64, CP932), with its alt
// text where given: "[画像 1280x720 PNG 183 KB: 右下の通知領域]", or
// "[読めない画像 12 KB]" for bytes that are no picture this program knows.
std::string PictureSummary(std::string_view base64, std::string_view alt = {});

// Base64 (RFC 4648, with padding, no line breaks), and back; nothing for
// text that is not exactly that.
std::string Base64Encode(std::string_view bytes);
std::optional<std::string> Base64Decode(std::string_view text);
// The same into `out`, which has room for text.size() / 4 * 3 bytes: the
// number of bytes written, or kNotBase64. The player stub decodes the step
// on screen with it, into a buffer of its own, without a growing string.
inline constexpr std::size_t kNotBase64 = ~std::size_t{0};
std::size_t Base64DecodeInto(std::string_view text, char* out);

}  // namespace velmora
