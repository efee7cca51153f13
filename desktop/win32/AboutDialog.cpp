#include "desktop/win32/AboutDialog.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "win32/ControlColours.h"
#include "win32/Controls.h"
#include "win32/Fonts.h"
#include "win32/TemplateDialog.h"
#include "win32/WideText.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {
namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME;
// SS_NOPREFIX: an "&" in the program's path is text, not an accelerator.
constexpr DWORD kTextStyle = SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL;
constexpr UINT kMeasureFlags = DT_CALCRECT | DT_LEFT | DT_NOPREFIX | DT_EXPANDTABS;

// Where the parts go, in client coordinates, and the window's size.
struct AboutLayout {
  RECT icon{};
  RECT text{};
  RECT ok{};
  RECT homePage{};
  SIZE window{};
};

SIZE FrameSize() {
  RECT rect{0, 0, 0, 0};
  AdjustWindowRectEx(&rect, kDialogStyle, FALSE, kDialogExStyle);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

// Sizes follow the dialog's font, as the system's message dialogs do: a
// horizontal unit is a quarter of the average character, a vertical one an
// eighth of the line.
class AboutLayoutCalculator {
 public:
  explicit AboutLayoutCalculator(HDC dc) : dc_(dc) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    charWidth_ = std::max(1, static_cast<int>(metrics.tmAveCharWidth));
    lineHeight_ = std::max(1, static_cast<int>(metrics.tmHeight));
  }

  AboutLayout Calculate(const std::wstring& text, const std::wstring& ok, const std::wstring& homePage,
                        const RECT& workArea) const {
    const int margin = X(7);
    const int marginY = Y(7);
    const int iconWidth = GetSystemMetrics(SM_CXICON);
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    const int iconGap = X(7);
    const SIZE frame = FrameSize();
    const int buttonWidth = std::max({X(50), CaptionWidth(ok) + X(10), CaptionWidth(homePage) + X(10)});
    const int buttonHeight = Y(14);
    const int buttonGap = X(4);
    const int buttonsWidth = 2 * buttonWidth + buttonGap;

    // The label takes the size of its text; only a line wider than the
    // screen (a deep folder) is wrapped.
    const int chromeWidth = static_cast<int>(frame.cx) + 2 * margin + iconWidth + iconGap;
    const int maxTextWidth = std::max(X(60), static_cast<int>(workArea.right - workArea.left) - chromeWidth);
    SIZE textSize = Measure(text, 0, kMeasureFlags);
    if (textSize.cx > maxTextWidth) textSize = Measure(text, maxTextWidth, kMeasureFlags | DT_WORDBREAK | DT_EDITCONTROL);

    AboutLayout layout;
    const int contentHeight = std::max(static_cast<int>(textSize.cy), iconHeight);
    const int clientWidth =
        std::max(2 * margin + iconWidth + iconGap + static_cast<int>(textSize.cx), 2 * margin + buttonsWidth);
    const int clientHeight = 2 * marginY + contentHeight + Y(7) + buttonHeight;
    layout.icon = {margin, marginY, margin + iconWidth, marginY + iconHeight};
    const int textLeft = margin + iconWidth + iconGap;
    layout.text = {textLeft, marginY, textLeft + static_cast<int>(textSize.cx), marginY + static_cast<int>(textSize.cy)};
    const int buttonTop = marginY + contentHeight + Y(7);
    const int left = (clientWidth - buttonsWidth) / 2;
    layout.ok = {left, buttonTop, left + buttonWidth, buttonTop + buttonHeight};
    const int secondLeft = left + buttonWidth + buttonGap;
    layout.homePage = {secondLeft, buttonTop, secondLeft + buttonWidth, buttonTop + buttonHeight};
    layout.window = {clientWidth + frame.cx, clientHeight + frame.cy};
    return layout;
  }

 private:
  int X(int units) const { return MulDiv(units, charWidth_, 4); }
  int Y(int units) const { return MulDiv(units, lineHeight_, 8); }

  SIZE Measure(const std::wstring& text, int width, UINT flags) const {
    RECT rect{0, 0, width, 0};
    if (!text.empty()) DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &rect, flags);
    return {rect.right - rect.left, rect.bottom - rect.top};
  }

  int CaptionWidth(const std::wstring& caption) const {
    return static_cast<int>(Measure(caption, 0, DT_CALCRECT | DT_SINGLELINE).cx);
  }

  HDC dc_;
  int charWidth_ = 6;
  int lineHeight_ = 13;
};

// The centre of the owner, or of the screen without one.
POINT CentreOf(HWND owner) {
  RECT rect{};
  if (owner == nullptr || !GetWindowRect(owner, &rect)) {
    return {GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2};
  }
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

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
      default: return FALSE;
    }
  }

  INT_PTR OnInitDialog() {
    font_ = CreateMessageFont();
    SetWindowTextW(hwnd_, caption_.c_str());
    const POINT centre = CentreOf(owner_);
    const RECT work = WorkAreaAround(centre);
    const AboutLayout layout = MeasureLayout(work);
    HWND icon = CreateChild(hwnd_, font_.get(), {L"STATIC", nullptr, SS_ICON, about_dialog_id::kIcon, 0, layout.icon});
    SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
    // SS_ICON sizes itself to the icon; put it back where the layout wants it.
    SetWindowPos(icon, nullptr, layout.icon.left, layout.icon.top, layout.icon.right - layout.icon.left,
                 layout.icon.bottom - layout.icon.top, SWP_NOZORDER | SWP_NOACTIVATE);
    CreateChild(hwnd_, font_.get(), {L"STATIC", text_.c_str(), kTextStyle, about_dialog_id::kText, 0, layout.text});
    const HWND ok = CreateChild(hwnd_, font_.get(),
                                {L"BUTTON", okCaption_.c_str(), WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON,
                                 about_dialog_id::kOk, 0, layout.ok});
    CreateChild(hwnd_, font_.get(),
                {L"BUTTON", homePageCaption_.c_str(), WS_TABSTOP | BS_PUSHBUTTON, about_dialog_id::kHomePage, 0,
                 layout.homePage});

    const POINT topLeft = PlaceCentredOn(centre, layout.window, work);
    SetWindowPos(hwnd_, nullptr, topLeft.x, topLeft.y, layout.window.cx, layout.window.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(hwnd_, DM_SETDEFID, static_cast<WPARAM>(about_dialog_id::kOk), 0);
    SetFocus(ok);
    return FALSE;  // the focus is set
  }

  // Measured in the dialog's font.
  AboutLayout MeasureLayout(const RECT& work) const {
    const WindowDc dc(hwnd_);
    SelectedObject selected(dc.Get(), font_.get());
    return AboutLayoutCalculator(dc.Get()).Calculate(text_, okCaption_, homePageCaption_, work);
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
  static INT_PTR OnStaticColour(HDC dc) { return TransparentControlColours(dc); }

  // Every paint draws a new gradient over the whole dialog: a paint of
  // only a part (a window moved off a corner) is widened to all of it, so
  // that the background never shows two colours side by side. The children
  // are repainted over it.
  void OnPaint() {
    if (!UpdateCoversClient(hwnd_)) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    gradient_ = PaintAboutGradient(hwnd_, dc);
    EndPaint(hwnd_, &paint);
  }

  // A themed button asks for the background behind it; that is the
  // gradient already on screen, not a new one.
  void OnPrintClient(HDC dc) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    FillAboutGradient(dc, client, gradient_);
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

COLOR16 Channel(std::uint32_t colour, int shift) { return static_cast<COLOR16>(((colour >> shift) & 0xFF) << 8); }

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
  const std::uint32_t end = gradient.endColour;
  TRIVERTEX vertices[2] = {
      {area.left, area.top, 0xFF00, 0xFF00, 0xFF00, 0},
      {area.right, area.bottom, Channel(end, 0), Channel(end, 8), Channel(end, 16), 0}};
  GRADIENT_RECT rect{0, 1};
  GradientFill(dc, vertices, 2, &rect, 1, gradient.horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

}  // namespace velmora::win32
