#include "win32/Gradient.h"

namespace velmora::win32 {
namespace {

// A vertex takes 16-bit channels; a colour's 8 bits are the high byte.
TRIVERTEX Vertex(LONG x, LONG y, COLORREF colour) {
  const auto channel = [](BYTE value) { return static_cast<COLOR16>(value << 8); };
  return {x, y, channel(GetRValue(colour)), channel(GetGValue(colour)), channel(GetBValue(colour)), 0};
}

}  // namespace

void FillGradient(HDC dc, const RECT& area, COLORREF from, COLORREF to, GradientDirection direction) {
  TRIVERTEX vertices[2] = {Vertex(area.left, area.top, from), Vertex(area.right, area.bottom, to)};
  GRADIENT_RECT rect{0, 1};
  GradientFill(dc, vertices, 2, &rect, 1,
               direction == GradientDirection::LeftToRight ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

}  // namespace velmora::win32
