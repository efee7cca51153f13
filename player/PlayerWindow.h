#pragma once
// The player's application window: never seen itself, it carries the
// procedure's title as its caption and owns every step dialog, so that the
// program keeps one taskbar button, with its progress bar, from the first
// step to the last.

#include <windows.h>

#include <string>

#include "win32/WindowBase.h"

namespace velmora::win32 {

class TaskbarProgress;

class PlayerWindow final : public WindowBase<PlayerWindow> {
 public:
  static constexpr wchar_t kClassName[] = L"VelmoraPlayer";

  // Creates and shows the window (zero-sized, at the centre of the screen)
  // with `caption` as the taskbar button's text.
  PlayerWindow(HINSTANCE instance, const std::wstring& caption);
  ~PlayerWindow();
  PlayerWindow(const PlayerWindow&) = delete;
  PlayerWindow& operator=(const PlayerWindow&) = delete;

  // The bar to set again when the shell (re)creates the taskbar button.
  void FollowTaskbarButton(TaskbarProgress& taskbar) { taskbar_ = &taskbar; }

 private:
  friend class WindowBase<PlayerWindow>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnClose();

  TaskbarProgress* taskbar_ = nullptr;
  const UINT taskbarButtonCreated_;
};

}  // namespace velmora::win32
