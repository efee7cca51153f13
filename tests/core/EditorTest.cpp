// The editor model: the shared steps, the selection and the answer marks.
#include "document/Editor.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

class RecordingView : public EditorView {
 public:
  void ScrollToOrigin() override { ++scrolls; }
  int scrolls = 0;
};

class EditorTest : public ::testing::Test {
 protected:
  RecordingView view;
  Editor editor{view};
};

TEST_F(EditorTest, FreshEditorHoldsTheFormsRoot) {
  ASSERT_EQ(editor.Tree().Count(), 1u);
  EXPECT_EQ(editor.Tree().Root()->Text(), std::string(PlaceholderText));
  EXPECT_EQ(editor.Tree().Root()->kind, Question);
  EXPECT_EQ(editor.State().NewLineMark, "\x81\xAB");
  EXPECT_EQ(editor.State().Color, 1);
  EXPECT_FALSE(editor.Commands().Save);
}

TEST_F(EditorTest, StartingTreeAndItsCommandStates) {
  editor.ResetToStartingTree();
  editor.ResetTreeView();
  TreeNode* root = editor.Tree().Root();
  ASSERT_EQ(root->ChildCount(), 2u);
  EXPECT_EQ(root->FirstChild()->kind, Unset);
  EXPECT_EQ(root->LastChild()->Text(), std::string(PlaceholderText));
  EXPECT_EQ(editor.Selected(), root);
  EXPECT_EQ(editor.CurrentNode, root);
  EXPECT_EQ(view.scrolls, 1);

  const CommandStates& c = editor.Commands();
  EXPECT_FALSE(c.AddYes);
  EXPECT_FALSE(c.AddNo);
  EXPECT_TRUE(c.Exchange);
  EXPECT_TRUE(c.YesDefault);
  EXPECT_TRUE(c.NoDefault);
  EXPECT_FALSE(c.Delete);
  EXPECT_TRUE(c.Generate);
  // Answer marks: the selected question and its two answers.
  EXPECT_EQ(root->stateIndex, 1);
  EXPECT_EQ(root->FirstChild()->stateIndex, 2);
  EXPECT_EQ(root->LastChild()->stateIndex, 3);
}

TEST_F(EditorTest, AnswerMarksFollowTheSelectionOnly) {
  editor.ResetToStartingTree();
  TreeNode* root = editor.Tree().Root();
  TreeNode* yes = root->FirstChild();
  editor.Select(yes);
  EXPECT_EQ(editor.CurrentNode, yes);
  editor.Tree().ForEachPreOrder([](TreeNode& node) { EXPECT_EQ(node.stateIndex, 0); });
  EXPECT_TRUE(editor.Commands().AddYes);
  EXPECT_FALSE(editor.Commands().AddNo);
  EXPECT_TRUE(editor.Commands().Delete);

  // Three children (only from a file): no marks, both add commands.
  editor.Tree().AddChild(root, "third");
  editor.Select(root);
  EXPECT_EQ(root->stateIndex, 0);
  EXPECT_TRUE(editor.Commands().AddYes);
  EXPECT_TRUE(editor.Commands().AddNo);
  EXPECT_FALSE(editor.Commands().Exchange);
}

TEST_F(EditorTest, SingleNodeTreeCannotBeGenerated) {
  editor.Select(editor.Tree().Root());
  EXPECT_FALSE(editor.Commands().Generate);
}

TEST_F(EditorTest, MarkModifiedEnablesSaveButNotSaveAs) {
  editor.MarkModified();
  EXPECT_TRUE(editor.State().Modified);
  EXPECT_TRUE(editor.Commands().Save);
  EXPECT_FALSE(editor.Commands().SaveAs);
}

TEST_F(EditorTest, DeletingTheSelectedSubtreeMovesTheSelectionUp) {
  editor.ResetToStartingTree();
  TreeNode* root = editor.Tree().Root();
  TreeNode* yes = root->FirstChild();
  TreeNode* grandchild = editor.Tree().AddChild(yes, "deeper");
  editor.Select(grandchild);
  editor.DeleteNode(yes);
  EXPECT_EQ(editor.Selected(), root);
  EXPECT_EQ(editor.CurrentNode, root);
  EXPECT_EQ(editor.Tree().Count(), 2u);
}

TEST_F(EditorTest, NewKeepsFurtherTopLevelNodes) {
  editor.Tree().AddTopLevel("second");
  editor.Select(editor.Tree().TopLevel().back());
  editor.ResetToStartingTree();
  EXPECT_EQ(editor.Tree().TopLevel().size(), 2u);
  EXPECT_EQ(editor.Tree().Count(), 4u);
  EXPECT_EQ(editor.Selected(), editor.Tree().TopLevel().back());
}

TEST_F(EditorTest, ReplaceDocumentSwapsTreeAndState) {
  DecisionTree tree;
  tree.AddTopLevel("loaded");
  DocumentState state;
  state.Title = "title";
  state.Color = 2;
  editor.ReplaceDocument(std::move(tree), state);
  EXPECT_EQ(editor.Tree().Root()->Text(), "loaded");
  EXPECT_EQ(editor.Selected(), editor.Tree().Root());
  EXPECT_EQ(editor.State().Color, 2);
}

}  // namespace
}  // namespace velmora
