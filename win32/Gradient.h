#pragma once
// A two-colour gradient over a rectangle (the About box's background, the
// toolbar's), drawn by the system's GradientFill.

#include <windows.h>

namespace velmora::win32 {

enum class GradientDirection { LeftToRight, TopToBottom };

// Fills `area` of `dc` from `from` at its left (or top) edge to `to` at its
// right (or bottom) edge.
void FillGradient(HDC dc, const RECT& area, COLORREF from, COLORREF to, GradientDirection direction);

}  // namespace velmora::win32
