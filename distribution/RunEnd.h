#pragma once
// A scope guard for the end of a run, shared by the run itself and the
// editor's preview. Where exceptions exist (the editor) it also runs when a
// dialog fails; the player stub runs without them.

#include <exception>
#include <utility>

namespace velmora {

// Ends the run's side effects however the run ends, so that an exception
// from a dialog never leaves the taskbar bar or the editor's commands stuck.
template <typename Finish>
class RunEnd {
 public:
  explicit RunEnd(Finish finish) : finish_(std::move(finish)) {}
  RunEnd(const RunEnd&) = delete;
  RunEnd& operator=(const RunEnd&) = delete;
  // A failure while ending after another failure must not terminate the
  // program; the first error is the one worth reporting.
  ~RunEnd() noexcept(false) {
#if defined(__cpp_exceptions)
    if (std::uncaught_exceptions() != 0) {
      try {
        finish_();
      } catch (...) {
      }
      return;
    }
#endif
    finish_();
  }

 private:
  Finish finish_;
};

}  // namespace velmora
