// Code-signing a generated executable appends a certificate table behind
// our trailer, after zero padding to an 8-byte boundary. The PE header's
// security directory says where that table lies; our trailer is then found
// among the padding bytes before it.
#include <algorithm>
#include <cstdint>
#include <optional>

#include "files/DistributionPayload.h"
#include "files/LittleEndian.h"

namespace velmora {
namespace {

constexpr std::size_t kTrailerSize = 4;
constexpr std::size_t kMaxPadding = 7;
constexpr std::size_t kSecurityDirectory = 4;

// Fields are read (LittleEndian.h) only once Within has shown them to lie
// inside the file: the file may be anything. Offsets are the PE format's
// own 32-bit values and their sums, in 32-bit arithmetic (which keeps the
// player stub, a 32-bit program, small): the file is below 2 GB, so an
// offset shown to lie within it plus a 16-bit field or a small constant
// stays in range, and sums of two values from the file are formed only
// after each was shown to be within the file.
bool Within(std::string_view bytes, std::uint32_t offset, std::uint32_t size) {
  return offset <= bytes.size() && bytes.size() - offset >= size;
}

// A generated executable is far smaller than 2 GB; a file that is not is
// no signed executable of ours.
constexpr std::size_t kLargestExecutable = 0x7FFFFFFF;

struct PeLayout {
  std::uint32_t stubEnd = 0;  // end of the last section's raw data (or of the symbols)
  std::uint32_t tableOffset = 0;  // certificate table
  std::uint32_t tableSize = 0;
};

// The layout of a PE image whose headers, section table and symbol table
// (when it has one) lie within the file; nothing for anything else.
std::optional<PeLayout> ReadPeLayout(std::string_view bytes) {
  if (bytes.size() > kLargestExecutable || !Within(bytes, 0, 0x40) || LittleEndian16At(bytes, 0) != 0x5A4D) {
    return std::nullopt;  // "MZ"
  }
  const std::uint32_t header = LittleEndian32At(bytes, 0x3C);
  if (!Within(bytes, header, 24) || LittleEndian32At(bytes, header) != 0x00004550) return std::nullopt;  // "PE\0\0"
  const std::uint32_t sectionCount = LittleEndian16At(bytes, header + 6);
  const std::uint32_t symbolTable = LittleEndian32At(bytes, header + 12);
  const std::uint32_t symbolCount = LittleEndian32At(bytes, header + 16);
  const std::uint32_t optionalSize = LittleEndian16At(bytes, header + 20);
  const std::uint32_t optional = header + 24;
  if (!Within(bytes, optional, optionalSize) || optionalSize < 2) return std::nullopt;
  std::uint32_t directoryCountOffset = 0;
  const std::uint32_t magic = LittleEndian16At(bytes, optional);
  if (magic == 0x10B) directoryCountOffset = 92;        // PE32
  else if (magic == 0x20B) directoryCountOffset = 108;  // PE32+
  else return std::nullopt;
  const std::uint32_t directory = optional + directoryCountOffset + 4 + 8 * kSecurityDirectory;
  // The directory count and the security directory lie inside the
  // optional header, which lies inside the file.
  if (directory + 8 > optional + optionalSize) return std::nullopt;
  if (LittleEndian32At(bytes, optional + directoryCountOffset) <= kSecurityDirectory) return std::nullopt;
  PeLayout layout;
  layout.tableOffset = LittleEndian32At(bytes, directory);
  layout.tableSize = LittleEndian32At(bytes, directory + 4);
  const std::uint32_t sections = optional + optionalSize;
  if (!Within(bytes, sections, 40 * sectionCount)) return std::nullopt;
  for (std::uint32_t i = 0; i < sectionCount; ++i) {
    const std::uint32_t rawSize = LittleEndian32At(bytes, sections + 40 * i + 16);
    const std::uint32_t rawOffset = LittleEndian32At(bytes, sections + 40 * i + 20);
    // A section's data must lie within the file for the stub to end there.
    if (rawSize == 0) continue;
    if (!Within(bytes, rawOffset, rawSize)) return std::nullopt;
    layout.stubEnd = std::max(layout.stubEnd, rawOffset + rawSize);
  }
  // A stub that was not stripped keeps its COFF symbols and their string
  // table behind the sections; they end the stub then.
  if (symbolTable != 0) {
    if (!Within(bytes, symbolTable, 0) || symbolCount > (bytes.size() - symbolTable) / 18) return std::nullopt;
    const std::uint32_t strings = symbolTable + 18 * symbolCount;
    if (!Within(bytes, strings, 4)) return std::nullopt;
    const std::uint32_t stringsSize = LittleEndian32At(bytes, strings);
    if (!Within(bytes, strings, stringsSize)) return std::nullopt;
    layout.stubEnd = std::max(layout.stubEnd, strings + stringsSize);
  }
  return layout;
}

std::uint64_t TrailerValueBefore(std::string_view bytes, std::size_t end) {
  return LittleEndian32At(bytes, static_cast<std::uint32_t>(end - kTrailerSize));
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
