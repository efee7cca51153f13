#include "document/win32/InputBox.h"

#include <vector>

#include "win32/WideText.h"
#include "document/win32/TextGuard.h"

namespace velmora::win32 {
namespace {

using namespace input_box;

// The box's design size at 96 DPI, about that of a classic input box.
constexpr int kClientWidth = 320;
constexpr int kClientHeight = 106;
constexpr int kMargin = 10;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
// "ＭＳ Ｐゴシック", the main window's font.
constexpr wchar_t kFontName[] = L"\uff2d\uff33 \uff30\u30b4\u30b7\u30c3\u30af";

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
  const int copied = GetWindowTextW(window, buffer.data(), length + 1);
  return std::wstring(buffer.data(), static_cast<std::size_t>(copied));
}

}  // namespace

InputBox::InputBox(HWND owner, const std::wstring& caption, const std::wstring& prompt, const std::wstring& initialText)
    : owner_(owner), promptText_(prompt), initialText_(initialText) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WindowClassLook look;
  look.background = ButtonFaceBackground();
  RegisterClassOnce(instance, look);
  HDC screen = GetDC(nullptr);
  dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT frame{0, 0, Scale(kClientWidth), Scale(kClientHeight)};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  CreateOwnWindow(exStyle, caption.c_str(), style, POINT{0, 0}, SIZE{frame.right - frame.left, frame.bottom - frame.top},
                  owner, instance);
}

InputBox::~InputBox() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

LRESULT InputBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT handled = 0;
  if (HandleDialogLikeMessage(hwnd_, focus_, message, wParam, lParam, handled)) return handled;
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(GetFocus() == cancel_ ? kCancel : kOk, DC_HASDEFID);
    case WM_CLOSE:
      done_ = true;
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void InputBox::OnCreate() {
  font_.reset(CreateFontW(-Scale(12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, kFontName));
  prompt_ = CreateChild(L"STATIC", promptText_.c_str(), SS_LEFT | SS_NOPREFIX, kPrompt);
  edit_ = CreateChild(L"EDIT", initialText_.c_str(), WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, kEdit, WS_EX_CLIENTEDGE);
  ok_ = CreateChild(L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, kOk);
  // "キャンセル" (cancel)
  cancel_ = CreateChild(L"BUTTON", L"\u30ad\u30e3\u30f3\u30bb\u30eb", BS_PUSHBUTTON | WS_TABSTOP, kCancel);
  ApplyLayout();
}

HWND InputBox::CreateChild(const wchar_t* className, const wchar_t* text, DWORD style, int id, DWORD exStyle) {
  HWND child = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, hwnd_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return child;
}

int InputBox::Scale(int pixels) const { return MulDiv(pixels, dpi_, 96); }

void InputBox::ApplyLayout() {
  const int margin = Scale(kMargin);
  const int width = Scale(kClientWidth) - 2 * margin;
  const int buttonWidth = Scale(kButtonWidth);
  const int buttonHeight = Scale(kButtonHeight);
  SetWindowPos(prompt_, nullptr, margin, margin, width, Scale(16), SWP_NOZORDER);
  SetWindowPos(edit_, nullptr, margin, margin + Scale(22), width, Scale(22), SWP_NOZORDER);
  const int buttonTop = Scale(kClientHeight) - margin - buttonHeight;
  const int cancelLeft = margin + width - buttonWidth;
  SetWindowPos(cancel_, nullptr, cancelLeft, buttonTop, buttonWidth, buttonHeight, SWP_NOZORDER);
  SetWindowPos(ok_, nullptr, cancelLeft - Scale(8) - buttonWidth, buttonTop, buttonWidth, buttonHeight, SWP_NOZORDER);
}

void InputBox::OnCommand(int id) {
  if (id == kOk) return OkClick();
  if (id == kCancel) done_ = true;
}

void InputBox::OkClick() {
  if (RefuseUnrepresentableText(hwnd_, WindowText(edit_), edit_)) return;
  accepted_ = true;
  done_ = true;
}

std::optional<std::wstring> InputBox::ShowModal() {
  if (hwnd_ == nullptr) return std::nullopt;
  CentreOnOwner(hwnd_, owner_);
  SendMessageW(edit_, EM_SETSEL, 0, -1);
  focus_.Remember(edit_);
  done_ = false;
  accepted_ = false;
  RunModalLoop(hwnd_, owner_, done_);
  if (!accepted_) return std::nullopt;
  return WindowText(edit_);
}

std::optional<std::string> Win32InputBox::AskText(const std::string& caption, const std::string& prompt,
                                                  const std::string& initialText) {
  InputBox box(owner_, ToWide(caption), ToWide(prompt), ToWide(initialText));
  const std::optional<std::wstring> answer = box.ShowModal();
  if (!answer) return std::nullopt;
  return ToCp932(*answer);
}

}  // namespace velmora::win32
