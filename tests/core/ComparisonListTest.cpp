// The comparison window's rows in the core: the file the author chooses is
// read as Read reads it, the rows name each difference from it and the node
// to select, and they follow the document as it changes.
#include "app/ComparisonList.h"

#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "TreeFileTestSupport.h"
#include "app/CommandIds.h"
#include "files/FileMessages.h"
#include "document/Utf8Text.h"
#include "files/TreeFile.h"

namespace velmora {
namespace {

using testing::FakePlatform;

const std::string kAdded = "\x92\xc7\x89\xc1";        // 追加
const std::string kRemoved = "\x8d\xed\x8f\x9c";      // 削除
const std::string kYes = "\x82\xcd\x82\xa2";          // はい
const std::string kNo = "\x82\xa2\x82\xa2\x82\xa6";   // いいえ
const std::string kOpen = "\x81\x75", kClose = "\x81\x76";  // 「 」
const std::string kOld = "\x8b\x8c", kNew = "\x90\x56";     // 旧 新
const std::string kPath = "\x8c\x6f\x98\x48";                // 経路
const std::string kAppears = "\x8c\xbb\x82\xea\x82\xe9";     // 現れる
const std::string kDisappears = "\x8f\xc1\x82\xa6\x82\xe9";  // 消える
const std::string kUnset = "\x96\xa2\x90\xdd\x92\xe8";       // 未設定
const std::string kInformation = "\x92\xca\x92\x6d";         // 通知

class ComparisonTest : public ::testing::Test {
 protected:
  ComparisonTest() : core(platform.Ports(), FakePlatform::Facts()) {
    core.Start(false);
    DocumentState state;
    state.Title = "Printer";
    const std::string text = "? Is it on?\n\ti Fine\n\ti Switch it on\n";
    platform.files.files["C:\\work\\v1.tre"] = BuildTreeText(testing::TreeOf(text), state);
    platform.files.files["C:\\work\\v2.tre"] = BuildTreeText(testing::TreeOf(text), state);
    core.OpenAsDroppedFile(testing::Path("C:\\work\\v2.tre"));
  }

  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    for (const ComparisonRow& row : core.CurrentView().comparisonReport->rows) rows.push_back(row.place + " | " + row.change);
    return rows;
  }

  FakePlatform platform;
  AppCore core;
};

TEST_F(ComparisonTest, ListsTheDifferencesFromTheChosenFileAndFollowsTheDocument) {
  platform.dialogs.files.results = {std::string("C:\\work\\v1.tre")};
  EXPECT_TRUE(core.Run(IDM_COMPARE));
  ASSERT_EQ(platform.dialogs.files.openRequests.size(), 1u);
  EXPECT_EQ(platform.dialogs.files.openRequests[0].initialDir.Utf8(), "C:\\work\\");
  View view = core.CurrentView();
  EXPECT_NE(view.LatestRequest(ViewRequest::ShowComparison), 0u);
  ASSERT_NE(view.comparisonReport, nullptr);
  EXPECT_TRUE(view.comparisonReport->rows.empty());
  EXPECT_EQ(view.comparisonReport->summary.rfind("v1.tre ", 0), 0u) << "names the file";

  // An answer added under "Fine": one row that selects the new node.
  core.Select(core.Model().Tree().Root()->FirstChild());
  EXPECT_TRUE(core.Run(IDM_ADDYES1));
  const NodeId added = core.Model().Selected()->Id();
  // The paths it opens and closes follow, each on a row of its own.
  ASSERT_EQ(Rows(), (std::vector<std::string>{
                        kNew + " " + kYes + " > " + kYes + "/" + kNo + " " + kOpen + "\x81\x63" + kClose + " | " + kAdded,
                        kPath + " " + kYes + " > " + kYes + "/" + kNo + " | " + kAppears + ": " + kUnset + " " + kOpen +
                            "\x81\x63" + kClose,
                        kPath + " " + kYes + " | " + kDisappears + ": " + kInformation + " " + kOpen + "Fine" + kClose}));
  EXPECT_EQ(core.CurrentView().comparisonReport->rows[0].nodeId, added);
  EXPECT_EQ(core.CurrentView().comparisonReport->rows[1].nodeId, added) << "the path's new end";
  EXPECT_EQ(core.CurrentView().comparisonReport->rows[2].nodeId, kNoNodeToSelect) << "a path only the file has";
  // Undone: the same as the file again; deleted instead: the removed node
  // names its parent, which is selected when the row is chosen.
  EXPECT_TRUE(core.Run(IDM_UNDO));
  EXPECT_TRUE(Rows().empty());
  core.Select(core.Model().Tree().Root()->LastChild());
  platform.dialogs.messages.answers = {message_box::kAnswerYes};
  EXPECT_TRUE(core.Run(IDM_DELETE1));
  ASSERT_FALSE(Rows().empty());
  EXPECT_EQ(Rows()[0], kOld + " " + kNo + " " + kOpen + "Switch it on" + kClose + " | " + kRemoved);
  EXPECT_TRUE(core.SelectCheckedNode(core.CurrentView().comparisonReport->rows[0].nodeId));
  EXPECT_EQ(core.Model().Selected(), core.Model().Tree().Root());

  const std::uint64_t revision = core.CurrentView().comparisonRevision;
  core.Select(core.Model().Tree().Root()->FirstChild());
  EXPECT_EQ(core.CurrentView().comparisonRevision, revision) << "a selection changes no row";
  core.CloseComparison();
  EXPECT_EQ(core.CurrentView().comparisonReport, nullptr);
}

TEST_F(ComparisonTest, CancelAndOtherFilesLeaveTheWindowShut) {
  platform.dialogs.files.results = {std::nullopt, std::string("C:\\work\\notes.txt"), std::string("C:\\work\\gone.tre")};
  EXPECT_TRUE(core.Run(IDM_COMPARE));
  EXPECT_TRUE(core.Run(IDM_COMPARE));
  ASSERT_EQ(platform.dialogs.messages.shown.size(), 1u);
  EXPECT_EQ(platform.dialogs.messages.shown[0].text, UnsupportedExtensionMessage("notes.txt"));
  EXPECT_TRUE(core.Run(IDM_COMPARE));  // unreadable: the general error report
  EXPECT_EQ(platform.dialogs.messages.shown.size(), 2u);
  EXPECT_EQ(core.CurrentView().LatestRequest(ViewRequest::ShowComparison), 0u);
  EXPECT_EQ(core.CurrentView().comparisonReport, nullptr);
}

// The pane under the list shows a row in full: both texts with the changed
// part marked, both places of a move, and which file each is read in.
TEST(ComparisonRows, TheDetailShowsBothSidesInFull) {
  const auto cp932 = [](std::string_view utf8) { return *Utf8ToCp932Exact(utf8); };
  struct Case {
    const char* what;
    const char* before;
    const char* after;
    std::string detail;  // UTF-8, of the first row
  };
  const Case cases[] = {
      {"a text rewritten", "? Q\n\ti 正常です。\n\t! Stop\n", "? Q\n\ti 正常に動作しています。\n\t! Stop\n",
       "場所（新 = 開いている文書）: はい 「正常に動作しています。」\r\n"
       "変更前: 「正常【で】す。」\r\n変更後: 「正常【に動作していま】す。」\r\n（【 】は変わった部分です。）"},
      {"a text that only grew", "? Q\n\ti Done\n\t! Stop\n", "? Q\n\ti Done now\n\t! Stop\n",
       "場所（新 = 開いている文書）: はい 「Done now」\r\n"
       "変更前: 「Done【】」\r\n変更後: 「Done【 now】」\r\n（【 】は変わった部分です。）"},
      {"a move", "? Q\n\t? Inner question\n\t\ti Moving end here\n\t\ti Other\n\t! Stop\n",
       "? Q\n\t? Inner question\n\t\ti Other\n\t! Stop\n\t\ti Moving end here\n",
       "場所（新 = 開いている文書）: いいえ > はい/いいえ 「Moving end here」\r\n"
       "移動元（旧 = v1.tre）: はい > はい\r\n移動先（新 = 開いている文書）: いいえ > はい/いいえ"},
      {"a removal is read in the file", "? Q\n\ti Fine\n\t! Stop\n", "? Q\n\t! Stop\n",
       "場所（旧 = v1.tre）: はい 「Fine」\r\n削除"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const DecisionTree before = testing::TreeOf(cp932(c.before));
    const DecisionTree after = testing::TreeOf(cp932(c.after));
    const ComparisonReport report = ComparisonReportOf(CompareTrees(before, after), "v1.tre");
    ASSERT_FALSE(report.rows.empty());
    EXPECT_EQ(report.rows[0].detail, cp932(c.detail));
  }
}

}  // namespace
}  // namespace velmora
