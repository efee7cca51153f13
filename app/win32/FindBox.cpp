#include "app/win32/FindBox.h"

#include "win32/Fonts.h"

#include <utility>

#include "app/CommandIds.h"
#include "document/FlagScope.h"
#include "win32/Controls.h"
#include "win32/WideText.h"

namespace velmora::win32 {
namespace {

// "検索"
constexpr char kCaption[] = "\x8c\x9f\x8d\xf5";
// "検索する文字列(&S):"
constexpr char kLabel[] = "\x8c\x9f\x8d\xf5\x82\xb7\x82\xe9\x95\xb6\x8e\x9a\x97\xf1\x28\x26\x53\x29\x3a";
// "次を検索(&N)"
constexpr char kNextCaption[] = "\x8e\x9f\x82\xf0\x8c\x9f\x8d\xf5\x28\x26\x4e\x29";
// "前を検索(&P)"
constexpr char kPreviousCaption[] = "\x91\x4f\x82\xf0\x8c\x9f\x8d\xf5\x28\x26\x50\x29";

// "メモも検索(&O)" (search the notes too)
constexpr char kInNotesCaption[] = "\x83\x81\x83\x82\x82\xe0\x8c\x9f\x8d\xf5\x28\x26\x4f\x29";
constexpr int kEditId = 100;
constexpr int kStatusId = 101;
constexpr int kLabelId = 102;

// The design, in pixels at 96 DPI: a label over the text, the two buttons
// side by side below it, the status line at the bottom.
constexpr int kClientWidth = 280;
constexpr int kClientHeight = 132;
constexpr int kMargin = 8;
constexpr int kLineHeight = 16;
constexpr int kEditHeight = 22;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 24;

RECT Box(DpiScale scale, int left, int top, int width, int height) {
  return RECT{scale(left), scale(top), scale(left + width), scale(top + height)};
}

}  // namespace

FindBox::FindBox(HWND owner, DpiScale scale, FindBoxActions actions)
    : actions_(std::move(actions)), scale_(scale), font_(CreateUiFont(scale)) {
  RegisterClassOnce(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)),
                    WindowClassLook{nullptr, nullptr, ButtonFaceBackground()});
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  const DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
  RECT frame{0, 0, scale(kClientWidth), scale(kClientHeight)};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  RECT ownerRect{};
  GetWindowRect(owner, &ownerRect);
  const SIZE size{frame.right - frame.left, frame.bottom - frame.top};
  const POINT at{ownerRect.right - size.cx - scale(kMargin * 3), ownerRect.top + scale(kMargin * 8)};
  CreateOwnWindow(exStyle, ToWide(kCaption).c_str(), style, at, size, owner,
                  reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)));
  CreateControls();
  Layout();
}

FindBox::~FindBox() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

void FindBox::CreateControls() {
  HFONT font = font_.get();
  CreateChild(hwnd_, font, {L"STATIC", ToWide(kLabel).c_str(), SS_LEFT, kLabelId});
  edit_ = CreateChild(hwnd_, font, {L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, kEditId, WS_EX_CLIENTEDGE});
  inNotes_ = CreateChild(hwnd_, font,
                         {L"BUTTON", ToWide(kInNotesCaption).c_str(), BS_AUTOCHECKBOX | WS_TABSTOP, IDM_FINDINNOTES});
  next_ = CreateChild(hwnd_, font, {L"BUTTON", ToWide(kNextCaption).c_str(), BS_DEFPUSHBUTTON | WS_TABSTOP, IDM_FINDNEXT});
  previous_ =
      CreateChild(hwnd_, font, {L"BUTTON", ToWide(kPreviousCaption).c_str(), BS_PUSHBUTTON | WS_TABSTOP, IDM_FINDPREVIOUS});
  status_ = CreateChild(hwnd_, font, {L"STATIC", L"", SS_LEFT | SS_NOPREFIX, kStatusId});
}

void FindBox::Layout() {
  const int optionTop = kMargin + kLineHeight + kEditHeight + kMargin / 2;
  const int buttonsTop = optionTop + kLineHeight + kMargin;
  const int statusTop = buttonsTop + kButtonHeight + kMargin;
  const int wide = kClientWidth - 2 * kMargin;
  const auto place = [this](HWND control, const RECT& box) {
    MoveWindow(control, box.left, box.top, box.right - box.left, box.bottom - box.top, TRUE);
  };
  place(GetDlgItem(hwnd_, kLabelId), Box(scale_, kMargin, kMargin, wide, kLineHeight));
  place(edit_, Box(scale_, kMargin, kMargin + kLineHeight, wide, kEditHeight));
  place(inNotes_, Box(scale_, kMargin, optionTop, wide, kLineHeight));
  place(next_, Box(scale_, kMargin, buttonsTop, kButtonWidth, kButtonHeight));
  place(previous_, Box(scale_, kMargin * 2 + kButtonWidth, buttonsTop, kButtonWidth, kButtonHeight));
  place(status_, Box(scale_, kMargin, statusTop, wide, kLineHeight));
}

// On a screen of another scale: a font of its own at the new DPI.
void FindBox::OnDpiChanged(int dpi, const RECT& suggested) {
  scale_ = DpiScale(dpi);
  font_ = CreateUiFont(scale_);
  SetFontOfChildren(hwnd_, font_.get());
  MoveToSuggested(hwnd_, suggested);
  Layout();
}

void FindBox::ShowAndFocus() {
  ShowWindow(hwnd_, SW_SHOW);
  SetActiveWindow(hwnd_);
  SetFocus(edit_);
  SendMessageW(edit_, EM_SETSEL, 0, -1);
}

void FindBox::Render(const std::string& text, const std::string& status, bool canStep, bool inNotes) {
  const WPARAM check = inNotes ? BST_CHECKED : BST_UNCHECKED;
  if (static_cast<WPARAM>(SendMessageW(inNotes_, BM_GETCHECK, 0, 0)) != check) SendMessageW(inNotes_, BM_SETCHECK, check, 0);
  // The box's own typing already is the core's text; writing it back would
  // move the caret.
  if (ToCp932(WindowText(edit_)) != text) {
    const FlagScope rendering(rendering_);
    SetWindowTextW(edit_, ToWide(text).c_str());
  }
  if (ToCp932(WindowText(status_)) != status) SetWindowTextW(status_, ToWide(status).c_str());
  for (HWND button : {next_, previous_}) {
    if ((IsWindowEnabled(button) != FALSE) != canStep) EnableWindow(button, canStep);
  }
}

bool FindBox::PreTranslate(MSG& message) {
  if (hwnd_ == nullptr || (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd))) return false;
  if (message.message == WM_KEYDOWN) {
    const bool back = GetKeyState(VK_SHIFT) < 0;
    switch (message.wParam) {
      case VK_RETURN:
      case VK_F3:
        actions_.command(back ? IDM_FINDPREVIOUS : IDM_FINDNEXT);
        return true;
      case VK_ESCAPE:
        ShowWindow(hwnd_, SW_HIDE);
        return true;
      default:
        break;
    }
  }
  return IsDialogMessageW(hwnd_, &message) != FALSE;
}

LRESULT FindBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_CLOSE:
      ShowWindow(hwnd_, SW_HIDE);
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

void FindBox::OnCommand(int id, int code) {
  if (id == kEditId) {
    if (code == EN_CHANGE && !rendering_) actions_.textChanged(ToCp932(WindowText(edit_)));
    return;
  }
  if ((id == IDM_FINDNEXT || id == IDM_FINDPREVIOUS || id == IDM_FINDINNOTES) && code == BN_CLICKED) {
    actions_.command(id);
  }
}

}  // namespace velmora::win32
