// The INI engine: the reading rules all three users share, the settings
// file's write-back, and the profile lookup's extra rules.
#include <gtest/gtest.h>

#include "files/IniText.h"

namespace velmora {
namespace {

TEST(IniText, ReadingRules) {
  const std::string text =
      "Top=ignored\r\n"
      "  [ Main ]  \r\n"
      "; Key=comment\r\n"
      "\r\n"
      "\t Key = value with  inner  blanks \t\r\n"
      "Empty=\r\n"
      "NoEquals\r\n"
      "key=second occurrence\r\n"
      "Eq=a=b\r\n"
      "[Other]\n"
      "Key=other\r"
      "[main]\r\n"
      "Late=last section counts\r\n";
  const std::optional<IniSectionView> main = FindLastIniSection(text, "MAIN");
  ASSERT_TRUE(main);
  EXPECT_EQ(IniString(main, "Late", "-"), "last section counts");
  EXPECT_EQ(IniString(main, "Key", "-"), "-");  // only the last [main] is read

  const IniDocument document = IniDocument::Parse(text);
  EXPECT_EQ(document.ReadString("main", "KEY", "-"), "-");
  ASSERT_EQ(document.Sections().size(), 3u);
  const IniSection& first = document.Sections()[0];
  EXPECT_EQ(first.name, "Main");
  EXPECT_EQ(first.Find("key"), "value with  inner  blanks");
  EXPECT_EQ(first.Find("EMPTY"), "");
  EXPECT_EQ(first.Find("NoEquals"), std::nullopt);
  EXPECT_EQ(first.Find("eq"), "a=b");
  EXPECT_EQ(first.Find("Top"), std::nullopt);
  EXPECT_EQ(document.ReadString("Other", "key", "-"), "other");
  EXPECT_EQ(document.ReadString("Missing", "key", "-"), "-");
}

// The section lookup reads from the end of the text; it must find what a
// reading from the start finds: the last occurrence of the section, up to
// whatever header follows it, under every line end and in every place.
TEST(IniText, LookupFromTheEndFindsWhatTheWholeFileReaderFinds) {
  const std::string cases[] = {
      "",
      "[OPTION]",
      "tree\r\n\tline\r\n[OPTION]\r\nTitle=t\r\nColor=2\r\n",
      "[OPTION]\rTitle=cr\r[NEXT]\rTitle=other\r",
      "[OPTION]\nTitle=first\n[OPTION]\nColor=3\n\n;Title=no\nTitle=second",
      "r\n\t[OPTION]\n\tTitle=in the tree\n[x]\nTitle=after",
      "[OPTION]\r\nTitle=before\r\n[ option ]\r\n NoEquals \r\n Title = late \r\n[]\r\n",
      std::string("[OPTION]\r\nTitle=kept\r\n") + '\0' + "[OPTION]\r\nTitle=after the NUL\r\n",
      "[OPTION]\n\rTitle=lf cr\n\r",
  };
  for (const std::string& text : cases) {
    const std::optional<IniSectionView> found = FindLastIniSection(text, "option");
    const IniDocument whole = IniDocument::Parse(text);
    const IniSection* expected = nullptr;
    for (const IniSection& section : whole.Sections()) {
      if (IniNamesEqual(section.name, "option")) expected = &section;
    }
    ASSERT_EQ(found.has_value(), expected != nullptr) << text;
    if (!found) continue;
    EXPECT_EQ(found->Name(), expected->name) << text;
    const std::vector<IniEntry> entries = found->Entries();
    ASSERT_EQ(entries.size(), expected->entries.size()) << text;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      EXPECT_EQ(entries[i].key, expected->entries[i].key) << text;
      EXPECT_EQ(entries[i].value, expected->entries[i].value) << text;
      EXPECT_EQ(entries[i].hasValue, expected->entries[i].hasValue) << text;
      // A key's first occurrence is what a lookup in place finds.
      if (entries[i].hasValue) {
        EXPECT_EQ(std::string(found->Find(entries[i].key).value_or("-")), expected->Find(entries[i].key).value_or("-"))
            << text;
      }
    }
  }
}

TEST(IniText, NamesIgnoreLetterCaseButNotDoubleByteCharacters) {
  EXPECT_TRUE(IniNamesEqual("History", "hISTORY"));
  // "ア" (83 41) and "ャ" (83 61) differ only in a trail byte that looks
  // like "A" and "a".
  EXPECT_FALSE(IniNamesEqual("\x83\x41", "\x83\x61"));
  EXPECT_TRUE(IniNamesEqual("\x83\x41x", "\x83\x41X"));
}

TEST(IniText, Integers) {
  struct Case {
    const char* text;
    std::optional<int> value;
  };
  const Case cases[] = {
      {"12", 12},          {"-7", -7},           {"+3", 3},         {"0x2", 2},
      {"0X1f", 31},        {"$10", 16},          {"$ffffffff", -1}, {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},          {"2147483648", std::nullopt},
      {"0x", std::nullopt}, {"$", std::nullopt}, {"", std::nullopt}, {"abc", std::nullopt},
      {"1 2", std::nullopt}, {"0x1g", std::nullopt}, {"$100000000", std::nullopt}, {"-", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseIniInteger(c.text), c.value) << c.text;

  const IniDocument document = IniDocument::Parse("[S]\r\nA=5\r\nB=x\r\nT=1\r\nF=0\r\nN=-3\r\nW=yes\r\n");
  EXPECT_EQ(document.ReadInteger("S", "A", 9), 5);
  EXPECT_EQ(document.ReadInteger("S", "B", 9), 9);
  EXPECT_EQ(document.ReadInteger("S", "C", 9), 9);
  EXPECT_TRUE(document.ReadBool("S", "T", false));
  EXPECT_FALSE(document.ReadBool("S", "F", true));
  EXPECT_TRUE(document.ReadBool("S", "N", false));
  EXPECT_TRUE(document.ReadBool("S", "W", true));
  EXPECT_FALSE(document.ReadBool("S", "W", false));
}

TEST(IniText, ProfileRulesDropOneQuotePairAndCapValues) {
  const std::string text = "[OPTION]\r\nA=\"quoted\"\r\nB='single'\r\nC=\"'both'\"\r\nD=\"open\r\nE=\"\r\nF=''\r\n";
  const std::optional<IniSectionView> profile = FindLastIniSection(text, "OPTION", kProfileRules);
  EXPECT_EQ(IniString(profile, "A", "-"), "quoted");
  EXPECT_EQ(IniString(profile, "B", "-"), "single");
  EXPECT_EQ(IniString(profile, "C", "-"), "'both'");
  EXPECT_EQ(IniString(profile, "D", "-"), "\"open");
  EXPECT_EQ(IniString(profile, "E", "-"), "\"");
  EXPECT_EQ(IniString(profile, "F", "-"), "");
  // The tree file's rules keep quotes.
  EXPECT_EQ(IniString(FindLastIniSection(text, "OPTION"), "A", "-"), "\"quoted\"");

  // 2047 bytes at most, never half a double-byte character.
  const std::string ascii(3000, 'a');
  EXPECT_EQ(IniString(FindLastIniSection("[O]\nV=" + ascii, "O", kProfileRules), "V", ""), ascii.substr(0, 2047));
  std::string kana;
  for (int i = 0; i < 1500; ++i) kana += "\x83\x41";
  EXPECT_EQ(IniString(FindLastIniSection("[O]\nV=x" + kana, "O", kProfileRules), "V", "").size(), 2047u);
  EXPECT_EQ(IniString(FindLastIniSection("[O]\nV=" + kana, "O", kProfileRules), "V", "").size(), 2046u);
}

// The settings file: read, change, write back.
TEST(IniText, WriteBackKeepsUnknownSectionsAndOrder) {
  IniDocument document = IniDocument::Parse(
      "junk before\r\n"
      "[PROGRAM]\r\nName=old.exe\r\nCustom=kept\r\n"
      "; comment\r\n"
      "[position]\r\nLeft=1\r\n"
      "[Plugin]\r\n  key  =  v  \r\nbare line\r\n"
      "[HISTORY]\r\nFile1=a\r\n"
      "[OPTION]\r\nSaveStatus=1\r\n");
  document.WriteString("PROGRAM", "name", "Velmora.exe");
  document.WriteString("PROGRAM", "Version", "V1.7");
  document.EraseSection("POSITION");
  document.EraseSection("OPTION");
  document.EraseSection("HISTORY");
  document.WriteInteger("POSITION", "Left", -4);
  document.WriteBool("OPTION", "CloseQuery", true);
  document.WriteString("HISTORY", "File1", "C:\\a.tre");
  EXPECT_EQ(document.Serialize(),
            "[PROGRAM]\r\nname=Velmora.exe\r\nCustom=kept\r\nVersion=V1.7\r\n\r\n"
            "[Plugin]\r\nkey=v\r\nbare line\r\n\r\n"
            "[POSITION]\r\nLeft=-4\r\n\r\n"
            "[OPTION]\r\nCloseQuery=1\r\n\r\n"
            "[HISTORY]\r\nFile1=C:\\a.tre\r\n\r\n");
  // What is written reads back the same.
  EXPECT_EQ(IniDocument::Parse(document.Serialize()).Serialize(), document.Serialize());
}

TEST(IniText, FirstWriteToAMissingFileHoldsOnlyWhatWasWritten) {
  IniDocument document = IniDocument::Parse("");
  document.WriteString("PROGRAM", "Name", "Velmora.exe");
  document.EraseSection("POSITION");
  EXPECT_EQ(document.Serialize(), "[PROGRAM]\r\nName=Velmora.exe\r\n\r\n");
}

}  // namespace
}  // namespace velmora
