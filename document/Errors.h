#pragma once
// Commands raise errors rather than return them; the one dispatch point of
// the window (or the CLI's main) catches them and reports the text.

#include <cstddef>
#include <stdexcept>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

// An error whose message is a CP932 text meant for the user.
class VelmoraError : public std::runtime_error {
 public:
  explicit VelmoraError(const std::string& cp932Message) : std::runtime_error(cp932Message) {}
};

// The text of the general error report: a full stop is appended when the
// message's last character is a single-byte one that sorts after "." (so
// "abc" gets one, while a message ending in ".", "!" or any double-byte
// character such as "。" or "す" does not).
std::string GeneralErrorReportText(std::string_view message);

// A number in a message, in decimal digits. By hand rather than with
// std::to_string, which brings a table of digit pairs and its own
// formatting into the player stub.
std::string DecimalText(std::uint64_t value);

}  // namespace velmora
