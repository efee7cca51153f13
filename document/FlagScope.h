#pragma once
// Sets a flag for the lifetime of a scope, also when an exception leaves it:
// the "we are updating the controls ourselves" flags that keep a window from
// taking its own updates for the user's input, and the core's "the close
// questions are up" flag, must never stay set.

namespace velmora {

class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace velmora
