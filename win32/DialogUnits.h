#pragma once
// The dialogs that stand in for message boxes (the step dialog, the About
// box) are laid out as the system lays out its own: in dialog units of the
// message font, with the same margins and buttons, so that they look like
// the system's boxes at any font size.
//
// Header-only: the player stub compiles the step dialog with its own short
// list of toolkit sources.

#include <windows.h>

#include <algorithm>

namespace velmora::win32 {

// A dialog unit of the font selected into a DC, as the dialog manager
// measures it: a horizontal unit is a quarter of the average width of the
// Latin letters, a vertical one an eighth of the font's height.
class DialogUnits {
 public:
  explicit DialogUnits(HDC dc) {
    static constexpr wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    constexpr int kLetters = static_cast<int>(sizeof kAlphabet / sizeof kAlphabet[0]) - 1;
    SIZE size{};
    TEXTMETRICW metrics{};
    if (GetTextExtentPoint32W(dc, kAlphabet, kLetters, &size) && GetTextMetricsW(dc, &metrics)) {
      // The average rounded to the nearest pixel: (2 * sum / 52 + 1) / 2.
      baseX_ = std::max(1, static_cast<int>((size.cx / (kLetters / 2) + 1) / 2));
      baseY_ = std::max(1, static_cast<int>(metrics.tmHeight));
    }
  }
  int X(int units) const { return MulDiv(units, baseX_, 4); }
  int Y(int units) const { return MulDiv(units, baseY_, 8); }

 private:
  // The system font's units, should the DC not answer.
  int baseX_ = 6;
  int baseY_ = 13;
};

// The measures of a message box, in dialog units.
namespace message_box_units {
// Around the content, left and right, top and bottom.
constexpr int kMarginX = 7;
constexpr int kMarginY = 7;
// Between the icon and the text.
constexpr int kIconGap = 7;
// Between the text (or icon) and the row of buttons.
constexpr int kButtonRowGap = 7;
// A push button: at least this wide, else its caption with this much room.
constexpr int kButtonMinimumWidth = 50;
constexpr int kButtonCaptionPadding = 10;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 4;
// The text: wrapped at this width first; never narrower or lower than this
// however small the screen.
constexpr int kTextWrapWidth = 280;
constexpr int kTextMinimumWidth = 60;
constexpr int kTextMinimumHeight = 8;
}  // namespace message_box_units

// The width all buttons of a message box share, given the widest caption in
// pixels.
inline int MessageButtonWidth(const DialogUnits& units, int widestCaption) {
  using namespace message_box_units;
  return std::max(units.X(kButtonMinimumWidth), widestCaption + units.X(kButtonCaptionPadding));
}

// The size of a window's frame and caption around its client area, for a
// dialog sized from the inside out.
inline SIZE FrameSize(DWORD style, DWORD exStyle) {
  RECT rect{0, 0, 0, 0};
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace velmora::win32
