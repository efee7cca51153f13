// The help menu on the real main window: F1 and the home page reach the
// shell (through a recording port: Wine here has neither a help viewer nor
// a browser), and the real About box is read, closed with Escape and left
// through "&HomePage". Its background's gradient is checked on a bitmap.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AccessibleNames.h"
#include "app/CommandIds.h"
#include "desktop/MakerFacts.h"
#include "desktop/win32/AboutDialog.h"
#include "win32/WideText.h"
#include "win32/ProgramPath.h"
#include "tests/windows/EditingDriver.h"
#include "tests/windows/IdleScript.h"
#include "tests/windows/MainWindowTestSupport.h"
#include "tests/windows/StepDialogReading.h"
#include "win32/DibSection.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {
namespace {

using testing::ControlText;
using testing::CreateMainWindow;
using testing::IdleScript;
using testing::PressKey;
using testing::RecordingMessageBoxes;

class RecordingShell : public ShellOpenPort {
 public:
  void OpenInShell(std::string_view target) override { opened.emplace_back(target); }
  std::vector<std::string> opened;
};

struct ShownAbout {
  std::wstring caption;
  std::wstring text;
  std::wstring ok;
  std::wstring homePage;
  int defaultId = 0;
  bool handOverButtons = false;
  RECT rect{};
  bool labelTransparent = false;
};

bool HandCursorOver(HWND dialog, HWND button) {
  SendMessageW(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(button), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  return GetCursor() == LoadCursorW(nullptr, IDC_HAND);
}

ShownAbout ReadAbout(HWND dialog) {
  ShownAbout shown;
  shown.caption = ControlText(dialog);
  shown.text = ControlText(GetDlgItem(dialog, about_dialog_id::kText));
  const HWND ok = GetDlgItem(dialog, about_dialog_id::kOk);
  const HWND homePage = GetDlgItem(dialog, about_dialog_id::kHomePage);
  shown.ok = ControlText(ok);
  shown.homePage = ControlText(homePage);
  const LRESULT defId = SendMessageW(dialog, DM_GETDEFID, 0, 0);
  if (HIWORD(defId) == DC_HASDEFID) shown.defaultId = LOWORD(defId);
  shown.handOverButtons = HandCursorOver(dialog, ok) && HandCursorOver(dialog, homePage);
  GetWindowRect(dialog, &shown.rect);
  // The label asks its parent for its colours: a transparent one gets the
  // hollow brush.
  const HWND label = GetDlgItem(dialog, about_dialog_id::kText);
  const WindowDc dc(label);
  const auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()), reinterpret_cast<LPARAM>(label)));
  shown.labelTransparent = brush == GetStockObject(NULL_BRUSH) && GetBkMode(dc.Get()) == TRANSPARENT;
  return shown;
}

class DesktopHelpMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MainWindowPorts ports;
    ports.shellOpen = &shell;
    form = CreateMainWindow(boxes, ports);
    ShowWindow(form->Handle(), SW_SHOWNORMAL);
    script = std::make_unique<IdleScript>(form->Handle());
  }

  RecordingMessageBoxes boxes;
  RecordingShell shell;
  std::unique_ptr<TForm1> form;
  std::unique_ptr<IdleScript> script;
};

TEST_F(DesktopHelpMenuTest, F1HandsTheHelpFileBesideTheProgramToTheShell) {
  form->RunCommand(IDM_H1);
  const std::string program = FromWidePath(OwnProgramPath()).Utf8();
  ASSERT_EQ(shell.opened.size(), 1u);
  EXPECT_EQ(shell.opened[0], program.substr(0, program.size() - 4) + ".chm");
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(DesktopHelpMenuTest, HomePageCommandOpensTheMakersSite) {
  form->RunCommand(IDM_SITE1);
  EXPECT_EQ(shell.opened, std::vector<std::string>{std::string(kHomePageUrl)});
}

TEST_F(DesktopHelpMenuTest, AboutBoxShowsTheProgramAndEscapeClosesItLikeOk) {
  ShownAbout shown;
  script->Play({[&](HWND dialog) {
    shown = ReadAbout(dialog);
    PressKey(dialog, VK_ESCAPE);
  }});
  form->RunCommand(IDM_ABOUT1);
  ASSERT_TRUE(script->Finished());

  EXPECT_EQ(shown.caption, L"バージョン情報");  // バージョン情報
  const std::wstring expected = L"Velmora V1.7\r\n" + OwnProgramPath() + L"\r\n\r\n" +
                                ToWide(kRightsNotice) + L"\r\n" + ToWide(kContactAddress) + L"\r\n" +
                                ToWide(kHomePageUrl);
  EXPECT_EQ(shown.text, expected);
  EXPECT_EQ(shown.ok, L"&OK");
  EXPECT_EQ(shown.homePage, L"&HomePage");
  EXPECT_EQ(shown.defaultId, IDOK);
  EXPECT_TRUE(shown.handOverButtons);
  EXPECT_TRUE(shown.labelTransparent);
  RECT main{};
  GetWindowRect(form->Handle(), &main);
  EXPECT_NEAR((shown.rect.left + shown.rect.right) / 2, (main.left + main.right) / 2, 1);
  EXPECT_NEAR((shown.rect.top + shown.rect.bottom) / 2, (main.top + main.bottom) / 2, 1);
  EXPECT_TRUE(shell.opened.empty());
  EXPECT_TRUE(boxes.shown.empty());
}

// Enter goes to the default button, which follows the focus among push
// buttons: OK, unless the focus started elsewhere.
TEST_F(DesktopHelpMenuTest, EnterClosesTheAboutBoxWithOk) {
  script->Play({[](HWND dialog) { PressKey(dialog, VK_RETURN); }});
  form->RunCommand(IDM_ABOUT1);
  ASSERT_TRUE(script->Finished());
  EXPECT_TRUE(shell.opened.empty());
}

// On a screen of another scale the box takes the suggested rectangle and a
// larger font.
TEST_F(DesktopHelpMenuTest, TheAboutBoxFollowsADpiChange) {
  LONG before = 0, after = 0;
  RECT suggested{}, now{};
  script->Play({[&](HWND dialog) {
    before = testing::FontHeightOf(GetDlgItem(dialog, about_dialog_id::kText));
    suggested = testing::SendDpiChange(dialog, 144);
    GetWindowRect(dialog, &now);
    after = testing::FontHeightOf(GetDlgItem(dialog, about_dialog_id::kText));
    PressKey(dialog, VK_ESCAPE);
  }});
  form->RunCommand(IDM_ABOUT1);
  ASSERT_TRUE(script->Finished());
  EXPECT_TRUE(testing::SameRect(now, suggested));
  EXPECT_GT(after, before);
}

TEST_F(DesktopHelpMenuTest, HomePageButtonClosesTheAboutBoxAndOpensTheSite) {
  script->Play({[](HWND dialog) { editing_test::Click(GetDlgItem(dialog, about_dialog_id::kHomePage)); }});
  form->RunCommand(IDM_ABOUT1);
  ASSERT_TRUE(script->Finished());
  EXPECT_EQ(shell.opened, std::vector<std::string>{std::string(kHomePageUrl)});
}

// Red in the low byte of the value, blue in the high one; a DIB pixel holds
// them the other way round.
struct Rgb {
  int r, g, b;
};
Rgb PixelAt(const DibSection& dib, int size, int x, int y) {
  const std::uint32_t p = dib.bits[y * size + x];
  return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
}
void ExpectNear(Rgb actual, Rgb expected) {
  EXPECT_NEAR(actual.r, expected.r, 12);
  EXPECT_NEAR(actual.g, expected.g, 12);
  EXPECT_NEAR(actual.b, expected.b, 12);
}

TEST(AboutGradientFill, OddColoursRunLeftToRightEvenOnesTopToBottom) {
  constexpr int kSize = 64;
  const Rgb white{255, 255, 255};
  struct Case {
    std::uint32_t colour;
    Rgb end;
    bool horizontal;
  };
  for (const Case& c : {Case{0x0000FF, {255, 0, 0}, true}, Case{0xFF0000, {0, 0, 255}, false},
                        Case{0x00FF01, {1, 255, 0}, true}}) {
    DibSection dib = CreateDibSection(kSize);
    ASSERT_NE(dib.bits, nullptr);
    const UniqueDc dc(CreateCompatibleDC(nullptr));
    SelectedObject selected(dc.get(), dib.bitmap.get());
    FillAboutGradient(dc.get(), RECT{0, 0, kSize, kSize}, AboutGradientFor(c.colour));
    GdiFlush();
    ExpectNear(PixelAt(dib, kSize, 0, 0), white);
    ExpectNear(PixelAt(dib, kSize, kSize - 1, kSize - 1), c.end);
    // Along the gradient's direction the colour changes, across it not.
    ExpectNear(PixelAt(dib, kSize, kSize - 1, 0), c.horizontal ? c.end : white);
    ExpectNear(PixelAt(dib, kSize, 0, kSize - 1), c.horizontal ? white : c.end);
  }
}

}  // namespace
}  // namespace velmora::win32
