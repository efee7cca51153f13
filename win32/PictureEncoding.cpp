#include "win32/PictureEncoding.h"

#include <wincodec.h>

#include <cstring>

#include "win32/ComOwner.h"
#include "win32/WicIds.h"
#include "win32/WicPicture.h"

namespace velmora::win32 {
namespace {

// The bytes a memory stream holds.
std::optional<std::string> StreamBytes(IStream& stream) {
  HGLOBAL memory = nullptr;
  STATSTG facts{};
  if (FAILED(GetHGlobalFromStream(&stream, &memory)) || FAILED(stream.Stat(&facts, STATFLAG_NONAME))) {
    return std::nullopt;
  }
  const void* bytes = GlobalLock(memory);
  if (bytes == nullptr) return std::nullopt;
  std::string copy(static_cast<const char*>(bytes), static_cast<std::size_t>(facts.cbSize.QuadPart));
  GlobalUnlock(memory);
  return copy;
}

// The first frame of `image` written as one frame of `encoder`.
bool WriteFrame(IWICImagingFactory& factory, IWICBitmapEncoder& encoder, std::string_view image) {
  const ComOwner<IWICBitmapFrameDecode> source = FirstFrame(factory, image);
  if (!source) return false;
  IWICBitmapFrameEncode* rawFrame = nullptr;
  IPropertyBag2* rawOptions = nullptr;
  if (FAILED(encoder.CreateNewFrame(&rawFrame, &rawOptions))) return false;
  const ComOwner<IWICBitmapFrameEncode> frame(rawFrame);
  const ComOwner<IPropertyBag2> options(rawOptions);
  UINT width = 0;
  UINT height = 0;
  // WriteSource converts the pixels to a format the encoder takes.
  WICPixelFormatGUID pixels{};
  return SUCCEEDED(frame->Initialize(options.get())) && SUCCEEDED(source->GetSize(&width, &height)) &&
         SUCCEEDED(frame->SetSize(width, height)) && SUCCEEDED(source->GetPixelFormat(&pixels)) &&
         SUCCEEDED(frame->SetPixelFormat(&pixels)) && SUCCEEDED(frame->WriteSource(source.get(), nullptr)) &&
         SUCCEEDED(frame->Commit());
}

}  // namespace

std::optional<std::string> EncodePicture(std::string_view image, EncodedFormat format) {
  const ComOwner<IWICImagingFactory> factory = CreateImagingFactory();
  if (!factory) return std::nullopt;
  IStream* rawOutput = nullptr;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &rawOutput))) return std::nullopt;
  const ComOwner<IStream> output(rawOutput);
  IWICBitmapEncoder* rawEncoder = nullptr;
  if (FAILED(factory->CreateEncoder(format == EncodedFormat::Png ? wic::kPngContainer : wic::kJpegContainer, nullptr,
                                    &rawEncoder))) {
    return std::nullopt;
  }
  const ComOwner<IWICBitmapEncoder> encoder(rawEncoder);
  if (FAILED(encoder->Initialize(output.get(), WICBitmapEncoderNoCache)) ||
      !WriteFrame(*factory, *encoder, image) || FAILED(encoder->Commit())) {
    return std::nullopt;
  }
  return StreamBytes(*output);
}

std::string BmpFileOfDib(std::string_view dib) {
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;  // "BM"
  header.bfSize = static_cast<DWORD>(sizeof header + dib.size());
  // The pixels follow the header, the masks of BI_BITFIELDS and the colour
  // table; a reader that finds the offset wrong reads nothing.
  DWORD offset = sizeof header;
  if (dib.size() >= sizeof(BITMAPINFOHEADER)) {
    BITMAPINFOHEADER info{};
    std::memcpy(&info, dib.data(), sizeof info);
    offset += info.biSize;
    if (info.biSize == sizeof(BITMAPINFOHEADER) && info.biCompression == BI_BITFIELDS) offset += 3 * static_cast<DWORD>(sizeof(DWORD));
    DWORD colours = info.biClrUsed;
    if (colours == 0 && info.biBitCount <= 8) colours = 1u << info.biBitCount;
    offset += colours * static_cast<DWORD>(sizeof(RGBQUAD));
  }
  header.bfOffBits = offset;
  std::string file(reinterpret_cast<const char*>(&header), sizeof header);
  file += dib;
  return file;
}

}  // namespace velmora::win32
