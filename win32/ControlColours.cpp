#include "win32/ControlColours.h"

namespace velmora::win32 {

LRESULT SolidControlColours(HDC dc, COLORREF background, HBRUSH brush) {
  SetBkColor(dc, background);
  return reinterpret_cast<LRESULT>(brush);
}

LRESULT FaceControlColours(HDC dc) {
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  return SolidControlColours(dc, GetSysColor(COLOR_BTNFACE), GetSysColorBrush(COLOR_BTNFACE));
}

bool HighContrastOn() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

LRESULT TransparentControlColours(HDC dc) {
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

namespace {

// A group box or a static frame draws its edge and leaves its inside (where
// other controls sit) to the window.
bool IsFrame(HWND control) {
  wchar_t name[16] = {};
  GetClassNameW(control, name, 16);
  const auto style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
  if (lstrcmpiW(name, L"Button") == 0) return (style & BS_TYPEMASK) == BS_GROUPBOX;
  if (lstrcmpiW(name, L"Static") != 0) return false;
  const DWORD type = style & SS_TYPEMASK;
  return type == SS_ETCHEDFRAME || type == SS_BLACKFRAME || type == SS_GRAYFRAME || type == SS_WHITEFRAME;
}

}  // namespace

void EraseAroundControls(HWND window, HDC dc, HBRUSH brush) {
  const int saved = SaveDC(dc);
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child) || IsFrame(child)) continue;
    RECT area{};
    GetWindowRect(child, &area);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&area), 2);
    ExcludeClipRect(dc, area.left, area.top, area.right, area.bottom);
  }
  RECT client{};
  GetClientRect(window, &client);
  FillRect(dc, &client, brush);
  RestoreDC(dc, saved);
}

}  // namespace velmora::win32
