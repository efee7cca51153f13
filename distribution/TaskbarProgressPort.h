#pragma once
// The taskbar progress bar as a run drives it. The platform module
// (Unit_Win7Taskbar) implements the port; the run only decides which state
// and value to ask for, so that part is testable without a taskbar.

#include <cstdint>

namespace velmora {

// The argument of SetTaskbarProgressState. The numbers are part of the
// facility's interface (callers may hand in any int), so they must not move.
enum class TaskbarProgressState : int {
  None = 0,
  Indeterminate = 1,
  Normal = 2,
  Error = 3,
  Paused = 4,
};

// The ITaskbarList3 TBPF_* flag values, spelled out here because the core
// never sees the platform headers.
namespace taskbar_flag {
constexpr unsigned kNoProgress = 0x0;
constexpr unsigned kIndeterminate = 0x1;
constexpr unsigned kNormal = 0x2;
constexpr unsigned kError = 0x4;
constexpr unsigned kPaused = 0x8;
}  // namespace taskbar_flag

// The platform flag for a state value; anything outside 0..4 clears the bar.
unsigned TaskbarProgressFlag(int state);

// The state a run shows for the document's colour: 1 green (Normal),
// 2 yellow (Paused), 3 red (Error), anything else no bar.
TaskbarProgressState ProgressStateForColour(int color);

// The value a run sets at its end: an empty bar over the largest total the
// facility's 32-bit callers ever passed.
constexpr std::uint64_t kClearedProgressTotal = 2147483647;

class TaskbarProgressPort {
 public:
  virtual ~TaskbarProgressPort() = default;
  // Both return whether the platform took the call; a run ignores failures.
  virtual bool SetTaskbarProgressState(TaskbarProgressState state) = 0;
  virtual bool SetTaskbarProgressValue(std::uint64_t completed, std::uint64_t total) = 0;
};

}  // namespace velmora
