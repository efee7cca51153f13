// The message font, apart from the editor's fonts (Fonts.cpp): the player
// stub builds this file alone, and the system functions only the others
// call stay out of its imports.
#include "win32/Fonts.h"

namespace velmora::win32 {
namespace {

// The faces a Windows may have that hold Japanese, the best first: the UI
// faces of Windows 8 and later, of Vista and 7, of XP, then the face the
// editor itself uses.
constexpr const wchar_t* kJapaneseFaces[] = {L"Yu Gothic UI", L"Meiryo UI", L"MS UI Gothic", kUiFontFace};

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}

// A face name into a LOGFONT's field, cut to fit.
void CopyFaceName(wchar_t (&field)[LF_FACESIZE], const wchar_t* face) {
  std::size_t i = 0;
  for (; i + 1 < LF_FACESIZE && face[i] != L'\0'; ++i) field[i] = face[i];
  field[i] = L'\0';
}

// Whether `face` is installed with the Japanese character set.
bool HoldsJapanese(HDC dc, const wchar_t* face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = SHIFTJIS_CHARSET;
  CopyFaceName(wanted.lfFaceName, face);
  bool found = false;
  EnumFontFamiliesExW(dc, &wanted, &NoteFound, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

}  // namespace

// The message boxes' font holds no Japanese on a Western Windows (its
// face is Segoe UI or Tahoma there): the same size in a face that does, so
// every step of a procedure reads on any Windows. Without any of the known
// faces the face is left to the font mapper, which the Japanese character
// set leads to one that holds Japanese if there is one.
UniqueFont CreateMessageFont(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return UniqueFont(nullptr);
  LOGFONTW font = metrics.lfMessageFont;
  font.lfCharSet = SHIFTJIS_CHARSET;
  const WindowDc screen(nullptr);
  if (dpi > 0) font.lfHeight = MulDiv(font.lfHeight, dpi, GetDeviceCaps(screen.Get(), LOGPIXELSY));
  if (!HoldsJapanese(screen.Get(), font.lfFaceName)) {
    font.lfFaceName[0] = L'\0';
    for (const wchar_t* face : kJapaneseFaces) {
      if (!HoldsJapanese(screen.Get(), face)) continue;
      CopyFaceName(font.lfFaceName, face);
      break;
    }
  }
  return UniqueFont(CreateFontIndirectW(&font));
}

}  // namespace velmora::win32
