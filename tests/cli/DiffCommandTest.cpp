// velmora-cli diff on real files: the text and JSON a reviewer or a script
// reads (golden files of a pair of versions with every kind of change), and
// the exit statuses of diff(1).
#include <gtest/gtest.h>

#include <filesystem>

#include "CliWorkFolder.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::FileContent;
using testing::HostPath;
using testing::ProcessResult;

using DiffCommand = testing::CliWorkFolder;

std::string DiffData(const std::string& name) {
  return testing::Utf8(fs::path(HostPath(VELMORA_TEST_DATA)) / "diff" / name);
}

TEST_F(DiffCommand, EveryKindOfChangeAsTextAndJson) {
  ProcessResult result = Run({"diff", DiffData("old.tre"), DiffData("new.tre")});
  EXPECT_EQ(result.exitCode, 1) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, FileContent(fs::path(HostPath(VELMORA_TEST_DATA)) / "diff" / "expected.txt"));
  result = Run({"diff", "--json", DiffData("old.tre"), DiffData("new.tre")});
  EXPECT_EQ(result.exitCode, 1) << result.err;
  EXPECT_EQ(result.out, FileContent(fs::path(HostPath(VELMORA_TEST_DATA)) / "diff" / "expected.json"));
}

// The same procedure as itself, as the executable generated from it, and
// saved with other line ends and the option block's keys in another order:
// no output and 0.
TEST_F(DiffCommand, EqualVersionsPrintNothing) {
  const std::string old = DiffData("old.tre");
  // The smallest whole executable: "MZ", the new header at 0x40, "PE\0\0"
  // and a file header without sections.
  std::string stub(0x40, '\0');
  stub.replace(0, 2, "MZ");
  stub[0x3C] = 0x40;
  Put("stub.bin", stub + std::string("PE\0\0", 4) + std::string(20, '\0'));
  ASSERT_EQ(Run({"convert", old, PathOf("old.exe"), "--stub", PathOf("stub.bin")}).exitCode, 0);
  std::string reordered = FileContent(fs::path(HostPath(VELMORA_TEST_DATA)) / "diff" / "old.tre");
  const std::size_t options = reordered.find("[OPTION]");
  reordered = reordered.substr(0, options) + "[OPTION]\r\nColor=1\r\nTitle=\x83\x76\x83\x8a\x83\x93\x83\x5e\r\n" +
              "NewLine=\x81\xab\r\n";
  std::string lf;
  for (const char c : reordered) {
    if (c != '\r') lf += c;
  }
  const std::string equalForms[] = {old, PathOf("old.exe"), Put("lf.tre", lf)};
  for (const std::string& other : equalForms) {
    SCOPED_TRACE(other);
    for (const char* json : {"", "--json"}) {
      std::vector<std::string> arguments{"diff", old, other};
      if (*json != '\0') arguments.push_back(json);
      const ProcessResult result = Run(arguments);
      EXPECT_EQ(result.exitCode, 0) << result.err;
      EXPECT_EQ(result.out, "");
      EXPECT_EQ(result.err, "");
    }
  }
}

TEST_F(DiffCommand, TroubleExitsWithTwo) {
  const ProcessResult missing = Run({"diff", DiffData("old.tre"), PathOf("missing.tre")});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_EQ(missing.err.rfind("velmora-cli: ", 0), 0u) << missing.err;
  EXPECT_EQ(Run({"diff", DiffData("old.tre")}).exitCode, 2);
  EXPECT_EQ(Run({"diff", DiffData("old.tre"), DiffData("new.tre"), "--frobnicate"}).exitCode, 2);
}

}  // namespace
}  // namespace velmora
