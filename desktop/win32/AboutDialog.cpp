#include "desktop/win32/AboutDialog.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "win32/ControlColours.h"
#include "win32/Controls.h"
#include "win32/DialogUnits.h"
#include "win32/Dpi.h"
#include "win32/Fonts.h"
#include "win32/Gradient.h"
#include "win32/MessageLayout.h"
#include "win32/Placement.h"
#include "win32/TemplateDialog.h"
#include "win32/WideText.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {
namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME;
// SS_NOPREFIX: an "&" in the program's path is text, not an accelerator.
constexpr DWORD kTextStyle = SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL;

bool UpdateCoversClient(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  const UniqueHandleOf<HRGN, &DeleteObject> update(CreateRectRgn(0, 0, 0, 0));
  const UniqueHandleOf<HRGN, &DeleteObject> whole(CreateRectRgnIndirect(&client));
  if (update == nullptr || whole == nullptr) return true;
  GetUpdateRgn(window, update.get(), FALSE);
  return EqualRgn(update.get(), whole.get()) != FALSE;
}

class AboutDialog final : public TemplateDialog<AboutDialog> {
 public:
  AboutDialog(const AboutBoxInput& input, HICON icon)
      : text_(ToWide(input.text)),
        caption_(ToWide(input.caption)),
        okCaption_(ToWide(input.okCaption)),
        homePageCaption_(ToWide(input.homePageCaption)),
        icon_(icon) {}

  AboutBoxResult ShowModal(HWND owner) {
    owner_ = owner;
    const INT_PTR result = TemplateDialog::ShowModal(owner, kDialogStyle, kDialogExStyle);
    AboutBoxResult answer;
    if (result == about_dialog_id::kHomePage) answer.closedWith = AboutBoxChoice::HomePage;
    return answer;
  }

 private:
  friend class TemplateDialog<AboutDialog>;

  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_INITDIALOG: return OnInitDialog();
      case WM_COMMAND: OnCommand(LOWORD(wParam)); return TRUE;
      case WM_SETCURSOR: return OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam));
      case WM_CTLCOLORSTATIC: return OnStaticColour(reinterpret_cast<HDC>(wParam));
      case WM_ERASEBKGND: return Answer(TRUE);  // WM_PAINT covers everything
      case WM_PAINT: OnPaint(); return TRUE;
      case WM_PRINTCLIENT: OnPrintClient(reinterpret_cast<HDC>(wParam)); return TRUE;
      case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return TRUE;
      default: return FALSE;
    }
  }

  INT_PTR OnInitDialog() {
    font_ = CreateMessageFont();
    SetWindowTextW(hwnd_, caption_.c_str());
    const POINT centre = CentreOf(owner_);
    const RECT work = WorkAreaAround(centre);
    const MessageLayout layout = MeasureLayout(work);
    HWND icon = CreateChild(hwnd_, font_.get(), {L"STATIC", nullptr, SS_ICON, about_dialog_id::kIcon, 0, layout.icon});
    SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
    // SS_ICON sizes itself to the icon; put it back where the layout wants it.
    SetWindowPos(icon, nullptr, layout.icon.left, layout.icon.top, layout.icon.right - layout.icon.left,
                 layout.icon.bottom - layout.icon.top, SWP_NOZORDER | SWP_NOACTIVATE);
    CreateChild(hwnd_, font_.get(), {L"STATIC", text_.c_str(), kTextStyle, about_dialog_id::kText, 0, layout.text});
    const HWND ok = CreateChild(hwnd_, font_.get(),
                                {L"BUTTON", okCaption_.c_str(), WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON,
                                 about_dialog_id::kOk, 0, layout.buttons[0]});
    CreateChild(hwnd_, font_.get(),
                {L"BUTTON", homePageCaption_.c_str(), WS_TABSTOP | BS_PUSHBUTTON, about_dialog_id::kHomePage, 0,
                 layout.buttons[1]});

    const POINT topLeft = PlaceCentredOn(centre, layout.window, work);
    SetWindowPos(hwnd_, nullptr, topLeft.x, topLeft.y, layout.window.cx, layout.window.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(hwnd_, DM_SETDEFID, static_cast<WPARAM>(about_dialog_id::kOk), 0);
    SetFocus(ok);
    return FALSE;  // the focus is set
  }

  // On a screen of another scale: the font at the new DPI, the controls
  // where the layout in that font puts them, the place Windows suggests.
  void OnDpiChanged(int dpi, const RECT& suggested) {
    font_ = CreateMessageFont(dpi);
    SetFontOfChildren(hwnd_, font_.get());
    const MessageLayout layout = MeasureLayout(WorkAreaAround(CentreOf(hwnd_)));
    const auto place = [this](int id, const RECT& box) {
      MoveWindow(GetDlgItem(hwnd_, id), box.left, box.top, box.right - box.left, box.bottom - box.top, TRUE);
    };
    place(about_dialog_id::kIcon, layout.icon);
    place(about_dialog_id::kText, layout.text);
    place(about_dialog_id::kOk, layout.buttons[0]);
    place(about_dialog_id::kHomePage, layout.buttons[1]);
    MoveToSuggested(hwnd_, suggested);
  }

  // Measured in the dialog's font. The text takes the width it needs, its
  // top beside the icon's; only a line wider than the screen (a deep
  // folder) is wrapped.
  MessageLayout MeasureLayout(const RECT& work) const {
    const WindowDc dc(hwnd_);
    const SelectedObject selected(dc.Get(), font_.get());
    const std::wstring buttons[] = {okCaption_, homePageCaption_};
    MessageLayoutRequest request;
    request.text = text_;
    request.buttonCaptions = buttons;
    request.buttonCount = 2;
    request.style = kDialogStyle;
    request.exStyle = kDialogExStyle;
    request.naturalWidth = true;
    request.iconAtTop = true;
    return CalculateMessageLayout(dc.Get(), request, work);
  }

  // Escape and the close box arrive as IDCANCEL and answer like OK.
  void OnCommand(int id) {
    if (id == about_dialog_id::kHomePage) {
      EndDialog(hwnd_, about_dialog_id::kHomePage);
    } else if (id == IDOK || id == IDCANCEL) {
      EndDialog(hwnd_, IDOK);
    }
  }

  INT_PTR OnSetCursor(HWND target, UINT hitTest) {
    if (hitTest != HTCLIENT) return FALSE;
    const int id = GetDlgCtrlID(target);
    if (GetParent(target) != hwnd_ || (id != about_dialog_id::kOk && id != about_dialog_id::kHomePage)) return FALSE;
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return Answer(TRUE);
  }

  // The label and the icon let the gradient show through.
  // With high contrast the box drops its gradient for the system's colours.
  static INT_PTR OnStaticColour(HDC dc) {
    return HighContrastOn() ? FaceControlColours(dc) : TransparentControlColours(dc);
  }

  // Every paint draws a new gradient over the whole dialog: a paint of
  // only a part (a window moved off a corner) is widened to all of it, so
  // that the background never shows two colours side by side. The children
  // are repainted over it.
  void OnPaint() {
    if (!UpdateCoversClient(hwnd_)) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    if (HighContrastOn()) {
      FillSystemFace(dc);
    } else {
      gradient_ = PaintAboutGradient(hwnd_, dc);
    }
    EndPaint(hwnd_, &paint);
  }

  // A themed button asks for the background behind it; that is the
  // gradient already on screen, not a new one.
  void OnPrintClient(HDC dc) {
    if (HighContrastOn()) {
      FillSystemFace(dc);
      return;
    }
    RECT client{};
    GetClientRect(hwnd_, &client);
    FillAboutGradient(dc, client, gradient_);
  }

  void FillSystemFace(HDC dc) const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  }

  const std::wstring text_;
  const std::wstring caption_;
  const std::wstring okCaption_;
  const std::wstring homePageCaption_;
  HICON icon_;
  HWND owner_ = nullptr;
  UniqueFont font_;
  AboutGradient gradient_ = AboutGradientFor(kAboutGradientWhite - 1);
};

}  // namespace

AboutBoxResult Win32AboutDialog::ShowAboutBox(const AboutBoxInput& input) {
  AboutDialog dialog(input, icon_);
  return dialog.ShowModal(owner_);
}

AboutGradient PaintAboutGradient(HWND dialog, HDC dc) {
  const AboutGradient gradient = AboutGradientFor(DrawAboutColour([] { return std::rand(); }, RAND_MAX));
  RECT client{};
  GetClientRect(dialog, &client);
  FillAboutGradient(dc, client, gradient);
  return gradient;
}

void FillAboutGradient(HDC dc, const RECT& area, const AboutGradient& gradient) {
  // From white; the colours are 0x00BBGGRR, as COLORREFs are.
  FillGradient(dc, area, static_cast<COLORREF>(kAboutGradientWhite), static_cast<COLORREF>(gradient.endColour),
               gradient.horizontal ? GradientDirection::LeftToRight : GradientDirection::TopToBottom);
}

}  // namespace velmora::win32
