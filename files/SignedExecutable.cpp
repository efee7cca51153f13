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

// Bounds-checked little-endian reads: the file may be anything. Offsets
// are the PE format's own 32-bit values and their sums, in 32-bit
// arithmetic (which keeps the player stub, a 32-bit program, small): the
// file is below 2 GB, so an offset that was read within it plus a 16-bit
// field or a small constant stays in range, and the sums of two values
// from the file are checked (Sum), failing like a read outside the file
// instead of wrapping round to a position inside it.
struct Reader {
  std::string_view bytes;
  bool ok = true;

  std::uint32_t Read(std::uint32_t offset, std::uint32_t size) {
    if (!ok || offset > bytes.size() || bytes.size() - offset < size) {
      ok = false;
      return 0;
    }
    std::uint32_t value = 0;
    for (std::uint32_t i = 0; i < size; ++i) {
      value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
    }
    return value;
  }

  std::uint32_t Sum(std::uint32_t a, std::uint32_t b) {
    std::uint32_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) ok = false;
    return sum;
  }
};

struct PeLayout {
  std::uint32_t stubEnd = 0;  // end of the last section's raw data (or of the symbols)
  std::uint32_t tableOffset = 0;  // certificate table
  std::uint32_t tableSize = 0;
};

// A generated executable is far smaller than 2 GB; a file that is not is
// no signed executable of ours.
constexpr std::size_t kLargestExecutable = 0x7FFFFFFF;

std::optional<PeLayout> ReadPeLayout(std::string_view bytes) {
  if (bytes.size() > kLargestExecutable) return std::nullopt;
  Reader reader{bytes};
  if (reader.Read(0, 2) != 0x5A4D) return std::nullopt;  // "MZ"
  const std::uint32_t header = reader.Read(0x3C, 4);
  if (reader.Read(header, 4) != 0x00004550) return std::nullopt;  // "PE\0\0"
  const std::uint32_t sectionCount = reader.Read(header + 6, 2);
  const std::uint32_t symbolTable = reader.Read(header + 12, 4);
  const std::uint32_t symbolCount = reader.Read(header + 16, 4);
  const std::uint32_t optionalSize = reader.Read(header + 20, 2);
  const std::uint32_t optional = header + 24;
  const std::uint32_t magic = reader.Read(optional, 2);
  std::uint32_t directoryCountOffset = 0;
  if (magic == 0x10B) directoryCountOffset = 92;        // PE32
  else if (magic == 0x20B) directoryCountOffset = 108;  // PE32+
  else return std::nullopt;
  const std::uint32_t directoryCount = reader.Read(optional + directoryCountOffset, 4);
  if (directoryCount <= kSecurityDirectory) return std::nullopt;
  const std::uint32_t directory = optional + directoryCountOffset + 4 + 8 * kSecurityDirectory;
  if (directory + 8 > optional + optionalSize) return std::nullopt;

  PeLayout layout;
  layout.tableOffset = reader.Read(directory, 4);
  layout.tableSize = reader.Read(directory + 4, 4);
  const std::uint32_t sections = optional + optionalSize;
  for (std::uint32_t i = 0; i < sectionCount && reader.ok; ++i) {
    const std::uint32_t entry = sections + 40 * i;
    const std::uint32_t rawSize = reader.Read(entry + 16, 4);
    const std::uint32_t rawEnd = reader.Sum(reader.Read(entry + 20, 4), rawSize);
    if (rawSize != 0 && rawEnd > layout.stubEnd) layout.stubEnd = rawEnd;
  }
  // A stub that was not stripped keeps its COFF symbols and their string
  // table behind the sections; they end the stub then.
  if (symbolTable != 0) {
    std::uint32_t symbolsSize = 0;
    if (__builtin_mul_overflow(symbolCount, 18u, &symbolsSize)) return std::nullopt;
    const std::uint32_t strings = reader.Sum(symbolTable, symbolsSize);
    const std::uint32_t symbolsEnd = reader.Sum(strings, reader.Read(strings, 4));
    if (symbolsEnd > layout.stubEnd) layout.stubEnd = symbolsEnd;
  }
  if (!reader.ok) return std::nullopt;
  return layout;
}

std::uint64_t TrailerValueBefore(std::string_view bytes, std::size_t end) {
  Reader reader{bytes};
  return reader.Read(static_cast<std::uint32_t>(end - kTrailerSize), kTrailerSize);
}

}  // namespace

std::size_t PayloadEnd(std::string_view fileBytes) {
  const std::optional<PeLayout> layout = ReadPeLayout(fileBytes);
  if (!layout || layout->tableSize == 0 ||
      std::uint64_t{layout->tableOffset} + layout->tableSize != fileBytes.size()) {
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
