#pragma once
// Real pictures for the tests, written by the system's codecs as a user's
// screenshot would be.

#include <windows.h>

#include <string>

#include "win32/PictureEncoding.h"

namespace velmora::win32::testing {

// The clipboard's form of a width x height picture, each pixel's blue,
// green and red from pixel(x, y) (0xRRGGBB), rows from the bottom.
template <typename Pixel>
std::string DibOf(int width, int height, Pixel pixel) {
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  std::string dib(reinterpret_cast<const char*>(&info), sizeof info);
  dib.reserve(dib.size() + static_cast<std::size_t>(width * height * 4));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned rgb = pixel(x, y);
      dib += static_cast<char>(rgb & 0xFF);
      dib += static_cast<char>(rgb >> 8 & 0xFF);
      dib += static_cast<char>(rgb >> 16 & 0xFF);
      dib += '\0';
    }
  }
  return dib;
}

inline std::string GreyDib(int width, int height) {
  return DibOf(width, height, [](int, int) { return 0x808080u; });
}

inline std::string GreyPicture(int width, int height, EncodedFormat format) {
  return EncodePicture(BmpFileOfDib(GreyDib(width, height)), format).value_or("");
}

}  // namespace velmora::win32::testing
