#pragma once
// A top-down 32-bit DIB section with direct access to its pixels: the
// pictures drawn in code (image lists, the node editor's kind pictures)
// are painted or averaged into one of these.

#include <windows.h>

#include <cstdint>

#include "win32/Win32Handles.h"

namespace velmora::win32 {

// The white the drawn pictures share (balloons, signs, paper).
inline constexpr COLORREF kWhite = RGB(255, 255, 255);

struct DibSection {
  UniqueBitmap bitmap;
  // Rows from the top; null when creation failed.
  std::uint32_t* bits = nullptr;
};

DibSection CreateDibSection(int size);
// width * height pixels.
DibSection CreateDibSection(int width, int height);

}  // namespace velmora::win32
