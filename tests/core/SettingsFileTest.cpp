// The settings file: what a start finds in it, what an exit leaves in it
// (against golden files), and that no file, however odd or broken, stops
// the program or loses what the user keeps in it.
#include "app/SettingsFile.h"

#include <gtest/gtest.h>

#include "SettingsTestSupport.h"

namespace velmora {
namespace {

using testing::kSettingsPath;
using testing::kUnholdable;
using testing::Path;
using testing::ReadSettingsData;

class SettingsFileTest : public ::testing::Test, protected testing::SettingsFixture {};

TEST_F(SettingsFileTest, FirstStartCentresTheHiddenWindowWithTheDefaults) {
  Load();
  EXPECT_TRUE(messages.shown.empty());
  ASSERT_EQ(window.applied.size(), 1u);
  const WindowPlacement& applied = window.applied[0];
  EXPECT_EQ(applied.showCmd, 0);  // positioned, not shown
  EXPECT_EQ(applied.normal, (PlacementRect{404, 276, 876, 748}));
  EXPECT_EQ(applied.maxX, -1);
  EXPECT_EQ(window.state, WindowState::Normal);
  EXPECT_EQ(editor.InitialDir.Utf8(), "C:\\Tools\\");
  EXPECT_FALSE(editor.Settings().CloseQuery);
  EXPECT_FALSE(editor.Settings().SaveStatus);
  EXPECT_FALSE(editor.Settings().ShowButtons);
  EXPECT_EQ(editor.State().NewLineMark, testing::kDownArrow);
  for (int n = 1; n <= HistorySize; ++n) EXPECT_TRUE(recentFiles.Slot(n).Empty()) << n;
}

TEST_F(SettingsFileTest, ExitWithoutSaveStatusWritesOnlyTheProgramFacts) {
  Load();
  editor.Settings().CloseQuery = true;
  recentFiles.AddToHistory(Path("C:\\work\\a.tre"));
  Save();
  EXPECT_EQ(Written(), ReadSettingsData("program-only.ini"));
}

TEST_F(SettingsFileTest, ExitWithSaveStatusWritesTheFourSectionsInOrder) {
  Load();
  window.placement = WindowPlacement{2, 3, -8, -8, {100, 80, 700, 560}};
  window.state = WindowState::Maximised;
  editor.Settings() = Options{true, true, true};
  editor.InitialDir = Path("C:\\work\\");
  recentFiles.AddToHistory(Path("C:\\work\\a.tre"));
  recentFiles.AddToHistory(Path("C:\\work\\b.tre"));
  Save();
  EXPECT_EQ(Written(), ReadSettingsData("full.ini"));
}

TEST_F(SettingsFileTest, WhatAnExitKeptIsWhatTheNextStartFinds) {
  files.files[kSettingsPath] = ReadSettingsData("full.ini");
  Load();
  ASSERT_EQ(window.applied.size(), 1u);
  EXPECT_EQ(window.applied[0].flags, 2);
  EXPECT_EQ(window.applied[0].maxX, -8);
  EXPECT_EQ(window.applied[0].normal, (PlacementRect{100, 80, 700, 560}));
  EXPECT_EQ(window.state, WindowState::Maximised);
  EXPECT_TRUE(editor.Settings().CloseQuery);
  EXPECT_TRUE(editor.Settings().SaveStatus);
  EXPECT_TRUE(editor.Settings().ShowButtons);
  EXPECT_EQ(editor.InitialDir.Utf8(), "C:\\work\\");
  EXPECT_EQ(editor.State().NewLineMark, testing::kDownArrow);
  EXPECT_EQ(recentFiles.Slot(1).Utf8(), "C:\\work\\b.tre");
  EXPECT_EQ(recentFiles.Slot(2).Utf8(), "C:\\work\\a.tre");
  EXPECT_TRUE(recentFiles.Slot(3).Empty());
}

// Other letter case is read as the key table spells it; of a section that
// occurs twice the last counts; unknown sections and keys survive where they
// stood, while "HISTORY" is rewritten as a whole.
TEST_F(SettingsFileTest, AHandEditedFileIsReadAndItsUnknownPartsSurvive) {
  files.files[kSettingsPath] = ReadSettingsData("hand-edited.ini");
  Load();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(window.applied.at(0).normal, (PlacementRect{10, 20, 610, 420}));
  EXPECT_EQ(window.state, WindowState::Maximised);
  EXPECT_TRUE(editor.Settings().CloseQuery);
  EXPECT_EQ(editor.State().NewLineMark, "//");
  EXPECT_EQ(editor.InitialDir.Utf8(), "D:\\trees\\");
  EXPECT_EQ(recentFiles.Slot(1).Utf8(), "D:\\trees\\second.tre");
  EXPECT_TRUE(recentFiles.Slot(3).Empty());

  // The user showed the window normally and turned SaveStatus on.
  window.showing = true;
  window.state = WindowState::Normal;
  window.placement.showCmd = 1;
  editor.Settings().SaveStatus = true;
  recentFiles.AddToHistory(Path("C:\\new.tre"));
  Save();
  EXPECT_EQ(Written(), ReadSettingsData("hand-edited-saved.ini"));
}

TEST_F(SettingsFileTest, GapsInTheHistoryStayGaps) {
  files.files[kSettingsPath] = "[HISTORY]\r\nFile2=C:\\b.tre\r\nFile3=\r\nFile9=C:\\i.tre\r\nFile10=C:\\j.tre\r\n";
  Load();
  EXPECT_TRUE(recentFiles.Slot(1).Empty());
  EXPECT_EQ(recentFiles.Slot(2).Utf8(), "C:\\b.tre");
  EXPECT_TRUE(recentFiles.Slot(3).Empty());
  EXPECT_EQ(recentFiles.Slot(9).Utf8(), "C:\\i.tre");
}

// Values only a hand edit produces start the program without harm.
TEST_F(SettingsFileTest, OddValuesFallBackOneByOne) {
  files.files[kSettingsPath] =
      "[POSITION]\r\nState=7\r\nLeft=abc\r\nTop=0x40\r\nRight=$100\r\n[OPTION]\r\nCloseQuery=yes\r\n"
      "SaveStatus=2\r\nInitialDir=\r\nNewLineMark=\r\n";
  Load();
  EXPECT_EQ(window.state, WindowState::Normal);
  // Left falls back to the centre, Top (0x40) and Right ($100) are
  // hexadecimal, Bottom follows the Top just read. Right now lies left of
  // Left: a rectangle without area takes the laid-out size.
  EXPECT_EQ(window.applied.at(0).normal, (PlacementRect{404, 64, 876, 536}));
  EXPECT_FALSE(editor.Settings().CloseQuery);
  EXPECT_TRUE(editor.Settings().SaveStatus);
  // Present but empty reads as empty, not as the default.
  EXPECT_TRUE(editor.InitialDir.Empty());
  EXPECT_EQ(editor.State().NewLineMark, "");
}

TEST_F(SettingsFileTest, AWindowOffEveryScreenOpensOnTheNearestWorkArea) {
  files.files[kSettingsPath] = "[POSITION]\r\nLeft=-5000\r\nTop=3000\r\nRight=-4400\r\nBottom=3480\r\n";
  window.workArea = PlacementRect{0, 0, 1280, 984};
  Load();
  EXPECT_EQ(window.applied.at(0).normal, (PlacementRect{0, 504, 600, 984}));
}

TEST_F(SettingsFileTest, PathsCp932CannotHoldWorkButStayOutOfTheFile) {
  Load();
  editor.Settings().SaveStatus = true;
  const FilePath folder = Path("C:\\Proc" + kUnholdable + "dures\\");
  editor.InitialDir = folder;
  recentFiles.AddToHistory(Path("C:\\work\\a.tre"));
  recentFiles.AddToHistory(folder.Join("b.tre"));
  Save();
  const std::string written = Written();
  EXPECT_EQ(written.find("InitialDir"), std::string::npos);
  EXPECT_EQ(written.find("dures"), std::string::npos);
  EXPECT_EQ(written.find("?"), std::string::npos);
  EXPECT_NE(written.find("File2=C:\\work\\a.tre\r\n"), std::string::npos);
  // During the run the list keeps the path whole.
  EXPECT_EQ(recentFiles.Slot(1), folder.Join("b.tre"));

  // The next start falls back to the program's folder.
  SettingsFixture next;
  next.files.files[kSettingsPath] = written;
  next.Load();
  EXPECT_EQ(next.editor.InitialDir.Utf8(), "C:\\Tools\\");
  EXPECT_TRUE(next.recentFiles.Slot(1).Empty());
  EXPECT_EQ(next.recentFiles.Slot(2).Utf8(), "C:\\work\\a.tre");
}

TEST_F(SettingsFileTest, AnUnreadableFileGivesTheDefaultsAndIsNotOverwritten) {
  files.files[kSettingsPath] = ReadSettingsData("full.ini");
  files.unreadable = {kSettingsPath};
  Load();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("Velmora.ini"), std::string::npos);
  EXPECT_NE(messages.shown[0].text.find("Access is denied"), std::string::npos);
  EXPECT_EQ(messages.shown[0].flags, message_box::kOk | message_box::kIconStop);
  EXPECT_FALSE(editor.Settings().SaveStatus);
  EXPECT_EQ(window.applied.at(0).normal, (PlacementRect{404, 276, 876, 748}));

  Save();
  EXPECT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(files.files[kSettingsPath], ReadSettingsData("full.ini"));
}

TEST_F(SettingsFileTest, AFileThatCannotBeWrittenIsReportedOnce) {
  files.files[kSettingsPath] = ReadSettingsData("full.ini");
  Load();
  files.failWrites = true;
  Save();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find(kSettingsPath), std::string::npos);
  EXPECT_NE(messages.shown[0].text.find("No space left on device"), std::string::npos);
  EXPECT_EQ(files.files[kSettingsPath], ReadSettingsData("full.ini"));
}

// A window already on screen (a second load) is placed as read.
TEST_F(SettingsFileTest, AShowingWindowKeepsItsShowCommand) {
  files.files[kSettingsPath] = "[POSITION]\r\nShowCmd=3\r\nState=1\r\n";
  window.showing = true;
  Load();
  EXPECT_EQ(window.applied.at(0).showCmd, 3);
  EXPECT_EQ(window.state, WindowState::Normal);
}

}  // namespace
}  // namespace velmora
