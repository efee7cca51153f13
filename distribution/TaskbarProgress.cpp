#include "distribution/TaskbarProgressPort.h"

namespace velmora {

unsigned TaskbarProgressFlag(int state) {
  switch (state) {
    case static_cast<int>(TaskbarProgressState::Indeterminate): return taskbar_flag::kIndeterminate;
    case static_cast<int>(TaskbarProgressState::Normal): return taskbar_flag::kNormal;
    case static_cast<int>(TaskbarProgressState::Error): return taskbar_flag::kError;
    case static_cast<int>(TaskbarProgressState::Paused): return taskbar_flag::kPaused;
    default: return taskbar_flag::kNoProgress;  // None and every unknown value
  }
}

TaskbarProgressState ProgressStateForColour(int color) {
  switch (color) {
    case 1: return TaskbarProgressState::Normal;  // green
    case 2: return TaskbarProgressState::Paused;  // yellow
    case 3: return TaskbarProgressState::Error;   // red
    default: return TaskbarProgressState::None;
  }
}

}  // namespace velmora
