// velmora-cli play: the preview run in the terminal, checked against the
// transcript an author sees, with answers from --answers and from standard
// input.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ProcessRunner.h"


namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::HostPath;
using testing::ProcessResult;
using testing::Utf8;

// "用紙は入っていますか？(N)" with Yes: "! lamp blinks?" (answers "x call
// service" and "i power off↓and on") and No: "i add paper"; title " Printer ".
const std::string kPrinterTree =
    "? \x97\x70\x8E\x86\x82\xCD\x93\xFC\x82\xC1\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x82\xA9\x81\x48(N)\r\n"
    "\t! lamp blinks?\r\n"
    "\t\tx call service\r\n"
    "\t\ti power off\x81\xAB" "and on\r\n"
    "\ti add paper\r\n"
    "[OPTION]\r\nNewLine=\x81\xAB\r\nTitle= Printer \r\nColor=2\r\n";

const std::string kRootStep =
    "Step 1 (" "\xe7\xa2\xba\xe8\xaa\x8d" "): Printer\n"
    "  \xE7\x94\xA8\xE7\xB4\x99\xE3\x81\xAF\xE5\x85\xA5\xE3\x81\xA3\xE3\x81\xA6\xE3\x81\x84\xE3\x81\xBE\xE3\x81\x99"
    "\xE3\x81\x8B\xEF\xBC\x9F\n"                                   // 用紙は入っていますか？
    "  [y] \xE3\x81\xAF\xE3\x81\x84(Y) [n] \xE3\x81\x84\xE3\x81\x84\xE3\x81\x88(N) (default) "  // はい いいえ
    "[b] \xE7\xB5\x82\xE4\xBA\x86\n";                               // 終了
const std::string kBack = "\xE6\x88\xBB\xE3\x82\x8B";               // 戻る
const std::string kYes = "\xE3\x81\xAF\xE3\x81\x84";               // はい
const std::string kNo = "\xE3\x81\x84\xE3\x81\x84\xE3\x81\x88";    // いいえ
const std::string kOk = "\xEF\xBC\xAF\xEF\xBC\xAB";                 // ＯＫ
const std::string kPaper = "\xE7\x94\xA8\xE7\xB4\x99\xE3\x81\xAF\xE5\x85\xA5\xE3\x81\xA3\xE3\x81\xA6\xE3\x81\x84"
                           "\xE3\x81\xBE\xE3\x81\x99\xE3\x81\x8B\xEF\xBC\x9F";

// velmora-cli play with `input` as its standard input.
ProcessResult RunWithInput(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& input, const fs::path& folder) {
  return testing::RunProcess(program, arguments, Utf8(folder), input);
}

class Play : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("velmora-play-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    std::ofstream(folder_ / "printer.tre", std::ios::binary) << kPrinterTree;
  }
  void TearDown() override { fs::remove_all(folder_); }

  ProcessResult PlayWithAnswers(const std::string& answers) {
    return RunWithInput(HostPath(VELMORA_CLI), {"play", Utf8(folder_ / "printer.tre"), "--answers", answers}, "",
                        folder_);
  }
  ProcessResult PlayWithInput(const std::string& input) {
    return RunWithInput(HostPath(VELMORA_CLI), {"play", Utf8(folder_ / "printer.tre")}, input, folder_);
  }

  fs::path folder_;
};

TEST_F(Play, AnswersAlongAPathGiveTheTranscript) {
  const ProcessResult result = PlayWithAnswers("ynbbn" "o");
  EXPECT_EQ(result.exitCode, 0) << result.err;
  const std::string lampStep =
      "  lamp blinks?\n"
      "  [y] \xE3\x81\xAF\xE3\x81\x84(Y) (default) [n] \xE3\x81\x84\xE3\x81\x84\xE3\x81\x88(N) [b] " + kBack + "\n";
  const std::string expected =
      kRootStep + "answer: y\n" +
      "Step 2 (" "\xe5\xbc\xb7\xe8\xaa\xbf" "): Printer\n" + lampStep + "answer: n\n" +
      "Step 3 (" "\xe9\x80\x9a\xe7\x9f\xa5" "): Printer\n"
      "  power off\n"
      "  and on\n"
      "  [o] " + kOk + " (default) [b] " + kBack + "\n"
      "answer: b\n" +
      "Step 4 (" "\xe5\xbc\xb7\xe8\xaa\xbf" "): Printer\n" + lampStep + "answer: b\n" +
      "Step 5" + kRootStep.substr(6) + "answer: n\n" +
      "Step 6 (" "\xe9\x80\x9a\xe7\x9f\xa5" "): Printer\n"
      "  add paper\n"
      "  [o] " + kOk + " (default) [b] " + kBack + "\n"
      "answer: o\n"
      "Path taken:\n"
      "  1. " + kPaper + "  -> " + kYes + "\n"
      "  2. lamp blinks?  -> " + kNo + "\n"
      "  3. power off / and on  -> " + kBack + "\n"
      "  4. lamp blinks?  -> " + kBack + "\n"
      "  5. " + kPaper + "  -> " + kNo + "\n"
      "  6. add paper  -> " + kOk + "\n";
  EXPECT_EQ(result.out, expected);
}

TEST_F(Play, AnswersThatRunOutCloseTheRunAndRefusedLettersStopIt) {
  ProcessResult result = PlayWithAnswers("y");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_NE(result.out.find("(no more answers: the dialog is closed)\nPath taken:\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("  2. lamp blinks?  -> (closed)\n"), std::string::npos) << result.out;

  // "o" is no answer to a question.
  result = PlayWithAnswers("yo");
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_NE(result.err.find("\"o\" is not offered here; answer y, n or b."), std::string::npos) << result.err;
  EXPECT_NE(result.out.find("Path taken:\n  1. " + kPaper + "  -> " + kYes + "\n"), std::string::npos) << result.out;

  // Finish at the root ends the run at once.
  result = PlayWithAnswers("bn");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out.find("Step 2"), std::string::npos) << result.out;
}

TEST_F(Play, StandardInputAsksAgainAndAnEmptyLineTakesTheDefault) {
  // A refused letter, then Enter (No is the root's default), then "O".
  const ProcessResult result = PlayWithInput("x\n\n O \n");
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("\"x\" is not offered here; answer y, n or b.\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("Path taken:\n  1. " + kPaper + "  -> " + kNo + "\n  2. add paper  -> " + kOk + "\n"),
            std::string::npos)
      << result.out;
  // The end of the input closes the dialog on show.
  const ProcessResult ended = PlayWithInput("y\n");
  EXPECT_EQ(ended.exitCode, 0);
  EXPECT_NE(ended.out.find("  2. lamp blinks?  -> (closed)\n"), std::string::npos) << ended.out;
}

TEST_F(Play, WrongCommandLinesAreUsageErrors) {
  EXPECT_EQ(RunWithInput(HostPath(VELMORA_CLI), {"play"}, "", folder_).exitCode, 2);
  EXPECT_EQ(RunWithInput(HostPath(VELMORA_CLI), {"play", Utf8(folder_ / "printer.tre"), "--answers"}, "", folder_).exitCode, 2);
  // A file that cannot be read is the editor's message and status 1.
  EXPECT_EQ(RunWithInput(HostPath(VELMORA_CLI), {"play", Utf8(folder_ / "missing.tre")}, "", folder_).exitCode, 1);
}

}  // namespace
}  // namespace velmora
