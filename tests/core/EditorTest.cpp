// The editor model: the shared steps, the selection and the answer marks.
#include "document/BranchRecord.h"
#include "document/Editor.h"

#include <gtest/gtest.h>

#include "DocumentTestSupport.h"

namespace velmora {
namespace {

class EditorTest : public ::testing::Test {
 protected:
  testing::RecordingEditorView view;
  Editor editor{view};
};

TEST_F(EditorTest, FreshEditorHoldsTheFormsRoot) {
  ASSERT_EQ(editor.Tree().Count(), 1u);
  EXPECT_EQ(editor.Tree().Root()->Text(), std::string(PlaceholderText));
  EXPECT_EQ(editor.Tree().Root()->kind, Question);
  EXPECT_EQ(editor.State().NewLineMark, "\x81\xAB");
  EXPECT_EQ(editor.State().Color, 1);
  EXPECT_FALSE(editor.CanSave());
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

  EXPECT_FALSE(editor.CanAddYes());
  EXPECT_FALSE(editor.CanAddNo());
  EXPECT_TRUE(editor.CanExchange());
  EXPECT_TRUE(editor.CanSetDefault());
  EXPECT_FALSE(editor.CanDelete());
  EXPECT_TRUE(editor.CanGenerate());
  // Answer marks: the selected question and its two answers.
  EXPECT_EQ(AnswerMark(*root, editor.Selected()), 1);
  EXPECT_EQ(AnswerMark(*root->FirstChild(), editor.Selected()), 2);
  EXPECT_EQ(AnswerMark(*root->LastChild(), editor.Selected()), 3);
}

TEST_F(EditorTest, AnswerMarksFollowTheSelectionOnly) {
  editor.ResetToStartingTree();
  TreeNode* root = editor.Tree().Root();
  TreeNode* yes = root->FirstChild();
  editor.Select(yes);
  EXPECT_EQ(editor.CurrentNode, yes);
  editor.Tree().ForEachPreOrder([&](TreeNode& node) { EXPECT_EQ(AnswerMark(node, editor.Selected()), 0); });
  EXPECT_TRUE(editor.CanAddYes());
  EXPECT_FALSE(editor.CanAddNo());
  EXPECT_TRUE(editor.CanDelete());

  // Three children (only from a file): no marks, both add commands.
  editor.AddBranch(root, PackNode("third", Question));
  editor.Select(root);
  EXPECT_EQ(AnswerMark(*root, editor.Selected()), 0);
  EXPECT_TRUE(editor.CanAddYes());
  EXPECT_TRUE(editor.CanAddNo());
  EXPECT_FALSE(editor.CanExchange());
}

TEST_F(EditorTest, SingleNodeTreeCannotBeGenerated) {
  editor.Select(editor.Tree().Root());
  EXPECT_FALSE(editor.CanGenerate());
}

TEST_F(EditorTest, MarkModifiedEnablesSaveButNotSaveAs) {
  editor.MarkModified();
  EXPECT_TRUE(editor.State().Modified);
  EXPECT_TRUE(editor.CanSave());
  EXPECT_FALSE(editor.CanSaveAs());
}

TEST_F(EditorTest, DeletingTheSelectedSubtreeMovesTheSelectionUp) {
  editor.ResetToStartingTree();
  TreeNode* root = editor.Tree().Root();
  TreeNode* yes = root->FirstChild();
  TreeNode* grandchild = editor.AddBranch(yes, PackNode("deeper", Question));
  editor.Select(grandchild);
  editor.RemoveBranch(yes);
  EXPECT_EQ(editor.Selected(), root);
  EXPECT_EQ(editor.CurrentNode, root);
  EXPECT_EQ(editor.Tree().Count(), 2u);
}

TEST_F(EditorTest, NewKeepsFurtherTopLevelNodes) {
  editor.AddBranch(nullptr, PackNode("second", Question));
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
