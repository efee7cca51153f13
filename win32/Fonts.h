#pragma once
// The fonts of the program's windows, made in one place: the face and the
// height the editor's windows use, the message font of the dialogs that
// stand in for message boxes, and the faces the drawn pictures use.

#include <windows.h>

#include "win32/Dpi.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {

// How a font looks, apart from its height.
struct FontLook {
  const wchar_t* face;
  int weight = FW_NORMAL;
  BYTE charset = DEFAULT_CHARSET;
  BYTE precision = OUT_DEFAULT_PRECIS;
  BYTE quality = DEFAULT_QUALITY;
  BYTE pitch = DEFAULT_PITCH;
};

// The face of the main window, the node editor's text and the input box,
// 12 pixels high at 96 DPI. LOGFONTW takes the face name as UTF-16 and the
// look is a constant, so this is the one Japanese text the sources keep as
// UTF-16 rather than CP932 (converted through WideText):
// "ＭＳ Ｐゴシック"
inline constexpr wchar_t kUiFontFace[] = L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF";
inline constexpr FontLook kUiFontLook{kUiFontFace, FW_NORMAL, SHIFTJIS_CHARSET};
constexpr int kUiFontHeight = 12;

// A font of `look` whose characters are `pixelHeight` pixels high (the
// cell without its internal leading, as the designer's heights are meant).
UniqueFont CreatePixelFont(const FontLook& look, int pixelHeight);

// The UI font at `scale`.
UniqueFont CreateUiFont(const DpiScale& scale);

// The font of the system's message boxes, for dialogs that stand in for
// them, in a face that holds Japanese (the system's own where it does);
// null when the system does not say which it is.
// `dpi` 0: the system's DPI (the size the system gives); else the same font
// scaled to `dpi`, for a window on a screen of another scale.
UniqueFont CreateMessageFont(int dpi = 0);

}  // namespace velmora::win32
