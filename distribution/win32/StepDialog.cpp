#include "distribution/win32/StepDialog.h"

#include <algorithm>
#include <array>
#include <exception>
#include <string>

#include "distribution/PreviewRun.h"
#include "distribution/win32/PathClipboard.h"
#include "win32/Controls.h"
#include "win32/DialogUnits.h"
#include "win32/Dpi.h"
#include "win32/Fonts.h"
#include "win32/MessageLayout.h"
#include "win32/Placement.h"
#include "win32/TemplateDialog.h"
#include "win32/WicPicture.h"
#include "win32/WideText.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {
namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME;
// SS_NOPREFIX: an "&" in a message is text, not an accelerator that would
// steal a key from the buttons. SS_EDITCONTROL breaks a word too long for
// a line instead of cutting it off.
constexpr DWORD kMessageStyle = SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL;
// A short message must not cut its caption off: the dialog is at least as
// wide as the caption's text and this many caption-button widths beside it.
constexpr int kCaptionButtonRoom = 3;
// コピーしました。 / コピーできませんでした。もう一度押してください。
constexpr const char* kCopiedStatus = "\x83\x52\x83\x73\x81\x5b\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42";
constexpr const char* kCopyFailedStatus =
    "\x83\x52\x83\x73\x81\x5b\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81\x42\x82\xe0"
    "\x82\xa4\x88\xea\x93\x78\x89\x9f\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42";

LPCWSTR SystemIconOf(StepDialogType type) {
  switch (type) {
    case StepDialogType::Confirmation: return IDI_QUESTION;
    case StepDialogType::Warning: return IDI_WARNING;
    case StepDialogType::Error: return IDI_ERROR;
    case StepDialogType::Information: break;
  }
  return IDI_INFORMATION;
}

// Width of one line of `text` in the caption font, for a caption that should
// not be cut off above a short message.
int CaptionTextWidth(HDC dc, const std::wstring& text) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (text.empty() || !SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return 0;
  UniqueFont font(CreateFontIndirectW(&metrics.lfCaptionFont));
  SelectedObject selected(dc, font.get());
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

using UniqueHook = UniqueHandleOf<HHOOK, &UnhookWindowsHookEx>;

// The dots per inch the dialog starts at: its font's, the system's.
int StartingDpi() {
  const WindowDc screen(nullptr);
  return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

// Gives a picture control `bitmap` and deletes what it gave back: with
// visual styles a static keeps its own copy of a bitmap with alpha and
// returns that copy when the bitmap is replaced, so the copy and the one
// replaced (the caller's) are both gone afterwards.
void SetPictureBitmap(HWND control, HBITMAP bitmap, HBITMAP replaced) {
  const HBITMAP returned =
      reinterpret_cast<HBITMAP>(SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  if (returned != nullptr && returned != replaced) DeleteObject(returned);
}

// Ctrl+C reaches the focused button, never the dialog: the dialog manager's
// loop shows each message to this filter first, which hands the key to the
// step dialog as WM_COPY.
LRESULT CALLBACK CopyKeyFilter(int code, WPARAM wParam, LPARAM lParam) {
  const MSG* message = reinterpret_cast<const MSG*>(lParam);
  if (code == MSGF_DIALOGBOX && message->message == WM_KEYDOWN && message->wParam == 'C' &&
      GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0) {
    SendMessageW(GetAncestor(message->hwnd, GA_ROOT), WM_COPY, 0, 0);
    return TRUE;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class StepDialog final : public TemplateDialog<StepDialog> {
 public:
  StepDialog(const StepDescription& step, POINT& centre)
      : step_(step),
        buttons_(StepButtons(step.question, step.topLevel)),
        centre_(centre),
        caption_(ToWide(step.caption)),
        message_(ToWide(step.message)),
        picture_(step.picture) {}

  StepAnswer ShowModal(HWND owner) {
    return static_cast<StepAnswer>(TemplateDialog::ShowModal(owner, kDialogStyle, kDialogExStyle) - 1);
  }

 private:
  friend class TemplateDialog<StepDialog>;

  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_INITDIALOG: return OnInitDialog();
      case WM_COMMAND: OnCommand(LOWORD(wParam)); return TRUE;
      case WM_SETCURSOR: return OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam));
      case WM_CLOSE: End(StepAnswer::Closed); return TRUE;
      case WM_COPY: CopyPath(); return TRUE;
      case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return TRUE;
      case WM_DESTROY: OnDestroy(); return FALSE;
      default: return FALSE;
    }
  }

  INT_PTR OnInitDialog() {
    font_ = CreateMessageFont();
    SetWindowTextW(hwnd_, caption_.c_str());
    for (const StepButton& button : buttons_) captions_[captionCount_++] = ToWide(button.caption);
    if (OffersCopyButton()) captions_[captionCount_++] = ToWide(kCopyPathCaption);
    const MessageLayout layout = CalculateLayout();

    if (picture_) CreatePicture(layout.picture);
    CreateIcon(layout.icon);
    CreateMessage(message_, layout);
    for (int i = 0; i < layout.buttonCount; ++i) {
      CreateButton(i, captions_[static_cast<std::size_t>(i)], layout.buttons[static_cast<std::size_t>(i)]);
    }
    if (!step_.path.empty()) {
      CreateChild(hwnd_, font_.get(), {L"STATIC", L"", SS_LEFT | SS_NOPREFIX, step_dialog_id::kCopyStatus, 0, layout.status});
      copyKey_.reset(SetWindowsHookExW(WH_MSGFILTER, &CopyKeyFilter, nullptr, GetCurrentThreadId()));
    }

    const POINT topLeft = PlaceCentredOn(centre_, layout.window, WorkAreaAround(centre_));
    SetWindowPos(hwnd_, nullptr, topLeft.x, topLeft.y, layout.window.cx, layout.window.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);

    // No is focused (and so the default) when the text asked for it, the
    // copy at an end that sends the end user to support; otherwise the
    // first button. Enter presses the focused button.
    int focused = step_.question && step_.noDefault ? 1 : 0;
    if (step_.copyFirst && OffersCopyButton()) focused = static_cast<int>(buttons_.size());
    const HWND button = GetDlgItem(hwnd_, step_dialog_id::kFirstButton + focused);
    SendMessageW(hwnd_, DM_SETDEFID, static_cast<WPARAM>(step_dialog_id::kFirstButton + focused), 0);
    SetFocus(button);
    return FALSE;  // the focus is set
  }

  // In the dialog's font. The player's dialogs keep a line above the
  // buttons for the copy's answer.
  MessageLayout CalculateLayout() const {
    const WindowDc dc(hwnd_);
    const SelectedObject selected(dc.Get(), font_.get());
    MessageLayoutRequest request;
    request.text = message_;
    request.buttonCaptions = captions_.data();
    request.buttonCount = static_cast<int>(captionCount_);
    request.style = kDialogStyle;
    request.exStyle = kDialogExStyle;
    request.statusLine = !step_.path.empty();
    request.minimumClientWidth = CaptionTextWidth(dc.Get(), caption_) + kCaptionButtonRoom * GetSystemMetrics(SM_CXSIZE) -
                                 static_cast<int>(FrameSize(kDialogStyle, kDialogExStyle).cx);
    // A picture's pixel is a pixel at 96 dots per inch, as on the screen
    // it was taken from: larger on a screen of a larger scale.
    const SIZE pixels = picture_.Size();
    request.picture = SIZE{MulDiv(pixels.cx, dpi_, 96), MulDiv(pixels.cy, dpi_, 96)};
    return CalculateMessageLayout(dc.Get(), request, WorkAreaAround(centre_));
  }

  // On a screen of another scale: the font at the new DPI, every control
  // where the layout in that font puts it, the place Windows suggests.
  void OnDpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    font_ = CreateMessageFont(dpi);
    SetFontOfChildren(hwnd_, font_.get());
    const MessageLayout layout = CalculateLayout();
    const auto place = [this](int id, const RECT& box) {
      if (HWND control = GetDlgItem(hwnd_, id)) {
        SetWindowPos(control, nullptr, box.left, box.top, box.right - box.left, box.bottom - box.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      }
    };
    if (picture_) ShowPictureAt(layout.picture);
    place(step_dialog_id::kPicture, layout.picture);
    place(step_dialog_id::kIcon, layout.icon);
    place(step_dialog_id::kMessage, layout.text);
    place(step_dialog_id::kCopyStatus, layout.status);
    for (int i = 0; i < layout.buttonCount; ++i) {
      place(step_dialog_id::kFirstButton + i, layout.buttons[static_cast<std::size_t>(i)]);
    }
    MoveToSuggested(hwnd_, suggested);
  }

  // The icon's window text is the kind in words ("確認", "警告"...): what a
  // screen reader names the icon, so the kind reaches those who cannot see
  // it. A static with SS_ICON shows only the icon it is given.
  void CreateIcon(const RECT& rect) {
    const std::wstring kind = ToWide(DialogTypeName(step_.type));
    HWND icon = CreateChild(hwnd_, font_.get(), {L"STATIC", kind.c_str(), SS_ICON, step_dialog_id::kIcon, 0, rect});
    // System icons are shared: nothing to destroy.
    SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, SystemIconOf(step_.type))), 0);
    SetWindowPos(icon, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }

  // The picture's words are its window text, which a screen reader reads
  // as its name; a static with SS_BITMAP shows only the bitmap it is given.
  // A picture whose data is damaged past its header is left out.
  void CreatePicture(const RECT& rect) {
    const std::wstring alt = ToWide(step_.alt);
    HWND picture = CreateChild(hwnd_, font_.get(), {L"STATIC", alt.c_str(), SS_BITMAP, step_dialog_id::kPicture, 0, rect});
    if (!ShowPictureAt(rect)) DestroyWindow(picture);
  }

  bool ShowPictureAt(const RECT& rect) {
    UniqueBitmap bitmap = picture_.Bitmap(SIZE{rect.right - rect.left, rect.bottom - rect.top});
    if (!bitmap) return false;
    SetPictureBitmap(GetDlgItem(hwnd_, step_dialog_id::kPicture), bitmap.get(), pictureBitmap_.get());
    pictureBitmap_ = std::move(bitmap);
    return true;
  }

  // A message too long for the screen scrolls in a read-only edit box.
  void CreateMessage(const std::wstring& message, const MessageLayout& layout) {
    const bool scrolling = layout.scrollingText;
    CreateChild(hwnd_, font_.get(),
                {scrolling ? L"EDIT" : L"STATIC", message.c_str(),
                 scrolling ? WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL : kMessageStyle,
                 step_dialog_id::kMessage, 0, layout.text});
  }

  void CreateButton(int index, const std::wstring& caption, const RECT& rect) {
    const DWORD style = WS_TABSTOP | BS_PUSHBUTTON | (index == 0 ? WS_GROUP : 0);
    CreateChild(hwnd_, font_.get(), {L"BUTTON", caption.c_str(), style, step_dialog_id::kFirstButton + index, 0, rect});
  }

  // The player's third button at an end of a path: copy the path taken.
  bool OffersCopyButton() const { return !step_.question && !step_.path.empty(); }
  int ButtonCount() const { return static_cast<int>(buttons_.size()) + (OffersCopyButton() ? 1 : 0); }

  // The line above the buttons says what happened, as the HTML player's
  // status does. Another program may hold the clipboard for a moment: the
  // line and a beep say the copy did not happen, and pressing again will do.
  void CopyPath() {
    if (step_.path.empty()) return;
    const bool copied = CopyPathToClipboard(hwnd_, step_.path);
    SetWindowTextW(GetDlgItem(hwnd_, step_dialog_id::kCopyStatus),
                   ToWide(copied ? kCopiedStatus : kCopyFailedStatus).c_str());
    if (!copied) MessageBeep(MB_ICONWARNING);
  }

  void OnCommand(int id) {
    const int index = id - step_dialog_id::kFirstButton;
    if (OffersCopyButton() && index == static_cast<int>(buttons_.size())) {
      CopyPath();
      return;
    }
    if (index >= 0 && index < static_cast<int>(buttons_.size())) {
      End(buttons_[static_cast<std::size_t>(index)].answer);
      return;
    }
    // Escape arrives as IDCANCEL: it presses the second button of an end of
    // a path; a question has no Escape button, so it does nothing there.
    if (id == IDCANCEL && !step_.question) End(buttons_[1].answer);
  }

  INT_PTR OnSetCursor(HWND target, UINT hitTest) {
    if (hitTest != HTCLIENT || GetAncestor(target, GA_PARENT) != hwnd_) return FALSE;
    const int index = GetDlgCtrlID(target) - step_dialog_id::kFirstButton;
    if (index < 0 || index >= ButtonCount()) return FALSE;
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return Answer(TRUE);
  }

  // The next dialog appears where this one was left.
  void OnDestroy() {
    RECT rect{};
    if (GetWindowRect(hwnd_, &rect)) centre_ = CentreOf(rect);
    if (HWND picture = GetDlgItem(hwnd_, step_dialog_id::kPicture)) {
      SetPictureBitmap(picture, nullptr, pictureBitmap_.get());
    }
  }

  void End(StepAnswer answer) { EndDialog(hwnd_, static_cast<INT_PTR>(answer) + 1); }

  const StepDescription& step_;
  const StepButtonRow buttons_;
  POINT& centre_;
  const std::wstring caption_;
  const std::wstring message_;
  // The picture, decoded as the dialog is made, and the bitmap shown, at
  // the dialog's scale.
  const DecodedPicture picture_;
  UniqueBitmap pictureBitmap_;
  int dpi_ = StartingDpi();
  // A fixed row: a question has three buttons, an end of a path two and
  // the player's copy button.
  std::array<std::wstring, kMaxMessageButtons> captions_;
  std::size_t captionCount_ = 0;
  UniqueFont font_;
  UniqueHook copyKey_;
};

}  // namespace

POINT InitialPreviewDialogCentre() { return ScreenCentre(); }

StepAnswer ShowStepDialog(HWND owner, const StepDescription& step, POINT& previewDialogCentre) {
  StepDialog dialog(step, previewDialogCentre);
  return dialog.ShowModal(owner);
}

}  // namespace velmora::win32
