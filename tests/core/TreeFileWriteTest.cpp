// What a save puts on the disk: the stored form of a document, byte for byte.
#include <gtest/gtest.h>

#include "files/TreeFile.h"
#include "TreeFileTestSupport.h"

namespace velmora {
namespace {

using testing::kDownArrow;

DocumentState StateWith(std::string title, std::string mark, int colour) {
  DocumentState state;
  state.Title = std::move(title);
  state.NewLineMark = std::move(mark);
  state.Color = colour;
  return state;
}

TEST(TreeFileWrite, NewDocumentIsTheFiftyFiveByteExample) {
  const std::string text = BuildTreeText(testing::NewDocumentTree(), StateWith("", kDownArrow, 1));
  EXPECT_EQ(text.size(), 55u);
  EXPECT_EQ(text, testing::ReadTestData("new-document.tre"));
}

TEST(TreeFileWrite, SampleTreeMatchesItsGoldenFile) {
  const std::string text = BuildTreeText(testing::SampleTree(), StateWith("  Printer  ", "#", 3));
  EXPECT_EQ(text, testing::ReadTestData("sample.tre"));
}

TEST(TreeFileWrite, LinesCarryTabsMarkersAndTheUntrimmedOptions) {
  DecisionTree tree;
  TreeNode* root = tree.AddTopLevel("q", Question);
  TreeNode* a = tree.AddChild(root, "a", Information);
  tree.AddChild(a, "b", Exclaimation);
  tree.AddChild(root, "c", Inhibit);
  tree.AddChild(root, "d", Unset);
  EXPECT_EQ(BuildTreeText(tree, StateWith(" t = x ", "", 0)),
            "? q\r\n\ti a\r\n\t\t! b\r\n\tx c\r\n\td\r\n"
            "[OPTION]\r\nNewLine=\r\nTitle= t = x \r\nColor=0\r\n");
}

TEST(TreeFileWrite, EmptyTreeGivesOnlyTheOptionBlock) {
  EXPECT_EQ(BuildTreeText(DecisionTree{}, StateWith("T", kDownArrow, 2)),
            "[OPTION]\r\nNewLine=" + kDownArrow + "\r\nTitle=T\r\nColor=2\r\n");
}

TEST(TreeFileWrite, SaveReplacesTheFileWithTheWholeText) {
  testing::MemoryFileSystem fs;
  fs.files["a.tre"] = "old";
  SaveTreeFile(fs, testing::Path("a.tre"), testing::NewDocumentTree(), StateWith("", kDownArrow, 1));
  EXPECT_EQ(fs.files["a.tre"], testing::ReadTestData("new-document.tre"));

  fs.failWrites = true;
  const std::string message =
      testing::ErrorOf([&] { SaveTreeFile(fs, testing::Path("a.tre"), testing::SampleTree(), StateWith("", "", 1)); });
  // "ファイル "a.tre" を作成できません。..."
  EXPECT_EQ(message.rfind("\x83\x74\x83\x40\x83\x43\x83\x8b \"a.tre\" \x82\xf0", 0), 0u) << message;
  EXPECT_EQ(fs.files["a.tre"], testing::ReadTestData("new-document.tre"));
}

}  // namespace
}  // namespace velmora
