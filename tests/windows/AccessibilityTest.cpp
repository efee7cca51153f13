// Everyone can use the main window and its modeless companions: every
// focusable control is named for a screen reader (a tree or list by the label
// before it), the colour buttons say what their colour is for, high contrast
// turns their colours off, and each window follows a DPI change.
#include <gtest/gtest.h>

#include "AccessibleNames.h"
#include "MainWindowTestSupport.h"
#include "app/CommandIds.h"
#include "app/win32/FindBox.h"
#include "win32/ControlColours.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {
namespace {

using testing::PumpMessages;

class AccessibilityTest : public ::testing::Test {
 protected:
  AccessibilityTest() : form(testing::CreateMainWindow(boxes)) {
    ShowWindow(form->Handle(), SW_SHOWNOACTIVATE);
    form->RunCommand(IDM_FIND);
    form->RunCommand(IDM_CHECK);
    PumpMessages();
  }

  testing::RecordingMessageBoxes boxes;
  std::unique_ptr<TForm1> form;
};

TEST_F(AccessibilityTest, EveryFocusableControlHasAName) {
  EXPECT_EQ(testing::UnnamedControls(form->Handle()), std::vector<std::wstring>{});
  ASSERT_NE(form->FindBoxWindow(), nullptr);
  EXPECT_EQ(testing::UnnamedControls(form->FindBoxWindow()->Handle()), std::vector<std::wstring>{});
  ASSERT_NE(form->Checks(), nullptr);
  EXPECT_EQ(testing::UnnamedControls(form->Checks()->Handle()), std::vector<std::wstring>{});
  // "ツリー(&T)" names the tree; "タイトル(L)" the title box.
  EXPECT_EQ(testing::LabelBefore(form->Controls().TreeView1), L"ツリー(&T)");
  EXPECT_EQ(testing::AccessibleName(form->Controls().LabeledEdit1), L"タイトル(L)");
  // The colour buttons are a group named for what the colour is for, with
  // a letter: a group box right before them that holds all three, which is
  // where a screen reader finds a group's name.
  HWND group = GetWindow(form->Controls().ProgressByGreen1, GW_HWNDPREV);
  EXPECT_EQ(GetWindowLongPtrW(group, GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
  EXPECT_EQ(testing::AccessibleName(group), L"進行状況の色(C)");
  RECT area{};
  GetWindowRect(group, &area);
  for (HWND button : {form->Controls().ProgressByGreen1, form->Controls().ProgressByRed1}) {
    RECT inside{};
    GetWindowRect(button, &inside);
    RECT both{};
    UnionRect(&both, &area, &inside);
    EXPECT_TRUE(EqualRect(&both, &area)) << "the group holds its buttons";
  }
}

// With high contrast on, the colour buttons leave their colours to the
// system; their text and check mark still tell the colour.
TEST_F(AccessibilityTest, HighContrastTurnsTheColourBackgroundsOff) {
  HIGHCONTRASTW contrast{sizeof contrast, HCF_HIGHCONTRASTON, nullptr};
  if (!SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof contrast, &contrast, 0) || !HighContrastOn()) {
    GTEST_SKIP() << "high contrast cannot be switched on here";
  }
  const WindowDc dc(form->Controls().ProgressByGreen1);
  SendMessageW(form->Handle(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.Get()),
               reinterpret_cast<LPARAM>(form->Controls().ProgressByGreen1));
  const COLORREF background = GetBkColor(dc.Get());
  contrast.dwFlags = 0;
  SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof contrast, &contrast, 0);
  EXPECT_NE(background, RGB(0, 255, 0));
}

// Each window takes the rectangle Windows suggests and a font for the new
// DPI, and goes back as the window returns.
TEST_F(AccessibilityTest, EachWindowFollowsADpiChange) {
  struct Case {
    const char* name;
    HWND window;
    HWND fontOf;
  };
  const Case cases[] = {
      {"main window", form->Handle(), form->Controls().LabeledEdit1},
      {"find box", form->FindBoxWindow()->Handle(), form->FindBoxWindow()->Edit()},
      {"check window", form->Checks()->Handle(), form->Checks()->Summary()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const LONG before = testing::FontHeightOf(c.fontOf);
    const RECT suggested = testing::SendDpiChange(c.window, 144);
    RECT now{};
    GetWindowRect(c.window, &now);
    EXPECT_TRUE(testing::SameRect(now, suggested));
    EXPECT_GT(testing::FontHeightOf(c.fontOf), before);
    testing::SendDpiChange(c.window, 96);
    EXPECT_EQ(testing::FontHeightOf(c.fontOf), before);
  }
}

}  // namespace
}  // namespace velmora::win32
