#pragma once
// OK and Cancel of the editor's small boxes (the input box, the link
// picker): made last, so that they come last in the tab order, and kept in
// the box's bottom right corner, OK first, as a dialog box has them.

#include <windows.h>

#include "win32/Dpi.h"

namespace velmora::win32 {

struct BoxButtons {
  HWND ok = nullptr;
  HWND cancel = nullptr;
};

// The two buttons in `box`, with `font`; OK is the default push button.
BoxButtons CreateBoxButtons(HWND box, HFONT font);

// Moves the buttons into the corner of a box whose client area is
// `designClient` pixels at 96 DPI with `designMargin` round it. Returns the
// buttons' top, where the box's other controls end.
int PlaceBoxButtons(const BoxButtons& buttons, const DpiScale& scale, SIZE designClient, int designMargin);

}  // namespace velmora::win32
