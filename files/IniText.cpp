#include "files/IniText.h"

#include <cstdint>

#include "document/Cp932.h"
#include "document/TextRules.h"
#include "files/LineSplitter.h"

namespace velmora {
namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// A classified line of INI text.
struct IniLine {
  enum class Kind { Skipped, Section, Entry } kind = Kind::Skipped;
  std::string_view name;   // section name, or key (whole line for a non-key)
  std::string_view value;  // entry value
  bool hasValue = false;
};

// A trimmed line opens a section when it is enclosed in brackets.
bool IsSectionHeader(std::string_view text) { return text.size() >= 2 && text.front() == '[' && text.back() == ']'; }

IniLine ClassifyLine(std::string_view raw) {
  IniLine line;
  const std::string_view text = TrimBlanksView(raw);
  if (text.empty() || text.front() == ';') return line;
  if (IsSectionHeader(text)) {
    line.kind = IniLine::Kind::Section;
    line.name = TrimBlanksView(text.substr(1, text.size() - 2));
    return line;
  }
  line.kind = IniLine::Kind::Entry;
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) {
    line.name = text;
    return line;
  }
  line.name = TrimBlanksView(text.substr(0, equals));
  line.value = TrimBlanksView(text.substr(equals + 1));
  line.hasValue = true;
  return line;
}

std::string_view ApplyRules(std::string_view value, const IniReadRules& rules) {
  if (rules.discardEnclosingQuotes && value.size() >= 2 && value.front() == value.back() &&
      (value.front() == '"' || value.front() == '\'')) {
    value = value.substr(1, value.size() - 2);
  }
  if (value.size() > rules.maxValueBytes) {
    // Cut on a character boundary: half a double-byte character would turn
    // into a different character in whatever follows.
    std::size_t end = 0;
    while (end < value.size() && end + cp932::CharLengthAt(value, end) <= rules.maxValueBytes) {
      end += cp932::CharLengthAt(value, end);
    }
    value = value.substr(0, end);
  }
  return value;
}

IniEntry MakeEntry(const IniLine& line, const IniReadRules& rules) {
  IniEntry entry;
  entry.key = std::string(line.name);
  entry.hasValue = line.hasValue;
  if (line.hasValue) entry.value = std::string(ApplyRules(line.value, rules));
  return entry;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Up to 32 bits of hexadecimal digits; like the platform's readers, values
// above 0x7FFFFFFF wrap into the negative range.
std::optional<int> ParseHex(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<std::uint64_t>(digit);
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  return static_cast<int>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

std::optional<int> ParseDecimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > 2147483648LL) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > 2147483647LL) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

bool IniNamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t pos = 0; pos < a.size();) {
    // A double-byte character lies within both names (of one size).
    if (cp932::CharLengthAt(a, pos) == 2) {
      if (a[pos] != b[pos] || a[pos + 1] != b[pos + 1]) return false;
      pos += 2;
      continue;
    }
    if (AsciiLower(a[pos]) != AsciiLower(b[pos])) return false;
    ++pos;
  }
  return true;
}

std::optional<int> ParseIniInteger(std::string_view value) {
  if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) return ParseHex(value.substr(2));
  if (!value.empty() && value[0] == '$') return ParseHex(value.substr(1));
  return ParseDecimal(value);
}

std::optional<std::string> IniSection::Find(std::string_view key) const {
  for (const IniEntry& entry : entries) {
    if (entry.hasValue && IniNamesEqual(entry.key, key)) return entry.value;
  }
  return std::nullopt;
}

std::optional<std::string_view> IniSectionView::Find(std::string_view key) const {
  LineSplitter lines(lines_);
  std::string_view raw;
  while (lines.Next(raw)) {
    const IniLine line = ClassifyLine(raw);
    if (line.kind == IniLine::Kind::Entry && line.hasValue && IniNamesEqual(line.name, key)) {
      return ApplyRules(line.value, rules_);
    }
  }
  return std::nullopt;
}

std::vector<IniEntry> IniSectionView::Entries() const {
  std::vector<IniEntry> entries;
  LineSplitter lines(lines_);
  std::string_view raw;
  while (lines.Next(raw)) {
    const IniLine line = ClassifyLine(raw);
    if (line.kind == IniLine::Kind::Entry) entries.push_back(MakeEntry(line, rules_));
  }
  return entries;
}

// From the end backwards to the last header of the section: a tree file's
// option block is its last lines, so a file of a million lines is looked up
// in a few.
std::optional<IniSectionView> FindLastIniSection(std::string_view text, std::string_view name,
                                                 const IniReadRules& rules) {
  ReverseLineSplitter backwards(text);
  std::size_t sectionEnd = backwards.Text().size();  // where the section after the current line starts
  std::string_view raw;
  while (backwards.Previous(raw)) {
    // Most lines are tree lines: they cost a trim and two byte tests.
    if (!IsSectionHeader(TrimBlanksView(raw))) continue;
    const IniLine header = ClassifyLine(raw);
    const std::size_t headerStart = backwards.Position();
    if (!IniNamesEqual(header.name, name)) {
      sectionEnd = headerStart;
      continue;
    }
    const std::string_view section = backwards.Text().substr(headerStart, sectionEnd - headerStart);
    LineSplitter lines(section);
    lines.Next(raw);  // the header itself
    return IniSectionView(header.name, section.substr(lines.Position()), rules);
  }
  return std::nullopt;
}

std::string IniString(const std::optional<IniSectionView>& section, std::string_view key, std::string_view fallback) {
  const std::optional<std::string_view> value = section ? section->Find(key) : std::nullopt;
  return std::string(value.value_or(fallback));
}

int IniInteger(const std::optional<IniSectionView>& section, std::string_view key, int fallback) {
  const std::optional<std::string_view> value = section ? section->Find(key) : std::nullopt;
  return value ? ParseIniInteger(*value).value_or(fallback) : fallback;
}

IniDocument IniDocument::Parse(std::string_view text, const IniReadRules& rules) {
  IniDocument document;
  LineSplitter lines(text);
  std::string_view raw;
  while (lines.Next(raw)) {
    const IniLine line = ClassifyLine(raw);
    if (line.kind == IniLine::Kind::Section) {
      document.sections_.push_back(IniSection{std::string(line.name), {}});
    } else if (line.kind == IniLine::Kind::Entry && !document.sections_.empty()) {
      document.sections_.back().entries.push_back(MakeEntry(line, rules));
    }
  }
  return document;
}

const IniSection* IniDocument::FindLast(std::string_view name) const {
  for (auto it = sections_.rbegin(); it != sections_.rend(); ++it) {
    if (IniNamesEqual(it->name, name)) return &*it;
  }
  return nullptr;
}

IniSection* IniDocument::FindLast(std::string_view name) {
  return const_cast<IniSection*>(static_cast<const IniDocument*>(this)->FindLast(name));
}

std::optional<std::string> IniDocument::ReadString(std::string_view section, std::string_view key) const {
  const IniSection* found = FindLast(section);
  return found ? found->Find(key) : std::nullopt;
}

std::string IniDocument::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
  return ReadString(section, key).value_or(std::string(fallback));
}

int IniDocument::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  const std::optional<std::string> value = ReadString(section, key);
  return value ? ParseIniInteger(*value).value_or(fallback) : fallback;
}

bool IniDocument::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  const std::optional<std::string> value = ReadString(section, key);
  if (!value) return fallback;
  const std::optional<int> number = ParseIniInteger(*value);
  return number ? *number != 0 : fallback;
}

void IniDocument::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  IniSection* target = FindLast(section);
  if (target == nullptr) {
    sections_.push_back(IniSection{std::string(TrimBlanksView(section)), {}});
    target = &sections_.back();
  }
  IniEntry entry{std::string(TrimBlanksView(key)), std::string(TrimBlanksView(value)), true};
  for (IniEntry& existing : target->entries) {
    if (existing.hasValue && IniNamesEqual(existing.key, key)) {
      existing = std::move(entry);
      return;
    }
  }
  target->entries.push_back(std::move(entry));
}

void IniDocument::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void IniDocument::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniDocument::EraseSection(std::string_view section) {
  std::vector<IniSection> kept;
  kept.reserve(sections_.size());
  for (IniSection& existing : sections_) {
    if (!IniNamesEqual(existing.name, section)) kept.push_back(std::move(existing));
  }
  sections_ = std::move(kept);
}

std::string IniDocument::Serialize() const {
  std::string text;
  for (const IniSection& section : sections_) {
    text += '[';
    text += section.name;
    text += "]\r\n";
    for (const IniEntry& entry : section.entries) {
      text += entry.key;
      if (entry.hasValue) {
        text += '=';
        text += entry.value;
      }
      text += "\r\n";
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace velmora
