// The SVG diagram, the HTML player and the book of real procedures, byte for byte
// against the files in tests/data/export. After an intended change of the
// output, run the tests once with VELMORA_UPDATE_GOLDEN=1 to rewrite them and
// look at the difference before committing it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "distribution/DiagramSvg.h"
#include "distribution/HtmlPlayer.h"
#include "distribution/ProcedureBook.h"
#include "files/TreeFile.h"
#include "TreeFileTestSupport.h"

namespace velmora {
namespace {

using testing::MemoryFileSystem;
using testing::Path;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

// A procedure file read as the editor opens it.
LoadedDocument OpenProcedure(const std::string& path) {
  MemoryFileSystem files;
  files.files["in.tre"] = ReadFile(path);
  LoadedDocument document = LoadTreeFile(files, Path("in.tre"), DocumentState{});
  return document;
}

const std::string kDocsSample = std::string(VELMORA_TEST_DATA) + "/../../docs/sample.tre";
const std::string kEdgeSample = std::string(VELMORA_TEST_DATA) + "/files/sample.tre";

struct Golden {
  const char* name;  // also the file in tests/data/export
  const std::string* procedure;
  std::function<void(const LoadedDocument&, ByteSink&)> write;
};

class ExportGolden : public ::testing::TestWithParam<Golden> {};

TEST_P(ExportGolden, MatchesTheStoredFile) {
  const LoadedDocument document = OpenProcedure(*GetParam().procedure);
  ASSERT_FALSE(document.tree.Empty());
  StringSink sink;
  GetParam().write(document, sink);
  const std::string golden = std::string(VELMORA_TEST_DATA) + "/export/" + GetParam().name;
  if (std::getenv("VELMORA_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(golden, std::ios::binary) << sink.Bytes();
  }
  // The first difference, not the whole file: the files are long.
  const std::string expected = ReadFile(golden);
  const std::string& actual = sink.Bytes();
  const auto mismatch = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
  EXPECT_TRUE(actual == expected) << "differs from " << golden << " at byte " << (mismatch.first - actual.begin())
                                  << ": \"" << std::string(mismatch.first, std::min(mismatch.first + 60, actual.end()))
                                  << "\"";
}

void Diagram(const LoadedDocument& document, ByteSink& sink, bool horizontal) {
  WriteDiagramSvg(document.tree, document.state, DiagramOptions{horizontal}, sink);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, ExportGolden,
    ::testing::Values(
        Golden{"sample.svg", &kDocsSample, [](const auto& d, ByteSink& s) { Diagram(d, s, false); }},
        Golden{"sample-horizontal.svg", &kDocsSample, [](const auto& d, ByteSink& s) { Diagram(d, s, true); }},
        Golden{"edge-cases.svg", &kEdgeSample, [](const auto& d, ByteSink& s) { Diagram(d, s, false); }},
        Golden{"sample.html", &kDocsSample,
               [](const auto& d, ByteSink& s) { WriteHtmlPlayer(d.tree, d.state, s); }},
        Golden{"edge-cases.html", &kEdgeSample,
               [](const auto& d, ByteSink& s) { WriteHtmlPlayer(d.tree, d.state, s); }},
        // A fixed date: the golden file must not change with the day.
        Golden{"sample-book.html", &kDocsSample,
               [](const auto& d, ByteSink& s) { WriteProcedureBook(d.tree, d.state, "2026/12/08", s); }},
        Golden{"edge-cases-book.html", &kEdgeSample,
               [](const auto& d, ByteSink& s) { WriteProcedureBook(d.tree, d.state, "2026/12/08", s); }}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& c : name) c = (c == '.' || c == '-') ? '_' : c;
      return name;
    });

}  // namespace
}  // namespace velmora
