#include "win32/CaptionGroup.h"

#include <commctrl.h>

#include <string>

#include "win32/Controls.h"

namespace velmora::win32 {
namespace {

// Between the caption and the group's first control, at 96 DPI.
constexpr int kCaptionGap = 4;

void PaintCaption(HWND groupBox, HWND firstMember) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(groupBox, &paint);
  RECT caption{};
  GetClientRect(groupBox, &caption);
  RECT member{};
  GetWindowRect(firstMember, &member);
  MapWindowPoints(nullptr, groupBox, reinterpret_cast<POINT*>(&member), 2);
  caption.right = member.left - MulDiv(kCaptionGap, GetDeviceCaps(dc, LOGPIXELSX), 96);
  // The parent chooses the text's colours and background as for any static
  // text; the background goes under the caption only, the row's controls
  // paint themselves.
  const auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(groupBox), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(groupBox)));
  if (brush != nullptr) FillRect(dc, &caption, brush);
  SetBkMode(dc, TRANSPARENT);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(groupBox, WM_GETFONT, 0, 0));
  const HGDIOBJ previous = SelectObject(dc, font);
  const std::wstring text = WindowText(groupBox);
  // The letter is underlined only while the keyboard is in use, as Windows
  // does for labels.
  const auto cues = static_cast<UINT>(SendMessageW(groupBox, WM_QUERYUISTATE, 0, 0));
  const UINT prefix = (cues & UISF_HIDEACCEL) != 0 ? DT_HIDEPREFIX : 0;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &caption,
            DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | prefix);
  SelectObject(dc, previous);
  EndPaint(groupBox, &paint);
}

LRESULT CALLBACK CaptionOnlyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR firstMember) {
  switch (message) {
    case WM_PAINT:
      PaintCaption(window, reinterpret_cast<HWND>(firstMember));
      return 0;
    case WM_UPDATEUISTATE:
      // The letter's underline comes and goes: the caption paints again.
      DefSubclassProc(window, message, wParam, lParam);
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, &CaptionOnlyProc, id);
      break;
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void ShowCaptionOnly(HWND groupBox, HWND firstMember) {
  SetWindowSubclass(groupBox, &CaptionOnlyProc, 0, reinterpret_cast<DWORD_PTR>(firstMember));
}

}  // namespace velmora::win32
