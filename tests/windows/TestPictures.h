#pragma once
// Real pictures for the tests, written by the system's codecs as a user's
// screenshot would be.

#include <windows.h>

#include <string>

#include "win32/PictureEncoding.h"

namespace velmora::win32::testing {

// The clipboard's form of a width x height picture of one grey.
inline std::string GreyDib(int width, int height) {
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  std::string dib(reinterpret_cast<const char*>(&info), sizeof info);
  dib.append(static_cast<std::size_t>(width * height * 4), '\x80');
  return dib;
}

inline std::string GreyPicture(int width, int height, EncodedFormat format) {
  return EncodePicture(BmpFileOfDib(GreyDib(width, height)), format).value_or("");
}

}  // namespace velmora::win32::testing
