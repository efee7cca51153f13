// velmora-cli and the file system on Linux: output that cannot be written,
// names at the limits, links, names CP932 cannot hold, and the player stub
// that a fresh build puts beside the program.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "CliWorkFolder.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::ProcessResult;

const std::string kTree = "? Q\r\n\ti A\r\n\ti B\r\n[OPTION]\r\nNewLine=\x81\xab\r\nTitle=T\r\nColor=1\r\n";

class CliFiles : public testing::CliWorkFolder {
 protected:
  void SetUp() override {
    CliWorkFolder::SetUp();
    tree_ = Put("in.tre", kTree);
  }

  // The program with its standard output sent to `target` by the shell.
  ProcessResult RunInto(const std::string& target, const std::vector<std::string>& arguments) {
    std::vector<std::string> shell{"-c", "exec \"$0\" \"$@\" > " + target, VELMORA_CLI};
    shell.insert(shell.end(), arguments.begin(), arguments.end());
    return testing::RunProcess("/bin/sh", shell, (folder_ / "scratch").string());
  }

  std::string tree_;
};

// Output that does not arrive is a failure: a script must not take an empty
// listing for a procedure without problems.
TEST_F(CliFiles, FullOutputIsAnError) {
  const std::vector<std::vector<std::string>> commands = {
      {"show", tree_}, {"play", tree_, "--answers", "y"}, {"check", "--json", tree_}, {"paths", tree_},
      {"paths", "--csv", tree_}, {"--help"}, {"--version"}};
  for (const auto& arguments : commands) {
    SCOPED_TRACE(::testing::PrintToString(arguments));
    const ProcessResult result = RunInto("/dev/full", arguments);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, std::string("velmora-cli: cannot write standard output: ") + std::strerror(ENOSPC) + "\n");
  }
  EXPECT_EQ(RunInto("/dev/null", {"show", tree_}).exitCode, 0);
}

TEST_F(CliFiles, TargetsAtTheLimitsOfNamesAndLinks) {
  struct Case {
    const char* name;
    std::string target;    // as given to convert
    std::string arrival;   // where the content must be
  };
  fs::create_directories(folder_ / "real");
  fs::create_symlink("real/dangling.tre", PathOf("dangling.tre"));
  const Case cases[] = {
      {"a 255-byte name", PathOf(std::string(251, 'n') + ".tre"), PathOf(std::string(251, 'n') + ".tre")},
      {"a link to no file yet", PathOf("dangling.tre"), PathOf("real/dangling.tre")},
      // "Procédures.tre": no CP932 form, still the file's own name.
      {"a name CP932 cannot hold", PathOf("Proc\xc3\xa9" "dures.tre"), PathOf("Proc\xc3\xa9" "dures.tre")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ProcessResult result = Run({"convert", tree_, c.target});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(testing::FileContent(c.arrival).substr(0, 3), "? Q");
  }
  EXPECT_TRUE(fs::is_symlink(PathOf("dangling.tre")));
  // Read back under the name CP932 cannot hold, and shown with "?" in a message.
  EXPECT_EQ(Run({"show", PathOf("Proc\xc3\xa9" "dures.tre")}).exitCode, 0);
  const ProcessResult missing = Run({"show", PathOf("Gr\xc3\xbc\xc3\x9f" "e.tre")});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("Gr??e.tre"), std::string::npos) << missing.err;
}

// A fresh native build puts the cross-built player beside velmora-cli, and
// convert takes it from there; --help names that folder.
TEST_F(CliFiles, ConvertFindsTheBuiltStub) {
  const fs::path stub = fs::path(VELMORA_CLI).parent_path() / "Velmora.bin";
  const ProcessResult help = Run({"--help"});
  EXPECT_NE(help.out.find("Velmora.bin from the folder of velmora-cli (" + stub.parent_path().string() + "/)"),
            std::string::npos)
      << help.out;
  if (!fs::exists(stub)) GTEST_SKIP() << "no MinGW-w64 here: the build made no Velmora.bin";
  const ProcessResult result = Run({"convert", tree_, PathOf("out.exe")});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  const std::string stubBytes = testing::FileContent(stub);
  EXPECT_EQ(testing::FileContent(PathOf("out.exe")).substr(0, stubBytes.size()), stubBytes);

  // A record folder goes into the version information as a section of its
  // own; the player's code is untouched, and without a folder again the
  // player is the stub as built, byte for byte.
  ASSERT_EQ(Run({"set", PathOf("out.exe"), "record-folder=D:\\runs"}).exitCode, 0);
  const std::string recording = testing::FileContent(PathOf("out.exe"));
  const std::string folder("D\0:\0\\\0r\0u\0n\0s\0", 14);  // UTF-16
  EXPECT_NE(recording.find(folder), std::string::npos);
  EXPECT_NE(recording.find(stubBytes.substr(0x400, 0x4000)), std::string::npos) << "the code as it was";
  ASSERT_EQ(Run({"set", PathOf("out.exe"), "record-folder=E:\\other"}).exitCode, 0);
  ASSERT_EQ(Run({"set", PathOf("out.exe"), "record-folder="}).exitCode, 0);
  EXPECT_EQ(testing::FileContent(PathOf("out.exe")).substr(0, stubBytes.size()), stubBytes);
}

}  // namespace
}  // namespace velmora

#endif
