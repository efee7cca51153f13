#pragma once
// A group box that shows only its caption, as a label in a row of controls:
// where a row has no room for a frame, a set of radio buttons still gets
// what a group box gives them. A screen reader announces the caption as the
// group's name when the focus enters one of them, and Alt with the
// caption's letter moves the focus into the group.

#include <windows.h>

namespace velmora::win32 {

// Paints `groupBox` (a BS_GROUPBOX around the row) as its caption alone,
// right-aligned in the part of the row before `firstMember`, the group's
// first control; the window behind paints the rest.
void ShowCaptionOnly(HWND groupBox, HWND firstMember);

}  // namespace velmora::win32
