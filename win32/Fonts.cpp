// The editor's fonts: the UI face at a size. (The message font of the
// dialogs that stand in for message boxes, which the player stub shares,
// is made in MessageFont.cpp.)
#include "win32/Fonts.h"

namespace velmora::win32 {

UniqueFont CreatePixelFont(const FontLook& look, int pixelHeight) {
  // A negative height asks for the character height rather than the cell's.
  return UniqueFont(CreateFontW(-pixelHeight, 0, 0, 0, look.weight, FALSE, FALSE, FALSE, look.charset,
                                look.precision, CLIP_DEFAULT_PRECIS, look.quality, look.pitch, look.face));
}

UniqueFont CreateUiFont(const DpiScale& scale) { return CreatePixelFont(kUiFontLook, scale(kUiFontHeight)); }

}  // namespace velmora::win32
