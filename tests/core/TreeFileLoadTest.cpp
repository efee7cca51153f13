// LoadTreeFile: option block or legacy trailer, the removal of trailing
// lines, kind restoration, and refusals that leave the document alone. Every
// case is also read as steps (the convert's reading), which must agree.
#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "files/TreeFile.h"
#include "TreeFileTestSupport.h"

namespace velmora {
namespace {

using testing::Describe;
using testing::kDownArrow;

class TreeFileLoad : public ::testing::Test {
 protected:
  // The document open before the load: its mark and colour must survive
  // where a legacy file does not give them.
  DocumentState Current() const {
    DocumentState state;
    state.CurrentFileName = testing::Path("open.tre");
    state.Modified = true;
    state.Title = "open title";
    state.NewLineMark = "/";
    state.Color = 2;
    return state;
  }

  LoadedDocument Load(const std::string& bytes) {
    fs_.files["in.tre"] = bytes;
    std::optional<LoadedDocument> document, fromSteps;
    const std::string error =
        testing::ErrorOf([&] { document = LoadTreeFile(fs_, testing::Path("in.tre"), Current()); });
    const std::string stepsError = testing::ErrorOf(
        [&] { fromSteps = DocumentOfSteps(LoadTreeFileSteps(fs_, testing::Path("in.tre"), Current())); });
    EXPECT_EQ(stepsError, error) << bytes;
    if (!document) throw VelmoraError(error);
    if (fromSteps) ExpectSameDocument(*fromSteps, *document, bytes);
    return std::move(*document);
  }

  static void ExpectSameDocument(const LoadedDocument& actual, const LoadedDocument& expected,
                                 const std::string& bytes) {
    EXPECT_EQ(Describe(actual.tree), Describe(expected.tree)) << bytes;
    EXPECT_EQ(actual.state.Title, expected.state.Title) << bytes;
    EXPECT_EQ(actual.state.NewLineMark, expected.state.NewLineMark) << bytes;
    EXPECT_EQ(actual.state.Color, expected.state.Color) << bytes;
    EXPECT_EQ(actual.state.CurrentFileName.Utf8(), expected.state.CurrentFileName.Utf8()) << bytes;
    EXPECT_EQ(actual.state.Modified, expected.state.Modified) << bytes;
    EXPECT_EQ(actual.stoppedAtNulLine, expected.stoppedAtNulLine) << bytes;
  }

  testing::MemoryFileSystem fs_;
};

TEST_F(TreeFileLoad, OptionBlockGivesMarkTitleAndColour) {
  const LoadedDocument document = Load(testing::ReadTestData("sample.tre"));
  EXPECT_EQ(document.state.NewLineMark, "#");
  EXPECT_EQ(document.state.Title, "Printer");  // read back trimmed
  EXPECT_EQ(document.state.Color, 3);
  EXPECT_EQ(document.state.CurrentFileName.Utf8(), "in.tre");
  EXPECT_FALSE(document.state.Modified);
  // The markers became kinds.
  EXPECT_EQ(document.tree.Root()->Text(), "Power on?(N)");
  EXPECT_EQ(document.tree.Root()->kind, Question);
  EXPECT_EQ(document.tree.Count(), 7u);
}

TEST_F(TreeFileLoad, SaveAndReopenKeepsStructureTextsAndKinds) {
  DecisionTree original = testing::SampleTree();
  LoadedDocument document = Load(BuildTreeText(original, Current()));
  // The unset "Switch it on" comes back as a Question: it has an answer.
  std::string expected = Describe(original);
  const std::string unset = "\t[-1]Switch it on";
  expected.replace(expected.find(unset), unset.size(), "\t[0]Switch it on");
  EXPECT_EQ(Describe(document.tree), expected);
  EXPECT_EQ(document.state.Title, "open title");
  EXPECT_EQ(document.state.NewLineMark, "/");
  EXPECT_EQ(document.state.Color, 2);
}

TEST_F(TreeFileLoad, OptionValuesFollowTheIniRules) {
  struct Case {
    std::string options;
    std::string mark, title;
    int colour;
  };
  const Case cases[] = {
      {"[OPTION]\r\nNewLine=#\r\nTitle=  abc  \r\nColor=0x2\r\n", "#", "abc", 2},
      {"[option]\r\nnewline = \r\nTITLE=x=y \t\r\ncolor=$3\r\n", "", "x=y", 3},
      {"[OPTION]\r\nColor=abc\r\n", kDownArrow, "", 1},
      {"[OPTION]\r\nColor=0x\r\nTitle=\r\n", kDownArrow, "", 1},
      {"[OTHER]\r\nTitle=t\r\nColor=2\r\n", kDownArrow, "", 1},
      // A node text "[OPTION]" makes a section of its own; the real block,
      // always last, wins.
      {"[OPTION]\r\nTitle=fake\r\nColor=3\r\n[OPTION]\r\nTitle=real\r\n", kDownArrow, "real", 1},
  };
  for (const Case& c : cases) {
    const LoadedDocument document = Load("r\r\n\ta\r\n" + c.options);
    EXPECT_EQ(document.state.NewLineMark, c.mark) << c.options;
    EXPECT_EQ(document.state.Title, c.title) << c.options;
    EXPECT_EQ(document.state.Color, c.colour) << c.options;
    EXPECT_EQ(Describe(document.tree), "[0]r\n\t[1]a\n") << c.options;
  }
}

TEST_F(TreeFileLoad, TrailingRootLevelLinesGoButTheRootStays) {
  // A second root-level node after the last indented line goes with the
  // option lines; one between indented lines stays.
  EXPECT_EQ(Describe(Load("r\r\n\ta\r\nmid\r\n\tb\r\nlate\r\n\r\n[OPTION]\r\nColor=1\r\n").tree),
            "[0]r\n\t[1]a\n[0]mid\n\t[1]b\n");
  EXPECT_EQ(Describe(Load("only\r\n[OPTION]\r\nTitle=t\r\n").tree), "[1]only\n");
  // A node text "[OPTION]" inside the tree is an ordinary node.
  EXPECT_EQ(Describe(Load("r\r\n\t[OPTION]\r\n\tTitle=x\r\n[OPTION]\r\nTitle=t\r\n").tree),
            "[0]r\n\t[1][OPTION]\n\t[1]Title=x\n");
}

TEST_F(TreeFileLoad, LegacyTrailerGivesTitleAndMarkAndKeepsTheColour) {
  // ";表題=abc" after ";改行=#"
  LoadedDocument document = Load("r\r\n\ta\r\n;\x89\xfc\x8d\x73=#\r\n;\x95\x5c\x91\xe8=abc\r\n");
  EXPECT_EQ(document.state.Title, "abc");
  EXPECT_EQ(document.state.NewLineMark, "#");
  EXPECT_EQ(document.state.Color, 2);
  EXPECT_EQ(Describe(document.tree), "[0]r\n\t[1]a\n");

  // ";abc" alone: the title; the mark of the open document stays, and only
  // the trailer line goes (a root-level line before it stays).
  document = Load("r\r\n\ta\r\nextra\r\n;abc\r\n");
  EXPECT_EQ(document.state.Title, "abc");
  EXPECT_EQ(document.state.NewLineMark, "/");
  EXPECT_EQ(document.state.Color, 2);
  EXPECT_EQ(Describe(document.tree), "[0]r\n\t[1]a\n[1]extra\n");
}

TEST_F(TreeFileLoad, LegacyFileEndingInAnEmptyLineReadsAsOptionFile) {
  const LoadedDocument document = Load("r\r\n\ta\r\n;\x89\xfc\x8d\x73=#\r\n;abc\r\n\r\n");
  EXPECT_EQ(document.state.Title, "");
  EXPECT_EQ(document.state.NewLineMark, kDownArrow);
  EXPECT_EQ(document.state.Color, 1);
  EXPECT_EQ(Describe(document.tree), "[0]r\n\t[1]a\n");
}

TEST_F(TreeFileLoad, KindRestorationReadsMarkersInEitherCase) {
  LoadedDocument document = Load(
      "? q\r\n\tI info\r\n\tX no\r\n\t! warn\r\n\t;comment\r\n\tplain leaf\r\n\tplain parent\r\n\t\ti \r\n"
      "\t?x\r\n[OPTION]\r\n");
  EXPECT_EQ(Describe(document.tree),
            "[0]q\n\t[1]info\n\t[3]no\n\t[2]warn\n\t[0];comment\n\t[1]plain leaf\n\t[0]plain parent\n\t\t[1]\n"
            "\t[1]?x\n");
}

// Every case of the format, read into a tree that points into the file's
// bytes, then saved and read again: the second reading gives the same tree
// and options, and saving that gives the same bytes once more.
TEST_F(TreeFileLoad, EveryFormatCaseSurvivesSaveAndReopen) {
  const std::string cases[] = {
      "? r\r\n\ti a\r\n\t\tx b(N)\r\n\t! c\r\n[OPTION]\r\nNewLine=#\r\nTitle=t\r\nColor=3\r\n",
      "r\ra\r\n\tb\n\t\tc\n\rd\r\n[OPTION]\rTitle= spaced \r",
      "r\n a\n  b\n\t \tc  \n \td\nroot two\n[OPTION]\nColor=0x2\n",
      "r\r\n\t[OPTION]\r\n\tTitle=inside\r\n\t[x]\r\n[OPTION]\r\nTitle=outside\r\n",
      "r\r\n\ta\r\n;\x89\xfc\x8d\x73=#\r\n;\x95\x5c\x91\xe8=legacy\r\n",
      "r\r\n\ta\r\n;plain legacy",
      std::string("I r\r\n\tX a\r\n\t\t\x83\x5c\x83\x74\r\n[OPTION]\r\nColor=1\r\n") + '\0' + "\tlost\r\n",
      "\t\tr\r\n\t;comment\r\n\t\r\n\r\n\tb\r\n",
  };
  for (const std::string& bytes : cases) {
    LoadedDocument first = Load(bytes);
    const std::string saved = BuildTreeText(first.tree, first.state);
    // The steps are written as the tree is.
    const LoadedSteps steps = LoadTreeFileSteps(fs_, testing::Path("in.tre"), Current());
    std::string savedFromSteps;
    AppendTreeText(savedFromSteps, StepProcedure{steps.steps, steps.fields}, steps.state);
    EXPECT_EQ(savedFromSteps, saved) << bytes;
    EXPECT_EQ(TreeTextSize(StepProcedure{steps.steps, steps.fields}, steps.state), saved.size()) << bytes;
    LoadedDocument second = Load(saved);
    EXPECT_EQ(Describe(second.tree), Describe(first.tree)) << bytes;
    EXPECT_EQ(second.state.Title, first.state.Title) << bytes;
    EXPECT_EQ(second.state.NewLineMark, first.state.NewLineMark) << bytes;
    EXPECT_EQ(second.state.Color, first.state.Color) << bytes;
    EXPECT_EQ(BuildTreeText(second.tree, second.state), saved) << bytes;
  }
}

// Refusals: each raises the editor's message; the open document is never
// part of the load, so it stays whole whatever happens.
TEST_F(TreeFileLoad, BadFilesAreRefusedWithTheirMessages) {
  EXPECT_EQ(testing::ErrorOf([&] { LoadTreeFile(fs_, testing::Path("missing.tre"), Current()); }),
            CannotOpenMessage("missing.tre", "No such file or directory"));
  EXPECT_EQ(testing::ErrorOf([&] { Load(""); }), NoProcedureMessage("in.tre"));
  EXPECT_EQ(testing::ErrorOf([&] { Load(std::string("\0abc", 4)); }), NoProcedureMessage("in.tre"));
  // A legacy trailer and nothing else.
  EXPECT_EQ(testing::ErrorOf([&] { Load(";abc\r\n"); }), NoProcedureMessage("in.tre"));
  EXPECT_EQ(testing::ErrorOf([&] { Load(";\x89\xfc\x8d\x73=#\r\n;abc\r\n"); }), NoProcedureMessage("in.tre"));
  EXPECT_EQ(testing::ErrorOf([&] { Load("r\r\n\t\tdeep\r\n"); }), InvalidLevelMessage(2, "deep"));
}

}  // namespace
}  // namespace velmora
