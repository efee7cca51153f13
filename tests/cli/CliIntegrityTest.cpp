// velmora-cli never reports success while something is lost: a NUL byte in
// an input, a device or pipe as an output, an output that is an input, a
// player stub cut short, and a second output that cannot be written each
// end with a message and an error status, with every file as it was.
#ifndef _WIN32

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "CliWorkFolder.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::FileContent;
using testing::ProcessResult;

const std::string kTree = "? Q\r\n\ti A\r\n\ti B\r\n[OPTION]\r\nNewLine=\x81\xab\r\nTitle=T\r\nColor=1\r\n";

class CliIntegrity : public testing::CliWorkFolder {
 protected:

  // The run failed with exactly one line on standard error containing `part`.
  static void ExpectRefused(const ProcessResult& result, const std::string& part) {
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err.rfind("velmora-cli: ", 0), 0u) << result.err;
    EXPECT_NE(result.err.find(part), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
  }
};

// "second" would be lost by a convert that stopped at the NUL; random bytes
// hold a NUL within their first few hundred bytes and must not pass for a
// procedure either. Every command reads through the same open.
TEST_F(CliIntegrity, ANulByteIsRefusedByEveryCommandNamingTheLine) {
  const std::string nul = Put("nul.tre", std::string("? root\r\n\ti le\0af\r\n\ti second\r\n", 29));
  std::string random(1 << 20, '\0');
  unsigned value = 12345;
  for (char& byte : random) byte = static_cast<char>((value = value * 1103515245u + 12345u) >> 16);
  const std::string binary = Put("random.tre", "r\r\n" + random);
  const std::vector<std::vector<std::string>> commands = {
      {"convert", nul, PathOf("out.tre")}, {"show", nul},  {"play", nul, "--answers", "y"},
      {"check", nul},                      {"paths", nul}, {"export", nul, "--svg", PathOf("out.svg")}};
  for (const auto& arguments : commands) {
    SCOPED_TRACE(arguments[0]);
    ExpectRefused(Run(arguments), nul + ":2: a NUL byte");
  }
  ExpectRefused(Run({"convert", binary, PathOf("out.tre")}), binary + ":");
  EXPECT_FALSE(fs::exists(PathOf("out.tre")));
  EXPECT_FALSE(fs::exists(PathOf("out.svg")));
}

// Each refusal comes before anything is written; the targets keep what they
// were (a pipe stays a pipe, a file its content).
TEST_F(CliIntegrity, OutputsThatAreNoFileOrAnInputAreRefused) {
  const std::string tree = Put("same.tre", kTree);
  Put("x.svg", "old svg");
  ASSERT_EQ(::mkfifo(PathOf("pipe.svg").c_str(), 0644), 0);
  fs::create_symlink("pipe.svg", PathOf("link-to-pipe.svg"));
  fs::create_symlink("same.tre", PathOf("link-to-input.svg"));
  fs::create_directories(PathOf("folder.svg"));
  struct Case {
    std::vector<std::string> arguments;
    std::string message;
  };
  const std::string notAFile = ": not a regular file";
  const Case cases[] = {
      {{"export", tree, "--svg", PathOf("pipe.svg")}, PathOf("pipe.svg") + notAFile},
      {{"export", tree, "--html", PathOf("link-to-pipe.svg")}, PathOf("link-to-pipe.svg") + notAFile},
      {{"export", tree, "--svg", PathOf("folder.svg")}, PathOf("folder.svg") + notAFile},
      {{"convert", tree, PathOf("pipe.svg")}, PathOf("pipe.svg") + notAFile},
      {{"export", tree, "--svg", tree}, tree + ": the same file as the input " + tree},
      {{"export", tree, "--svg", PathOf("link-to-input.svg")}, ": the same file as the input"},
      {{"convert", tree, PathOf("./same.tre")}, ": the same file as the input"},
      {{"export", tree, "--svg", PathOf("x.svg"), "--html", PathOf("x.svg")}, ": the same file as the output"},
      {{"export", tree, "--svg", PathOf("new.svg"), "--html", PathOf("./new.svg")}, ": the same file as the output"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.arguments));
    const ProcessResult result = Run(c.arguments);
    ExpectRefused(result, c.message);
    EXPECT_NE(result.err.find("nothing was written"), std::string::npos);
  }
  EXPECT_EQ(FileContent(tree), kTree);
  EXPECT_EQ(FileContent(PathOf("x.svg")), "old svg");
  EXPECT_TRUE(fs::is_fifo(PathOf("pipe.svg")));
  EXPECT_FALSE(fs::exists(PathOf("new.svg")));
}

// As root a rename replaces even a device node; one made in the test's own
// folder (the null device's numbers) shows that none is replaced.
TEST_F(CliIntegrity, ADeviceIsNotReplaced) {
  const std::string tree = Put("in.tre", kTree);
  const std::string device = PathOf("null.html");
  if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) GTEST_SKIP() << "cannot make a device node here";
  ExpectRefused(Run({"export", tree, "--html", device}), device + ": not a regular file");
  ExpectRefused(Run({"convert", tree, device}), device + ": not a regular file");
  EXPECT_TRUE(fs::is_character_file(device));
}

// The second output's folder does not exist: the first output is neither
// created nor, where it exists, changed.
TEST_F(CliIntegrity, SeveralOutputsAreWrittenAllOrNone) {
  const std::string tree = Put("p.tre", kTree);
  const std::string missingFolder = PathOf("nodir/p.html");
  ExpectRefused(Run({"export", tree, "--svg", PathOf("p.svg"), "--html", missingFolder}), "nodir/p.html");
  EXPECT_FALSE(fs::exists(PathOf("p.svg")));
  Put("p.svg", "old");
  ExpectRefused(Run({"export", tree, "--svg", PathOf("p.svg"), "--html", missingFolder}), "nodir/p.html");
  EXPECT_EQ(FileContent(PathOf("p.svg")), "old");
  // No temporary file is left beside either output.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 3);
  EXPECT_EQ(Run({"export", tree, "--svg", PathOf("p.svg"), "--html", PathOf("p.html")}).exitCode, 0);
  EXPECT_EQ(FileContent(PathOf("p.svg")).rfind("<?xml", 0), 0u);
  EXPECT_NE(FileContent(PathOf("p.html")).find("<html"), std::string::npos);
}

// A copy of the real stub cut short keeps a valid header; it must be refused
// as a stub that is no program, and nothing written.
TEST_F(CliIntegrity, ATruncatedStubIsRefused) {
  const fs::path built = fs::path(VELMORA_CLI).parent_path() / "Velmora.bin";
  if (!fs::exists(built)) GTEST_SKIP() << "no MinGW-w64 here: the build made no Velmora.bin";
  const std::string stub = FileContent(built);
  const std::string tree = Put("in.tre", kTree);
  for (const std::size_t length : {stub.size() / 2, stub.size() - 1}) {
    SCOPED_TRACE(length);
    const std::string cut = Put("cut.bin", stub.substr(0, length));
    ExpectRefused(Run({"convert", tree, PathOf("out.exe"), "--stub", cut}), "cut.bin");
    EXPECT_FALSE(fs::exists(PathOf("out.exe")));
  }
}

}  // namespace
}  // namespace velmora

#endif
