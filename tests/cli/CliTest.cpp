// velmora-cli as authors use it: the real program, run as a child process
// on real files (under Wine for the Windows build).
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ProcessRunner.h"
#include "document/Utf8Text.h"
#include "files/DistributionPayload.h"
#include "document/Errors.h"
#include "files/FileMessages.h"
#include "files/TreeFile.h"

#ifndef _WIN32
#include <unistd.h>

#include "files/posix/PosixFileSystem.h"
#endif

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::HostPath;
using testing::ProcessResult;
using testing::Utf8;

using testing::FileContent;

void Put(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string TestData(const std::string& name) { return FileContent(fs::path(HostPath(VELMORA_TEST_DATA)) / "files" / name); }

// "MZ", the new header's offset 0x40 at 0x3C, "PE\0\0" there and a file
// header without sections: the smallest whole executable, and a few bytes more.
std::string PlayerStubBytes() {
  std::string stub(0x40, '\0');
  stub.replace(0, 2, "MZ");
  stub[0x3C] = 0x40;
  return stub + std::string("PE\0\0", 4) + std::string(20, '\0') + "stub";
}
const std::string kStub = PlayerStubBytes();

class Cli : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("velmora-cli-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "scratch");
  }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path PathOf(const std::string& name) const { return folder_ / fs::u8path(name); }

  ProcessResult Run(const std::vector<std::string>& arguments, const std::string& program = HostPath(VELMORA_CLI)) {
    return testing::RunProcess(program, arguments, Utf8(folder_ / "scratch"));
  }

  ProcessResult Convert(const std::string& in, const std::string& out, const std::vector<std::string>& extra = {}) {
    std::vector<std::string> arguments{"convert", Utf8(PathOf(in)), Utf8(PathOf(out))};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return Run(arguments);
  }

  // The editor's message as the terminal shows it. On Linux that is UTF-8;
  // a Windows console's code page depends on the machine, so there only
  // the ASCII path inside it is checked.
  void ExpectMessage(const ProcessResult& result, const std::string& cp932Message, const std::string& asciiPart) {
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find(asciiPart), std::string::npos) << result.err;
#ifndef _WIN32
    std::string expected = "velmora-cli: " + Cp932ToUtf8Text(GeneralErrorReportText(cp932Message)) + "\n";
    for (std::size_t at; (at = expected.find('\r')) != std::string::npos;) expected.erase(at, 1);
    EXPECT_EQ(result.err, expected);
#else
    (void)cp932Message;
#endif
  }

  std::string NativePath(const std::string& name) const {
    // The CP932 form of an ASCII path is the path itself.
    return Utf8(PathOf(name));
  }

  fs::path folder_;
};

TEST_F(Cli, ConvertsTreeFilesBothWaysAsTheEditorSavesAndGenerates) {
  const std::string sample = TestData("sample.tre");
  Put(PathOf("in.tre"), sample);
  Put(PathOf("stub.bin"), kStub);

  ProcessResult result = Convert("in.tre", "out.tre");
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  // Reopened, the unset answer has become a Question (it has an answer),
  // and the title has lost its blanks.
  std::string expected = sample;
  expected.replace(expected.find("\tSwitch"), 7, "\t? Switch");
  expected.replace(expected.find("Title=  Printer  "), 17, "Title=Printer");
  EXPECT_EQ(FileContent(PathOf("out.tre")), expected);

  // Letter case of the extensions does not matter.
  result = Convert("in.tre", "OUT.EXE", {"--stub", NativePath("stub.bin")});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  const std::string exe = FileContent(PathOf("OUT.EXE"));
  EXPECT_EQ(exe.substr(0, kStub.size()), kStub);
  EXPECT_EQ(exe.substr(kStub.size(), expected.size()), expected);
  EXPECT_EQ(exe.size(), kStub.size() + expected.size() + 4);

  result = Convert("OUT.EXE", "back.TRE");
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(FileContent(PathOf("back.TRE")), expected);
}

TEST_F(Cli, NewDocumentFileConvertsToWhatTheEditorWouldSave) {
  const std::string newDocument = TestData("new-document.tre");
  Put(PathOf("new.tre"), newDocument);
  ASSERT_EQ(Convert("new.tre", "new-out.tre").exitCode, 0);
  // The unset answers come back as Information: they have no answers.
  EXPECT_EQ(FileContent(PathOf("new-out.tre")),
            "? \x81\x63\r\n\ti \x81\x63\r\n\ti \x81\x63\r\n[OPTION]\r\nNewLine=\x81\xab\r\nTitle=\r\nColor=1\r\n");
}

TEST_F(Cli, DefaultStubLiesBesideTheProgram) {
  fs::create_directories(PathOf("bin"));
  const fs::path program = PathOf("bin") / fs::path(HostPath(VELMORA_CLI)).filename();
  fs::copy_file(HostPath(VELMORA_CLI), program);
  Put(PathOf("bin") / "Velmora.bin", kStub);
  Put(PathOf("in.tre"), TestData("new-document.tre"));
  const ProcessResult result = Run({"convert", NativePath("in.tre"), NativePath("out.exe")}, Utf8(program));
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(FileContent(PathOf("out.exe")).substr(0, kStub.size()), kStub);
}

TEST_F(Cli, JapaneseFileNames) {
  // "手順.tre" and "手順.exe"
  const std::string tre = "\xe6\x89\x8b\xe9\xa0\x86.tre";
  const std::string exe = "\xe6\x89\x8b\xe9\xa0\x86.exe";
  Put(PathOf(tre), TestData("sample.tre"));
  Put(PathOf("stub.bin"), kStub);
  ProcessResult result = Convert(tre, exe, {"--stub", NativePath("stub.bin")});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  result = Run({"show", Utf8(PathOf(exe))});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("Title: Printer"), std::string::npos) << result.out;
}

// Every failure: the editor's message, exit status 1, and the output file
// neither created nor changed.
TEST_F(Cli, FailuresLeaveTheOutputAlone) {
  Put(PathOf("deep.tre"), "r\r\n\t\tdeep\r\n");
  Put(PathOf("empty.tre"), "");
  Put(PathOf("short.exe"), "abc");
  Put(PathOf("notes.txt"), "r\r\n");
  Put(PathOf("good.tre"), TestData("sample.tre"));
  Put(PathOf("existing.tre"), "precious");
  Put(PathOf("dos.bin"), std::string("MZ\x90\0stub", 8));
  // A megabyte line at a wrong level: the message quotes only its start.
  const std::string longLine(1 << 20, 'x');
  Put(PathOf("long.tre"), "r\r\n\t\t" + longLine + "\r\n");
#ifdef _WIN32
  const std::string noSuchFile = "";  // the system's text varies
#else
  const std::string noSuchFile = std::strerror(ENOENT);
#endif

  struct Case {
    std::string in, out;
    std::vector<std::string> extra;
    std::string message;  // CP932
    std::string asciiPart;
  };
  const std::string stub = NativePath("no-stub.bin");
  const Case cases[] = {
      {"missing.tre", "existing.tre", {}, CannotOpenMessage(NativePath("missing.tre"), noSuchFile), "missing.tre"},
      {"deep.tre", "existing.tre", {}, InvalidLevelMessage(2, "deep"), "deep"},
      {"empty.tre", "existing.tre", {}, NoProcedureMessage(NativePath("empty.tre")), "empty.tre"},
      {"short.exe", "existing.tre", {}, StreamReadErrorMessage(), ""},
      {"notes.txt", "existing.tre", {}, UnsupportedExtensionMessage("notes.txt"), "notes.txt"},
      {"good.tre", "new.exe", {"--stub", stub}, CannotOpenMessage(stub, noSuchFile), "no-stub.bin"},
      {"good.tre", "new.exe", {"--stub", NativePath("dos.bin")}, NotAnExecutableMessage(NativePath("dos.bin")),
       "dos.bin"},
      {"long.tre", "existing.tre", {}, InvalidLevelMessage(2, longLine), "xxxx"},
      {"good.tre", "no/folder/x.tre", {}, CannotCreateMessage(NativePath("no/folder/x.tre"), noSuchFile), "x.tre"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in + " -> " + c.out);
    const ProcessResult result = Convert(c.in, c.out, c.extra);
#ifdef _WIN32
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find(c.asciiPart), std::string::npos) << result.err;
#else
    ExpectMessage(result, c.message, c.asciiPart);
#endif
    EXPECT_LT(result.err.size(), 1000u);
  }
  // An output the tool cannot write: the accepted extensions on one line.
  const ProcessResult wrongOutput = Convert("good.tre", "existing.txt", {});
  EXPECT_EQ(wrongOutput.exitCode, 1);
  EXPECT_NE(wrongOutput.err.find("existing.txt: convert writes .tre or .exe (in any letter case), not \".txt\"\n"),
            std::string::npos)
      << wrongOutput.err;
  EXPECT_EQ(FileContent(PathOf("existing.tre")), "precious");
  EXPECT_FALSE(fs::exists(PathOf("new.exe")));
  EXPECT_FALSE(fs::exists(PathOf("existing.txt")));
  // Nothing but the files put there (and the scratch folder) remains.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 9);
}

// An export over its own input is refused before anything is written, on
// Windows too (the file is known by its volume and index there).
TEST_F(Cli, AnOutputThatIsTheInputIsRefused) {
  Put(PathOf("same.tre"), TestData("sample.tre"));
  const ProcessResult result = Run({"export", NativePath("same.tre"), "--svg", NativePath("same.tre")});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("the same file as the input"), std::string::npos) << result.err;
  EXPECT_EQ(FileContent(PathOf("same.tre")), TestData("sample.tre"));
}

TEST_F(Cli, ShowPrintsAnOutline) {
  // "? 電源は入っていますか？↓確認してください(N)" with children, a leaf
  // with a "(N)" that a final message shows, and a legacy-style ";" line.
  Put(PathOf("p.tre"),
      "? Power on?\x81\xab" "Check it(n)\r\n\ti Yes\r\n\t\t! Leaf(N)\r\n\tx \x93\x64\x8c\xb9\r\n"
      "[OPTION]\r\nNewLine=\x81\xab\r\nTitle=\x8e\xe8\x8f\x87\r\nColor=2\r\n");
  const ProcessResult result = Run({"show", NativePath("p.tre")});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  // The kinds and default answers in the node editor's words: 確認, 通知,
  // 強調, 禁止; 既定: いいえ / はい.
  EXPECT_EQ(result.out,
            "[" "\xe7\xa2\xba\xe8\xaa\x8d" ", \xe6\x97\xa2\xe5\xae\x9a: \xe3\x81\x84\xe3\x81\x84\xe3\x81\x88] Power on?\n"
            "    Check it\n"
            "  [" "\xe9\x80\x9a\xe7\x9f\xa5" ", \xe6\x97\xa2\xe5\xae\x9a: \xe3\x81\xaf\xe3\x81\x84] Yes\n"
            "    [" "\xe5\xbc\xb7\xe8\xaa\xbf" "] Leaf(N)\n"
            "  [" "\xe7\xa6\x81\xe6\xad\xa2" "] \xe9\x9b\xbb\xe6\xba\x90\n"
            "Title: \xe6\x89\x8b\xe9\xa0\x86\n"
            "New line mark: \xe2\x86\x93\n"
            "Colour: 2 (yellow)\n");
}

TEST_F(Cli, HelpVersionAndUsage) {
  ProcessResult result = Run({"--version"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, "V1.7\n");
  result = Run({"--help"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_NE(result.out.find("convert IN OUT [--stub FILE]"), std::string::npos);
  EXPECT_NE(result.out.find("show IN"), std::string::npos);

  const std::vector<std::vector<std::string>> wrong = {
      {}, {"frobnicate"}, {"convert", "a.tre"}, {"convert", "a.tre", "b.tre", "c.tre"},
      {"convert", "a.tre", "b.exe", "--stub"}, {"convert", "--fast", "a.tre", "b.tre"}, {"show"}};
  for (const auto& arguments : wrong) {
    result = Run(arguments);
    EXPECT_EQ(result.exitCode, 2) << ::testing::PrintToString(arguments);
    EXPECT_NE(result.err.find("usage: velmora-cli"), std::string::npos);
  }
}

}  // namespace
}  // namespace velmora
