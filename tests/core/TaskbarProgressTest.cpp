// The taskbar facility's state table and the colour radio buttons.
#include <gtest/gtest.h>

#include "distribution/ColourButtons.h"
#include "distribution/TaskbarProgressPort.h"
#include "document/Editor.h"

namespace velmora {
namespace {

TEST(TaskbarProgress, StateValuesMapToThePlatformFlags) {
  EXPECT_EQ(TaskbarProgressFlag(0), 0u);  // None: TBPF_NOPROGRESS
  EXPECT_EQ(TaskbarProgressFlag(1), 1u);  // Indeterminate
  EXPECT_EQ(TaskbarProgressFlag(2), 2u);  // Normal
  EXPECT_EQ(TaskbarProgressFlag(3), 4u);  // Error
  EXPECT_EQ(TaskbarProgressFlag(4), 8u);  // Paused
  for (int other : {-1, 5, 8, 1000}) EXPECT_EQ(TaskbarProgressFlag(other), 0u) << other;
}

TEST(TaskbarProgress, ColourChoosesTheRunsState) {
  EXPECT_EQ(ProgressStateForColour(1), TaskbarProgressState::Normal);
  EXPECT_EQ(ProgressStateForColour(2), TaskbarProgressState::Paused);
  EXPECT_EQ(ProgressStateForColour(3), TaskbarProgressState::Error);
  for (int other : {0, -1, 4, 16}) EXPECT_EQ(ProgressStateForColour(other), TaskbarProgressState::None);
}

TEST(ColourButtons, SelectionShowsOnlyTheThreeColours) {
  EXPECT_EQ(SelectedColourButton(1), 1);
  EXPECT_EQ(SelectedColourButton(2), 2);
  EXPECT_EQ(SelectedColourButton(3), 3);
  EXPECT_EQ(SelectedColourButton(0), 0);
  EXPECT_EQ(SelectedColourButton(4), 0);
  EXPECT_EQ(SelectedColourButton(-3), 0);
}

TEST(ColourButtons, OnlyANamedDocumentCountsTheChoiceAsAChange) {
  NullEditorView view;
  Editor editor(view);
  ChooseProgressColour(editor, 2);
  EXPECT_EQ(editor.State().Color, 2);
  EXPECT_FALSE(editor.State().Modified);
  EXPECT_FALSE(editor.CanSave());
  EXPECT_FALSE(editor.CanSaveAs());

  editor.State().CurrentFileName = FilePath::FromUtf8("C:\\help\\printer.tre");
  ChooseProgressColour(editor, 3);
  EXPECT_EQ(editor.State().Color, 3);
  EXPECT_TRUE(editor.State().Modified);
  EXPECT_TRUE(editor.CanSave());
  EXPECT_TRUE(editor.CanSaveAs());
}

}  // namespace
}  // namespace velmora
