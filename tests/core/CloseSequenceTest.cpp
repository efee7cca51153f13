// The close sequence: which questions a close asks, what each answer does,
// and that the settings file is written exactly when the close goes ahead.
#include "app/CloseSequence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SettingsTestSupport.h"
#include "files/OpenDocument.h"
#include "files/TreeFile.h"

namespace velmora {
namespace {

using message_box::kAnswerCancel;
using message_box::kAnswerNo;
using message_box::kAnswerYes;
using testing::kSettingsPath;

constexpr unsigned kSaveQuestionFlags = 0x33;
constexpr unsigned kExitQuestionFlags = 0x24;

class CloseSequenceTest : public ::testing::Test, protected testing::SettingsFixture {
 protected:
  CloseSequenceTest() { Load(); }

  bool Close() {
    CloseSequence close{state, settings, messages, [this] { return caption; }, [this] {
                          ++saveAsRuns;
                          if (saveAsSucceeds) {
                            editor.State().Modified = false;
                            caption = "saved.tre - Velmora";
                          }
                          return saveAsSucceeds;
                        }};
    return FormCloseQuery(close);
  }
  bool SettingsWritten() { return files.files.count(kSettingsPath) != 0; }

  std::string caption = "Velmora";
  bool saveAsSucceeds = true;
  int saveAsRuns = 0;
};

struct CloseCase {
  const char* name;
  bool modified;
  bool closeQuery;
  std::vector<int> answers;
  bool saveAsSucceeds;
  std::vector<unsigned> askedFlags;  // the questions, in order
  int saveAsRuns;
  bool allowed;  // and the settings written
};

class CloseOutcomes : public CloseSequenceTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseOutcomes, AskAndWriteAsAnswered) {
  const CloseCase& c = GetParam();
  if (c.modified) editor.MarkModified();
  editor.Settings().CloseQuery = c.closeQuery;
  messages.answers.assign(c.answers.begin(), c.answers.end());
  saveAsSucceeds = c.saveAsSucceeds;

  EXPECT_EQ(Close(), c.allowed);
  std::vector<unsigned> flags;
  for (const testing::AskedMessage& asked : messages.shown) flags.push_back(asked.flags);
  EXPECT_EQ(flags, c.askedFlags);
  EXPECT_EQ(saveAsRuns, c.saveAsRuns);
  EXPECT_EQ(SettingsWritten(), c.allowed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CloseOutcomes,
    ::testing::Values(
        CloseCase{"CleanClosesWithoutAsking", false, false, {}, true, {}, 0, true},
        CloseCase{"ConfirmedExit", false, true, {kAnswerYes}, true, {kExitQuestionFlags}, 0, true},
        CloseCase{"DeclinedExit", false, true, {kAnswerNo}, true, {kExitQuestionFlags}, 0, false},
        CloseCase{"ChangesDiscarded", true, false, {kAnswerNo}, true, {kSaveQuestionFlags}, 0, true},
        CloseCase{"CancelKeepsRunning", true, true, {kAnswerCancel}, true, {kSaveQuestionFlags}, 0, false},
        CloseCase{"SavedThenClosed", true, false, {kAnswerYes}, true, {kSaveQuestionFlags}, 1, true},
        CloseCase{"SavedThenConfirmed", true, true, {kAnswerYes, kAnswerYes}, true,
                  {kSaveQuestionFlags, kExitQuestionFlags}, 1, true},
        // The document stays saved; the program keeps running.
        CloseCase{"SavedThenDeclined", true, true, {kAnswerYes, kAnswerNo}, true,
                  {kSaveQuestionFlags, kExitQuestionFlags}, 1, false},
        // A save the user asked for is not skipped: without it, no close.
        CloseCase{"SaveAsCancelledKeepsRunning", true, true, {kAnswerYes}, false, {kSaveQuestionFlags}, 1, false}),
    [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

TEST_F(CloseSequenceTest, QuestionsCarryTheirTextsAndTheCurrentCaption) {
  editor.MarkModified();
  editor.Settings().CloseQuery = true;
  messages.answers = {kAnswerYes, kAnswerNo};
  caption = "draft.tre - Velmora";
  Close();
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, kExitSaveQuestion);
  EXPECT_EQ(messages.shown[0].caption, "draft.tre - Velmora");
  EXPECT_EQ(messages.shown[1].text, kExitConfirmation);
  // The Save As on the way renamed the window.
  EXPECT_EQ(messages.shown[1].caption, "saved.tre - Velmora");
  EXPECT_FALSE(editor.State().Modified);
}

TEST_F(CloseSequenceTest, AFailedSaveRefusesTheCloseWithItsError) {
  editor.MarkModified();
  messages.answers = {kAnswerYes};
  CloseSequence close{state, settings, messages, [] { return std::string("Velmora"); },
                      []() -> bool { throw VelmoraError("cannot create"); }};
  EXPECT_THROW(FormCloseQuery(close), VelmoraError);
  EXPECT_TRUE(editor.State().Modified);
  EXPECT_FALSE(SettingsWritten());
}

// A settings file that cannot be written never holds the program back.
TEST_F(CloseSequenceTest, AnUnwritableSettingsFileIsReportedAndTheCloseGoesOn) {
  files.failWrites = true;
  EXPECT_TRUE(Close());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find(kSettingsPath), std::string::npos);
}

TEST_F(CloseSequenceTest, TheNewLineMarkOfAnOpenedDocumentIsTheOneKept) {
  DocumentState stored;
  stored.NewLineMark = "<br>";
  files.files["C:\\work\\opened.tre"] = BuildTreeText(testing::NewDocumentTree(), stored);
  ASSERT_TRUE(OpenDocument(editor, files, messages, testing::Path("C:\\work\\opened.tre"),
                           "Velmora", caption));
  editor.Settings().SaveStatus = true;
  ASSERT_TRUE(Close());
  EXPECT_NE(files.files[kSettingsPath].find("NewLineMark=<br>\r\n"), std::string::npos);
  EXPECT_NE(files.files[kSettingsPath].find("InitialDir=C:\\work\\\r\n"), std::string::npos);
}

}  // namespace
}  // namespace velmora
