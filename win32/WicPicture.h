#pragma once
// A step's picture decoded and scaled by Windows' own codecs (WIC), for the
// node editor's thumbnail and the step dialogs of the preview and the
// player.

#include <windows.h>

#include <wincodec.h>

#include <memory>
#include <string_view>

#include "win32/ComOwner.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {

class DecodedPicture {
 public:
  // The first frame of a picture as the document stores it (base64 of a
  // PNG, JPEG, GIF, BMP or anything else a codec of this Windows reads).
  // Empty for no picture, and when no codec can read it or it is larger
  // than the program takes (a damaged header must not make it reserve
  // gigabytes).
  explicit DecodedPicture(std::string_view stored);

  explicit operator bool() const { return source_ != nullptr; }
  // In pixels; zero when empty.
  SIZE Size() const { return size_; }
  // The picture at `size`, resampled, as a top-down 32-bit bitmap with
  // premultiplied alpha; null when empty or when the system refuses.
  UniqueBitmap Bitmap(SIZE size) const;

 private:
  // The decoded bytes, which the codec reads for as long as it lives.
  std::unique_ptr<char[]> bytes_;
  ComOwner<IWICImagingFactory> factory_;
  ComOwner<IWICBitmapSource> source_;
  SIZE size_{};
};

// The system's imaging factory; null where it cannot be made.
ComOwner<IWICImagingFactory> CreateImagingFactory();
// The first frame of an image file's `bytes` as the codecs read it; null
// when none reads it. The frame reads the bytes for as long as it lives.
ComOwner<IWICBitmapFrameDecode> FirstFrame(IWICImagingFactory& factory, std::string_view bytes);

// `natural` shrunk, keeping its proportions, to fit `room`; never grown.
// Both sides of `natural` above zero.
SIZE FitWithin(SIZE natural, SIZE room);

}  // namespace velmora::win32
