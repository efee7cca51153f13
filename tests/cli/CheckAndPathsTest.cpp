// velmora-cli check and paths on real files: what a script reads from them
// (lines, JSON, text and CSV tables) and the exit statuses it decides by.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "CliWorkFolder.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::HostPath;
using testing::ProcessResult;
using testing::Utf8;

// A procedure with faults: no title (a warning), three answers at the root
// (a warning: line 2 is never reached), an answer still "…" (line 3) and a
// final message with "(N)" (line 4), both errors.
const std::string kFaultyTree =
    "? Q\r\n"
    "\ti A\r\n"
    "\ti \x81\x63\r\n"
    "\ti B(N)\r\n"
    "[OPTION]\r\nNewLine=\x81\xab\r\nTitle=\r\nColor=1\r\n";

// Only a warning: the middle answer is never reached.
const std::string kWarningOnlyTree =
    "? Q\r\n\ti A\r\n\ti never\r\n\ti B\r\n[OPTION]\r\nNewLine=\x81\xab\r\nTitle=T\r\nColor=1\r\n";

// 確認 (question), 通知 (notice), 禁止 (prohibition), はい, いいえ in UTF-8.
const std::string kQuestion = "\xe7\xa2\xba\xe8\xaa\x8d";
const std::string kNotice = "\xe9\x80\x9a\xe7\x9f\xa5";
const std::string kProhibition = "\xe7\xa6\x81\xe6\xad\xa2";
const std::string kYes = "\xe3\x81\xaf\xe3\x81\x84";
const std::string kNo = "\xe3\x81\x84\xe3\x81\x84\xe3\x81\x88";

using CheckAndPaths = testing::CliWorkFolder;

TEST_F(CheckAndPaths, CheckListsProblemsAndFailsOnErrors) {
  const std::string faulty = Put("faulty.tre", kFaultyTree);
  ProcessResult result = Run({"check", faulty});
  EXPECT_EQ(result.exitCode, 1) << result.err;
  EXPECT_EQ(result.err, "");
#ifndef _WIN32
  // タイトルが空です… / 答えが三つ以上… / ダミーの文字「…」… / 答えのない…
  const std::string expectedStart = faulty + ": warning: \xe3\x82\xbf\xe3\x82\xa4\xe3\x83\x88\xe3\x83\xab";
  EXPECT_EQ(result.out.compare(0, expectedStart.size(), expectedStart), 0) << result.out;
#endif
  EXPECT_NE(result.out.find(faulty + ":1: warning: "), std::string::npos) << result.out;
  EXPECT_NE(result.out.find(faulty + ":3: error: "), std::string::npos) << result.out;
  EXPECT_NE(result.out.find(faulty + ":4: error: "), std::string::npos) << result.out;
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 4);

  result = Run({"check", Put("warned.tre", kWarningOnlyTree)});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 1);
}

TEST_F(CheckAndPaths, CheckJsonForPipelines) {
  const ProcessResult result = Run({"check", "--json", Put("faulty.tre", kFaultyTree)});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out.rfind("{\"errors\": 2, \"warnings\": 2, \"problems\": [\n", 0), 0u) << result.out;
  EXPECT_NE(result.out.find("{\"severity\": \"warning\", \"kind\": \"empty-title\", \"line\": null, \"text\": null, "),
            std::string::npos);
  EXPECT_NE(result.out.find("{\"severity\": \"error\", \"kind\": \"suffix-on-final-message\", \"line\": 4, "
                            "\"text\": \"B(N)\", "),
            std::string::npos);
  EXPECT_EQ(result.out.substr(result.out.size() - 4), "\n]}\n");

  const std::string cleanTree = Put("clean.tre", "i Done\r\n[OPTION]\r\nTitle=T\r\n");
  const ProcessResult clean = Run({"check", cleanTree, "--json"});
  EXPECT_EQ(clean.exitCode, 0) << clean.err;
  EXPECT_EQ(clean.out, "{\"errors\": 0, \"warnings\": 0, \"problems\": []}\n");
  EXPECT_EQ(clean.err, "");

  // As lines, a clean procedure says so on standard error, unless --quiet.
  const ProcessResult said = Run({"check", cleanTree});
  EXPECT_EQ(said.out, "");
  EXPECT_EQ(said.err, "velmora-cli: " + cleanTree + ": no problems found\n");
  const ProcessResult quiet = Run({"check", "--quiet", cleanTree});
  EXPECT_EQ(quiet.exitCode, 0);
  EXPECT_EQ(quiet.out + quiet.err, "");
}

TEST_F(CheckAndPaths, PathsAsTextAndCsv) {
  const std::string tree = Put("p.tre",
                               "? Q\r\n\t? R\r\n\t\tx stop, \"now\"\r\n\t\ti go\r\n\ti done\r\n"
                               "[OPTION]\r\nTitle=T\r\n");
  ProcessResult result = Run({"paths", tree});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  // 答え, 種類, メッセージ
  const std::string heading = "\xe7\xad\x94\xe3\x81\x88";
  const std::string kind = "\xe7\xa8\xae\xe9\xa1\x9e";
  const std::string message = "\xe3\x83\xa1\xe3\x83\x83\xe3\x82\xbb\xe3\x83\xbc\xe3\x82\xb8";
  EXPECT_EQ(result.out, heading + "\t" + kind + "\t" + message + "\n" +
                            kYes + " > " + kYes + "\t" + kProhibition + "\tstop, \"now\"\n" +
                            kYes + " > " + kNo + "\t" + kNotice + "\tgo\n" +
                            kNo + "\t" + kNotice + "\tdone\n");

  result = Run({"paths", "--csv", tree});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "\"" + heading + "\",\"" + kind + "\",\"" + message + "\"\r\n\"" +
                            kYes + " > " + kYes + "\",\"" + kProhibition + "\",\"stop, \"\"now\"\"\"\r\n\"" +
                            kYes + " > " + kNo + "\",\"" + kNotice + "\",\"go\"\r\n\"" +
                            kNo + "\",\"" + kNotice + "\",\"done\"\r\n");

  // With --bom, the same CSV behind UTF-8's byte order mark.
  const ProcessResult marked = Run({"paths", "--csv", "--bom", tree});
  EXPECT_EQ(marked.exitCode, 0) << marked.err;
  EXPECT_EQ(marked.out, "\xEF\xBB\xBF" + result.out);
}

TEST_F(CheckAndPaths, WrongArgumentsExitWithTwo) {
  const std::string tree = Put("p.tre", kWarningOnlyTree);
  const std::vector<std::vector<std::string>> wrong = {
      {"check"}, {"check", tree, tree}, {"check", "--xml", tree}, {"check", tree, "--json", "--json"},
      {"paths"}, {"paths", tree, "--json"}, {"paths", "--csv"}, {"paths", "--bom", tree}};
  for (const auto& arguments : wrong) {
    const ProcessResult result = Run(arguments);
    EXPECT_EQ(result.exitCode, 2) << ::testing::PrintToString(arguments);
    EXPECT_EQ(result.err.rfind("velmora-cli: ", 0), 0u) << result.err;
  }
  // A file that cannot be read is a failure, not a wrong argument.
  const ProcessResult missing = Run({"check", Utf8(folder_ / "missing.tre")});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err.rfind("velmora-cli: ", 0), 0u) << missing.err;
  // Redirected, standard error is UTF-8 like standard output, on Windows too:
  // "ファイル" begins the editor's message.
  EXPECT_EQ(missing.err.find("\xe3\x83\x95\xe3\x82\xa1\xe3\x82\xa4\xe3\x83\xab"), 13u) << missing.err;
}

}  // namespace
}  // namespace velmora
