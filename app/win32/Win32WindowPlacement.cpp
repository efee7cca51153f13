#include "app/win32/Win32WindowPlacement.h"

#include "win32/Placement.h"

namespace velmora::win32 {
namespace {

RECT ToRect(const PlacementRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
PlacementRect FromRect(const RECT& r) { return PlacementRect{r.left, r.top, r.right, r.bottom}; }

WINDOWPLACEMENT CurrentRecord(HWND window) {
  WINDOWPLACEMENT record{};
  record.length = sizeof record;
  if (!GetWindowPlacement(window, &record)) {
    record = WINDOWPLACEMENT{};
    record.length = sizeof record;
  }
  return record;
}

// The record's coordinates start at the top left of the primary screen's
// work area (they leave out a taskbar at the top or left), screen
// coordinates at the top left of the screen: this is the difference.
POINT WorkspaceOrigin() {
  const RECT workArea = WorkAreaOf(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
  return POINT{workArea.left, workArea.top};
}

}  // namespace

WindowPlacement Win32WindowPlacement::Placement() {
  const WINDOWPLACEMENT record = CurrentRecord(window_);
  WindowPlacement placement;
  placement.flags = static_cast<int>(record.flags);
  placement.showCmd = static_cast<int>(record.showCmd);
  placement.maxX = record.ptMaxPosition.x;
  placement.maxY = record.ptMaxPosition.y;
  placement.normal = FromRect(record.rcNormalPosition);
  return placement;
}

// The minimised position is not the settings' to change: it stays as it is.
void Win32WindowPlacement::SetPlacement(const WindowPlacement& placement) {
  WINDOWPLACEMENT record = CurrentRecord(window_);
  record.flags = static_cast<UINT>(placement.flags);
  record.showCmd = static_cast<UINT>(placement.showCmd);
  record.ptMaxPosition = POINT{placement.maxX, placement.maxY};
  record.rcNormalPosition = ToRect(placement.normal);
  SetWindowPlacement(window_, &record);
}

bool Win32WindowPlacement::Showing() { return IsWindowVisible(window_) != FALSE; }

WindowState Win32WindowPlacement::State() {
  if (!Showing()) return firstShowState_;
  if (IsIconic(window_)) return WindowState::Minimised;
  if (IsZoomed(window_)) return WindowState::Maximised;
  return WindowState::Normal;
}

PixelSize Win32WindowPlacement::WindowSize() {
  RECT frame{};
  GetWindowRect(window_, &frame);
  return PixelSize{frame.right - frame.left, frame.bottom - frame.top};
}

PixelSize Win32WindowPlacement::ScreenSize() {
  return PixelSize{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

PlacementRect Win32WindowPlacement::NearestWorkArea(const PlacementRect& rect) {
  const POINT origin = WorkspaceOrigin();
  RECT onScreen = ToRect(rect);
  OffsetRect(&onScreen, origin.x, origin.y);
  RECT workArea = WorkAreaOf(MonitorFromRect(&onScreen, MONITOR_DEFAULTTONEAREST));
  OffsetRect(&workArea, -origin.x, -origin.y);
  return FromRect(workArea);
}

int FirstShowCommand(WindowState state, int requested) {
  switch (state) {
    case WindowState::Maximised: return SW_SHOWMAXIMIZED;
    case WindowState::Minimised: return SW_SHOWMINIMIZED;
    case WindowState::Normal: break;
  }
  return requested;
}

}  // namespace velmora::win32
