#include "win32/BoxButtons.h"

#include "win32/Controls.h"
#include "win32/WideText.h"

namespace velmora::win32 {
namespace {

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 8;

// "キャンセル" (Cancel)
constexpr char kCancelCaption[] = "\x83\x4c\x83\x83\x83\x93\x83\x5a\x83\x8b";

}  // namespace

BoxButtons CreateBoxButtons(HWND box, HFONT font) {
  BoxButtons buttons;
  buttons.ok = CreateChild(box, font, {L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK});
  buttons.cancel = CreateChild(box, font, {L"BUTTON", ToWide(kCancelCaption).c_str(), BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL});
  return buttons;
}

int PlaceBoxButtons(const BoxButtons& buttons, const DpiScale& scale, SIZE designClient, int designMargin) {
  const int width = scale(kButtonWidth);
  const int height = scale(kButtonHeight);
  const int top = scale(designClient.cy) - scale(designMargin) - height;
  const int cancelLeft = scale(designClient.cx) - scale(designMargin) - width;
  SetWindowPos(buttons.cancel, nullptr, cancelLeft, top, width, height, SWP_NOZORDER);
  SetWindowPos(buttons.ok, nullptr, cancelLeft - scale(kButtonGap) - width, top, width, height, SWP_NOZORDER);
  return top;
}

}  // namespace velmora::win32
