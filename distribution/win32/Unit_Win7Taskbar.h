#pragma once
// Taskbar progress through the shell's ITaskbarList3 (Windows 7 and later).
// Where the platform does not offer it the facility is simply absent: every
// call then does nothing and reports false, and a run works unchanged.

#include <windows.h>

#include <cstdint>

#include "distribution/TaskbarProgressPort.h"
#include "win32/ComOwner.h"

struct ITaskbarList3;

namespace velmora::win32 {

class TaskbarProgress final : public TaskbarProgressPort {
 public:
  // `window` owns the program's taskbar button (the editor's main window,
  // the player's application window). COM must be initialised on the
  // calling thread for as long as the object lives.
  explicit TaskbarProgress(HWND window);
  ~TaskbarProgress() override;
  TaskbarProgress(const TaskbarProgress&) = delete;
  TaskbarProgress& operator=(const TaskbarProgress&) = delete;

  // Creates the taskbar-list object and keeps its ITaskbarList3 when HrInit
  // succeeds; true if it is held (also when it was held already). Failures
  // are not reported: the facility just stays absent.
  bool InitTaskbarProgress();
  bool Available() const { return list_ != nullptr; }

  // The state values of TaskbarProgressState; any other value clears the bar.
  bool SetTaskbarProgressState(int state);
  bool SetTaskbarProgressState(TaskbarProgressState state) override;
  bool SetTaskbarProgressValue(std::uint64_t completed, std::uint64_t total) override;

  // The message the shell sends when it (re)creates the taskbar button; the
  // bar set before that is lost, so the owner window hands it to
  // OnTaskbarButtonCreated, which sets the last state and value again. That
  // also creates the taskbar-list object if it is not held yet: a program
  // may leave loading the shell until its button is there, as the shell
  // asks, and the states set meanwhile are kept. TaskbarButtonCreatedMessage
  // registers the message: the window asks once and keeps the number (no
  // static here, which the player stub would carry as writable data).
  static UINT TaskbarButtonCreatedMessage();
  void OnTaskbarButtonCreated();

 private:
  HWND window_;
  ComOwner<ITaskbarList3> list_;
  int lastState_ = 0;
  std::uint64_t lastCompleted_ = 0;
  std::uint64_t lastTotal_ = 0;
  bool valueSet_ = false;
};

}  // namespace velmora::win32
