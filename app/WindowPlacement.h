#pragma once
// The main window's placement as the platform's placement record holds it,
// the port through which the settings read and restore it, and the
// arithmetic that keeps a restored window within the user's reach: the
// settings file may come from another machine, from a monitor that is gone,
// or from a hand edit, and a window opened off every screen cannot be moved
// back with the mouse.

namespace velmora {

// Coordinates of the placement record: on Windows relative to the work area
// of the primary screen, in pixels.
struct PlacementRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const PlacementRect& a, const PlacementRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
};

// The placement record without the minimised position, which the settings
// neither store nor restore.
struct WindowPlacement {
  int flags = 0;
  int showCmd = 0;
  int maxX = 0;
  int maxY = 0;
  PlacementRect normal;
};

// The numbers are stored in the settings file ("State").
enum class WindowState : int { Normal = 0, Minimised = 1, Maximised = 2 };

// A stored number as a state. Only a hand-edited file holds anything but 0, 1
// or 2; such a value means nothing, so the window opens normally.
WindowState WindowStateFromNumber(int number);

struct PixelSize {
  int width = 0;
  int height = 0;
};

// What the settings need of the main window and the screen.
class WindowPlacementPort {
 public:
  virtual ~WindowPlacementPort() = default;
  virtual WindowPlacement Placement() = 0;
  // Applies the record; a show command of 0 positions the window hidden.
  virtual void SetPlacement(const WindowPlacement& placement) = 0;
  virtual bool Showing() = 0;
  // For a window not shown yet: the state it will be shown in.
  virtual WindowState State() = 0;
  virtual void SetState(WindowState state) = 0;
  // The window's outer size as laid out.
  virtual PixelSize WindowSize() = 0;
  // The primary screen in pixels.
  virtual PixelSize ScreenSize() = 0;
  // The work area of the monitor nearest to `rect` (the one it overlaps
  // most, or the closest), in the placement record's coordinates.
  virtual PlacementRect NearestWorkArea(const PlacementRect& rect) = 0;
};

// How much of a window's top edge must lie on the work area for the user to
// grab its caption and drag it.
constexpr int kGrabbablePixels = 48;

// The normal rectangle a window may open at. A rectangle without area (a
// hand edit) takes `fallbackSize` at its top left corner. One whose caption
// cannot be grabbed on `workArea` (its top edge outside the work area, or
// less than kGrabbablePixels of its width on it) is moved just inside the
// work area, no larger than the work area; any other rectangle stays where
// the user put it, even partly off screen.
PlacementRect ReachableRect(const PlacementRect& rect, const PlacementRect& workArea, PixelSize fallbackSize);

}  // namespace velmora
