#pragma once
// A procedure's version as the end user's report and the run records name
// it: eight hex digits of a hash (FNV-1a, 32 bits) of the document as
// saved, the same bytes a generated executable carries. Two versions that
// differ in anything stored differ here too, with rare exceptions that the
// author tells apart by the title and the date.

#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

inline std::string ContentVersion(std::string_view savedBytes) {
  std::uint32_t hash = 2166136261u;
  for (const char c : savedBytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  std::string text(8, '0');
  for (std::size_t i = 8; i-- > 0; hash >>= 4) text[i] = "0123456789abcdef"[hash & 0xF];
  return text;
}

}  // namespace velmora
