// velmora-cli stats on a real folder of run records: the numbers of a
// known set of records, the runs of another version listed apart, and what
// is no record counted and skipped.
#include <gtest/gtest.h>

#include <filesystem>

#include "CliWorkFolder.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::FileContent;
using testing::ProcessResult;

using StatsCommand = testing::CliWorkFolder;

constexpr char kTree[] = "? q\r\n\ti fixed\r\n\tx call\r\n[OPTION]\r\nNewLine=#\r\nTitle=t\r\nColor=1\r\n"
                         "[FIELDS]\r\n1.outcome=resolved\r\n2.outcome=contact\r\n";

std::string Record(const std::string& version, const std::string& steps, const std::string& end,
                   const std::string& outcome, int ms) {
  return "velmora-run 1\r\ntitle=t\r\nversion=" + version + "\r\nstart=2026-12-09T20:30:05Z\r\nduration-ms=" +
         std::to_string(ms) + "\r\nsteps=" + steps + "\r\nanswers=y o\r\nend=" + end + "\r\noutcome=" + outcome + "\r\n";
}

TEST_F(StatsCommand, CountsTheRecordsOfThisVersionAndListsTheOthers) {
  const std::string tree = Put("a.tre", kTree);
  // The version the executable generated from it names, from a folder
  // without records.
  const ProcessResult none = Run({"stats", tree, PathOf(".")});
  ASSERT_EQ(none.exitCode, 0) << none.err;
  const std::string version = none.out.substr(none.out.find('(') + 1, 8);
  fs::create_directories(folder_ / "records");
  Put("records/velmora-run-1.txt", Record(version, "1 2", "2", "resolved", 1000));
  Put("records/velmora-run-2.txt", Record(version, "1 2", "2", "resolved", 3000));
  Put("records/velmora-run-3.txt", Record(version, "1 3", "3", "contact", 2000));
  Put("records/velmora-run-4.txt", Record(version, "1", "", "none", 500));
  Put("records/velmora-run-5.txt", Record("0badf00d", "1 2", "2", "resolved", 100));
  Put("records/velmora-run-6.txt", "velmora-run 1\r\ntitle=t\r\n");  // cut short
  Put("records/desktop.ini", "[.ShellClassInfo]\r\n");
  const ProcessResult result = Run({"stats", tree, PathOf("records")});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out,
            "runs of this version (" + version + "): 4\n"
            "ends reached:\n  line 2: 2 (50.0%) fixed\n  line 3: 1 (25.0%) call\n"
            "outcomes: resolved 2 (50.0%), unresolved 0 (0.0%), contact 1 (25.0%), none 1 (25.0%)\n"
            "stopped without an end:\n  line 1: 1 (25.0%) q\n"
            "median time: 1.5 s\n"
            "runs of another version (0badf00d): 1\n"
            "skipped: 1 damaged records, 1 other files\n");
  const ProcessResult csv = Run({"stats", tree, PathOf("records"), "--csv"});
  EXPECT_EQ(csv.out, "line,text,shown,ended,stopped,outcome\r\n1,\"q\",4,0,1,\r\n2,\"fixed\",2,2,0,resolved\r\n"
                     "3,\"call\",1,1,0,contact\r\n");
  const ProcessResult json = Run({"stats", tree, PathOf("records"), "--json"});
  EXPECT_NE(json.out.find("\"ends\": [{\"line\": 2, \"runs\": 2, \"text\": \"fixed\"}, {\"line\": 3, \"runs\": 1, "
                          "\"text\": \"call\"}]"),
            std::string::npos)
      << json.out;
  // The diagram with the same numbers: each box says its count, the most
  // visited one shaded darkest.
  const ProcessResult svg = Run({"export", tree, "--svg", PathOf("visits.svg"), "--stats", PathOf("records")});
  ASSERT_EQ(svg.exitCode, 0) << svg.err;
  const std::string diagram = FileContent(folder_ / "visits.svg");
  for (const char* count : {"実行 4 回", "実行 2 回", "実行 1 回"}) {
    EXPECT_NE(diagram.find(count), std::string::npos) << count;
  }
  EXPECT_NE(diagram.find("class=\"visits\" width=\"109\" height=\"56\" fill-opacity=\"0.5\""), std::string::npos)
      << diagram;
  EXPECT_EQ(Run({"export", tree, "--html", PathOf("x.html"), "--stats", PathOf("records")}).exitCode, 2);
  EXPECT_EQ(Run({"stats", tree, PathOf("no-such-folder")}).exitCode, 1);
  EXPECT_EQ(Run({"stats", tree}).exitCode, 2);
}

// The runs of an earlier version count on today's nodes, paired by the
// comparison; where they ended at a node since removed they are listed apart.
TEST_F(StatsCommand, RunsOfAnEarlierVersionCountOnTodaysNodes) {
  const std::string tree = Put("a.tre", kTree);
  const std::string older = Put("old.tre",
                                "? q\r\n\ti fixed\r\n\t? old question\r\n\t\tx call\r\n\t\ti dropped\r\n"
                                "[OPTION]\r\nNewLine=#\r\nTitle=t\r\nColor=1\r\n");
  const ProcessResult probe = Run({"stats", older, PathOf(".")});
  const std::string was = probe.out.substr(probe.out.find('(') + 1, 8);
  fs::create_directories(folder_ / "records");
  Put("records/velmora-run-1.txt", Record(was, "1 3 4", "4", "contact", 1000));  // call: line 3 today
  Put("records/velmora-run-2.txt", Record(was, "1 3 5", "5", "resolved", 1000));  // dropped: gone
  Put("records/velmora-run-3.txt", Record(was, "1 3", "", "none", 1000));         // old question: gone
  const ProcessResult result = Run({"stats", tree, PathOf("records"), "--old", older});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("runs of this version ("), std::string::npos);
  EXPECT_NE(result.out.find("): 0\nruns of an earlier version counted here (" + was + "): 3\n"), std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("ends reached:\n  line 3: 1 (33.3%) call\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("ended at a step since removed:\n  " + was + " line 5: 1 dropped\n"
                            "stopped at a step since removed:\n  " + was + " line 3: 1 old question\n"),
            std::string::npos)
      << result.out;
  const ProcessResult csv = Run({"stats", tree, PathOf("records"), "--old", older, "--csv"});
  EXPECT_NE(csv.out.find("1,\"q\",3,0,0,\r\n"), std::string::npos) << csv.out;
  // Without the earlier document its runs are only listed.
  EXPECT_NE(Run({"stats", tree, PathOf("records")}).out.find("runs of another version (" + was + "): 3"),
            std::string::npos);
  EXPECT_EQ(Run({"stats", tree, PathOf("records"), "--old"}).exitCode, 2);
}

}  // namespace
}  // namespace velmora
