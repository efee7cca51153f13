#include "win32/DibSection.h"

namespace velmora::win32 {

DibSection CreateDibSection(int size) { return CreateDibSection(size, size); }

DibSection CreateDibSection(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  DibSection dib;
  dib.bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  dib.bits = static_cast<std::uint32_t*>(bits);
  return dib;
}

}  // namespace velmora::win32
