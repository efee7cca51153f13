// The preview in the real main window: the tree view's selection follows
// the run, Preview and Generate are off while it lasts and back afterwards,
// and the colour buttons set the document's colour.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <deque>
#include <vector>

#include <gtest/gtest.h>

#include "document/BranchRecord.h"
#include "MainWindowTestSupport.h"
#include "app/CommandIds.h"
#include "distribution/ColourButtons.h"
#include "distribution/win32/Unit_Win7Taskbar.h"

namespace velmora::win32 {
namespace {

using testing::CreateMainWindow;
using testing::RecordingMessageBoxes;

// Answers the steps from a script, noting what the window showed at each.
class WindowWatchingSteps : public StepDialogPort {
 public:
  explicit WindowWatchingSteps(std::deque<StepAnswer> answers) : answers_(std::move(answers)) {}
  // The window is made with this port, so it is named afterwards.
  void Watch(TForm1& form) { form_ = &form; }

  struct Seen {
    TreeNode* selectedInView;
    bool previewEnabled;
    bool generateEnabled;
    bool previewMenuEnabled;
  };

  StepAnswer ShowStepDialog(const StepDescription&) override {
    const HWND tree = form_->TreeView().View();
    const HTREEITEM item = TreeView_GetSelection(tree);
    const UINT menuState = GetMenuState(form_->MainMenu1(), IDM_PREVIEW1, MF_BYCOMMAND);
    seen.push_back({form_->TreeView().NodeOf(item), IsWindowEnabled(form_->Controls().PreViewBtn) != FALSE,
                    IsWindowEnabled(form_->Controls().GenerateBtn) != FALSE, (menuState & MF_GRAYED) == 0});
    if (answers_.empty()) return StepAnswer::Closed;
    const StepAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  std::vector<Seen> seen;

 private:
  TForm1* form_ = nullptr;
  std::deque<StepAnswer> answers_;
};

TEST(EditorPreviewWindow, TreeViewSelectionFollowsTheRunAndCommandsReturn) {
  RecordingMessageBoxes boxes;
  WindowWatchingSteps steps({StepAnswer::Yes, StepAnswer::LeafBack, StepAnswer::Back, StepAnswer::No, StepAnswer::Ok});
  MainWindowPorts ports;
  ports.stepDialogs = &steps;
  auto form = CreateMainWindow(boxes, ports);
  steps.Watch(*form);
  Editor& editor = form->Model();
  TreeNode* root = editor.Tree().Root();
  TreeNode* yes = root->FirstChild();
  TreeNode* deeper = editor.AddBranch(yes, PackNode("deeper", Information));
  editor.Select(yes);
  form->Sync();

  form->RunCommand(IDM_PREVIEW1);

  const std::vector<TreeNode*> expected = {yes, deeper, yes, root, root->LastChild()};
  ASSERT_EQ(steps.seen.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(steps.seen[i].selectedInView, expected[i]) << "step " << i;
    EXPECT_FALSE(steps.seen[i].previewEnabled) << "step " << i;
    EXPECT_FALSE(steps.seen[i].generateEnabled) << "step " << i;
    EXPECT_FALSE(steps.seen[i].previewMenuEnabled) << "step " << i;
  }
  EXPECT_EQ(form->TreeView().NodeOf(TreeView_GetSelection(form->TreeView().View())), root);
  EXPECT_TRUE(IsWindowEnabled(form->Controls().PreViewBtn));
  EXPECT_TRUE(IsWindowEnabled(form->Controls().GenerateBtn));
  EXPECT_TRUE(boxes.shown.empty());
}

TEST(EditorPreviewWindow, ColourButtonsSetTheColourAndShowIt) {
  RecordingMessageBoxes boxes;
  auto form = CreateMainWindow(boxes);
  const MainWindowControls& c = form->Controls();
  const auto checked = [](HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; };

  form->RunGuarded([&] { form->Core().ChooseColour(kColourRed); });
  EXPECT_EQ(form->Model().State().Color, 3);
  EXPECT_FALSE(form->Model().State().Modified) << "an unnamed document is not changed by its colour";

  form->Model().State().CurrentFileName = FilePath::FromUtf8("C:\\help\\printer.tre");
  form->RunGuarded([&] { form->Core().ChooseColour(kColourYellow); });
  form->Sync();
  EXPECT_EQ(form->Model().State().Color, 2);
  EXPECT_TRUE(form->Model().State().Modified);
  EXPECT_NE(GetMenuState(form->MainMenu1(), IDM_SAVEAS1, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));

  // A loader's colour shows on the buttons; 0 leaves none selected.
  form->Model().State().Color = 1;
  form->Sync();
  EXPECT_TRUE(checked(c.ProgressByGreen1));
  EXPECT_FALSE(checked(c.ProgressByYellow1));
  form->Model().State().Color = 0;
  form->Sync();
  EXPECT_FALSE(checked(c.ProgressByGreen1));
  EXPECT_FALSE(checked(c.ProgressByYellow1));
  EXPECT_FALSE(checked(c.ProgressByRed1));
}

TEST(EditorPreviewWindow, TaskbarProbeDecidesTheColourButtons) {
  // The program initialises COM for its GUI thread at start-up; so does this test.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  RecordingMessageBoxes boxes;
  auto form = CreateMainWindow(boxes);
  form->ProbeTaskbarProgress();
  // Wine offers ITaskbarList3, so the facility reads as available.
  EXPECT_TRUE(form->TaskbarProgressAvailable());
  form->Sync();
  EXPECT_TRUE(IsWindowEnabled(form->Controls().ProgressByGreen1));
  form.reset();
  if (SUCCEEDED(com)) CoUninitialize();
}

// The player makes the shell's object only when the shell announces the
// window's button: the bar set before is kept, and the announcement makes
// the object (Wine offers it) and sets the bar.
TEST(EditorPreviewWindow, TaskbarButtonAnnouncementMakesTheTaskbarObject) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  {
    TaskbarProgress taskbar(window);
    EXPECT_FALSE(taskbar.SetTaskbarProgressState(TaskbarProgressState::Normal));
    EXPECT_FALSE(taskbar.Available());
    taskbar.OnTaskbarButtonCreated();
    EXPECT_TRUE(taskbar.Available());
    EXPECT_TRUE(taskbar.SetTaskbarProgressValue(1, 3));
  }
  DestroyWindow(window);
  if (SUCCEEDED(com)) CoUninitialize();
}

}  // namespace
}  // namespace velmora::win32
