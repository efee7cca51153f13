#include "document/win32/InputBox.h"

#include "document/win32/TextGuard.h"
#include "win32/BoxButtons.h"
#include "win32/Controls.h"
#include "win32/Dpi.h"
#include "win32/Fonts.h"
#include "win32/WideText.h"

namespace velmora::win32 {
namespace {

using namespace input_box;

// The box's design size at 96 DPI, about that of a classic input box.
constexpr int kClientWidth = 320;
constexpr int kClientHeight = 106;
constexpr int kMargin = 10;
constexpr int kPromptHeight = 16;
// The edit box sits this far below the prompt's top and is as high.
constexpr int kEditOffset = 22;
constexpr int kEditHeight = 22;

}  // namespace

InputBox::InputBox(HWND owner, const std::wstring& caption, const std::wstring& prompt, const std::wstring& initialText)
    : owner_(owner), promptText_(prompt), initialText_(initialText), scale_(WindowDpi(owner)) {
  CreateBox(owner, caption.c_str(), SIZE{kClientWidth, kClientHeight}, scale_);
}

InputBox::~InputBox() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

// Cancel, Escape and the close box are the base's.
LRESULT InputBox::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kOk) OkClick();
      return 0;
    case WM_DPICHANGED:
      RescaleBox(wParam, lParam, scale_, font_);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void InputBox::OnCreate() {
  scale_ = DpiScale(WindowDpi(hwnd_));
  font_ = CreateUiFont(scale_);
  const auto child = [this](const ChildControl& control) { return CreateChild(hwnd_, font_.get(), control); };
  prompt_ = child({L"STATIC", promptText_.c_str(), SS_LEFT | SS_NOPREFIX, kPrompt});
  edit_ = child({L"EDIT", initialText_.c_str(), WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, kEdit, WS_EX_CLIENTEDGE});
  buttons_ = CreateBoxButtons(hwnd_, font_.get());
  ApplyLayout();
}

void InputBox::ApplyLayout() {
  const int margin = scale_(kMargin);
  const int width = scale_(kClientWidth) - 2 * margin;
  SetWindowPos(prompt_, nullptr, margin, margin, width, scale_(kPromptHeight), SWP_NOZORDER);
  SetWindowPos(edit_, nullptr, margin, margin + scale_(kEditOffset), width, scale_(kEditHeight), SWP_NOZORDER);
  PlaceBoxButtons(buttons_, scale_, SIZE{kClientWidth, kClientHeight}, kMargin);
}

void InputBox::OkClick() {
  if (RefuseUnrepresentableText(hwnd_, WindowText(edit_), edit_)) return;
  EndModal(true);
}

std::optional<std::wstring> InputBox::ShowModal() {
  SendMessageW(edit_, EM_SETSEL, 0, -1);
  if (!RunModal(owner_, edit_)) return std::nullopt;
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
