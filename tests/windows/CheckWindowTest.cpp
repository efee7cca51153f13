// The check window on the real main window: it lists the problems of a tree
// with known faults with their icons, Enter on a row selects that node in
// the tree view, the list follows a change of the document, and a modal
// dialog over the main window holds it too. The comparison window is the
// same list, filled with the differences from a file chosen in the real open
// dialog.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <utility>

#include "FileDialogDriver.h"
#include "app/CommandIds.h"
#include "document/ProcedureCheck.h"
#include "files/TreeFile.h"
#include "files/TreeTextParser.h"
#include "tests/windows/MainWindowTestSupport.h"
#include "win32/WideText.h"

namespace velmora::win32 {
namespace {

using testing::PumpMessages;
using testing::ListViewCell;

// "問題は見つかりませんでした。"
const std::wstring kNothingFound = L"問題は見つかりませんでした。";

int RowImage(HWND list, int row) {
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return item.iImage;
}

int RowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

class CheckWindowTest : public ::testing::Test {
 protected:
  CheckWindowTest() : form(testing::CreateMainWindow(boxes)) {
    // An empty answer (an error) under a question with three answers (a
    // warning), the title set.
    DecisionTree tree = ParseTreeText("? Is it on?\n\ti Good\n\ti \n\ti Switch it on\n");
    RestoreKinds(tree);
    DocumentState state;
    state.Title = "Printer";
    form->Model().ReplaceDocument(std::move(tree), state);
    form->Sync();
    form->RunCommand(IDM_CHECK);
    PumpMessages();
  }

  HWND List() const { return form->Checks()->List(); }

  testing::RecordingMessageBoxes boxes;
  std::unique_ptr<TForm1> form;
};

TEST_F(CheckWindowTest, TheDistributionMenuOffersTheCheckAndTheExports) {
  const std::pair<int, std::wstring> items[] = {
      {IDM_CHECK, L"手順をチェック(&K)...\tCtrl+K"},
      {IDM_EXPORTPATHS, L"経路一覧を書き出し(&L)..."},
      {IDM_EXPORTSVG, L"図として書き出し(&D)..."},
      {IDM_EXPORTHTML, L"HTML として書き出し(&H)..."},
      // 手順書として書き出し(&B)..., ファイルと比較(&W)...
      {IDM_EXPORTBOOK, L"手順書として書き出し(&B)..."},
      {IDM_COMPARE, L"ファイルと比較(&W)..."},
  };
  // After Generate and a separator, in the distribution menu (after File and
  // Edit).
  HMENU distribution = GetSubMenu(form->MainMenu1(), 2);
  EXPECT_EQ(GetMenuItemID(distribution, 1), static_cast<UINT>(IDM_GENERATE1));
  EXPECT_EQ(GetMenuState(distribution, 2, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
  for (std::size_t i = 0; i < std::size(items); ++i) {
    wchar_t text[128] = {};
    GetMenuStringW(distribution, static_cast<UINT>(items[i].first), text, 128, MF_BYCOMMAND);
    EXPECT_EQ(text, items[i].second);
    EXPECT_EQ(GetMenuItemID(distribution, static_cast<int>(i) + 3), static_cast<UINT>(items[i].first));
    EXPECT_TRUE(form->Core().CurrentView().Enabled(items[i].first));
  }
  ACCEL table[32] = {};
  const int count = CopyAcceleratorTableW(form->Accelerators(), table, 32);
  bool ctrlK = false;
  for (int i = 0; i < count; ++i) {
    ctrlK = ctrlK || (table[i].cmd == IDM_CHECK && table[i].key == 'K' && (table[i].fVirt & FCONTROL) != 0);
  }
  EXPECT_TRUE(ctrlK);
}

TEST_F(CheckWindowTest, ListsTheProblemsAndEnterSelectsTheNode) {
  ASSERT_NE(form->Checks(), nullptr);
  EXPECT_TRUE(IsWindowVisible(form->Checks()->Handle()));
  EXPECT_EQ(GetWindow(form->Checks()->Handle(), GW_OWNER), form->Handle());
  ASSERT_EQ(RowCount(List()), 2);
  EXPECT_EQ(ListViewCell(List(), 0, 0), L"Is it on?");
  EXPECT_EQ(ListViewCell(List(), 0, 1), ToWide(ExplanationOf(ProblemKind::UnreachableAnswers)));
  EXPECT_EQ(RowImage(List(), 0), NodeListWindow::kWarningImage);
  // "（空）": the empty text named as such, first, then the way to it.
  EXPECT_EQ(ListViewCell(List(), 1, 0), L"（空）（Is it on?）");
  EXPECT_EQ(ListViewCell(List(), 1, 1), ToWide(ExplanationOf(ProblemKind::EmptyText)));
  EXPECT_EQ(RowImage(List(), 1), NodeListWindow::kErrorImage);
  // The row's tooltip: the whole place.
  wchar_t tipText[256] = {};
  NMLVGETINFOTIPW tip{};
  tip.hdr.hwndFrom = List();
  tip.hdr.code = LVN_GETINFOTIPW;
  tip.iItem = 1;
  tip.pszText = tipText;
  tip.cchTextMax = 256;
  SendMessageW(form->Checks()->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
  EXPECT_EQ(std::wstring(tipText), L"Is it on? > （空）");

  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(List(), LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
  // The pane under the list: the whole place and the whole explanation.
  EXPECT_EQ(testing::WindowText(form->Checks()->Detail()),
            L"場所: Is it on? > （空）\r\n問題: " + ToWide(ExplanationOf(ProblemKind::EmptyText)));
  PostMessageW(List(), WM_KEYDOWN, VK_RETURN, 0);
  PumpMessages();
  const TreeNode* empty = form->Model().Tree().Root()->Child(1);
  EXPECT_EQ(form->Model().Selected(), empty);
  const auto caret = reinterpret_cast<HTREEITEM>(
      SendMessageW(form->Controls().TreeView1, TVM_GETNEXTITEM, TVGN_CARET, 0));
  EXPECT_EQ(caret, form->TreeView().ItemOf(empty->Id())) << "the tree view shows the selection";

  // The main window's shortcuts reach it from here: Ctrl+K checks again.
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  MSG ctrlK{List(), WM_KEYDOWN, 'K', 1, 0, {}};
  EXPECT_TRUE(form->TranslateKeyboard(ctrlK));
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
}

TEST_F(CheckWindowTest, FollowsTheDocumentAndSaysWhenNothingIsFound) {
  ASSERT_NE(form->Checks(), nullptr);
  // The faulty middle answer deleted through the pop-up menu's command.
  boxes.answer = message_box::kAnswerYes;
  form->Core().Select(form->Model().Tree().Root()->Child(1));
  form->RunCommand(IDM_DELETE1);
  PumpMessages();
  EXPECT_EQ(RowCount(List()), 0);
  EXPECT_EQ(testing::WindowText(form->Checks()->Summary()), kNothingFound);
}

TEST_F(CheckWindowTest, IsHeldWhileTheMainWindowIsAndClosesWithEscape) {
  ASSERT_NE(form->Checks(), nullptr);
  HWND checks = form->Checks()->Handle();
  // What every modal dialog over the main window does to it.
  EnableWindow(form->Handle(), FALSE);
  EXPECT_FALSE(IsWindowEnabled(checks));
  EnableWindow(form->Handle(), TRUE);
  EXPECT_TRUE(IsWindowEnabled(checks));

  PostMessageW(List(), WM_KEYDOWN, VK_ESCAPE, 0);
  PumpMessages();
  EXPECT_FALSE(IsWindowVisible(checks));
  EXPECT_EQ(form->Core().CurrentView().checkReport, nullptr) << "closed, the check stops";
  form->RunCommand(IDM_CHECK);
  PumpMessages();
  EXPECT_TRUE(IsWindowVisible(checks));
  EXPECT_EQ(RowCount(List()), 2);
}

// The author's new version compared with the old one it came from: a row for
// each difference, and Enter on a node's row selects that node.
TEST_F(CheckWindowTest, ComparesWithAChosenFileAndEnterSelectsTheNode) {
  const std::wstring data = testing::HostPath(VELMORA_TEST_DATA "/diff");
  form->Core().OpenAsDroppedFile(FromWidePath(data + L"\\new.tre"));
  PumpMessages();
  testing::FileDialogDriver dialogs(form->Handle());
  dialogs.Answer({data + L"\\old.tre"});
  form->RunCommand(IDM_COMPARE);
  PumpMessages();
  ASSERT_NE(form->Comparison(), nullptr);
  HWND list = form->Comparison()->List();
  EXPECT_TRUE(IsWindowVisible(form->Comparison()->Handle()));
  // Eleven changes, then the two paths that appear, the one that goes and
  // the four that end elsewhere.
  ASSERT_EQ(RowCount(list), 18);
  // "old.tre との違い 11 件、経路: ..."
  EXPECT_EQ(testing::WindowText(form->Comparison()->Summary()).rfind(L"old.tre との違い 11 件", 0), 0u);
  // The fifth row: the swapped answers of "ケーブルは接続されていますか？".
  const TreeNode* cable = form->Model().Tree().Root()->FirstChild();
  EXPECT_NE(ListViewCell(list, 4, 0).find(ToWide(std::string(cable->Text()))), std::wstring::npos);
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, 4, reinterpret_cast<LPARAM>(&state));
  PostMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
  PumpMessages();
  EXPECT_EQ(form->Model().Selected(), cable);
  EXPECT_TRUE(boxes.shown.empty());

  // The seventh row, a text that grew: the pane shows both texts in full,
  // what changed marked, and Tab reaches the pane from the list.
  SendMessageW(list, LVM_SETITEMSTATE, 6, reinterpret_cast<LPARAM>(&state));
  const std::wstring detail = testing::WindowText(form->Comparison()->Detail());
  EXPECT_NE(detail.find(L"変更前: 「完了しました【】」\r\n変更後: 「完了しました【。お疲れさまでした】」"), std::wstring::npos)
      << detail;
  SetActiveWindow(form->Comparison()->Handle());
  SetFocus(list);
  MSG tab{list, WM_KEYDOWN, VK_TAB, 1, 0, {}};
  EXPECT_TRUE(form->TranslateListWindowMessage(tab));
  PumpMessages();
  EXPECT_EQ(GetFocus(), form->Comparison()->Detail());
}

}  // namespace
}  // namespace velmora::win32
