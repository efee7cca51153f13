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

std::uint32_t LittleEndian16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

// The file header after "PE\0\0": the section count and the optional
// header's size are what locate the section table.
constexpr std::size_t kFileHeaderSize = 20;
constexpr std::size_t kSectionCountAt = 2;
constexpr std::size_t kOptionalHeaderSizeAt = 16;
// In the optional header (PE32 and PE32+ alike): the size of all headers.
constexpr std::size_t kSizeOfHeadersAt = 60;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kRawSizeAt = 16;
constexpr std::size_t kRawPointerAt = 20;

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

// All sums in 64 bits: every field is at most 32 bits wide, so nothing
// wraps, also on i686.
bool IsWholeExecutable(std::string_view bytes) {
  if (!HasExecutableHeader(bytes)) return false;
  const std::uint64_t size = bytes.size();
  const std::uint64_t fileHeader = std::uint64_t{LittleEndian32(bytes, kNewHeaderPointer)} + kPeSignature.size();
  if (fileHeader + kFileHeaderSize > size) return false;
  const std::uint32_t sections = LittleEndian16(bytes, static_cast<std::size_t>(fileHeader + kSectionCountAt));
  const std::uint32_t optionalSize = LittleEndian16(bytes, static_cast<std::size_t>(fileHeader + kOptionalHeaderSizeAt));
  const std::uint64_t optionalHeader = fileHeader + kFileHeaderSize;
  const std::uint64_t sectionTable = optionalHeader + optionalSize;
  if (sectionTable + std::uint64_t{sections} * kSectionHeaderSize > size) return false;
  if (optionalSize >= kSizeOfHeadersAt + 4 &&
      LittleEndian32(bytes, static_cast<std::size_t>(optionalHeader + kSizeOfHeadersAt)) > size) {
    return false;
  }
  for (std::uint32_t i = 0; i < sections; ++i) {
    const auto header = static_cast<std::size_t>(sectionTable + std::uint64_t{i} * kSectionHeaderSize);
    const std::uint64_t rawSize = LittleEndian32(bytes, header + kRawSizeAt);
    const std::uint64_t rawPointer = LittleEndian32(bytes, header + kRawPointerAt);
    if (rawSize != 0 && rawPointer + rawSize > size) return false;
  }
  return true;
}

std::string ReadPlayerStub(FileSystemPort& files, const FilePath& path) {
  std::string stub = files.ReadWholeFile(path);
  if (!IsWholeExecutable(stub)) throw VelmoraError(NotAnExecutableMessage(files.DisplayText(path)));
  return stub;
}

}  // namespace velmora
