// The comparison window's rows in the core: the file the author chooses is
// read as Read reads it, the rows name each difference from it and the node
// to select, and they follow the document as it changes.
#include "app/ComparisonList.h"

#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "TreeFileTestSupport.h"
#include "app/CommandIds.h"
#include "files/FileMessages.h"
#include "files/TreeFile.h"

namespace velmora {
namespace {

using testing::FakePlatform;

const std::string kAdded = "\x92\xc7\x89\xc1";        // 追加
const std::string kRemoved = "\x8d\xed\x8f\x9c";      // 削除
const std::string kYes = "\x82\xcd\x82\xa2";          // はい
const std::string kNo = "\x82\xa2\x82\xa2\x82\xa6";   // いいえ
const std::string kOpen = "\x81\x75", kClose = "\x81\x76";  // 「 」

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
  ASSERT_EQ(Rows(), (std::vector<std::string>{kYes + " > " + kYes + "/" + kNo + " " + kOpen + "\x81\x63" + kClose + " | " + kAdded}));
  EXPECT_EQ(core.CurrentView().comparisonReport->rows[0].nodeId, added);
  // Undone: the same as the file again; deleted instead: the removed node
  // names its parent, which is selected when the row is chosen.
  EXPECT_TRUE(core.Run(IDM_UNDO));
  EXPECT_TRUE(Rows().empty());
  core.Select(core.Model().Tree().Root()->LastChild());
  platform.dialogs.messages.answers = {message_box::kAnswerYes};
  EXPECT_TRUE(core.Run(IDM_DELETE1));
  ASSERT_EQ(Rows(), (std::vector<std::string>{kNo + " " + kOpen + "Switch it on" + kClose + " | " + kRemoved}));
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

}  // namespace
}  // namespace velmora
