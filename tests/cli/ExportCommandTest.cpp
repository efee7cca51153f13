// velmora-cli export on real files: the diagram and the player are the
// core's exports of the procedure as the editor opens it, wrong command
// lines are refused before anything is written, and a failed export leaves
// an earlier output as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "CliWorkFolder.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::HostPath;
using testing::ProcessResult;
using testing::FileContent;
using testing::Utf8;

class Export : public testing::CliWorkFolder {
 protected:
  void SetUp() override {
    CliWorkFolder::SetUp();
    fs::copy_file(fs::path(HostPath(VELMORA_TEST_DATA)) / ".." / ".." / "docs" / "sample.tre", PathOf("in.tre"));
    fs::copy_file(fs::path(HostPath(VELMORA_TEST_DATA)) / "files" / "sample.tre", PathOf("edge.tre"));
  }
  fs::path PathOf(const std::string& name) const { return folder_ / name; }
  std::string Arg(const std::string& name) const { return Utf8(PathOf(name)); }

  ProcessResult Run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "export");
    return CliWorkFolder::Run(arguments);
  }
};

std::string Golden(const std::string& name) {
  return FileContent(fs::path(HostPath(VELMORA_TEST_DATA)) / "export" / name);
}

TEST_F(Export, WritesTheDiagramAndThePlayerOfTheOpenedProcedure) {
  const ProcessResult result = Run({Arg("in.tre"), "--svg", Arg("out.svg"), "--html", Arg("out.html")});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(FileContent(PathOf("out.svg")), Golden("sample.svg"));
  EXPECT_EQ(FileContent(PathOf("out.html")), Golden("sample.html"));
  // Middle answers, single answers, stray top-level nodes, marks.
  ASSERT_EQ(Run({Arg("edge.tre"), "--svg", Arg("edge.svg"), "--html", Arg("edge.html")}).exitCode, 0);
  EXPECT_EQ(FileContent(PathOf("edge.svg")), Golden("edge-cases.svg"));
  EXPECT_EQ(FileContent(PathOf("edge.html")), Golden("edge-cases.html"));

  ASSERT_EQ(Run({"--horizontal", Arg("in.tre"), "--svg", Arg("side.svg")}).exitCode, 0);
  EXPECT_EQ(FileContent(PathOf("side.svg")), Golden("sample-horizontal.svg"));
}

// A generated executable exports exactly as the .tre it was made from: a
// small one and one past the allocator's large-block size, whose freed
// bytes go back to the system at once.
TEST_F(Export, AGeneratedExecutableExportsAsItsTreeFile) {
  std::string stub(0x40, '\0');
  stub.replace(0, 2, "MZ");
  stub[0x3C] = 0x40;
  std::ofstream(PathOf("stub.bin"), std::ios::binary) << stub + std::string("PE\0\0", 4) + std::string(20, '\0');
  std::string large = "? \x83\x8b\x81\x5b\x83\x67\r\n";  // "ルート"
  for (int i = 0; i < 3000; ++i) {
    large += "\t? question " + std::to_string(i) + " with some words to make the file long\r\n";
  }
  std::ofstream(PathOf("large.tre"), std::ios::binary) << large;
  for (const std::string name : {"in", "large"}) {
    SCOPED_TRACE(name);
    ASSERT_EQ(CliWorkFolder::Run({"convert", Arg(name + ".tre"), Arg(name + ".exe"), "--stub", Arg("stub.bin")}).exitCode,
              0);
    for (const std::string from : {".tre", ".exe"}) {
      const ProcessResult result = Run({Arg(name + from), "--svg", Arg(name + from + ".svg"), "--html",
                                        Arg(name + from + ".html"), "--book", Arg(name + from + ".book")});
      ASSERT_EQ(result.exitCode, 0) << result.err;
    }
    for (const std::string output : {".svg", ".html", ".book"}) {
      EXPECT_EQ(FileContent(PathOf(name + ".exe" + output)), FileContent(PathOf(name + ".tre" + output))) << output;
    }
  }
}

TEST_F(Export, RefusesWrongCommandLinesWithoutWritingAnything) {
  const std::vector<std::vector<std::string>> wrong = {
      {Arg("in.tre")},                                             // no output named
      {"--svg", Arg("out.svg")},                                   // no input
      {Arg("in.tre"), Arg("other.tre"), "--svg", Arg("out.svg")},  // two inputs
      {Arg("in.tre"), "--svg"},                                    // option without its file
      {Arg("in.tre"), "--svg", Arg("out.svg"), "--svg", Arg("out2.svg")},
      {Arg("in.tre"), "--html", Arg("out.svg"), "--horizontal"},  // --horizontal without a diagram
      {Arg("in.tre"), "--png", Arg("out.svg")},
      {Arg("in.tre"), "--svg", Arg("out.svg"), "--notes"},  // --notes without a book
  };
  for (const auto& arguments : wrong) {
    const ProcessResult result = Run(arguments);
    EXPECT_EQ(result.exitCode, 2) << arguments.size();
    EXPECT_NE(result.err.find("usage:"), std::string::npos);
  }
  EXPECT_FALSE(fs::exists(PathOf("out.svg")));
  EXPECT_FALSE(fs::exists(PathOf("out2.svg")));
}

TEST_F(Export, AFailedExportLeavesTheEarlierFileAsItWas) {
  std::ofstream(PathOf("out.svg"), std::ios::binary) << "earlier";
  // A missing input: the editor's cannot-open message, nothing written.
  ProcessResult result = Run({Arg("missing.tre"), "--svg", Arg("out.svg")});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("missing.tre"), std::string::npos) << result.err;
  // An output folder that does not exist: the cannot-create message.
  result = Run({Arg("in.tre"), "--svg", Arg("no-folder/out.svg")});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("out.svg"), std::string::npos) << result.err;
  EXPECT_EQ(FileContent(PathOf("out.svg")), "earlier");
}

}  // namespace
}  // namespace velmora
