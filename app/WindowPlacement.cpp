#include "app/WindowPlacement.h"

#include <algorithm>

namespace velmora {
namespace {

bool CaptionGrabbable(const PlacementRect& rect, const PlacementRect& workArea) {
  const bool topOnArea = rect.top >= workArea.top && rect.top <= workArea.bottom - kGrabbablePixels;
  const int shared = std::min(rect.right, workArea.right) - std::max(rect.left, workArea.left);
  return topOnArea && shared >= std::min(kGrabbablePixels, rect.Width());
}

// The start of a span of `length` moved into [low, high) as far as it fits;
// a span longer than the range starts at `low`.
int Inside(int start, int length, int low, int high) { return std::max(low, std::min(start, high - length)); }

}  // namespace

WindowState WindowStateFromNumber(int number) {
  if (number == static_cast<int>(WindowState::Minimised)) return WindowState::Minimised;
  if (number == static_cast<int>(WindowState::Maximised)) return WindowState::Maximised;
  return WindowState::Normal;
}

PlacementRect ReachableRect(const PlacementRect& given, const PlacementRect& workArea, PixelSize fallbackSize) {
  PlacementRect rect = given;
  if (rect.Width() <= 0 || rect.Height() <= 0) {
    rect.right = rect.left + fallbackSize.width;
    rect.bottom = rect.top + fallbackSize.height;
  }
  if (CaptionGrabbable(rect, workArea)) return rect;
  const int width = std::min(rect.Width(), workArea.Width());
  const int height = std::min(rect.Height(), workArea.Height());
  PlacementRect moved;
  moved.left = Inside(rect.left, width, workArea.left, workArea.right);
  moved.top = Inside(rect.top, height, workArea.top, workArea.bottom);
  moved.right = moved.left + width;
  moved.bottom = moved.top + height;
  return moved;
}

}  // namespace velmora
