// velmora-cli stats on a real folder of run records: the numbers of a
// known set of records, the runs of another version listed apart, and what
// is no record counted and skipped.
#include <gtest/gtest.h>

#include <filesystem>

#include "CliWorkFolder.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
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
  EXPECT_EQ(Run({"stats", tree, PathOf("no-such-folder")}).exitCode, 1);
  EXPECT_EQ(Run({"stats", tree}).exitCode, 2);
}

}  // namespace
}  // namespace velmora
