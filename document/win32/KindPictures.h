#pragma once
// The node editor's pictures of the four kinds, one per NodeKind, in the
// colours of the message icons a run shows: a blue question mark and a blue
// letter i in white speech bubbles, a black exclamation mark in a yellow
// triangle, a white cross on a red disc. Drawn in code at creation.

#include <windows.h>

#include <array>

#include "win32/Win32Handles.h"

namespace velmora::win32 {

class KindPictures {
 public:
  // `size` is the side in pixels (48 at 96 DPI); the pictures are laid on
  // `background`, the colour of the window that shows them.
  KindPictures(int size, COLORREF background);

  int Size() const { return size_; }
  // The picture of kind 0 to 3 (Question, Information, Exclaimation, Inhibit).
  HBITMAP Picture(int kind) const;
  // Copies the picture of `kind` to `dc` at (x, y).
  void Draw(HDC dc, int kind, int x, int y) const;

 private:
  int size_;
  std::array<UniqueBitmap, 4> pictures_;
};

}  // namespace velmora::win32
