// The version comment on arbitrary bytes, as `set` on any .exe hands them
// over as the player: whatever the headers say, it reads and writes only
// inside the bytes, and taking the comment away again gives what it was
// given (or that unchanged, for what it cannot follow).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/VersionComment.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string with = velmora::WithVersionComment(bytes, u"\u5B9F\u884C D:\\runs");
  const std::string again = velmora::WithVersionComment(with, u"E:\\other");
  const std::string without = velmora::WithVersionComment(again, u"");
  if (with != bytes && velmora::WithVersionComment(with, u"") != velmora::WithVersionComment(bytes, u"")) {
    std::abort();
  }
  (void)without;
  return 0;
}
