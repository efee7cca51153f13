#include "win32/ControlColours.h"

namespace velmora::win32 {

LRESULT SolidControlColours(HDC dc, COLORREF background, HBRUSH brush) {
  SetBkColor(dc, background);
  return reinterpret_cast<LRESULT>(brush);
}

LRESULT FaceControlColours(HDC dc) {
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  return SolidControlColours(dc, GetSysColor(COLOR_BTNFACE), GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT TransparentControlColours(HDC dc) {
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

}  // namespace velmora::win32
