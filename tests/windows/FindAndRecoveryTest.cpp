// Find and the recovery copy in the real editor: Ctrl+F opens the find box,
// F3 from the box and from the tree selects the matching node in the tree
// view; an editor ended by force offers its work at the next start, and Yes
// brings it back.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>

#include <string>

#include "document/BranchRecord.h"
#include "app/CommandIds.h"
#include "app/win32/SingleInstance.h"
#include "files/RecoveryCopy.h"
#include "tests/windows/MainWindowTestSupport.h"
#include "tests/windows/RunningPlayer.h"
#include "win32/WideText.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {
namespace {

// A key as the event loop meets it: the keyboard state says which
// modifiers are down, the accelerators or the find box take the key.
void PressKey(TForm1& form, HWND target, WPARAM key, bool control, bool shift) {
  BYTE state[256] = {};
  GetKeyboardState(state);
  state[VK_CONTROL] = control ? 0x80 : 0;
  state[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(state);
  MSG message{target, WM_KEYDOWN, key, 1, 0, {0, 0}};
  if (!form.TranslateFindBoxMessage(message)) TranslateAcceleratorW(form.Handle(), form.Accelerators(), &message);
  state[VK_CONTROL] = 0;
  state[VK_SHIFT] = 0;
  SetKeyboardState(state);
  testing::PumpMessages();
}

TEST(FindInTheEditor, CtrlFAndF3SelectTheMatchingNodeInTheTreeView) {
  testing::RecordingMessageBoxes boxes;
  std::unique_ptr<TForm1> form = testing::CreateMainWindow(boxes);
  form->ShowFirstTime(SW_SHOWNOACTIVATE, {});
  // The starting tree's answers, one of them in a folded branch.
  const DecisionTree& tree = form->Model().Tree();
  TreeNode* root = tree.Root();
  // Long enough to run under the find box where it first opens.
  root->SetText("Power on? " + std::string(150, 'W'));
  TreeNode* cable = root->FirstChild();
  cable->SetText("Cable");
  TreeNode* plug = form->Model().AddBranch(cable, PackNode("Plug it ON", Inhibit));
  root->LastChild()->SetText("Switched on");
  form->Sync();
  testing::FoldInView(*form, *cable);
  ASSERT_FALSE(testing::UnfoldedInView(*form, *cable));
  HWND treeView = form->Controls().TreeView1;
  auto selectedNode = [&] {
    return form->TreeView().NodeOf(reinterpret_cast<HTREEITEM>(SendMessageW(treeView, TVM_GETNEXTITEM, TVGN_CARET, 0)));
  };
  // Whether the find box hides the selected node's text.
  auto boxHidesSelection = [&] {
    auto item = reinterpret_cast<HTREEITEM>(SendMessageW(treeView, TVM_GETNEXTITEM, TVGN_CARET, 0));
    RECT node{};
    std::memcpy(&node, &item, sizeof item);
    SendMessageW(treeView, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&node));
    MapWindowPoints(treeView, nullptr, reinterpret_cast<POINT*>(&node), 2);
    RECT box{};
    RECT covered{};
    GetWindowRect(form->FindBoxWindow()->Handle(), &box);
    return IntersectRect(&covered, &box, &node) != FALSE;
  };

  PressKey(*form, treeView, 'F', true, false);
  FindBox* box = form->FindBoxWindow();
  ASSERT_NE(box, nullptr) << "Ctrl+F opened no find box";
  EXPECT_TRUE(IsWindowVisible(box->Handle()));
  EXPECT_FALSE(boxHidesSelection()) << "the box opened over the selected node";
  EXPECT_EQ(GetFocus(), box->Edit());
  SetWindowTextW(box->Edit(), L"on");
  testing::PumpMessages();

  // F3 in the box: the match inside the folded branch, shown.
  PressKey(*form, box->Edit(), VK_F3, false, false);
  EXPECT_EQ(selectedNode(), plug);
  EXPECT_TRUE(testing::UnfoldedInView(*form, *cable));
  // "3 件中 2 件目"
  EXPECT_EQ(testing::WindowText(box->Status()), L"3 件中 2 件目");
  // F3 from the tree, then around the end to the root; Shift+F3 goes back.
  PressKey(*form, treeView, VK_F3, false, false);
  EXPECT_EQ(selectedNode(), root->LastChild());
  PressKey(*form, treeView, VK_F3, false, false);
  EXPECT_EQ(selectedNode(), root);
  EXPECT_FALSE(boxHidesSelection()) << "the box covers the long first node it found";
  PressKey(*form, box->Edit(), VK_F3, false, true);
  EXPECT_EQ(selectedNode(), root->LastChild());
  EXPECT_EQ(testing::WindowText(box->Status()), L"3 件中 3 件目");

  // A modal dialog disables the main window, and the box with it.
  EnableWindow(form->Handle(), FALSE);
  EXPECT_FALSE(IsWindowEnabled(box->Handle()));
  EnableWindow(form->Handle(), TRUE);
  EXPECT_TRUE(IsWindowEnabled(box->Handle()));
  EXPECT_TRUE(boxes.shown.empty());
}

std::wstring WindowsPath(const std::string& unixPath) {
  std::wstring path = L"Z:";
  for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  return path;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The editor copied into a folder of its own under a name of its own, so
// that its settings and recovery files meet no other test's.
class RecoveryInTheEditor : public ::testing::Test {
 protected:
  RecoveryInTheEditor() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    name_ = L"VelmoraRecovery" + std::to_wstring(GetCurrentProcessId());
    folder_ = std::wstring(temp) + name_ + L"-" + std::to_wstring(GetTickCount64()) + L"\\";
    CreateDirectoryW(folder_.c_str(), nullptr);
    const std::wstring built = WindowsPath(VELMORA_BUILD_DIR) + L"\\app\\Velmora.exe";
    EXPECT_TRUE(CopyFileW(built.c_str(), Exe().c_str(), FALSE)) << "is Velmora.exe built?";
  }
  ~RecoveryInTheEditor() override {
    for (const std::wstring& file : {Exe(), Document(), Recovery(), folder_ + name_ + L".ini"}) {
      DeleteFileW(file.c_str());
    }
    RemoveDirectoryW(folder_.c_str());
  }

  std::wstring Exe() const { return folder_ + name_ + L".exe"; }
  std::wstring Document() const { return folder_ + L"work.tre"; }
  std::wstring Recovery() const { return folder_ + name_ + L".recovery"; }

  std::wstring name_;
  std::wstring folder_;
};

TEST_F(RecoveryInTheEditor, AKilledEditorsWorkIsOfferedAndRestoredAtTheNextStart) {
  {
    UniqueKernelHandle file(CreateFileW(Document().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    const std::string bytes = "Paper?\r\n\tPrint\r\n\tTray empty?\r\n\t\tFill it\r\n\t\tCall us\r\n";
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  }
  {
    testing::RunningPlayer editor(Exe(), Document());
    ASSERT_TRUE(editor.Started());
    HWND main = nullptr;
    HWND tree = nullptr;
    ASSERT_TRUE(editor.WaitFor([&] {
      main = FindMarkedWindow(name_);
      tree = main ? FindWindowExW(main, nullptr, WC_TREEVIEWW, nullptr) : nullptr;
      return tree != nullptr && SendMessageW(tree, TVM_GETCOUNT, 0, 0) == 5;
    })) << "the editor did not open the document";
    // A change, then one tick of the timer rather than a wait for it.
    HWND title = FindWindowExW(main, nullptr, L"EDIT", nullptr);
    SendMessageW(title, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Changed"));
    PostMessageW(main, WM_TIMER, TForm1::kRecoveryTimer, 0);
    ASSERT_TRUE(editor.WaitFor([&] { return Exists(Recovery()); })) << "no recovery copy was written";
  }  // ended by force

  testing::RunningPlayer again(Exe());
  ASSERT_TRUE(again.Started());
  HWND box = again.NextDialog();
  ASSERT_NE(box, nullptr) << "the work was not offered";
  wchar_t text[256] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 256);
  EXPECT_EQ(std::wstring(text).rfind(ToWide(kRecoveryQuestion), 0), 0u) << ToCp932(text);
  EXPECT_NE(std::wstring(text).find(L"work.tre"), std::wstring::npos) << "names the file";
  ASSERT_NE(GetDlgItem(box, IDYES), nullptr);
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDYES)));

  HWND main = nullptr;
  ASSERT_TRUE(again.WaitFor([&] {
    main = FindMarkedWindow(name_);
    HWND tree = main ? FindWindowExW(main, nullptr, WC_TREEVIEWW, nullptr) : nullptr;
    return tree != nullptr && SendMessageW(tree, TVM_GETCOUNT, 0, 0) == 5 &&
           testing::WindowText(main) == L"*work.tre - Velmora";  // restored, not yet saved
  })) << "the work was not restored";
  // Another process's control answers WM_GETTEXT; GetWindowTextW would not ask it.
  wchar_t title[64] = {};
  SendMessageW(FindWindowExW(main, nullptr, L"EDIT", nullptr), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(title));
  EXPECT_EQ(std::wstring(title), L"Changed");
  // Unsaved: the Save button is enabled.
  HWND toolbar = FindWindowExW(main, nullptr, TOOLBARCLASSNAMEW, nullptr);
  EXPECT_NE(SendMessageW(toolbar, TB_ISBUTTONENABLED, IDM_SAVE1, 0), 0);
}

}  // namespace
}  // namespace velmora::win32
