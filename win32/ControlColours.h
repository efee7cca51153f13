#pragma once
// The answers to WM_CTLCOLORSTATIC and WM_CTLCOLORBTN, which decide the
// background behind a static text, a check box or a radio button: the
// window procedure returns what these return.

#include <windows.h>

namespace velmora::win32 {

// `background` behind the text, `brush` (of the same colour, owned by the
// caller) for the rest of the control.
LRESULT SolidControlColours(HDC dc, COLORREF background, HBRUSH brush);

// The face colour of dialogs, with the window text colour: what a form
// whose own background is the face colour gives its controls.
LRESULT FaceControlColours(HDC dc);

// Whether the user asked for high contrast: custom colours then give way to
// the system's, which the user chose to be able to read anything at all.
bool HighContrastOn();

// Nothing behind the text, so that a window's own painting shows through.
LRESULT TransparentControlColours(HDC dc);

// WM_ERASEBKGND of a window that does not clip its children (a group box or
// a frame leaves its inside to the window's background): fills the client
// area with `brush` around every visible control that paints its own face.
// A resize erases the window after some controls have painted; erased
// over, they would vanish until something made them paint again.
void EraseAroundControls(HWND window, HDC dc, HBRUSH brush);

}  // namespace velmora::win32
