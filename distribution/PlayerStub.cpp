#include "distribution/PlayerStub.h"

#include <cstdint>

#include "document/Errors.h"
#include "files/FileMessages.h"

namespace velmora {
namespace {

constexpr std::size_t kDosHeaderSize = 0x40;
constexpr std::size_t kNewHeaderPointer = 0x3C;
constexpr std::string_view kPeSignature{"PE\0\0", 4};

std::uint32_t LittleEndian32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  }
  return value;
}

}  // namespace

bool HasExecutableHeader(std::string_view bytes) {
  if (bytes.size() < kDosHeaderSize || bytes.substr(0, 2) != "MZ") return false;
  const std::uint32_t newHeader = LittleEndian32(bytes, kNewHeaderPointer);
  // Compared before any sum, so a pointer near 4 GB cannot wrap around.
  if (newHeader < kDosHeaderSize || newHeader > bytes.size() || bytes.size() - newHeader < kPeSignature.size()) {
    return false;
  }
  return bytes.substr(newHeader, kPeSignature.size()) == kPeSignature;
}

std::string ReadPlayerStub(FileSystemPort& files, const FilePath& path) {
  std::string stub = files.ReadWholeFile(path);
  if (!HasExecutableHeader(stub)) throw VelmoraError(NotAnExecutableMessage(files.DisplayText(path)));
  return stub;
}

}  // namespace velmora
