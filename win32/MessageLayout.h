#pragma once
// Where the parts of a message dialog go: an icon beside a text, a row of
// buttons of one width below, optionally a status line above them, in the
// dialog's font and measures as the system's message boxes have them. The
// player's step dialogs and the About box are laid out here.

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

namespace velmora::win32 {

// The most buttons a message dialog has: Yes, No, Back and the player's
// copy button. Captions beyond them get no place.
constexpr int kMaxMessageButtons = 4;

struct MessageLayoutRequest {
  std::wstring_view text;
  // The captions of the buttons, left to right; at most kMaxMessageButtons.
  const std::wstring* buttonCaptions = nullptr;
  int buttonCount = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  // Every member is zero by default, so that a request starts as zeros
  // rather than as a copy of a template the player stub would carry.
  //
  // A message wraps at a comfortable width, widens for a text too tall for
  // the work area and scrolls one too big even for all of it (the step
  // dialogs); with naturalWidth the text takes the width it needs and only a
  // line wider than the work area wraps (the About box, whose lines are
  // paths).
  bool naturalWidth = false;
  // The icon and the text centred on each other (the step dialogs), or
  // both at the top.
  bool iconAtTop = false;
  // One line above the buttons kept for a status, so that the dialog does
  // not jump when one appears.
  bool statusLine = false;
  // The client area at least this wide (a caption that must not be cut).
  int minimumClientWidth = 0;
  // A picture above the icon and the text, at its natural size on this
  // screen (zero for none): shrunk to fit the work area, never grown.
  SIZE picture{};
};

// In client coordinates, and the window's size.
struct MessageLayout {
  RECT picture{};  // empty without a picture
  RECT icon{};
  RECT text{};
  RECT status{};  // empty without a status line
  bool scrollingText = false;
  // A fixed row rather than a vector: the layout is in every generated
  // executable, and a growing array's code would be too.
  std::array<RECT, kMaxMessageButtons> buttons{};
  int buttonCount = 0;
  SIZE window{};
};

// `dc` has the dialog's font selected.
MessageLayout CalculateMessageLayout(HDC dc, const MessageLayoutRequest& request, const RECT& workArea);

}  // namespace velmora::win32
