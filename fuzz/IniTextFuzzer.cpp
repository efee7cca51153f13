// The INI engine on arbitrary text: parsing, the streaming section lookup
// with both rule sets, integer parsing, and the settings file's write-back,
// which must read back to what was written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "document/TextRules.h"
#include "files/IniText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const velmora::IniDocument document = velmora::IniDocument::Parse(text);

  // The streaming lookup agrees with the whole-file reader.
  for (const char* name : {"OPTION", "PROGRAM"}) {
    const std::optional<velmora::IniSectionView> section = velmora::FindLastIniSection(text, name);
    for (const char* key : {"Title", "NewLine", "Color", "Name"}) {
      const std::optional<std::string_view> streamed = section ? section->Find(key) : std::nullopt;
      const std::optional<std::string> whole = document.ReadString(name, key);
      if (streamed.has_value() != whole.has_value() || (streamed && *streamed != *whole)) std::abort();
    }
    const std::optional<velmora::IniSectionView> profile =
        velmora::FindLastIniSection(text, name, velmora::kProfileRules);
    if (profile) {
      for (const velmora::IniEntry& entry : profile->Entries()) {
        if (entry.value.size() > 2047) std::abort();
      }
      (void)velmora::IniInteger(profile, "Color", 1);
    }
  }
  (void)velmora::ParseIniInteger(velmora::TrimBlanks(text.substr(0, 40)));

  // Written back and read again, the file says the same.
  velmora::IniDocument changed = document;
  changed.EraseSection("HISTORY");
  changed.WriteString("PROGRAM", "Version", "V1.7");
  const std::string written = changed.Serialize();
  if (velmora::IniDocument::Parse(written).Serialize() != written) std::abort();
  return 0;
}
