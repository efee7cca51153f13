#pragma once
// The one INI engine of the program. Three users share its rules: the option
// block of a tree file, the settings file, and the profile lookup in the
// payload of a generated executable.
//
// Reading rules: every line is trimmed of the bytes 0x00-0x20 at both ends;
// empty lines and lines starting with ";" are skipped; a line starting with
// "[" and ending with "]" opens a section named by the trimmed text between;
// lines before the first section are ignored; inside a section a line with
// "=" is a key (trimmed name before the first "=", trimmed value after it),
// a line without "=" stays in its section but is no key. Section and key
// names match without regard to ASCII letter case.
//
// Where a section occurs more than once, lookups take its last occurrence:
// a node text "[OPTION]" can make a section of that name inside the tree,
// while the real option block is always written last. Within the section a
// key's first occurrence counts.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// How values are read. The payload lookup follows the platform's profile
// reader: one enclosing pair of quotes is discarded and values are capped.
struct IniReadRules {
  bool discardEnclosingQuotes = false;
  std::size_t maxValueBytes = std::string::npos;
};

// The payload of a generated executable.
inline constexpr IniReadRules kProfileRules{true, 2047};

struct IniEntry {
  std::string key;    // trimmed; the whole trimmed line when !hasValue
  std::string value;  // trimmed
  bool hasValue = true;
};

struct IniSection {
  std::string name;
  std::vector<IniEntry> entries;

  // The value of the key's first occurrence, or nothing when absent.
  std::optional<std::string> Find(std::string_view key) const;
};

// Names equal without regard to ASCII letter case; bytes of double-byte
// characters are compared as they are (a trail byte may look like a letter).
bool IniNamesEqual(std::string_view a, std::string_view b);

// Integers: more than two characters starting with "0x" or "0X", or a
// leading "$", are hexadecimal; otherwise decimal with an optional sign.
// Anything else (empty, malformed, out of the 32-bit range) is nothing.
std::optional<int> ParseIniInteger(std::string_view value);

// One section of an INI text read in place: a view of its lines, valid for
// as long as the text. Looking a few keys up this way copies nothing, which
// keeps the player stub (reading its three options) small.
class IniSectionView {
 public:
  IniSectionView(std::string_view name, std::string_view lines, const IniReadRules& rules)
      : name_(name), lines_(lines), rules_(rules) {}

  std::string_view Name() const { return name_; }
  // The value of the key's first occurrence, or nothing when absent.
  std::optional<std::string_view> Find(std::string_view key) const;
  // Every entry, as a whole-text read (IniDocument) holds them.
  std::vector<IniEntry> Entries() const;

 private:
  std::string_view name_;
  std::string_view lines_;  // the lines after the header
  IniReadRules rules_;
};

// The last section named `name` in `text`, or nothing. Reads the text from
// its end, so a section near the end (a tree file's option block) is found
// without reading the lines before it.
std::optional<IniSectionView> FindLastIniSection(std::string_view text, std::string_view name,
                                                 const IniReadRules& rules = {});

// Lookups in a section that may be absent; a key present with an empty value
// gives the empty string, not the default.
std::string IniString(const std::optional<IniSectionView>& section, std::string_view key, std::string_view fallback);
int IniInteger(const std::optional<IniSectionView>& section, std::string_view key, int fallback);

// A whole INI file held for reading and writing back (the settings file).
// Sections keep their order; unknown sections and keys survive; skipped lines
// (empty, comments, before the first section) are not written back.
class IniDocument {
 public:
  IniDocument() = default;
  static IniDocument Parse(std::string_view text, const IniReadRules& rules = {});

  const std::vector<IniSection>& Sections() const { return sections_; }

  std::optional<std::string> ReadString(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
  // Any integer other than 0 is true; missing or invalid gives `fallback`.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

  // Sets the key in the section's last occurrence (replacing its first entry
  // of that name, or appending one); a missing section is added at the end.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  // Removes every occurrence of the section with all its lines.
  void EraseSection(std::string_view section);

  // Each section as "[name]", its entries ("key=value", or the line as it
  // stood for one without "="), and one empty line; all ended by CR LF.
  std::string Serialize() const;

 private:
  const IniSection* FindLast(std::string_view name) const;
  IniSection* FindLast(std::string_view name);

  std::vector<IniSection> sections_;
};

}  // namespace velmora
