#pragma once
// The pictures of the main window, drawn in code at 16 x 16 with an alpha
// channel:
// - ImageList1: the tree's node images (0-3 the four NodeKind pictures,
//   4 green square, 5 red square, and last an empty picture for a node whose
//   kind is not set yet);
// - ImageList2: the pop-up menu's images and the tree's state images
//   (0 tree diagram, 1 yellow, 2 green, 3 red square, 4-7 the kind pictures);
// - ImageList3: the main menu's and the toolbar's images (0 new sheet,
//   1 opening folder, 2 floppy disk, 3 floppy disk for save as).
// Menus draw bitmaps, not image lists, so each picture a menu shows also
// exists as a 32-bit premultiplied bitmap.

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <cstdint>
#include <vector>

#include "win32/Win32Handles.h"

namespace velmora::win32 {

constexpr int kPictureSize = 16;

// The empty picture of ImageList1. A tree view takes -1 for "ask me for the
// image", so a node without a kind shows this one instead.
constexpr int kNoKindImage = 6;

// The node image of a NodeKind.
constexpr int NodeImageOf(int kind) { return kind >= 0 && kind <= 3 ? kind : kNoKindImage; }

// A picture as premultiplied BGRA pixels, top row first.
struct Picture {
  int size = kPictureSize;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * size + x)]; }
};

enum class PictureName {
  QuestionBalloon,
  InformationBalloon,
  WarningTriangle,
  StopCircle,
  GreenSquare,
  RedSquare,
  YellowSquare,
  TreeDiagram,
  NewSheet,
  OpenFolder,
  FloppyDisk,
  FloppyDiskSaveAs,
  Empty,
};

// Draws one picture at the given size in pixels.
Picture DrawPicture(PictureName name, int size = kPictureSize);

// A 32-bit top-down DIB section holding the picture (for menu items).
UniqueBitmap ToBitmap(const Picture& picture);

class EditorImageLists {
 public:
  // `size` is the pictures' size in pixels (16 at 96 DPI).
  explicit EditorImageLists(int size = kPictureSize);

  HIMAGELIST ImageList1() const { return imageList1_.get(); }
  HIMAGELIST ImageList2() const { return imageList2_.get(); }
  HIMAGELIST ImageList3() const { return imageList3_.get(); }
  // The bitmaps of ImageList2 and ImageList3 for menu items, by index.
  HBITMAP PopupBitmap(int index) const { return popupBitmaps_[static_cast<std::size_t>(index)].get(); }
  HBITMAP MainMenuBitmap(int index) const { return mainMenuBitmaps_[static_cast<std::size_t>(index)].get(); }

 private:
  UniqueImageList imageList1_;
  UniqueImageList imageList2_;
  UniqueImageList imageList3_;
  std::array<UniqueBitmap, 8> popupBitmaps_;
  std::array<UniqueBitmap, 4> mainMenuBitmaps_;
};

}  // namespace velmora::win32
