#include "win32/Fonts.h"

namespace velmora::win32 {

UniqueFont CreatePixelFont(const FontLook& look, int pixelHeight) {
  // A negative height asks for the character height rather than the cell's.
  return UniqueFont(CreateFontW(-pixelHeight, 0, 0, 0, look.weight, FALSE, FALSE, FALSE, look.charset,
                                look.precision, CLIP_DEFAULT_PRECIS, look.quality, look.pitch, look.face));
}

UniqueFont CreateUiFont(const DpiScale& scale) { return CreatePixelFont(kUiFontLook, scale(kUiFontHeight)); }

UniqueFont CreateMessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return UniqueFont(nullptr);
  return UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
}

}  // namespace velmora::win32
