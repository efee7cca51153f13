// The step dialog on a real window under Wine: what it shows, which button
// has the focus, which keys answer it, and where it appears.
#include "distribution/win32/StepDialog.h"

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "AccessibleNames.h"
#include "StepDialogReading.h"
#include "TestPictures.h"
#include "distribution/PreviewRun.h"
#include "document/Picture.h"
#include "win32/Controls.h"
#include "win32/Placement.h"

namespace velmora::win32 {
namespace {

using testing::PressKey;
using testing::PressStepButton;
using testing::ReadStepDialog;
using testing::ShownStep;
using testing::TypeChar;

// Owns the dialogs and hears when a dialog's modal loop waits for input
// (WM_ENTERIDLE): that is when the test looks at it and answers, once per
// idle, each action after the previous one has been handled.
class DialogOwner {
 public:
  using Action = std::function<void(HWND dialog)>;

  DialogOwner() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &DialogOwner::Proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"StepDialogTestOwner";
    RegisterClassW(&windowClass);
    hwnd_ = CreateWindowExW(0, windowClass.lpszClassName, L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                            nullptr, windowClass.hInstance, this);
  }
  ~DialogOwner() { DestroyWindow(hwnd_); }

  // Shows a step and plays `actions` on it, one per idle of its loop.
  StepAnswer Show(const StepDescription& step, POINT& centre, std::vector<Action> actions) {
    actions_ = std::move(actions);
    next_ = 0;
    const StepAnswer answer = ShowStepDialog(hwnd_, step, centre);
    EXPECT_EQ(next_, actions_.size()) << "the dialog closed before the test was done with it";
    actions_.clear();
    return answer;
  }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<DialogOwner*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self != nullptr && message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX) {
      self->OnIdle(reinterpret_cast<HWND>(lParam));
      return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }

  void OnIdle(HWND dialog) {
    if (next_ < actions_.size()) {
      actions_[next_++](dialog);
    } else {
      // Never leave a test hanging on a dialog nobody answers.
      PostMessageW(dialog, WM_CLOSE, 0, 0);
    }
  }

  HWND hwnd_ = nullptr;
  std::vector<Action> actions_;
  std::size_t next_ = 0;
};

StepDescription Question(std::string message, bool noDefault = false, bool topLevel = false) {
  StepDescription step;
  step.message = std::move(message);
  step.caption = "\x83\x76\x83\x8A\x83\x93\x83\x5E";  // プリンタ
  step.type = StepDialogType::Confirmation;
  step.noDefault = noDefault;
  step.question = true;
  step.topLevel = topLevel;
  return step;
}

StepDescription EndOfPath(std::string message, bool topLevel = false) {
  StepDescription step = Question(std::move(message), false, topLevel);
  step.type = StepDialogType::Information;
  step.question = false;
  return step;
}

const wchar_t kYes[] = L"はい(&Y)";           // はい(&Y)
const wchar_t kNo[] = L"いいえ(&N)";      // いいえ(&N)
const wchar_t kBack[] = L"戻る";              // 戻る
const wchar_t kFinish[] = L"終了";            // 終了
const wchar_t kOk[] = L"ＯＫ";                // ＯＫ

class StepDialogTest : public ::testing::Test {
 protected:
  DialogOwner owner;
  POINT centre{640, 512};
};

TEST_F(StepDialogTest, QuestionShowsCaptionLinesAndButtonsWithNoFocusedWhenDefault) {
  ShownStep shown;
  // "用紙は入っていますか？" over two lines, with No as the default.
  const StepAnswer answer = owner.Show(
      Question("\x97\x70\x8E\x86\x82\xCD\r\n\x93\xFC\x82\xC1\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x82\xA9\x81\x48", true),
      centre, {[&](HWND dialog) {
        shown = ReadStepDialog(dialog);
        PressKey(dialog, VK_RETURN);
      }});
  EXPECT_EQ(answer, StepAnswer::No);
  EXPECT_EQ(shown.caption, L"プリンタ");
  EXPECT_EQ(shown.message, L"用紙は\r\n入っていますか？");
  EXPECT_EQ(shown.buttons, (std::vector<std::wstring>{kYes, kNo, kBack}));
  EXPECT_EQ(shown.focusedButton, 1);
  EXPECT_FALSE(shown.messageScrolls);
}

TEST_F(StepDialogTest, EnterPressesTheFirstButtonAndLettersPressYesAndNo) {
  ShownStep shown;
  EXPECT_EQ(owner.Show(Question("q", false, true), centre,
                       {[&](HWND dialog) {
                         shown = ReadStepDialog(dialog);
                         PressKey(dialog, VK_RETURN);
                       }}),
            StepAnswer::Yes);
  EXPECT_EQ(shown.focusedButton, 0);
  EXPECT_EQ(shown.buttons, (std::vector<std::wstring>{kYes, kNo, kFinish}));

  EXPECT_EQ(owner.Show(Question("q"), centre, {[](HWND dialog) { TypeChar(dialog, L'n'); }}), StepAnswer::No);
  EXPECT_EQ(owner.Show(Question("q", true), centre, {[](HWND dialog) { TypeChar(dialog, L'y'); }}), StepAnswer::Yes);
  EXPECT_EQ(owner.Show(Question("q"), centre, {[](HWND dialog) { PressStepButton(dialog, 2); }}), StepAnswer::Back);
}

TEST_F(StepDialogTest, EscapeOnlyAnswersAnEndOfPath) {
  ShownStep shown;
  EXPECT_EQ(owner.Show(EndOfPath("done"), centre,
                       {[&](HWND dialog) {
                         shown = ReadStepDialog(dialog);
                         PressKey(dialog, VK_ESCAPE);
                       }}),
            StepAnswer::LeafBack);
  EXPECT_EQ(shown.buttons, (std::vector<std::wstring>{kOk, kBack}));
  EXPECT_EQ(shown.focusedButton, 0);

  EXPECT_EQ(owner.Show(EndOfPath("done", true), centre,
                       {[&](HWND dialog) {
                         shown = ReadStepDialog(dialog);
                         PressKey(dialog, VK_RETURN);
                       }}),
            StepAnswer::Ok);
  EXPECT_EQ(shown.buttons, (std::vector<std::wstring>{kOk, kFinish}));

  // A question stays open on Escape and is still there to be answered.
  bool stillOpen = false;
  EXPECT_EQ(owner.Show(Question("q"), centre,
                       {[](HWND dialog) { PressKey(dialog, VK_ESCAPE); },
                        [&](HWND dialog) {
                          stillOpen = IsWindowVisible(dialog) != FALSE;
                          PressStepButton(dialog, 1);
                        }}),
            StepAnswer::No);
  EXPECT_TRUE(stillOpen);
}

TEST_F(StepDialogTest, CloseBoxGivesClosed) {
  EXPECT_EQ(owner.Show(Question("q"), centre,
                       {[](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }}),
            StepAnswer::Closed);
  EXPECT_EQ(owner.Show(EndOfPath("e"), centre,
                       {[](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }}),
            StepAnswer::Closed);
}

TEST_F(StepDialogTest, ButtonsShowTheHandCursor) {
  HCURSOR overButton = nullptr;
  HCURSOR overText = nullptr;
  owner.Show(Question("q"), centre, {[&](HWND dialog) {
               const HWND button = GetDlgItem(dialog, step_dialog_id::kFirstButton + 1);
               SendMessageW(button, WM_SETCURSOR, reinterpret_cast<WPARAM>(button), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
               overButton = GetCursor();
               const HWND text = GetDlgItem(dialog, step_dialog_id::kMessage);
               SendMessageW(text, WM_SETCURSOR, reinterpret_cast<WPARAM>(text), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
               overText = GetCursor();
               PressStepButton(dialog, 0);
             }});
  EXPECT_EQ(overButton, LoadCursorW(nullptr, IDC_HAND));
  EXPECT_NE(overText, LoadCursorW(nullptr, IDC_HAND));
}

POINT CentreOf(const RECT& rect) {
  return {rect.left + (rect.right - rect.left) / 2, rect.top + (rect.bottom - rect.top) / 2};
}

TEST_F(StepDialogTest, DialogsAppearWhereTheLastOneWasLeft) {
  centre = {500, 400};
  RECT first{};
  RECT moved{};
  owner.Show(Question("first"), centre, {[&](HWND dialog) {
               GetWindowRect(dialog, &first);
               // The user drags it up and to the left.
               SetWindowPos(dialog, nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
               GetWindowRect(dialog, &moved);
               PressStepButton(dialog, 0);
             }});
  const int width = first.right - first.left;
  const int height = first.bottom - first.top;
  EXPECT_EQ(first.left, 500 - width / 2);
  EXPECT_EQ(first.top, 400 - height / 2);
  EXPECT_EQ(centre.x, CentreOf(moved).x);
  EXPECT_EQ(centre.y, CentreOf(moved).y);

  // The next dialog, with a text of another size, is centred there.
  RECT second{};
  owner.Show(EndOfPath("a longer second message\r\nover two lines"), centre,
             {[&](HWND dialog) {
               GetWindowRect(dialog, &second);
               PressStepButton(dialog, 0);
             }});
  EXPECT_NEAR(CentreOf(second).x, CentreOf(moved).x, 1);
  EXPECT_NEAR(CentreOf(second).y, CentreOf(moved).y, 1);
}

TEST_F(StepDialogTest, LongTextsWrapAndTheDialogGrowsUpToTheWorkArea) {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);

  // One long paragraph of Japanese without spaces: "あいうえお" repeated.
  std::string paragraph;
  for (int i = 0; i < 120; ++i) paragraph += "\x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8";
  ShownStep wrapped;
  RECT textRect{};
  owner.Show(EndOfPath(paragraph), centre, {[&](HWND dialog) {
               wrapped = ReadStepDialog(dialog);
               GetWindowRect(GetDlgItem(dialog, step_dialog_id::kMessage), &textRect);
               PressStepButton(dialog, 0);
             }});
  EXPECT_FALSE(wrapped.messageScrolls);
  EXPECT_EQ(wrapped.message.size(), 600u);
  EXPECT_LE(wrapped.rect.right - wrapped.rect.left, work.right - work.left);
  // Several lines: far taller than one line of the message font.
  EXPECT_GT(textRect.bottom - textRect.top, 5 * GetSystemMetrics(SM_CYCAPTION));

  // A text too long for the whole work area scrolls inside a dialog that
  // fills at most the work area; nothing of it is lost.
  std::string huge;
  for (int i = 0; i < 400; ++i) huge += "line " + std::to_string(i) + "\r\n";
  ShownStep scrolled;
  owner.Show(EndOfPath(huge), centre, {[&](HWND dialog) {
               scrolled = ReadStepDialog(dialog);
               PressStepButton(dialog, 0);
             }});
  EXPECT_TRUE(scrolled.messageScrolls);
  EXPECT_EQ(scrolled.message.size(), huge.size());
  EXPECT_GE(scrolled.rect.top, work.top);
  EXPECT_LE(scrolled.rect.bottom, work.bottom);
  EXPECT_LE(scrolled.rect.right - scrolled.rect.left, work.right - work.left);
}

TEST_F(StepDialogTest, AmpersandsInTheMessageAreTextNotAccelerators) {
  // The dialog looks for an accelerator from the control after the focused
  // Yes onwards, so the message comes before Yes itself: were its "&Y" an
  // accelerator, typing y would only move the focus instead of answering.
  ShownStep shown;
  EXPECT_EQ(owner.Show(Question("&Yes & no"), centre,
                       {[&](HWND dialog) {
                         shown = ReadStepDialog(dialog);
                         TypeChar(dialog, L'y');
                       }}),
            StepAnswer::Yes);
  EXPECT_EQ(shown.message, L"&Yes & no");
}

TEST_F(StepDialogTest, EachTypeShowsTheSystemIcon) {
  const std::pair<StepDialogType, LPCWSTR> types[] = {{StepDialogType::Confirmation, IDI_QUESTION},
                                                      {StepDialogType::Information, IDI_INFORMATION},
                                                      {StepDialogType::Warning, IDI_WARNING},
                                                      {StepDialogType::Error, IDI_ERROR}};
  for (const auto& [type, icon] : types) {
    StepDescription step = EndOfPath("e");
    step.type = type;
    HICON shown = nullptr;
    std::wstring name;
    owner.Show(step, centre, {[&](HWND dialog) {
                 shown = reinterpret_cast<HICON>(
                     SendDlgItemMessageW(dialog, step_dialog_id::kIcon, STM_GETICON, 0, 0));
                 name = testing::AccessibleName(GetDlgItem(dialog, step_dialog_id::kIcon));
                 PressStepButton(dialog, 0);
               }});
    EXPECT_EQ(shown, LoadIconW(nullptr, icon));
    // The icon tells a screen reader the kind in words (確認, 警告...).
    EXPECT_EQ(name, ToWide(DialogTypeName(type)));
  }
}

// The message's font holds Japanese; on a screen of another scale the dialog
// takes the suggested rectangle and its message a larger font.
TEST_F(StepDialogTest, FollowsADpiChange) {
  LONG before = 0, after = 0;
  RECT suggested{}, now{};
  BYTE charset = 0;
  owner.Show(EndOfPath("a message"), centre, {[&](HWND dialog) {
               LOGFONTW font{};
               GetObjectW(reinterpret_cast<HFONT>(SendDlgItemMessageW(dialog, step_dialog_id::kMessage, WM_GETFONT, 0, 0)),
                          sizeof font, &font);
               charset = font.lfCharSet;
               before = testing::FontHeightOf(GetDlgItem(dialog, step_dialog_id::kMessage));
               suggested = testing::SendDpiChange(dialog, 144);
               GetWindowRect(dialog, &now);
               after = testing::FontHeightOf(GetDlgItem(dialog, step_dialog_id::kMessage));
               PressStepButton(dialog, 0);
             }});
  EXPECT_TRUE(testing::SameRect(now, suggested));
  EXPECT_GT(after, before);
  // A font with the Japanese character set, on a Western code page too: the
  // system's message font there has no Japanese and would show boxes.
  EXPECT_EQ(charset, SHIFTJIS_CHARSET);
}

SIZE SizeOf(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

// The picture stands above the message at its natural size on the screen,
// grows with the screen's scale, is named by its words, and never leaves the
// work area; one the codecs cannot read is left out and the step still shows.
TEST_F(StepDialogTest, ShowsThePictureAboveTheMessage) {
  const std::string alt = "\x89\x45\x89\xba\x82\xcc\x83\x41\x83\x43\x83\x52\x83\x93";  // 右下のアイコン
  for (const EncodedFormat format : {EncodedFormat::Png, EncodedFormat::Jpeg}) {
    const std::string stored = Base64Encode(testing::GreyPicture(40, 30, format));
    ASSERT_FALSE(stored.empty());
    StepDescription step = EndOfPath("click it");
    step.picture = stored;
    step.alt = alt;
    SIZE at96{}, at144{};
    std::wstring name;
    bool above = false;
    owner.Show(step, centre, {[&](HWND dialog) {
                 HWND picture = GetDlgItem(dialog, step_dialog_id::kPicture);
                 at96 = SizeOf(picture);
                 name = testing::AccessibleName(picture);
                 RECT pictureRect{}, messageRect{};
                 GetWindowRect(picture, &pictureRect);
                 GetWindowRect(GetDlgItem(dialog, step_dialog_id::kMessage), &messageRect);
                 above = pictureRect.bottom <= messageRect.top;
                 testing::SendDpiChange(dialog, 144);
                 at144 = SizeOf(picture);
                 PressStepButton(dialog, 0);
               }});
    EXPECT_EQ(at96.cx, 40);
    EXPECT_EQ(at96.cy, 30);
    EXPECT_EQ(at144.cx, 60);
    EXPECT_EQ(at144.cy, 45);
    EXPECT_EQ(name, ToWide(alt));
    EXPECT_TRUE(above);
  }

  StepDescription wide = EndOfPath("wide");
  const std::string wideStored = Base64Encode(testing::GreyPicture(4000, 100, EncodedFormat::Png));
  wide.picture = wideStored;
  RECT window{}, work{};
  owner.Show(wide, centre, {[&](HWND dialog) {
               GetWindowRect(dialog, &window);
               work = WorkAreaAround(centre);
               PressStepButton(dialog, 0);
             }});
  EXPECT_LE(window.right - window.left, work.right - work.left);

  StepDescription damaged = EndOfPath("still here");
  const std::string damagedStored = Base64Encode(std::string("\x89PNG\r\n\x1a\n", 8) + "not a picture at all");
  damaged.picture = damagedStored;
  HWND picture = nullptr;
  std::wstring message;
  owner.Show(damaged, centre, {[&](HWND dialog) {
               picture = GetDlgItem(dialog, step_dialog_id::kPicture);
               message = WindowText(GetDlgItem(dialog, step_dialog_id::kMessage));
               PressStepButton(dialog, 0);
             }});
  EXPECT_EQ(picture, nullptr);
  EXPECT_EQ(message, L"still here");
}

}  // namespace
}  // namespace velmora::win32
