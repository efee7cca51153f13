#pragma once
// The main window's placement through the platform's placement record
// (GetWindowPlacement, SetWindowPlacement) and the monitors' work areas.

#include <windows.h>

#include "app/WindowPlacement.h"

namespace velmora::win32 {

class Win32WindowPlacement final : public WindowPlacementPort {
 public:
  // `firstShowState` is where the window keeps the state of its first show:
  // a hidden window has no state of its own yet.
  Win32WindowPlacement(HWND window, WindowState& firstShowState) : window_(window), firstShowState_(firstShowState) {}

  WindowPlacement Placement() override;
  void SetPlacement(const WindowPlacement& placement) override;
  bool Showing() override;
  WindowState State() override;
  void SetState(WindowState state) override { firstShowState_ = state; }
  PixelSize WindowSize() override;
  PixelSize ScreenSize() override;
  PlacementRect NearestWorkArea(const PlacementRect& rect) override;

 private:
  HWND window_;
  WindowState& firstShowState_;
};

// The show command of the window's first show: the restored state, or, for
// a normal window, what the program was started with.
int FirstShowCommand(WindowState state, int requested);

}  // namespace velmora::win32
