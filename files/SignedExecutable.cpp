// Code-signing a generated executable appends a certificate table behind
// our trailer, after zero padding to an 8-byte boundary. The PE header's
// security directory says where that table lies; our trailer is then found
// among the padding bytes before it.
#include <cstdint>
#include <optional>

#include "files/DistributionPayload.h"

namespace velmora {
namespace {

constexpr std::size_t kTrailerSize = 4;
constexpr std::size_t kMaxPadding = 7;
constexpr std::size_t kSecurityDirectory = 4;

// Bounds-checked little-endian reads: the file may be anything. Offsets are
// 64-bit because they are sums of 32-bit fields from the file, which would
// wrap to a position inside the file if they were narrowed to a 32-bit
// size_t before the check.
struct Reader {
  std::string_view bytes;
  bool ok = true;

  std::uint64_t Read(std::uint64_t offset, std::size_t size) {
    if (!ok || offset > bytes.size() || bytes.size() - offset < size) {
      ok = false;
      return 0;
    }
    // Within the file now, so the offset fits a size_t.
    const std::size_t start = static_cast<std::size_t>(offset);
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i) {
      value |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[start + i])) << (8 * i);
    }
    return value;
  }
};

struct PeLayout {
  std::uint64_t stubEnd = 0;  // end of the last section's raw data (or of the symbols)
  std::uint64_t tableOffset = 0;  // certificate table
  std::uint64_t tableSize = 0;
};

std::optional<PeLayout> ReadPeLayout(std::string_view bytes) {
  Reader reader{bytes};
  if (reader.Read(0, 2) != 0x5A4D) return std::nullopt;  // "MZ"
  const std::uint64_t header = reader.Read(0x3C, 4);
  if (reader.Read(header, 4) != 0x00004550) return std::nullopt;  // "PE\0\0"
  const std::uint64_t sectionCount = reader.Read(header + 6, 2);
  const std::uint64_t symbolTable = reader.Read(header + 12, 4);
  const std::uint64_t symbolCount = reader.Read(header + 16, 4);
  const std::uint64_t optionalSize = reader.Read(header + 20, 2);
  const std::uint64_t optional = header + 24;
  const std::uint64_t magic = reader.Read(optional, 2);
  std::uint64_t directoryCountOffset = 0;
  if (magic == 0x10B) directoryCountOffset = 92;        // PE32
  else if (magic == 0x20B) directoryCountOffset = 108;  // PE32+
  else return std::nullopt;
  const std::uint64_t directoryCount = reader.Read(optional + directoryCountOffset, 4);
  if (directoryCount <= kSecurityDirectory) return std::nullopt;
  const std::uint64_t directory = optional + directoryCountOffset + 4 + 8 * kSecurityDirectory;
  if (directory + 8 > optional + optionalSize) return std::nullopt;

  PeLayout layout;
  layout.tableOffset = reader.Read(directory, 4);
  layout.tableSize = reader.Read(directory + 4, 4);
  const std::uint64_t sections = optional + optionalSize;
  for (std::uint64_t i = 0; i < sectionCount && reader.ok; ++i) {
    const std::uint64_t rawSize = reader.Read(sections + 40 * i + 16, 4);
    const std::uint64_t rawOffset = reader.Read(sections + 40 * i + 20, 4);
    if (rawSize != 0 && rawOffset + rawSize > layout.stubEnd) layout.stubEnd = rawOffset + rawSize;
  }
  // A stub that was not stripped keeps its COFF symbols and their string
  // table behind the sections; they end the stub then.
  if (symbolTable != 0) {
    const std::uint64_t strings = symbolTable + 18 * symbolCount;
    const std::uint64_t symbolsEnd = strings + reader.Read(strings, 4);
    if (symbolsEnd > layout.stubEnd) layout.stubEnd = symbolsEnd;
  }
  if (!reader.ok) return std::nullopt;
  return layout;
}

std::uint64_t TrailerValueBefore(std::string_view bytes, std::size_t end) {
  Reader reader{bytes};
  return reader.Read(end - kTrailerSize, kTrailerSize);
}

}  // namespace

std::size_t PayloadEnd(std::string_view fileBytes) {
  const std::optional<PeLayout> layout = ReadPeLayout(fileBytes);
  if (!layout || layout->tableSize == 0 || layout->tableOffset + layout->tableSize != fileBytes.size()) {
    return fileBytes.size();
  }
  // The trailer ends at the one position E among the zero bytes before the
  // table where stub + payload + trailer add up: S + L + 4 = E.
  // The table ends the file, so its offset fits a size_t.
  const std::size_t table = static_cast<std::size_t>(layout->tableOffset);
  for (std::size_t padding = 0; padding <= kMaxPadding && padding + kTrailerSize <= table; ++padding) {
    const std::size_t end = table - padding;
    if (padding > 0 && fileBytes[end] != '\0') break;
    if (layout->stubEnd + TrailerValueBefore(fileBytes, end) + kTrailerSize == end) return end;
  }
  return fileBytes.size();
}

}  // namespace velmora
