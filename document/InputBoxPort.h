#pragma once
// A one-line text question: caption, prompt and a starting text. The
// platform has no such box of its own, so the Win32 shell provides a small
// dialog; tests answer with a fake.

#include <optional>
#include <string>

namespace velmora {

class InputBoxPort {
 public:
  virtual ~InputBoxPort() = default;
  // The text as the user confirmed it (CP932), or nothing when cancelled.
  virtual std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                             const std::string& initialText) = 0;
};

}  // namespace velmora
