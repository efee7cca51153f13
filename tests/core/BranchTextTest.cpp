// Branches through the clipboard: the lines of a copied branch, lines from
// a text editor read back as a branch (or refused with the reason), and
// Cut and Paste on the editor model.
#include "files/BranchText.h"

#include <gtest/gtest.h>

#include "TreeFileTestSupport.h"
#include "document/BranchRecord.h"

namespace velmora {
namespace {

using testing::Describe;
using testing::ErrorOf;
using testing::SampleTree;

class BranchTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor.ReplaceDocument(SampleTree(), DocumentState{});
    editor.ResetTreeView();
  }
  void SelectAt(const NodePath& path) { editor.Select(NodeAt(editor.Tree(), path)); }

  NullEditorView view;
  Editor editor{view};
};

TEST_F(BranchTextTest, CopyGivesTreeFileLinesFromTheSelectedNode) {
  SelectAt({0, 0});
  EXPECT_EQ(CopyBranchText(editor),
            "? Cable plugged in?\r\n\ti Call\x81\xabsupport\r\n\t! \x83\x5c\x83\x74\x83\x67\r\n\tx Never reached\r\n");
  SelectAt({0, 1});  // an unset kind has no marker
  EXPECT_EQ(CopyBranchText(editor), "Switch it on\r\n\ti Done\r\n");
}

TEST_F(BranchTextTest, CopiedLinesReadBackAsTheSameBranch) {
  SelectAt({0, 0});
  const DecisionTree branch = ParseBranchText(*CopyBranchText(editor));
  EXPECT_EQ(BranchText(branch, *branch.Root()), *CopyBranchText(editor));
}

struct ReadCase {
  const char* name;
  std::string text;
  std::string described;
};

// Kinds: a marker gives its kind, no marker a question (with answers) or
// a notice (without).
const ReadCase kReadCases[] = {
    {"CrLf", "? Q\r\n\ti A\r\n\tB\r\n", "[0]Q\n\t[1]A\n\t[1]B\n"},
    {"Lf", "Q\n\tA\n\t\tx C\n\tB\n", "[0]Q\n\t[0]A\n\t\t[3]C\n\t[1]B\n"},
    {"IndentedLikeItsPlaceInAFile", "\t\tQ\r\n\t\t\tA\r\n\t\t\tB", "[0]Q\n\t[1]A\n\t[1]B\n"},
    {"BlanksForLevelsAndBlankLinesSkipped", "  Q\n\n   A\n   \n   B\n\n", "[0]Q\n\t[1]A\n\t[1]B\n"},
    {"AMarkAloneIsAPlaceholder", "! \n", "[2]\x81\x63\n"},
};

class ReadBranch : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadBranch, LinesFromATextEditorBecomeABranch) {
  const DecisionTree branch = ParseBranchText(GetParam().text);
  EXPECT_EQ(Describe(branch), GetParam().described);
}

INSTANTIATE_TEST_SUITE_P(BranchText, ReadBranch, ::testing::ValuesIn(kReadCases),
                         [](const ::testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

// "貼り付ける文字列は、枝の形になっていません。" CR LF CR LF, the line's
// number, " 行目: " and its text.
std::string NotABranch(const std::string& lineAndText) {
  return std::string(kNotABranchMessage) + "\r\n\r\n" + lineAndText;
}

TEST(BranchText, RefusesTextThatIsNotOneBranch) {
  EXPECT_EQ(ErrorOf([] { ParseBranchText(""); }), kNothingToPasteMessage);
  EXPECT_EQ(ErrorOf([] { ParseBranchText(" \r\n\t\r\n"); }), kNothingToPasteMessage);
  EXPECT_EQ(ErrorOf([] { ParseBranchText("Q\r\n\tA\r\nSecond"); }), NotABranch("3\x20\x8d\x73\x96\xda: Second"));
  EXPECT_EQ(ErrorOf([] { ParseBranchText("\tQ\n\t\tA\nLeft"); }), NotABranch("3\x20\x8d\x73\x96\xda: Left"));
  EXPECT_EQ(ErrorOf([] { ParseBranchText("Q\n\n\t\tToo deep"); }), NotABranch("3\x20\x8d\x73\x96\xda: Too deep"));
}

TEST_F(BranchTextTest, PasteAddsTheBranchWhereAnAnswerMayBeAdded) {
  SelectAt({0, 1});  // one answer: a No answer may be added
  ASSERT_TRUE(CanPasteBranch(editor));
  ASSERT_TRUE(PasteBranch(editor, "Pasted\n\tUnder\n"));
  EXPECT_EQ(PathOf(*editor.Selected()), (NodePath{0, 1, 1}));
  EXPECT_EQ(Describe(editor.Tree()).substr(Describe(editor.Tree()).find("\t[-1]Switch")),
            "\t[-1]Switch it on\n\t\t[1]Done\n\t\t[0]Pasted\n\t\t\t[1]Under\n");
  EXPECT_TRUE(editor.State().Modified);
  EXPECT_TRUE(editor.CanSave());
}

TEST_F(BranchTextTest, PasteChangesNothingWhereItMayNotOrForBadText) {
  const std::string before = Describe(editor.Tree());
  SelectAt({0});  // Yes and No answers: no more may be added
  EXPECT_FALSE(CanPasteBranch(editor));
  EXPECT_FALSE(PasteBranch(editor, "A\n"));
  SelectAt({0, 1, 0});
  EXPECT_EQ(ErrorOf([&] { PasteBranch(editor, "A\nB\n"); }), NotABranch("2\x20\x8d\x73\x96\xda: B"));
  EXPECT_EQ(Describe(editor.Tree()), before);
  EXPECT_FALSE(editor.State().Modified);
}

TEST_F(BranchTextTest, CutTakesTheBranchButNeverTheRoot) {
  SelectAt({0});
  EXPECT_FALSE(CanCutBranch(editor));
  EXPECT_EQ(CutBranch(editor), std::nullopt);
  EXPECT_EQ(editor.Tree().Count(), 7u);

  SelectAt({0, 1});
  EXPECT_EQ(CutBranch(editor), "Switch it on\r\n\ti Done\r\n");
  EXPECT_EQ(editor.Tree().Count(), 5u);
  EXPECT_EQ(editor.Selected(), editor.Tree().Root());
  EXPECT_TRUE(editor.State().Modified);
}

}  // namespace
}  // namespace velmora
