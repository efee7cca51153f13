// The main window as created at start-up: layout and resizing, the menus
// with their captions and shortcuts, the initial command states, the recent
// file separators, and the dispatch point with its error report.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>

#include "app/CommandIds.h"
#include "win32/WideText.h"
#include "win32/Win32Handles.h"
#include "document/Errors.h"
#include "tests/windows/MainWindowTestSupport.h"

namespace velmora::win32 {
namespace {

using testing::CreateMainWindow;
using testing::PumpMessages;
using testing::RecordingMessageBoxes;
using testing::RectInParent;
using testing::WindowText;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { form = CreateMainWindow(boxes); }

  HWND Main() const { return form->Handle(); }
  const MainWindowControls& C() const { return form->Controls(); }

  void ResizeClient(int width, int height) {
    RECT window{};
    RECT client{};
    GetWindowRect(Main(), &window);
    GetClientRect(Main(), &client);
    const int extraWidth = (window.right - window.left) - client.right;
    const int extraHeight = (window.bottom - window.top) - client.bottom;
    SetWindowPos(Main(), nullptr, 0, 0, width + extraWidth, height + extraHeight, SWP_NOMOVE | SWP_NOZORDER);
  }

  std::wstring MenuText(HMENU menu, int id) const {
    wchar_t text[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(id), text, 256, MF_BYCOMMAND);
    return text;
  }
  std::wstring MenuTextAt(HMENU menu, int position) const {
    wchar_t text[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
    return text;
  }
  bool MenuEnabled(HMENU menu, int id) const {
    return (GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
  }
  bool ToolButtonEnabled(int id) const {
    return SendMessageW(C().ToolBar1, TB_ISBUTTONENABLED, static_cast<WPARAM>(id), 0) != 0;
  }
  HMENU FileMenu() const { return GetSubMenu(form->MainMenu1(), 0); }

  RecordingMessageBoxes boxes;
  std::unique_ptr<TForm1> form;
};

void ExpectRect(HWND control, int left, int top, int width, int height) {
  const RECT r = RectInParent(control);
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right - r.left, width);
  EXPECT_EQ(r.bottom - r.top, height);
}

TEST_F(MainWindowTest, DesignSizeLayout) {
  RECT client{};
  GetClientRect(Main(), &client);
  ASSERT_EQ(client.right, 456);
  ASSERT_EQ(client.bottom, 413);
  ExpectRect(C().ToolBar1, 0, 0, 456, 22);
  ExpectRect(C().GroupBox1, 2, 26, 452, 320);
  // The group box's children, at the designer's offsets inside it.
  ExpectRect(C().LabeledEdit1, 2 + 10, 26 + 34, 431, 20);
  ExpectRect(C().TreeView1, 2 + 10, 26 + 78, 431, 231);
  ExpectRect(C().ProgressByGreen1, 2 + 327, 26 + 16, 32, 17);
  ExpectRect(C().ProgressByYellow1, 2 + 365, 26 + 16, 32, 17);
  ExpectRect(C().ProgressByRed1, 2 + 403, 26 + 16, 32, 17);
  const RECT treeLabel = RectInParent(C().Label1);
  EXPECT_EQ(treeLabel.left, 2 + 10);
  EXPECT_EQ(treeLabel.top, 26 + 61);
  EXPECT_GE(treeLabel.right - treeLabel.left, 46);
  // The bottom panel: 65 high, columns 298 : 158 (65.4711 % truncated), the
  // buttons inside with their margins.
  ExpectRect(C().GroupBox2, 1, 348, 296, 65);
  ExpectRect(C().PreViewBtn, 12, 367, 131, 35);
  ExpectRect(C().GenerateBtn, 155, 367, 131, 35);
  ExpectRect(C().ExitBtn, 312, 367, 130, 35);
}

TEST_F(MainWindowTest, ResizingFollowsTheAnchors) {
  ResizeClient(600, 500);
  RECT client{};
  GetClientRect(Main(), &client);
  ASSERT_EQ(client.right, 600);
  ASSERT_EQ(client.bottom, 500);
  ExpectRect(C().ToolBar1, 0, 0, 600, 22);
  ExpectRect(C().GroupBox1, 2, 26, 596, 407);
  ExpectRect(C().LabeledEdit1, 12, 60, 575, 20);
  ExpectRect(C().TreeView1, 12, 104, 575, 318);
  // The colour buttons keep their distance from the right edge.
  ExpectRect(C().ProgressByGreen1, 473, 42, 32, 17);
  ExpectRect(C().ProgressByYellow1, 511, 42, 32, 17);
  ExpectRect(C().ProgressByRed1, 549, 42, 32, 17);
  // The bottom panel keeps its height; its columns keep their shares.
  const int firstColumn = 600 * 654711 / 1000000;  // 392
  ExpectRect(C().GroupBox2, 1, 435, firstColumn - 2, 65);
  ExpectRect(C().ExitBtn, firstColumn + 14, 435 + 19, 600 - firstColumn - 28, 35);
  const RECT preview = RectInParent(C().PreViewBtn);
  const RECT generate = RectInParent(C().GenerateBtn);
  EXPECT_EQ(preview.top, 454);
  EXPECT_EQ(preview.bottom - preview.top, 35);
  EXPECT_EQ(preview.right - preview.left, generate.right - generate.left);

  // Back to the design size: everything where it started.
  ResizeClient(456, 413);
  ExpectRect(C().TreeView1, 12, 104, 431, 231);
  ExpectRect(C().ExitBtn, 312, 367, 130, 35);
}

TEST_F(MainWindowTest, ControlCaptionsAndStyles) {
  EXPECT_EQ(WindowText(Main()), L"Velmora");
  EXPECT_EQ(WindowText(C().GroupBox1), L"定義(&D)");                   // 定義(&D)
  EXPECT_EQ(WindowText(C().LabeledEdit1Label), L"タイトル(&L)");  // タイトル(&L)
  EXPECT_EQ(WindowText(C().Label1), L"ツリー(&T)");                  // ツリー(&T)
  EXPECT_EQ(WindowText(C().ProgressByGreen1), L"緑");
  EXPECT_EQ(WindowText(C().ProgressByYellow1), L"黄");
  EXPECT_EQ(WindowText(C().ProgressByRed1), L"赤");
  EXPECT_EQ(WindowText(C().GroupBox2), L"配布用(&R)");                 // 配布用(&R)
  EXPECT_EQ(WindowText(C().PreViewBtn), L"プレビュー(&P)");    // プレビュー(&P)
  EXPECT_EQ(WindowText(C().GenerateBtn), L"生成(&G)");                     // 生成(&G)
  EXPECT_EQ(WindowText(C().ExitBtn), L"終了(&E)");                          // 終了(&E)
  EXPECT_EQ(SendMessageW(C().ProgressByGreen1, BM_GETCHECK, 0, 0), BST_CHECKED);

  const LONG_PTR tree = GetWindowLongPtrW(C().TreeView1, GWL_STYLE);
  EXPECT_TRUE(tree & TVS_SHOWSELALWAYS);
  EXPECT_TRUE(tree & TVS_TRACKSELECT);
  EXPECT_FALSE(tree & TVS_HASBUTTONS);
  EXPECT_FALSE(tree & TVS_LINESATROOT);
  EXPECT_FALSE(tree & TVS_EDITLABELS);
  EXPECT_EQ(SendMessageW(C().TreeView1, TVM_GETINDENT, 0, 0), 19);

  // The font of the window and its controls: "ＭＳ Ｐゴシック", 12 pixels.
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(C().TreeView1, WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_STREQ(font.lfFaceName, L"ＭＳ Ｐゴシック");
  EXPECT_EQ(font.lfHeight, -12);
  EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);

  // Tab order, top to bottom as they stand: title box, colour buttons (in
  // the title's row), tree, the distribution buttons and the exit button
  // (Generate is available at start: the starting tree has three nodes).
  std::vector<HWND> order;
  HWND control = GetNextDlgTabItem(Main(), nullptr, FALSE);
  for (int i = 0; i < 8 && control != nullptr; ++i) {
    order.push_back(control);
    control = GetNextDlgTabItem(Main(), control, FALSE);
    if (control == order.front()) break;
  }
  const std::vector<HWND> expected{C().LabeledEdit1, C().ProgressByGreen1, C().TreeView1, C().PreViewBtn,
                                   C().GenerateBtn, C().ExitBtn};
  EXPECT_EQ(order, expected);
}

TEST_F(MainWindowTest, MainMenuCaptionsAndShortcuts) {
  HMENU menu = form->MainMenu1();
  EXPECT_EQ(MenuTextAt(menu, 0), L"ファイル(&F)");                    // ファイル(&F)
  EXPECT_EQ(MenuTextAt(menu, 1), L"編集(&M)");                                // 編集(&M)
  EXPECT_EQ(MenuTextAt(menu, 2), L"配布用(&R)");                          // 配布用(&R)
  EXPECT_EQ(MenuTextAt(menu, 3), L"オプション(&O)");              // オプション(&O)
  EXPECT_EQ(MenuTextAt(menu, 4), L"ヘルプ(&H)");                          // ヘルプ(&H)
  EXPECT_EQ(MenuTextAt(FileMenu(), 6), L"ショートカット作成(&C)");

  struct Item {
    int id;
    std::wstring caption;
  };
  const Item items[] = {
      {IDM_NEW1, L"新規(&N)\tCtrl+N"},
      {IDM_READ1, L"読込み(&R)...\tCtrl+O"},
      {IDM_SAVE1, L"上書き保存(&S)...\tCtrl+S"},
      {IDM_SAVEAS1, L"名前を付けて保存(&A)..."},
      {IDM_DESKTOP1, L"デスクトップに登録(&D)"},
      {IDM_STARTUP1, L"スタートアップに登録(&S)"},
      {IDM_STARTMENU1, L"スタートメニューに登録(&M)"},
      {IDM_EXIT1, L"終了(&X)\tAlt+F4"},
      {IDM_UNDO, L"元に戻す(&U)\tCtrl+Z"},
      {IDM_REDO, L"やり直し(&R)\tCtrl+Y"},
      {IDM_CUT, L"切り取り(&T)\tCtrl+X"},
      {IDM_COPY, L"コピー(&C)\tCtrl+C"},
      {IDM_PASTE, L"貼り付け(&P)\tCtrl+V"},
      {IDM_FIND, L"検索(&F)...\tCtrl+F"},
      {IDM_FINDNEXT, L"次を検索(&N)\tF3"},
      {IDM_PREVIEW1, L"プレビュー(&P)\tCtrl+P"},
      {IDM_GENERATE1, L"生成(&G)...\tCtrl+G"},
      {IDM_NEWLINE1, L"改行文字を指定(&C)..."},
      {IDM_SHOWBUTTONS1, L"ツリーを折り畳めるようにする(&B)"},
      {IDM_CLOSEQUERY1, L"終了時に確認する(&Q)"},
      {IDM_SAVESTATUS1, L"終了時の状態を保存する(&S)"},
      {IDM_H1, L"ヘルプ表示(&H)\tF1"},
      {IDM_ABOUT1, L"バージョン情報(&A)"},
      {IDM_SITE1, L"ホームページ表示(&P)"},
      {IDM_FIND, L"検索(&F)...\tCtrl+F"},
      {IDM_FINDNEXT, L"次を検索(&N)\tF3"},
      {IDM_LINKSOURCE, L"リンク元にする(&L)"},
      {IDM_LINKTARGET, L"リンク先に設定(&J)"},
      {IDM_UNLINK, L"続ける先を外す(&V)"},
      {IDM_GOTOLINK, L"続ける先へ移動(&G)\tEnter"},
      {IDM_LINKBACK, L"リンク元へ戻る(&B)\tAlt+←"},
  };
  for (const Item& item : items) EXPECT_EQ(MenuText(menu, item.id), item.caption) << item.id;

  // The shortcuts work as accelerators (the platform's codes: 16462 Ctrl+N,
  // 16463 Ctrl+O, 16467 Ctrl+S, 16464 Ctrl+P, 16455 Ctrl+G, 32883 Alt+F4,
  // 112 F1; 16474 Ctrl+Z, 16473 Ctrl+Y, 24666 Ctrl+Shift+Z, 16472 Ctrl+X,
  // 16451 Ctrl+C, 16470 Ctrl+V, 16454 Ctrl+F, 114 F3, 8306 Shift+F3, 32805
  // Alt+Left; the check window's 16459 Ctrl+K is CheckWindowTest's).
  ACCEL table[32] = {};
  const int count = CopyAcceleratorTableW(form->Accelerators(), table, 32);
  auto shortcutOf = [&](int id, int skip = 0) {
    for (int i = 0; i < count; ++i) {
      if (table[i].cmd != id || skip-- > 0) continue;
      int code = table[i].key;
      if (table[i].fVirt & FCONTROL) code += 0x4000;
      if (table[i].fVirt & FALT) code += 0x8000;
      if (table[i].fVirt & FSHIFT) code += 0x2000;
      return code;
    }
    return 0;
  };
  EXPECT_EQ(count, 18);
  EXPECT_EQ(shortcutOf(IDM_NEW1), 16462);
  EXPECT_EQ(shortcutOf(IDM_READ1), 16463);
  EXPECT_EQ(shortcutOf(IDM_SAVE1), 16467);
  EXPECT_EQ(shortcutOf(IDM_PREVIEW1), 16464);
  EXPECT_EQ(shortcutOf(IDM_GENERATE1), 16455);
  EXPECT_EQ(shortcutOf(IDM_EXIT1), 32883);
  EXPECT_EQ(shortcutOf(IDM_H1), 112);
  EXPECT_EQ(shortcutOf(IDM_UNDO), 16474);
  EXPECT_EQ(shortcutOf(IDM_REDO), 16473);
  EXPECT_EQ(shortcutOf(IDM_REDO, 1), 24666);
  EXPECT_EQ(shortcutOf(IDM_CUT), 16472);
  EXPECT_EQ(shortcutOf(IDM_COPY), 16451);
  EXPECT_EQ(shortcutOf(IDM_PASTE), 16470);
  EXPECT_EQ(shortcutOf(IDM_FIND), 16454);
  EXPECT_EQ(shortcutOf(IDM_FINDNEXT), 114);
  EXPECT_EQ(shortcutOf(IDM_FINDPREVIOUS), 8306);
  EXPECT_EQ(shortcutOf(IDM_LINKBACK), 32805);
}

TEST_F(MainWindowTest, PopupMenuCaptions) {
  HMENU popup = form->PopupMenu1();
  const std::pair<int, std::wstring> items[] = {
      {IDM_EDIT1, L"文字列を編集(&E)"},
      {IDM_ADDYES1, L"この質問に「はい」の答えを追加(&Y)"},
      {IDM_ADDNO1, L"この質問に「いいえ」の答えを追加(&N)"},
      {IDM_EXCHANGE1,
       L"この下の「はい」と「いいえ」を入れ替え(&C)"},
      {IDM_QUESTION1, L"確認ダイアログで表示(&Q)"},
      {IDM_INFORMATION1, L"通知ダイアログで表示(&I)"},
      {IDM_EXCLAIMATION1, L"強調ダイアログで表示(&E)"},
      {IDM_INHIBIT1, L"禁止ダイアログで表示(&P)"},
      {IDM_YESDEFAULT1, L"［はい(Y)］を初期設定にする(&1)"},
      {IDM_NODEFAULT1, L"［いいえ(N)］を初期設定にする(&2)"},
      {IDM_LINKSOURCE, L"リンク元にする(&L)"},
      {IDM_LINKTARGET, L"リンク先に設定(&J)"},
      {IDM_UNLINK, L"続ける先を外す(&V)"},
      {IDM_GOTOLINK, L"続ける先へ移動(&G)"},
      {IDM_DELETE1, L"削除(&D)"},
  };
  for (const auto& [id, caption] : items) EXPECT_EQ(MenuText(popup, id), caption) << id;
  // Separators N5, N6, N7 and N8 between the groups, and one before the
  // links' group: 20 entries in all.
  EXPECT_EQ(GetMenuItemCount(popup), 20);
  for (int position : {1, 5, 10, 13, 18}) {
    EXPECT_TRUE(GetMenuState(popup, static_cast<UINT>(position), MF_BYPOSITION) & MF_SEPARATOR) << position;
  }
  // No pop-up item shows a check mark.
  for (const auto& item : items) EXPECT_FALSE(form->IsChecked(item.first));
}

TEST_F(MainWindowTest, InitialCommandStates) {
  HMENU menu = form->MainMenu1();
  EXPECT_TRUE(MenuEnabled(menu, IDM_NEW1));
  EXPECT_TRUE(MenuEnabled(menu, IDM_READ1));
  EXPECT_FALSE(MenuEnabled(menu, IDM_SAVE1));
  EXPECT_FALSE(MenuEnabled(menu, IDM_SAVEAS1));
  EXPECT_TRUE(MenuEnabled(menu, IDM_PREVIEW1));
  EXPECT_TRUE(MenuEnabled(menu, IDM_GENERATE1));
  EXPECT_TRUE(MenuEnabled(menu, IDM_NEWLINE1));
  EXPECT_TRUE(MenuEnabled(menu, IDM_EXIT1));
  EXPECT_TRUE(ToolButtonEnabled(IDM_NEW1));
  EXPECT_TRUE(ToolButtonEnabled(IDM_READ1));
  EXPECT_FALSE(ToolButtonEnabled(IDM_SAVE1));
  EXPECT_FALSE(ToolButtonEnabled(IDM_SAVEAS1));
  EXPECT_TRUE(IsWindowEnabled(C().PreViewBtn));
  EXPECT_TRUE(IsWindowEnabled(C().GenerateBtn));
  EXPECT_TRUE(IsWindowEnabled(C().ExitBtn));
  for (int id : {IDM_SHOWBUTTONS1, IDM_CLOSEQUERY1, IDM_SAVESTATUS1, IDM_NEWLINE1}) {
    EXPECT_FALSE(form->IsChecked(id)) << id;
  }

  // The toolbar's buttons and their tool tips, left to right.
  EXPECT_EQ(SendMessageW(C().ToolBar1, TB_BUTTONCOUNT, 0, 0), 5);
  const std::pair<int, int> lefts[] = {{0, 0}, {1, 23}, {2, 46}, {3, 54}, {4, 77}};
  for (const auto& [index, left] : lefts) {
    RECT button{};
    SendMessageW(C().ToolBar1, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
    EXPECT_EQ(button.left, left) << index;
  }
  wchar_t tip[64] = {};
  SendMessageW(C().ToolBar1, TB_GETBUTTONTEXTW, IDM_SAVEAS1, reinterpret_cast<LPARAM>(tip));
  EXPECT_STREQ(tip, L"名前を付けて保存");  // 名前を付けて保存

  // The starting tree: three nodes, the root selected, caption the title.
  EXPECT_EQ(SendMessageW(C().TreeView1, TVM_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(form->Model().Selected(), form->Model().Tree().Root());
  EXPECT_FALSE(form->Model().State().Modified);
}

TEST_F(MainWindowTest, OneSeparatorBeforeExitWithoutRecentFiles) {
  HMENU file = FileMenu();
  auto exitPosition = [&] {
    for (int i = 0; i < GetMenuItemCount(file); ++i) {
      if (GetMenuItemID(file, i) == IDM_EXIT1) return i;
    }
    return -1;
  };
  auto isSeparator = [&](int position) {
    return (GetMenuState(file, static_cast<UINT>(position), MF_BYPOSITION) & MF_SEPARATOR) != 0;
  };
  int exit = exitPosition();
  ASSERT_GE(exit, 2);
  EXPECT_TRUE(isSeparator(exit - 1));
  EXPECT_NE(GetSubMenu(file, exit - 2), nullptr);  // ショートカット作成(&C)

  TForm1::HistoryCaptionList captions;
  captions[0] = "&1 C:\\a.tre";
  captions[2] = "&3 C:\\c.tre";
  form->SetHistoryCaptions(captions);
  exit = exitPosition();
  EXPECT_TRUE(isSeparator(exit - 1));
  EXPECT_EQ(MenuText(file, (IDM_HISTORY1 + 2)), L"&3 C:\\c.tre");
  EXPECT_EQ(GetMenuItemID(file, exit - 2), static_cast<UINT>((IDM_HISTORY1 + 2)));
  EXPECT_EQ(GetMenuItemID(file, exit - 3), static_cast<UINT>(IDM_HISTORY1));
  EXPECT_TRUE(isSeparator(exit - 4));
  EXPECT_EQ(GetMenuState(file, (IDM_HISTORY1 + 1), MF_BYCOMMAND), static_cast<UINT>(-1));

  form->SetHistoryCaptions({});
  exit = exitPosition();
  EXPECT_TRUE(isSeparator(exit - 1));
  EXPECT_FALSE(isSeparator(exit - 2));
}

TEST_F(MainWindowTest, OptionItemsFlipTheirOwnCheckMarkBeforeTheHandler) {
  // The handler finds the mark already flipped and copies it; what it
  // copies is what Sync shows afterwards.
  form->RunCommand(IDM_CLOSEQUERY1);
  EXPECT_EQ(form->IsChecked(IDM_CLOSEQUERY1), form->Model().Settings().CloseQuery);
  form->Model().Settings().ShowButtons = true;
  form->Sync();
  EXPECT_TRUE(form->IsChecked(IDM_SHOWBUTTONS1));
  EXPECT_TRUE(GetWindowLongPtrW(C().TreeView1, GWL_STYLE) & TVS_HASBUTTONS);
  form->Model().Settings().ShowButtons = false;
  form->Sync();
  EXPECT_FALSE(GetWindowLongPtrW(C().TreeView1, GWL_STYLE) & TVS_HASBUTTONS);
}

TEST_F(MainWindowTest, AFailingCommandIsReportedAndTheProgramGoesOn) {
  // "ファイル is not there": the report appends a full stop, since the last
  // character is a single byte sorting after ".".
  const std::string message = "\x83\x74\x83\x40\x83\x43\x83\x8B is not there";
  form->RunGuarded([&] {
    TreeNode* root = form->Model().Tree().Root();
    form->Model().SetNode(root, NodeFields{"changed before the failure", root->kind, {}});
    throw VelmoraError(message);
  });
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, message + ".");
  EXPECT_EQ(boxes.shown[0].caption, "Velmora");
  EXPECT_EQ(boxes.shown[0].flags, message_box::kOk | message_box::kIconStop);
  // What the command changed before it failed is on screen.
  wchar_t text[64] = {};
  TVITEMW item{};
  item.mask = TVIF_TEXT;
  item.hItem = form->TreeView().ItemOf(form->Model().Tree().Root()->Id());
  item.pszText = text;
  item.cchTextMax = 64;
  SendMessageW(C().TreeView1, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, L"changed before the failure");

  // Other failures get a text as well, and a message ending in "." keeps it.
  form->RunGuarded([] { throw std::bad_alloc(); });
  form->RunGuarded([] { throw 42; });
  form->RunGuarded([] { throw VelmoraError("done."); });
  ASSERT_EQ(boxes.shown.size(), 4u);
  EXPECT_FALSE(boxes.shown[1].text.empty());
  EXPECT_FALSE(boxes.shown[2].text.empty());
  EXPECT_EQ(boxes.shown[3].text, "done.");
  EXPECT_TRUE(IsWindow(Main()));
}

TEST_F(MainWindowTest, SelectingANodeInTheViewReachesTheModel) {
  TreeNode* yes = form->Model().Tree().Root()->FirstChild();
  SendMessageW(C().TreeView1, TVM_SELECTITEM, TVGN_CARET,
               reinterpret_cast<LPARAM>(form->TreeView().ItemOf(yes->Id())));
  EXPECT_EQ(form->Model().Selected(), yes);
  EXPECT_EQ(form->Model().CurrentNode, yes);
  // Generate stays available; Delete follows the node.
  EXPECT_TRUE(MenuEnabled(form->MainMenu1(), IDM_GENERATE1));
  EXPECT_TRUE(IsWindowEnabled(C().GenerateBtn));
  EXPECT_TRUE(MenuEnabled(form->PopupMenu1(), IDM_DELETE1));
}

// Set by the timer that closes the pop-up menu again.
bool popupMenuSeen = false;
// The tree view and the nodes whose look the timer reads while the menu is
// open: which of them is drawn in the selection colour.
HWND popupTree = nullptr;
HTREEITEM clickedItem = nullptr;
HTREEITEM selectedItem = nullptr;
bool clickedHighlighted = false;
bool selectedHighlighted = false;

// Whether any pixel of the item's label, as the tree view draws itself
// now, has the selection colour.
bool DrawnHighlighted(HWND tree, HTREEITEM item) {
  RECT client{};
  GetClientRect(tree, &client);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = -client.bottom;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const UniqueDc dc(CreateCompatibleDC(nullptr));
  SelectedObject selected(dc.get(), bitmap.get());
  SendMessageW(tree, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  RECT label{};
  std::memcpy(&label, &item, sizeof item);  // TVM_GETITEMRECT takes the item in the rectangle
  if (!SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label))) return false;
  const COLORREF c = GetSysColor(COLOR_HIGHLIGHT);
  const std::uint32_t highlight = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  for (LONG y = std::max(label.top, 0L); y < std::min(label.bottom, client.bottom); ++y) {
    for (LONG x = std::max(label.left, 0L); x < std::min(label.right, client.right); ++x) {
      if ((pixels[y * client.right + x] & 0xFFFFFF) == highlight) return true;
    }
  }
  return false;
}

void CALLBACK ClosePopupMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND menu = FindWindowW(L"#32768", nullptr);
  if (menu == nullptr || !IsWindowVisible(menu)) return;
  popupMenuSeen = true;
  clickedHighlighted = DrawnHighlighted(popupTree, clickedItem);
  selectedHighlighted = DrawnHighlighted(popupTree, selectedItem);
  KillTimer(nullptr, timer);
  EndMenu();
}

TEST_F(MainWindowTest, RightClickShowsThePopupMenuWithoutMovingTheSelection) {
  ShowWindow(Main(), SW_SHOWNOACTIVATE);
  TreeNode* no = form->Model().Tree().Root()->LastChild();
  RECT label{};
  const HTREEITEM item = form->TreeView().ItemOf(no->Id());
  std::memcpy(&label, &item, sizeof item);  // TVM_GETITEMRECT takes the item in the rectangle
  ASSERT_TRUE(SendMessageW(C().TreeView1, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label)));
  const LPARAM at = MAKELPARAM((label.left + label.right) / 2, (label.top + label.bottom) / 2);

  popupMenuSeen = false;
  popupTree = C().TreeView1;
  clickedItem = item;
  selectedItem = form->TreeView().ItemOf(form->Model().Tree().Root()->Id());
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, &ClosePopupMenu);
  PostMessageW(C().TreeView1, WM_RBUTTONUP, 0, at);
  SendMessageW(C().TreeView1, WM_RBUTTONDOWN, MK_RBUTTON, at);
  PumpMessages();
  KillTimer(nullptr, timer);
  EXPECT_TRUE(popupMenuSeen);
  EXPECT_EQ(form->Model().Selected(), form->Model().Tree().Root());
  // The menu acts on the selected node, and the tree shows that one.
  EXPECT_TRUE(selectedHighlighted);
  EXPECT_FALSE(clickedHighlighted);
}

// Alt with a label's letter moves the focus to the control after the label,
// Tab and Shift+Tab follow the tab order; Alt+C goes to the colours; Alt+R
// stays the menu's.
TEST_F(MainWindowTest, TheKeyboardMovesTheFocusAsInADialog) {
  ShowWindow(Main(), SW_SHOW);
  SetForegroundWindow(Main());
  const auto press = [&](UINT message, wchar_t key) {
    MSG m{GetFocus(), message, key, message == WM_SYSCHAR ? 0x20000001 : 1, 0, {}};
    return form->TranslateKeyboard(m);
  };
  struct Row {
    wchar_t letter;
    HWND focus;
  };
  for (const Row& row : {Row{L'l', C().LabeledEdit1}, Row{L'T', C().TreeView1}, Row{L'd', C().LabeledEdit1},
                         Row{L'c', C().ProgressByGreen1}}) {
    SetFocus(C().ExitBtn);
    EXPECT_TRUE(press(WM_SYSCHAR, row.letter)) << static_cast<char>(row.letter);
    EXPECT_EQ(GetFocus(), row.focus) << static_cast<char>(row.letter);
  }

  SetFocus(C().LabeledEdit1);
  EXPECT_TRUE(press(WM_KEYDOWN, VK_TAB));
  EXPECT_EQ(GetFocus(), C().ProgressByGreen1) << "the colours stand in the title's row";
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  EXPECT_TRUE(press(WM_KEYDOWN, VK_TAB));
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(GetFocus(), C().LabeledEdit1);

  SetFocus(C().TreeView1);
  EXPECT_FALSE(press(WM_SYSCHAR, L'r')) << "the menu bar's letter";
  EXPECT_EQ(GetFocus(), C().TreeView1);
}

TEST_F(MainWindowTest, ColourButtonsSayWhatTheirColourIsFor) {
  // 実行時のタスクバーの進捗表示を…にします
  const auto tip = [](const std::wstring& colour) {
    return L"実行時のタスクバーの進捗表示を" + colour +
           L"にします";
  };
  const std::pair<HWND, std::wstring> rows[] = {
      {C().ProgressByGreen1, tip(L"緑")},         // 緑
      {C().ProgressByYellow1, tip(L"黄色")},  // 黄色
      {C().ProgressByRed1, tip(L"赤")},           // 赤
  };
  EXPECT_EQ(SendMessageW(C().ColourTips, TTM_GETTOOLCOUNT, 0, 0), 3);
  for (const auto& [button, expected] : rows) {
    wchar_t text[128] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = Main();
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    tool.lpszText = text;
    SendMessageW(C().ColourTips, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::wstring(text), expected);
  }
}

TEST_F(MainWindowTest, TitleBoxShowsTheModelWithoutCountingAsAnEdit) {
  form->Model().State().Title = "\x83\x76\x83\x8A\x83\x93\x83\x5E";  // "プリンタ"
  form->Sync();
  EXPECT_EQ(WindowText(C().LabeledEdit1), L"プリンタ");
  EXPECT_FALSE(form->Model().State().Modified);
}

TEST_F(MainWindowTest, ExitRunsTheCloseSequenceLikeTheCloseBox) {
  form->RunCommand(IDM_EXIT1);
  PumpMessages();
  EXPECT_EQ(form->Handle(), nullptr);
  // The close ends the event loop.
  MSG quit{};
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
}  // namespace velmora::win32
