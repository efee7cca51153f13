// Undo and the clipboard on the real main window under Wine, with real
// keystrokes through the event loop's accelerator step: Ctrl+Z brings a
// deleted branch back into the tree view, a branch copied in one window
// pastes into another through the system's clipboard, and Ctrl+C in the
// title box copies the box's text, not the branch.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "document/BranchRecord.h"
#include "ClipboardReading.h"
#include "EditingDriver.h"
#include "app/win32/Win32Clipboard.h"
#include "document/Errors.h"
#include "files/BranchText.h"

namespace velmora::win32::editing_test {
namespace {

// The event loop of the program, with its accelerator step, until `done`
// holds.
bool PumpAsTheProgram(TForm1& form, const std::function<bool()>& done) { return PumpUntil(done, 5000, &form); }

// Ctrl and `key` pressed and released, as the keyboard sends them, to the
// control with the focus in the foreground window.
void PressCtrl(WORD key) {
  INPUT keys[4] = {};
  const WORD sequence[4] = {VK_CONTROL, key, key, VK_CONTROL};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = sequence[i];
    keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
  }
  ASSERT_EQ(SendInput(4, keys, sizeof(INPUT)), 4u);
}

class EditMenu : public EditingWindowTest {
 protected:
  // The window in front with the focus on `control`, ready for keys.
  void FocusOn(HWND control) {
    SetForegroundWindow(form->Handle());
    SetFocus(control);
    ASSERT_TRUE(PumpAsTheProgram(*form, [&] { return GetFocus() == control; }));
  }
  // A question "Printer on?" with a branch below its Yes answer.
  void ArrangeBranch() {
    Arrange([](Editor& e) {
      TreeNode* yes = e.Tree().Root()->FirstChild();
      // "用紙は？"
      yes->SetText("\x97\x70\x8e\x86\x82\xcd\x81\x48");
      yes->kind = Question;
      e.AddBranch(yes, PackNode("Tray A", Information));
      e.AddBranch(yes, PackNode("Tray B", Exclaimation));
      e.State().Modified = false;  // arranged, not edited by the author
      e.Select(yes);
    });
  }
};

TEST_F(EditMenu, CtrlZAfterADeleteBringsTheBranchBackIntoTheTreeView) {
  ArrangeBranch();
  const std::vector<ShownItem> before = ReadTreeView(Tree());
  script.Play({[](HWND box) { Answer(box, IDYES); }});
  form->RunCommand(IDM_DELETE1);
  ASSERT_EQ(Model().Tree().Count(), 2u);
  wchar_t caption[64] = {};
  GetMenuStringW(form->MainMenu1(), IDM_UNDO, caption, 64, MF_BYCOMMAND);
  // "元に戻す(&U): 削除"
  EXPECT_EQ(std::wstring(caption), L"元に戻す(&U): 削除\tCtrl+Z");

  FocusOn(Tree());
  PressCtrl('Z');
  ASSERT_TRUE(PumpAsTheProgram(*form, [&] { return Model().Tree().Count() == 5u; })) << "Ctrl+Z did not undo";
  ExpectViewMatchesModel();
  EXPECT_EQ(ReadTreeView(Tree()), before);
  EXPECT_FALSE(MenuEnabled(IDM_SAVE1)) << "back at the document as it was";
  EXPECT_TRUE(MenuEnabled(IDM_REDO));
}

// Del in the tree asks as the pop-up's 削除(&D) does, the answers below
// counted, and deletes the branch.
TEST_F(EditMenu, DelInTheTreeDeletesTheSelectedBranchAfterTheQuestion) {
  ArrangeBranch();
  std::wstring asked;
  script.Play({[&](HWND box) {
    wchar_t text[256] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    asked = text;
    Answer(box, IDYES);
  }});
  FocusOn(Tree());
  PostMessageW(Tree(), WM_KEYDOWN, VK_DELETE, 1);
  ASSERT_TRUE(PumpAsTheProgram(*form, [&] { return Model().Tree().Count() == 2u; })) << "Del did not delete";
  // "この下の答え 2 件も一緒に削除されます。"
  EXPECT_NE(asked.find(L"この下の答え 2 件"), std::wstring::npos);
  ExpectViewMatchesModel();
}

TEST_F(EditMenu, ABranchCopiedInOneWindowPastesIntoAnotherThroughTheClipboard) {
  ArrangeBranch();
  EmptyTheClipboard();
  FocusOn(Tree());
  PressCtrl('C');
  ASSERT_TRUE(PumpAsTheProgram(*form, [] { return !ClipboardText().empty(); })) << "Ctrl+C copied nothing";
  // The lines as a text editor shows them: "? 用紙は？", then the answers a
  // level in.
  EXPECT_EQ(ClipboardText(), L"? 用紙は？\r\n\ti Tray A\r\n\t! Tray B\r\n");
  EXPECT_EQ(ClipboardText<char>(), BranchText(Model().Tree(), *Model().Selected()));

  TForm1 other(GetModuleHandleW(nullptr), "Velmora");
  other.ShowFirstTime(SW_SHOWNORMAL, {});
  TreeNode* target = other.Model().Tree().Root()->LastChild();
  other.Core().Select(target);
  other.RunCommand(IDM_PASTE);
  ASSERT_TRUE(target->HasChildren()) << "nothing pasted";
  EXPECT_EQ(BranchText(other.Model().Tree(), *target->FirstChild()), ClipboardText<char>());
  EXPECT_EQ(ReadTreeView(other.Controls().TreeView1), ExpectedTreeView(other.Model()));
  EXPECT_EQ(Model().Tree().Count(), 5u) << "the copy left the first window's branch";
}

TEST_F(EditMenu, CtrlCInTheTitleBoxCopiesTheTitleNotTheBranch) {
  ArrangeBranch();
  EmptyTheClipboard();
  HWND title = form->Controls().LabeledEdit1;
  Type(title, L"Printer");
  FocusOn(title);
  SendMessageW(title, EM_SETSEL, 0, -1);
  PressCtrl('C');
  ASSERT_TRUE(PumpAsTheProgram(*form, [] { return !ClipboardText().empty(); })) << "Ctrl+C copied nothing";
  EXPECT_EQ(ClipboardText(), L"Printer");
}

// Another program's text that CP932 cannot hold: the clipboard port names
// the character by its code rather than let it become "?".
TEST_F(EditMenu, AClipboardTextBeyondCp932IsRefusedNamingTheCharacter) {
  const std::wstring text = L"A\U0001F600";
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  ASSERT_NE(memory, nullptr);
  std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();

  Win32Clipboard clipboard(form->Handle());
  std::string refusal;
  try {
    clipboard.ReadText();
  } catch (const VelmoraError& error) {
    refusal = error.what();
  }
  EXPECT_EQ(refusal, UnstorableClipboardTextMessage(L"\U0001F600"));
  EXPECT_NE(refusal.find("U+1F600"), std::string::npos) << refusal;
}


// The 編集 menu offers the pop-up's commands for the selected node, under
// the same ids and enabled alike, for a question and for an end; Insert adds
// the selected node's next answer.
TEST_F(EditMenu, OffersThePopupsNodeCommandsAndTheKeysBuildTheTree) {
  ArrangeBranch();
  HMENU edit = GetSubMenu(form->MainMenu1(), 1);
  const int nodeCommands[] = {IDM_ADDYES1,   IDM_ADDNO1,      IDM_EXCHANGE1,   IDM_QUESTION1, IDM_INFORMATION1,
                              IDM_EXCLAIMATION1, IDM_INHIBIT1, IDM_YESDEFAULT1, IDM_NODEFAULT1, IDM_DELETE1};
  const TreeNode* yes = Model().Tree().Root()->FirstChild();
  for (const TreeNode* node : {yes, static_cast<const TreeNode*>(yes->FirstChild())}) {
    Select(node);
    form->Sync();
    for (const int id : nodeCommands) {
      SCOPED_TRACE(id);
      const UINT inMenu = GetMenuState(edit, static_cast<UINT>(id), MF_BYCOMMAND);
      ASSERT_NE(inMenu, static_cast<UINT>(-1)) << "not in the 編集 menu";
      EXPECT_EQ(inMenu & MF_GRAYED, GetMenuState(form->PopupMenu1(), static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED);
    }
  }

  // The end "Tray A" takes its first answer from Insert.
  const TreeNode* trayA = yes->FirstChild();
  Select(trayA);
  FocusOn(Tree());
  Key(Tree(), VK_INSERT);
  ASSERT_TRUE(PumpAsTheProgram(*form, [&] { return trayA->HasChildren(); })) << "Insert added no answer";
  ExpectViewMatchesModel();
}

}  // namespace
}  // namespace velmora::win32::editing_test
