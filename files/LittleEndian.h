#pragma once
// Little-endian fields of a file's bytes (the payload's trailer, the PE
// headers of a signed executable), read where the caller has made sure they
// lie inside it. Each is one load on the little-endian machines the program
// runs on.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace velmora {

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "file fields are read as they lie in memory");

inline std::uint32_t LittleEndian32At(std::string_view bytes, std::size_t offset) {
  std::uint32_t value = 0;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

inline std::uint32_t LittleEndian16At(std::string_view bytes, std::size_t offset) {
  std::uint16_t value = 0;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

}  // namespace velmora
