#include "files/VersionComment.h"

#include <cstdint>
#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "document/Utf8Text.h"
#include "files/LittleEndian.h"

namespace velmora {
namespace {

constexpr std::uint32_t kResourceDirectory = 2;
constexpr std::uint32_t kVersionType = 16;  // RT_VERSION
constexpr std::size_t kSectionHeaderSize = 40;
constexpr char kSectionName[8] = {'.', 'v', 'i', 'n', 'f', 'o', 0, 0};
constexpr std::uint32_t kReadOnlyData = 0x40000040;  // initialised data, readable
const std::u16string kCommentsKey = u"Comments";

bool Within(std::string_view bytes, std::uint64_t offset, std::uint64_t size) {
  return offset <= bytes.size() && bytes.size() - offset >= size;
}

std::uint32_t AlignUp(std::uint32_t value, std::uint32_t alignment) {
  return alignment == 0 ? value : (value + alignment - 1) / alignment * alignment;
}

void Put32(std::string& bytes, std::size_t offset, std::uint32_t value) { std::memcpy(&bytes[offset], &value, 4); }
void Put16(std::string& bytes, std::size_t offset, std::uint16_t value) { std::memcpy(&bytes[offset], &value, 2); }

struct Section {
  std::size_t header = 0;  // where its header lies in the file
  char name[8] = {};
  std::uint32_t virtualSize = 0, virtualAddress = 0, rawSize = 0, rawOffset = 0;
};

// What of the image the comment touches, read where it lies inside the file.
struct Image {
  std::size_t fileHeader = 0, optional = 0, sectionTable = 0;
  std::uint32_t sectionAlignment = 0, fileAlignment = 0, headersSize = 0;
  std::size_t sizeOfImageField = 0, sizeOfHeadersField = 0;
  std::uint32_t debugDirectorySize = 0;
  std::vector<Section> sections;
  std::uint32_t resourceRva = 0;

  std::optional<std::size_t> OffsetOf(std::uint32_t rva, std::uint32_t size) const {
    for (const Section& section : sections) {
      if (rva < section.virtualAddress || rva - section.virtualAddress >= section.rawSize) continue;
      const std::uint32_t inside = rva - section.virtualAddress;
      if (section.rawSize - inside < size) return std::nullopt;
      return static_cast<std::size_t>(section.rawOffset) + inside;
    }
    return std::nullopt;
  }
};

std::optional<Image> ReadImage(std::string_view bytes) {
  if (!Within(bytes, 0, 0x40) || LittleEndian16At(bytes, 0) != 0x5A4D) return std::nullopt;  // "MZ"
  Image image;
  const std::uint32_t pe = LittleEndian32At(bytes, 0x3C);
  if (!Within(bytes, pe, 24) || LittleEndian32At(bytes, pe) != 0x00004550) return std::nullopt;  // "PE\0\0"
  image.fileHeader = pe + 4;
  const std::uint32_t sectionCount = LittleEndian16At(bytes, image.fileHeader + 2);
  const std::uint32_t optionalSize = LittleEndian16At(bytes, image.fileHeader + 16);
  image.optional = pe + 24;
  if (!Within(bytes, image.optional, optionalSize) || optionalSize < 2) return std::nullopt;
  const std::uint32_t magic = LittleEndian16At(bytes, image.optional);
  const std::size_t directories = magic == 0x10B ? 96 : magic == 0x20B ? 112 : 0;  // PE32, PE32+
  if (directories == 0 || optionalSize < directories + 8 * (kResourceDirectory + 1)) return std::nullopt;
  if (LittleEndian32At(bytes, image.optional + directories - 4) <= kResourceDirectory) return std::nullopt;
  image.sectionAlignment = LittleEndian32At(bytes, image.optional + 32);
  image.fileAlignment = LittleEndian32At(bytes, image.optional + 36);
  // As the format has them: powers of two, the file's from 512 to 64 KB.
  const std::uint32_t fileAlignment = image.fileAlignment;
  const std::uint32_t sectionAlignment = image.sectionAlignment;
  if (fileAlignment < 0x200 || fileAlignment > 0x10000 || (fileAlignment & (fileAlignment - 1)) != 0 ||
      sectionAlignment == 0 || (sectionAlignment & (sectionAlignment - 1)) != 0) {
    return std::nullopt;
  }
  image.sizeOfImageField = image.optional + 56;
  image.sizeOfHeadersField = image.optional + 60;
  image.headersSize = LittleEndian32At(bytes, image.sizeOfHeadersField);
  if (LittleEndian32At(bytes, image.optional + directories - 4) > 6) {
    image.debugDirectorySize = LittleEndian32At(bytes, image.optional + directories + 8 * 6 + 4);
  }
  image.resourceRva = LittleEndian32At(bytes, image.optional + directories + 8 * kResourceDirectory);
  image.sectionTable = image.optional + optionalSize;
  if (!Within(bytes, image.sectionTable, std::uint64_t{sectionCount} * kSectionHeaderSize)) return std::nullopt;
  for (std::uint32_t i = 0; i < sectionCount; ++i) {
    Section section;
    section.header = image.sectionTable + i * kSectionHeaderSize;
    std::memcpy(section.name, bytes.data() + section.header, 8);
    section.virtualSize = LittleEndian32At(bytes, section.header + 8);
    section.virtualAddress = LittleEndian32At(bytes, section.header + 12);
    section.rawSize = LittleEndian32At(bytes, section.header + 16);
    section.rawOffset = LittleEndian32At(bytes, section.header + 20);
    if (!Within(bytes, section.rawOffset, section.rawSize)) return std::nullopt;
    image.sections.push_back(section);
  }
  if (image.sections.empty() || image.resourceRva == 0) return std::nullopt;
  return image;
}

// The file offset of the version information's data entry: type 16, its
// first name, its first language.
std::optional<std::size_t> VersionDataEntry(std::string_view bytes, const Image& image) {
  const auto root = image.OffsetOf(image.resourceRva, 16);
  if (!root) return std::nullopt;
  std::uint32_t directory = 0;  // relative to the resources' start
  for (int level = 0; level < 3; ++level) {
    const auto at = image.OffsetOf(image.resourceRva + directory, 16);
    if (!at) return std::nullopt;
    const std::uint32_t named = LittleEndian16At(bytes, *at + 12);
    const std::uint32_t ids = LittleEndian16At(bytes, *at + 14);
    const auto entries = image.OffsetOf(image.resourceRva + directory + 16, (named + ids) * 8);
    if (!entries || named + ids == 0) return std::nullopt;
    std::size_t chosen = *entries;  // below the type: the first entry
    if (level == 0) {
      chosen = 0;
      for (std::uint32_t i = named; i < named + ids && chosen == 0; ++i) {
        if (LittleEndian32At(bytes, *entries + i * 8) == kVersionType) chosen = *entries + i * 8;
      }
      if (chosen == 0) return std::nullopt;
    }
    const std::uint32_t target = LittleEndian32At(bytes, chosen + 4);
    const bool isDirectory = (target & 0x80000000u) != 0;
    if (level < 2 && !isDirectory) return std::nullopt;
    if (level == 2) {
      if (isDirectory) return std::nullopt;
      return image.OffsetOf(image.resourceRva + target, 16);
    }
    directory = target & 0x7FFFFFFFu;
  }
  return std::nullopt;
}

// A node of the version information: a key, a value and children, each
// 32-bit aligned from the start of the whole.
struct VersionNode {
  std::uint16_t valueLength = 0;
  std::uint16_t type = 0;
  std::u16string key;
  std::string value;
  std::vector<VersionNode> children;
};

std::size_t Aligned4(std::size_t offset) { return (offset + 3) & ~std::size_t{3}; }

// The root and the string tables hold nodes; the strings and the
// translation hold values only.
std::optional<VersionNode> ParseNode(std::string_view blob, std::size_t start, int depth, const std::u16string& parent) {
  if (!Within(blob, start, 6)) return std::nullopt;
  VersionNode node;
  const std::size_t length = LittleEndian16At(blob, start);
  if (length < 6 || !Within(blob, start, length)) return std::nullopt;
  const std::size_t end = start + length;
  node.valueLength = static_cast<std::uint16_t>(LittleEndian16At(blob, start + 2));
  node.type = static_cast<std::uint16_t>(LittleEndian16At(blob, start + 4));
  std::size_t at = start + 6;
  for (;; at += 2) {
    if (at + 2 > end) return std::nullopt;
    const auto c = static_cast<char16_t>(LittleEndian16At(blob, at));
    if (c == 0) break;
    node.key += c;
  }
  at = Aligned4(at + 2);
  const bool holdsNodes = depth == 0 || (depth == 1 && node.key == u"StringFileInfo") ||
                          (depth == 1 && node.key == u"VarFileInfo") || (depth == 2 && parent == u"StringFileInfo");
  const std::size_t declared = node.type == 1 ? std::size_t{node.valueLength} * 2 : node.valueLength;
  const std::size_t valueEnd = holdsNodes ? std::min(end, at + declared) : end;
  if (at < valueEnd) node.value = std::string(blob.substr(at, valueEnd - at));
  if (!holdsNodes) return node;
  for (at = Aligned4(valueEnd); at + 6 <= end; at = Aligned4(at + LittleEndian16At(blob, at))) {
    auto child = ParseNode(blob, at, depth + 1, node.key);
    if (!child) return std::nullopt;
    node.children.push_back(std::move(*child));
  }
  return node;
}

void Serialise(const VersionNode& node, std::string& out) {
  while (out.size() % 4 != 0) out += '\0';
  const std::size_t start = out.size();
  out.append(6, '\0');
  for (const char16_t c : node.key) out.append({static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)});
  out.append(2, '\0');
  while (out.size() % 4 != 0) out += '\0';
  out += node.value;
  for (const VersionNode& child : node.children) Serialise(child, out);
  Put16(out, start, static_cast<std::uint16_t>(out.size() - start));
  Put16(out, start + 2, node.valueLength);
  Put16(out, start + 4, node.type);
}

// Every string table without a comment, and with `comment` where it is not
// empty.
void SetComment(VersionNode& root, std::u16string_view comment) {
  for (VersionNode& block : root.children) {
    if (block.key != u"StringFileInfo") continue;
    for (VersionNode& table : block.children) {
      auto& strings = table.children;
      for (auto it = strings.begin(); it != strings.end();) {
        it = it->key == kCommentsKey ? strings.erase(it) : it + 1;
      }
      if (comment.empty()) continue;
      VersionNode line;
      line.type = 1;
      line.key = kCommentsKey;
      line.valueLength = static_cast<std::uint16_t>(comment.size() + 1);
      for (const char16_t c : comment) line.value.append({static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)});
      line.value.append(2, '\0');
      strings.push_back(std::move(line));
    }
  }
}

}  // namespace

// Our section starts with where the stub's own information lies (its
// address and size), whether the headers had to grow for our section's
// header, and the image's size as built, so that a later generation
// restores the stub byte for byte; our copy of the information with the
// comment follows.
constexpr std::uint32_t kOwnEntrySize = 16;

// Whether the headers can grow (or shrink) at their end: every section's
// data lies behind them, and a shrink removes only zero bytes.
bool CanMoveSectionData(std::string_view bytes, const Image& image, bool grow) {
  const std::uint32_t by = image.fileAlignment;
  if (by == 0 || image.headersSize > bytes.size() || (!grow && image.headersSize < by)) return false;
  for (const Section& section : image.sections) {
    if (section.rawSize != 0 && section.rawOffset < image.headersSize) return false;
  }
  if (grow) return true;
  const std::string_view removed = bytes.substr(image.headersSize - by, by);
  return removed.find_first_not_of('\0') == std::string_view::npos;
}

// Every section's data `by` bytes later (or earlier) in the file: the
// headers grow (or shrink) by one file alignment at their end.
void MoveSectionData(std::string& bytes, Image& image, bool grow) {
  const std::uint32_t by = image.fileAlignment;
  if (grow) {
    bytes.insert(image.headersSize, by, '\0');
    image.headersSize += by;
  } else {
    image.headersSize -= by;
    bytes.erase(image.headersSize, by);
  }
  Put32(bytes, image.sizeOfHeadersField, image.headersSize);
  for (Section& section : image.sections) {
    if (section.rawSize == 0) continue;
    section.rawOffset = grow ? section.rawOffset + by : section.rawOffset - by;
    Put32(bytes, section.header + 20, section.rawOffset);
  }
}

std::string WithVersionComment(std::string_view stub, std::u16string_view comment) {
  const std::string unchanged(stub);
  // The version information's text is at most 64 KB in all.
  if (comment.size() > 8000) return unchanged;
  std::optional<Image> image = ReadImage(stub);
  if (!image) return unchanged;
  const auto entry = VersionDataEntry(stub, *image);
  if (!entry) return unchanged;
  std::uint32_t ownRva = LittleEndian32At(stub, *entry);
  std::uint32_t ownSize = LittleEndian32At(stub, *entry + 4);

  // A section of ours from an earlier generation goes: the stub as built.
  std::string base(stub);
  const Section last = image->sections.back();
  if (std::memcmp(last.name, kSectionName, 8) == 0) {
    if (last.rawSize < kOwnEntrySize || image->sections.size() < 2) return unchanged;
    ownRva = LittleEndian32At(stub, last.rawOffset);
    ownSize = LittleEndian32At(stub, last.rawOffset + 4);
    const bool grew = LittleEndian32At(stub, last.rawOffset + 8) != 0;
    const std::uint32_t imageSize = LittleEndian32At(stub, last.rawOffset + 12);
    base.resize(last.rawOffset);
    std::memset(&base[last.header], 0, kSectionHeaderSize);
    image->sections.pop_back();
    Put16(base, image->fileHeader + 2, static_cast<std::uint16_t>(image->sections.size()));
    Put32(base, image->sizeOfImageField, imageSize);
    Put32(base, *entry, ownRva);
    Put32(base, *entry + 4, ownSize);
    if (grew) {
      if (!CanMoveSectionData(base, *image, false)) return unchanged;
      MoveSectionData(base, *image, false);
    }
  }
  if (comment.empty()) return base;

  const auto blobAt = image->OffsetOf(ownRva, ownSize);
  if (!blobAt) return unchanged;
  std::optional<VersionNode> root = ParseNode(std::string_view(base).substr(*blobAt, ownSize), 0, 0, u"");
  if (!root || root->key != u"VS_VERSION_INFO") return unchanged;
  SetComment(*root, comment);
  // The headers of some stubs end right after their section table: they
  // grow by one file alignment for ours, unless the first section's
  // address leaves no room or a debug directory names file offsets.
  const std::size_t newHeader = image->sectionTable + image->sections.size() * kSectionHeaderSize;
  const bool grow = newHeader + kSectionHeaderSize > image->headersSize;
  if (grow && (image->debugDirectorySize != 0 || !CanMoveSectionData(base, *image, true) ||
               image->headersSize + image->fileAlignment > image->sections.front().virtualAddress)) {
    return unchanged;
  }
  std::string data(kOwnEntrySize, '\0');
  Put32(data, 0, ownRva);
  Put32(data, 4, ownSize);
  Put32(data, 8, grow ? 1 : 0);
  Put32(data, 12, LittleEndian32At(base, image->sizeOfImageField));
  // What is restored later must have been zero: the header's place, and
  // nothing may lie after the sections' data.
  const std::size_t headerEnd = std::min<std::size_t>(newHeader + kSectionHeaderSize, image->headersSize);
  if (newHeader > base.size() || headerEnd > base.size() ||
      std::string_view(base).substr(newHeader, headerEnd - std::min(newHeader, headerEnd)).find_first_not_of('\0') !=
          std::string_view::npos) {
    return unchanged;
  }
  std::string blob;
  Serialise(*root, blob);
  if (blob.size() > 0xFFFF) return unchanged;
  data += blob;

  // The entry moves with the resources' data when the headers grow.
  std::size_t entryAt = *entry;
  if (grow) {
    if (newHeader + kSectionHeaderSize > image->headersSize + image->fileAlignment) return unchanged;
    MoveSectionData(base, *image, true);
    const auto moved = VersionDataEntry(base, *image);
    if (!moved) return unchanged;
    entryAt = *moved;
  }
  const Section& end = image->sections.back();
  const std::uint32_t virtualAddress =
      AlignUp(end.virtualAddress + std::max(end.virtualSize, end.rawSize), image->sectionAlignment);
  const std::uint32_t rawOffset = AlignUp(end.rawOffset + end.rawSize, image->fileAlignment);
  const auto dataSize = static_cast<std::uint32_t>(data.size());
  const std::uint32_t rawSize = AlignUp(dataSize, image->fileAlignment);
  if (base.size() != rawOffset) return unchanged;  // something lies after the sections, or they are cut
  base += data;
  base.resize(rawOffset + rawSize, '\0');

  std::memcpy(&base[newHeader], kSectionName, 8);
  Put32(base, newHeader + 8, dataSize);
  Put32(base, newHeader + 12, virtualAddress);
  Put32(base, newHeader + 16, rawSize);
  Put32(base, newHeader + 20, rawOffset);
  Put32(base, newHeader + 36, kReadOnlyData);
  Put16(base, image->fileHeader + 2, static_cast<std::uint16_t>(image->sections.size() + 1));
  Put32(base, image->sizeOfImageField, AlignUp(virtualAddress + dataSize, image->sectionAlignment));
  Put32(base, entryAt, virtualAddress + kOwnEntrySize);
  Put32(base, entryAt + 4, static_cast<std::uint32_t>(blob.size()));
  return base;
}

std::u16string RecordFolderComment(std::string_view recordFolder) {
  if (recordFolder.empty()) return {};
  // 実行記録を残します:
  std::u16string comment = u"\u5B9F\u884C\u8A18\u9332\u3092\u6B8B\u3057\u307E\u3059: ";
  const std::string utf8 = Cp932ToUtf8Text(recordFolder);
  // UTF-8 to UTF-16: every CP932 character lies in the basic plane.
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : 3;
    std::uint32_t code = length == 1 ? lead : length == 2 ? lead & 0x1F : lead & 0x0F;
    for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k) {
      code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    comment += static_cast<char16_t>(code);
    i += length;
  }
  return comment;
}

}  // namespace velmora
