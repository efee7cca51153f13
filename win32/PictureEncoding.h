#pragma once
// A picture written anew by Windows' own codecs (WIC): a screenshot from the
// clipboard, which arrives as a device-independent bitmap, is kept in the
// document as PNG, losslessly and a fraction of its size.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace velmora::win32 {

enum class EncodedFormat { Png, Jpeg };

// `image` (any file a codec of this Windows reads: BMP, PNG, ...) as a file
// of `format`; nothing when it cannot be read or written.
std::optional<std::string> EncodePicture(std::string_view image, EncodedFormat format);

// The clipboard's device-independent bitmap (CF_DIB: the header, any colour
// table or masks, the pixels) as a BMP file, which the codecs read.
std::string BmpFileOfDib(std::string_view dib);

}  // namespace velmora::win32
