// The node editor's hand-over: stored text to memo lines and back.
#include "document/NodeEditorProcedure.h"

#include <gtest/gtest.h>

#include "document/Picture.h"

namespace velmora {
namespace {

const std::string kDots(PlaceholderText);
const std::string kArrow(DefaultNewLineMark);

class NodeEditorProcedureTest : public ::testing::Test {
 protected:
  TreeNode* Question(const std::string& text) {
    TreeNode* node = tree.AddTopLevel(text, velmora::Question);
    tree.AddChild(node, kDots, Unset);
    tree.AddChild(node, kDots, Unset);
    return node;
  }
  TreeNode* Leaf(const std::string& text, int kind = Information) { return tree.AddTopLevel(text, kind); }
  // Opens the node and presses OK with what the dialog showed, changed by `edit`.
  template <typename Edit>
  void OpenAndOk(TreeNode* node, Edit edit, const std::string& mark = kArrow) {
    const NodeEditorInput in = NodeEditorInputFor(tree, *node, mark);
    NodeEditorResult out{in.kind, in.preferNo, in.memoText, in.later};
    edit(out);
    tree.SetFields(*node, NodeFieldsFromEditor(tree.FieldsOf(*node), out, mark));
  }
  void OpenAndOk(TreeNode* node) {
    OpenAndOk(node, [](NodeEditorResult&) {});
  }

  DecisionTree tree;
};

TEST_F(NodeEditorProcedureTest, TwoSentencesWithNoDefaultSurviveUnchanged) {
  const std::string stored = "Is the cable in?" + kArrow + "Check both ends.(N)";
  TreeNode* node = Question(stored);
  const NodeEditorInput in = NodeEditorInputFor(tree, *node, kArrow);
  EXPECT_EQ(in.memoText, "Is the cable in?\r\nCheck both ends.");
  EXPECT_TRUE(in.preferNo);
  EXPECT_TRUE(in.answerButtonsEnabled);
  EXPECT_EQ(in.kind, velmora::Question);
  OpenAndOk(node);
  EXPECT_EQ(node->Text(), stored);
}

TEST_F(NodeEditorProcedureTest, YesSuffixIsDroppedOnOpening) {
  TreeNode* node = Question("Ready? (y) ");
  const NodeEditorInput in = NodeEditorInputFor(tree, *node, kArrow);
  EXPECT_EQ(in.memoText, "Ready? ") << "trimmed first, then the suffix taken off";
  EXPECT_FALSE(in.preferNo);
  OpenAndOk(node);
  EXPECT_EQ(node->Text(), "Ready?");
}

TEST_F(NodeEditorProcedureTest, EmptyMemoGivesThePlaceholder) {
  TreeNode* node = Question("text");
  OpenAndOk(node, [](NodeEditorResult& r) { r.memoText = " \r\n "; });
  EXPECT_EQ(node->Text(), kArrow) << "the line break is folded before trimming";
  OpenAndOk(node, [](NodeEditorResult& r) { r.memoText.clear(); });
  EXPECT_EQ(node->Text(), kDots);
  OpenAndOk(node, [](NodeEditorResult& r) {
    r.memoText.clear();
    r.preferNo = true;
  });
  EXPECT_EQ(node->Text(), kDots + "(N)");
}

TEST_F(NodeEditorProcedureTest, TypedMarkerIsRemovedAndDoesNotChangeTheKind) {
  TreeNode* node = Leaf("warning");
  OpenAndOk(node, [](NodeEditorResult& r) {
    r.memoText = "! careful";
    r.kind = velmora::Question;
  });
  EXPECT_EQ(node->Text(), "careful");
  EXPECT_EQ(node->kind, velmora::Question);

  OpenAndOk(node, [](NodeEditorResult& r) { r.memoText = "? "; });
  EXPECT_EQ(node->Text(), kDots);
}

TEST_F(NodeEditorProcedureTest, TrailingLineBreakBecomesATrailingMark) {
  TreeNode* node = Leaf("x");
  OpenAndOk(node, [](NodeEditorResult& r) { r.memoText = "  one\r\ntwo\r\n"; });
  EXPECT_EQ(node->Text(), "one" + kArrow + "two" + kArrow);
  // And the stored form opens as the same lines.
  EXPECT_EQ(NodeEditorInputFor(tree, *node, kArrow).memoText, "one\r\ntwo\r\n");
}

TEST_F(NodeEditorProcedureTest, EmptyMarkJoinsTheLines) {
  TreeNode* node = Leaf("x");
  OpenAndOk(node, [](NodeEditorResult& r) { r.memoText = "one\r\ntwo"; }, "");
  EXPECT_EQ(node->Text(), "onetwo");
}

TEST_F(NodeEditorProcedureTest, LoneLineFeedsNeverReachTheNodeText) {
  TreeNode* node = Leaf("x");
  OpenAndOk(node, [](NodeEditorResult& r) { r.memoText = "a\nb\rc\r\n\nd"; });
  EXPECT_EQ(node->Text(), "a" + kArrow + "b" + kArrow + "c" + kArrow + kArrow + "d");
  OpenAndOk(node, [](NodeEditorResult& r) { r.memoText = "a\nb"; }, "");
  EXPECT_EQ(node->Text(), "ab");
}

TEST_F(NodeEditorProcedureTest, LeafKeepsItsNoDefault) {
  TreeNode* node = Leaf("Done(N)");
  const NodeEditorInput in = NodeEditorInputFor(tree, *node, kArrow);
  EXPECT_FALSE(in.answerButtonsEnabled);
  EXPECT_TRUE(in.preferNo);
  EXPECT_EQ(in.memoText, "Done");
  OpenAndOk(node);
  EXPECT_EQ(node->Text(), "Done(N)");
}

TEST_F(NodeEditorProcedureTest, TypedNoSuffixStaysInTheText) {
  TreeNode* node = Question("Go on");
  OpenAndOk(node, [](NodeEditorResult& r) {
    r.memoText += "(N)";
    r.preferNo = true;
  });
  EXPECT_EQ(node->Text(), "Go on(N)(N)");
  const NodeEditorInput again = NodeEditorInputFor(tree, *node, kArrow);
  EXPECT_EQ(again.memoText, "Go on(N)");
  EXPECT_TRUE(again.preferNo);
}

TEST_F(NodeEditorProcedureTest, UnsetNodeOpensWithoutAKind) {
  TreeNode* node = Leaf(kDots, Unset);
  const NodeEditorInput in = NodeEditorInputFor(tree, *node, kArrow);
  EXPECT_EQ(in.kind, Unset);
  EXPECT_FALSE(in.preferNo);
  EXPECT_EQ(in.memoText, kDots);
}

TEST_F(NodeEditorProcedureTest, MarkInsideADoubleByteCharacterIsNoLineBreak) {
  // 0x83 0x5C is one character whose second byte is a backslash.
  TreeNode* node = Leaf("\x83\x5C" "a\\b");
  const NodeEditorInput in = NodeEditorInputFor(tree, *node, "\\");
  EXPECT_EQ(in.memoText, "\x83\x5C" "a\r\nb");
}

// A picture passes the dialog as stored, whatever the newline mark: a mark
// of base64 letters would otherwise cut it into lines. Its room is what the
// limit leaves beside every other node's lines and pictures.
TEST_F(NodeEditorProcedureTest, PicturePassesUnchangedAndHasRoomBesideTheOthers) {
  const FieldIndex picture = *FieldNamed("picture");
  TreeNode* first = Leaf("first");
  TreeNode* second = Leaf("second");
  LaterFields stored;
  stored.Set(picture, std::string(1000, 'A') + "==");
  tree.SetLater(*first, stored);
  tree.SetLater(*second, stored);
  OpenAndOk(first, [](NodeEditorResult&) {}, "A");
  EXPECT_EQ(tree.LaterOf(*first).Get(picture), std::string(1000, 'A') + "==");
  const std::size_t room = PictureRoom(tree, *first);
  EXPECT_LT(room, kMostDocumentBytes - 1002);
  EXPECT_GT(room, kMostDocumentBytes - 1200);
  tree.SetLater(*second, LaterFields());
  EXPECT_GT(PictureRoom(tree, *first), room + 1000) << "the other picture no longer counts";
}

}  // namespace
}  // namespace velmora
