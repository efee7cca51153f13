#pragma once
// Where a window appears: every dialog of the program is centred on
// something (its owner, the screen, the place the last step dialog was left)
// and kept inside the work area of the screen it lands on. One arithmetic
// for all of them, so that they all behave alike near a screen edge.
//
// Header-only: the player stub compiles the step dialog with its own short
// list of toolkit sources.

#include <windows.h>

#include <algorithm>

namespace velmora::win32 {

// The top-left corner that centres a window of `size` on `area` (a point is
// an empty area); moved inside `work` only where it would otherwise hang
// over its edge (a tall message near the taskbar, an owner pushed half off
// the screen). Where the window is larger than `work`, its top-left corner
// stays inside, so the caption remains reachable.
inline POINT PlaceCentredIn(const RECT& area, SIZE size, const RECT& work) {
  POINT topLeft{area.left + (area.right - area.left - size.cx) / 2, area.top + (area.bottom - area.top - size.cy) / 2};
  topLeft.x = std::max(static_cast<LONG>(work.left), std::min(topLeft.x, work.right - size.cx));
  topLeft.y = std::max(static_cast<LONG>(work.top), std::min(topLeft.y, work.bottom - size.cy));
  return topLeft;
}

inline POINT PlaceCentredOn(POINT centre, SIZE size, const RECT& work) {
  return PlaceCentredIn(RECT{centre.x, centre.y, centre.x, centre.y}, size, work);
}

inline POINT CentreOf(const RECT& rect) {
  return {rect.left + (rect.right - rect.left) / 2, rect.top + (rect.bottom - rect.top) / 2};
}

// The centre of the primary screen, where a dialog without an owner goes.
inline POINT ScreenCentre() { return {GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2}; }

// The centre of `owner`, or of the screen without one.
inline POINT CentreOf(HWND owner) {
  RECT rect{};
  if (owner == nullptr || !GetWindowRect(owner, &rect)) return ScreenCentre();
  return CentreOf(rect);
}

// The work area of `monitor`; the primary screen's when the system cannot
// say.
inline RECT WorkAreaOf(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (monitor != nullptr && GetMonitorInfoW(monitor, &info)) return info.rcWork;
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

// The work area of the screen that holds `point`.
inline RECT WorkAreaAround(POINT point) { return WorkAreaOf(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST)); }

// Moves `window` (keeping its size) to the centre of `owner`, or of the
// work area without an owner, inside the work area of the owner's screen.
inline void CentreOnOwner(HWND window, HWND owner) {
  RECT self{};
  GetWindowRect(window, &self);
  const RECT work = WorkAreaOf(MonitorFromWindow(owner != nullptr ? owner : window, MONITOR_DEFAULTTONEAREST));
  RECT area{};
  if (owner == nullptr || !GetWindowRect(owner, &area)) area = work;
  const POINT topLeft = PlaceCentredIn(area, SIZE{self.right - self.left, self.bottom - self.top}, work);
  SetWindowPos(window, nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace velmora::win32
