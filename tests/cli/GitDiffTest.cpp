// Git reading procedures through velmora-cli, in a real temporary
// repository: git-setup writes the driver, git diff lists node changes, git
// log -p shows one line per node, and what is no procedure still diffs.
// Git for Windows is not part of the Wine prefix, so this runs natively.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "CliWorkFolder.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::FileContent;
using testing::ProcessResult;

class GitDiff : public testing::CliWorkFolder {
 protected:
  void SetUp() override {
    CliWorkFolder::SetUp();
    // The user's own Git configuration stays out of it, and untouched.
    ::setenv("GIT_CONFIG_GLOBAL", PathOf("global.gitconfig").c_str(), 1);
    ::setenv("GIT_CONFIG_NOSYSTEM", "1", 1);
    fs::create_directories(folder_ / "repo");
    previousFolder_ = fs::current_path();
    fs::current_path(folder_ / "repo");  // git and git-setup work on the folder they start in
    ASSERT_EQ(Git({"init", "-q", "."}).exitCode, 0);
  }
  void TearDown() override {
    fs::current_path(previousFolder_);
    ::unsetenv("GIT_CONFIG_GLOBAL");
    ::unsetenv("GIT_CONFIG_NOSYSTEM");
    CliWorkFolder::TearDown();
  }

  ProcessResult Git(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"-c", "user.name=Author", "-c", "user.email=author@example.com"});
    return testing::RunProcess("git", arguments, PathOf("scratch"));
  }
  void Commit() {
    ASSERT_EQ(Git({"add", "-A"}).exitCode, 0);
    ASSERT_EQ(Git({"commit", "-q", "-m", "step"}).exitCode, 0);
  }
  std::string InRepo(const std::string& name) const { return PathOf("repo/" + name); }

  fs::path previousFolder_;
};

std::string Sample() {
  return FileContent(fs::path(VELMORA_TEST_DATA).parent_path().parent_path() / "docs" / "sample.tre");
}

TEST_F(GitDiff, DiffAndLogOfAProcedureShowItsNodes) {
  const ProcessResult setup = Run({"git-setup"});
  ASSERT_EQ(setup.exitCode, 0) << setup.err;
  EXPECT_NE(setup.out.find("*.tre diff=velmora\n*.exe diff=velmora\n"), std::string::npos);
  Put("repo/.gitattributes", "*.tre diff=velmora\n*.exe diff=velmora\n");
  Put("repo/guide.tre", Sample());
  Put("repo/foreign.exe", std::string("MZ\0\0binary", 10));
  Commit();

  ASSERT_EQ(Run({"set", InRepo("guide.tre"), "3", "note=確認済み"}).exitCode, 0);
  ASSERT_EQ(Run({"set", InRepo("guide.tre"), "title=新しい題"}).exitCode, 0);
  Put("repo/foreign.exe", std::string("MZ\0\0changed", 11));
  Put("repo/added.tre", Sample());
  ASSERT_EQ(Git({"add", "-N", "added.tre"}).exitCode, 0);
  const ProcessResult diff = Git({"diff"});
  EXPECT_EQ(diff.exitCode, 0) << diff.err;
  EXPECT_EQ(diff.err, "");
  for (const char* expected :
       {"diff --velmora a/added.tre b/added.tre\nnew procedure\n+/ [確認, 既定: はい] プリンターから",
        "+/いいえ/いいえ [通知] 電源ケーブルを差し込み、電源を入れてください。 | link: → 用紙はセットされていますか？\n",
        "Binary files a/foreign.exe and b/foreign.exe differ\n",
        "diff --velmora a/guide.tre b/guide.tre\ntitle changed: \"プリンターの切り分け\" -> \"新しい題\"\n"
        "note changed at はい > はい: \"印刷待ちの文書が残っていますか？\": \"\" -> \"確認済み\"\n"}) {
    EXPECT_NE(diff.out.find(expected), std::string::npos) << expected << "\nin\n" << diff.out;
  }

  Commit();
  const ProcessResult log = Git({"log", "-p", "-2", "--format=", "--", "guide.tre"});
  EXPECT_EQ(log.exitCode, 0) << log.err;
  for (const char* expected : {"-/はい/はい [確認, 既定: はい] 印刷待ちの文書が残っていますか？\n"
                               "+/はい/はい [確認, 既定: はい] 印刷待ちの文書が残っていますか？ | note: 確認済み\n",
                               "-Title: プリンターの切り分け\n+Title: 新しい題\n",
                               "+/ [確認, 既定: はい] プリンターから印刷できません。↓電源ランプは点灯していますか？\n"}) {
    EXPECT_NE(log.out.find(expected), std::string::npos) << expected << "\nin\n" << log.out;
  }
}

// Any file at all reaches the command through GIT_EXTERNAL_DIFF.
TEST_F(GitDiff, TextThatIsNoProcedureGetsALineDiff) {
  Put("repo/readme.txt", "one\ntwo\nthree\nfour\nfive\nsix\nseven\n");
  Commit();
  Put("repo/readme.txt", "one\ntwo\nthree\nfour\n5\nsix\nseven\neight");
  ::setenv("GIT_EXTERNAL_DIFF", (testing::HostPath(VELMORA_CLI) + " diff").c_str(), 1);
  const ProcessResult diff = Git({"diff"});
  ::unsetenv("GIT_EXTERNAL_DIFF");
  EXPECT_EQ(diff.exitCode, 0) << diff.err;
  EXPECT_EQ(diff.out,
            "--- a/readme.txt\n+++ b/readme.txt\n@@ -2,6 +2,7 @@\n two\n three\n four\n-five\n+5\n six\n seven\n"
            "+eight\n\\ No newline at end of file\n");
}

TEST_F(GitDiff, SetupGlobalAndUndo) {
  ProcessResult result = Run({"git-setup", "--global"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const std::string config = FileContent(folder_ / "global.gitconfig");
  EXPECT_NE(config.find("[diff \"velmora\"]"), std::string::npos) << config;
  EXPECT_NE(config.find("' show --flat"), std::string::npos) << config;
  EXPECT_NE(config.find("' diff"), std::string::npos) << config;

  result = Run({"git-setup", "--global", "--undo"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(FileContent(folder_ / "global.gitconfig").find("velmora"), std::string::npos);
  result = Run({"git-setup", "--global", "--undo"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("nothing to undo"), std::string::npos) << result.out;
  EXPECT_EQ(Run({"git-setup", "--everywhere"}).exitCode, 2);
}

}  // namespace
}  // namespace velmora
#endif
