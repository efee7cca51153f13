// The file named on the command line opens once the main window is shown:
// the window names it and the tree view shows its procedure.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "MainWindowTestSupport.h"
#include "win32/WideText.h"

namespace velmora::win32 {
namespace {

using testing::CreateMainWindow;
using testing::RecordingMessageBoxes;
using testing::WindowText;

std::wstring SamplePath() {
  std::wstring path = L"Z:" + ToWide(VELMORA_TEST_DATA) + L"/files/sample.tre";
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

std::wstring ItemText(HWND tree, HTREEITEM item) {
  wchar_t text[256] = {};
  TVITEMW data{};
  data.mask = TVIF_TEXT;
  data.hItem = item;
  data.pszText = text;
  data.cchTextMax = 256;
  SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
  return text;
}

TEST(CommandLineFile, OpensOnFirstShowAndNamesTheWindow) {
  RecordingMessageBoxes boxes;
  auto form = CreateMainWindow(boxes);
  form->ShowFirstTime(SW_SHOWNOACTIVATE, {SamplePath()});

  EXPECT_TRUE(boxes.shown.empty()) << (boxes.shown.empty() ? "" : boxes.shown.front().text);
  EXPECT_EQ(WindowText(form->Handle()), L"sample.tre - Velmora");
  const Editor& editor = form->Model();
  ASSERT_NE(editor.Tree().Root(), nullptr);
  EXPECT_GT(editor.Tree().Count(), 2u);
  EXPECT_FALSE(editor.State().Modified);

  HWND tree = form->Controls().TreeView1;
  const auto root = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  EXPECT_EQ(ItemText(tree, root), ToWide(editor.Tree().Root()->Text()));
  EXPECT_EQ(WindowText(form->Controls().LabeledEdit1), ToWide(editor.State().Title));
  EXPECT_EQ(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0), reinterpret_cast<LRESULT>(root));
}

TEST(CommandLineFile, UnsupportedExtensionKeepsTheStartingTree) {
  RecordingMessageBoxes boxes;
  auto form = CreateMainWindow(boxes);
  form->ShowFirstTime(SW_SHOWNOACTIVATE, {L"C:\\notes.txt", L"C:\\ignored.tre"});
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_NE(boxes.shown[0].text.find("notes.txt"), std::string::npos);
  EXPECT_EQ(WindowText(form->Handle()), L"Velmora");
  EXPECT_EQ(form->Model().Tree().Count(), 3u);
  EXPECT_TRUE(form->Model().State().CurrentFileName.Empty());
}

}  // namespace
}  // namespace velmora::win32
