// Generate on the editor model: the stub beside the program and the payload
// go to the chosen file in one step, the author is offered the folder, and
// the document itself (its name, its changes, the recent files) is left
// alone whatever happens.
#include "distribution/GenerateCommand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "AppTestSupport.h"
#include "TreeFileTestSupport.h"
#include "distribution/PlayerStub.h"
#include "files/DistributionPayload.h"
#include "files/FileMessages.h"

namespace velmora {
namespace {

using namespace message_box;

const std::string kOutput = "C:\\out\\Printer.EXE";
const std::string kPe{"PE\0\0", 4};
const std::string kStub = testing::StubWithNewHeaderAt(0x40, kPe, 0x80) + "the player stub";

// `size` bytes with the new header at 0x40 and one section (its header at
// 0x58, up to 0x80) whose data is `rawSize` bytes at `rawPointer`.
std::string WithSection(std::size_t size, std::uint32_t rawPointer, std::uint32_t rawSize) {
  std::string stub = testing::StubWithNewHeaderAt(0x40, kPe, std::max<std::size_t>(size, 0x80));
  stub[0x46] = 1;  // one section
  for (std::size_t i = 0; i < 4; ++i) {
    stub[0x58 + 16 + i] = static_cast<char>((rawSize >> (8 * i)) & 0xFF);
    stub[0x58 + 20 + i] = static_cast<char>((rawPointer >> (8 * i)) & 0xFF);
  }
  return stub.substr(0, size);
}

class GenerateTest : public ::testing::Test {
 protected:
  GenerateTest() {
    editor.ReplaceDocument(testing::SampleTree(), DocumentState{});
    editor.State().Title = "Printer";
    editor.MarkModified();
    editor.InitialDir = testing::Path("C:\\work\\");
    // A copy of the program named Tool.exe reads Tool.bin.
    files.files["C:\\tools\\Tool.bin"] = kStub;
  }

  bool Generate() {
    return GenerateBtnClick(editor, GeneratePorts{files, messages, dialogs, folders},
                            testing::Path("C:\\tools\\Tool.exe"), "caption");
  }

  NullEditorView view;
  Editor editor{view};
  testing::MemoryFileSystem files;
  testing::ScriptedMessages messages;
  testing::ScriptedFileDialogs dialogs;
  testing::FakeShell folders;
};

TEST_F(GenerateTest, WritesStubAndPayloadThenOffersTheFolder) {
  dialogs.results = {kOutput};
  messages.answers = {kAnswerNo};
  EXPECT_TRUE(Generate());

  EXPECT_EQ(files.files[kOutput], BuildDistributionExecutable(kStub, editor.Tree(), editor.State()));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, kOutput + kGeneratedTail + "\r\n\r\n" + kOpenOutputFolderQuestion);
  EXPECT_EQ(messages.shown[0].caption, "caption");
  EXPECT_EQ(messages.shown[0].flags, kYesNo | kIconQuestion);
  EXPECT_TRUE(folders.opened.empty()) << "No keeps the folder closed";
  // The title was the proposal only.
  EXPECT_TRUE(editor.State().CurrentFileName.Empty());
  EXPECT_TRUE(editor.State().Modified);

  ASSERT_EQ(dialogs.saveRequests.size(), 1u);
  const FileDialogRequest& request = dialogs.saveRequests[0];
  // "配布用単体EXEファイルを保存"
  EXPECT_EQ(request.title, "\x94\x7a\x95\x7a\x97\x70\x92\x50\x91\xcc" "EXE\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xf0\x95"
                           "\xdb\x91\xb6");
  // "実行ファイル(*.EXE)|*.EXE|すべてのファイル(*.*)|*.*"
  EXPECT_EQ(request.filter, "\x8e\xc0\x8d\x73\x83\x74\x83\x40\x83\x43\x83\x8b(*.EXE)|*.EXE|\x82\xb7\x82\xd7\x82\xc4"
                            "\x82\xcc\x83\x74\x83\x40\x83\x43\x83\x8b(*.*)|*.*");
  EXPECT_EQ(request.defaultExtension, "EXE");
  EXPECT_EQ(request.fileName.Utf8(), "Printer.EXE");
  EXPECT_EQ(request.initialDir.Utf8(), "C:\\work\\");
  EXPECT_TRUE(request.overwritePrompt && request.createPrompt && request.hideReadOnly && request.enableSizing);
}

TEST_F(GenerateTest, AnyAnswerButNoOpensTheOutputFolder) {
  dialogs.results = {kOutput, kOutput};
  messages.answers = {kAnswerYes, kAnswerCancel};
  Generate();
  Generate();
  EXPECT_EQ(folders.opened, (std::vector<std::string>{"C:\\out\\", "C:\\out\\"}));
}

TEST_F(GenerateTest, ACancelledDialogWritesNothingAndStoresNoName) {
  dialogs.results = {std::nullopt};
  EXPECT_FALSE(Generate());
  EXPECT_EQ(files.files.size(), 1u);
  EXPECT_TRUE(editor.State().CurrentFileName.Empty());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(GenerateTest, AMissingStubOrAFailedWriteIsReportedWithTheFilesPath) {
  files.files.clear();
  dialogs.results = {kOutput, kOutput};
  EXPECT_EQ(testing::ErrorOf([&] { Generate(); }),
            CannotOpenMessage("C:\\tools\\Tool.bin", "No such file or directory"));
  EXPECT_TRUE(files.files.empty());

  files.files["C:\\tools\\Tool.bin"] = kStub;
  files.failWrites = true;
  EXPECT_EQ(testing::ErrorOf([&] { Generate(); }), CannotCreateMessage(kOutput, "No space left on device"));
  EXPECT_TRUE(messages.shown.empty()) << "no success question after a failure";
  EXPECT_TRUE(editor.State().CurrentFileName.Empty());
}

struct BadStub {
  const char* what;
  std::string bytes;
};

class GenerateRefusesStub : public GenerateTest, public ::testing::WithParamInterface<BadStub> {};

// A stub that is no Windows program would give an executable that cannot
// start: it is refused with the stub's path, and nothing is written.
TEST_P(GenerateRefusesStub, NamingTheFileAndWritingNothing) {
  files.files["C:\\tools\\Tool.bin"] = GetParam().bytes;
  dialogs.results = {kOutput};
  EXPECT_FALSE(IsWholeExecutable(GetParam().bytes));
  EXPECT_EQ(testing::ErrorOf([&] { Generate(); }), NotAnExecutableMessage("C:\\tools\\Tool.bin"));
  EXPECT_EQ(files.files.count(kOutput), 0u);
  EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Headers, GenerateRefusesStub,
    ::testing::Values(BadStub{"empty", ""}, BadStub{"MZ alone", "MZ"},
                      BadStub{"cut inside the DOS header", kStub.substr(0, 0x3E)},
                      BadStub{"cut before the signature ends", kStub.substr(0, 0x42)},
                      BadStub{"no MZ", "ZM" + kStub.substr(2)},
                      BadStub{"new header inside the DOS header", testing::StubWithNewHeaderAt(0x3C, kPe, 0x80)},
                      BadStub{"new header past the end", testing::StubWithNewHeaderAt(0x1000, kPe, 0x80)},
                      BadStub{"new header near 4 GB", testing::StubWithNewHeaderAt(0xFFFFFFFE, kPe, 0x80)},
                      BadStub{"NE instead of PE", testing::StubWithNewHeaderAt(0x40, std::string("NE\0\0", 4), 0x80)},
                      BadStub{"file header cut", testing::StubWithNewHeaderAt(0x40, kPe, 0x50)},
                      BadStub{"section table cut", WithSection(0x60, 0x80, 0x10)},
                      BadStub{"section data past the end", WithSection(0x100, 0xF0, 0x20)},
                      BadStub{"section data near 4 GB", WithSection(0x100, 0xFFFFFFF0u, 0x20)},
                      BadStub{"a tree file", "? root\r\n\ti yes\r\n[OPTION]\r\nColor=1\r\n"}),
    [](const ::testing::TestParamInfo<BadStub>& info) {
      std::string name;
      for (const char* c = info.param.what; *c != '\0'; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
      return name;
    });

TEST(PlayerStubHeader, TheSmallestValidHeaderAndTheRealLayoutPass) {
  EXPECT_TRUE(HasExecutableHeader(testing::StubWithNewHeaderAt(0x40, kPe, 0x44)));
  EXPECT_TRUE(HasExecutableHeader(testing::StubWithNewHeaderAt(0x80, kPe, 0x200)));
  EXPECT_TRUE(IsWholeExecutable(WithSection(0x100, 0x80, 0x80)));
}

}  // namespace
}  // namespace velmora
