#include "win32/WicPicture.h"

#include "document/Picture.h"
#include "win32/DibSection.h"
#include "win32/WicIds.h"

namespace velmora::win32 {
namespace {

// The largest side decoded; the document refuses larger pictures anyway.
constexpr UINT kMostSide = 8192;

template <typename Interface>
ComOwner<Interface> Owned(Interface* raw) {
  return ComOwner<Interface>(raw);
}

}  // namespace

ComOwner<IWICImagingFactory> CreateImagingFactory() {
  IWICImagingFactory* factory = nullptr;
  if (FAILED(CoCreateInstance(wic::kImagingFactoryClass, nullptr, CLSCTX_INPROC_SERVER, wic::kImagingFactoryInterface,
                              reinterpret_cast<void**>(&factory)))) {
    return {};
  }
  return Owned(factory);
}

ComOwner<IWICBitmapFrameDecode> FirstFrame(IWICImagingFactory& factory, std::string_view bytes) {
  IWICStream* rawStream = nullptr;
  if (FAILED(factory.CreateStream(&rawStream))) return {};
  const auto stream = Owned(rawStream);
  if (FAILED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                          static_cast<DWORD>(bytes.size())))) {
    return {};
  }
  IWICBitmapDecoder* rawDecoder = nullptr;
  if (FAILED(factory.CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, &rawDecoder))) {
    return {};
  }
  const auto decoder = Owned(rawDecoder);
  IWICBitmapFrameDecode* frame = nullptr;
  if (FAILED(decoder->GetFrame(0, &frame))) return {};
  return Owned(frame);
}

DecodedPicture::DecodedPicture(std::string_view stored) {
  // No picture loads no codec: most steps have none.
  if (stored.empty()) return;
  bytes_.reset(new char[stored.size() / 4 * 3]);
  const std::size_t size = Base64DecodeInto(stored, bytes_.get());
  if (size == kNotBase64) return;
  factory_ = CreateImagingFactory();
  if (!factory_) return;
  const auto frame = FirstFrame(*factory_, std::string_view(bytes_.get(), size));
  if (!frame) return;
  IWICFormatConverter* rawConverter = nullptr;
  if (FAILED(factory_->CreateFormatConverter(&rawConverter))) return;
  auto converter = Owned(rawConverter);
  UINT width = 0;
  UINT height = 0;
  if (FAILED(converter->Initialize(frame.get(), wic::kPremultipliedBgra, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 || width > kMostSide ||
      height > kMostSide) {
    return;
  }
  size_ = SIZE{static_cast<LONG>(width), static_cast<LONG>(height)};
  source_.reset(converter.release());
}

UniqueBitmap DecodedPicture::Bitmap(SIZE size) const {
  if (!source_ || size.cx <= 0 || size.cy <= 0) return {};
  const UINT width = static_cast<UINT>(size.cx);
  const UINT height = static_cast<UINT>(size.cy);
  // At its natural size the picture is copied as decoded; only a picture
  // that must shrink or grow goes through the scaler.
  IWICBitmapSource* source = source_.get();
  ComOwner<IWICBitmapScaler> scaler;
  if (size.cx != size_.cx || size.cy != size_.cy) {
    IWICBitmapScaler* rawScaler = nullptr;
    if (FAILED(factory_->CreateBitmapScaler(&rawScaler))) return {};
    scaler = Owned(rawScaler);
    if (FAILED(scaler->Initialize(source, width, height, WICBitmapInterpolationModeFant))) return {};
    source = scaler.get();
  }
  DibSection dib = CreateDibSection(size.cx, size.cy);
  if (dib.bits == nullptr) return {};
  const UINT stride = width * 4;
  // A picture whose data is damaged past its header fails here, not before.
  if (FAILED(source->CopyPixels(nullptr, stride, stride * height, reinterpret_cast<BYTE*>(dib.bits)))) return {};
  return std::move(dib.bitmap);
}

SIZE FitWithin(SIZE natural, SIZE room) {
  if (natural.cx <= room.cx && natural.cy <= room.cy) return natural;
  // The side that has to shrink the most sets the scale.
  if (static_cast<long long>(natural.cx) * room.cy > static_cast<long long>(natural.cy) * room.cx) {
    return SIZE{room.cx, MulDiv(natural.cy, room.cx, natural.cx)};
  }
  return SIZE{MulDiv(natural.cx, room.cy, natural.cy), room.cy};
}

}  // namespace velmora::win32
