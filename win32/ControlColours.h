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

// Nothing behind the text, so that a window's own painting shows through.
LRESULT TransparentControlColours(HDC dc);

}  // namespace velmora::win32
