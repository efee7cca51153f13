#pragma once
// The node editor's picture: a thumbnail of the step's picture, buttons to
// take one from a file or the clipboard or to remove it, and its words for
// those who cannot see it. A part of the node editor's window (TForm2),
// which owns the controls' parent and hands their events here; a file
// dropped on the window comes here too.

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "win32/Dpi.h"
#include "win32/WicPicture.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {

namespace node_editor {
// Control ids of the picture's part; in the tab order after the outcome.
constexpr int kPicture = 140;  // the thumbnail, named by the picture's summary
constexpr int kOpenPicture = 141;
constexpr int kPastePicture = 142;
constexpr int kRemovePicture = 143;
constexpr int kAltLabel = 144;
constexpr int kAlt = 145;
}  // namespace node_editor

class NodePictureArea {
 public:
  // Creates the controls in `window` in the tab order, in `font`.
  NodePictureArea(HWND window, HFONT font);
  NodePictureArea(const NodePictureArea&) = delete;
  NodePictureArea& operator=(const NodePictureArea&) = delete;
  ~NodePictureArea();

  // The design height of the part at 96 DPI.
  static constexpr int kDesignHeight = 84;
  void Place(int left, int top, int width, int height, const DpiScale& scale);

  // The node's picture as stored (base64, empty for none), its words, and
  // the most bytes a new one may take as stored.
  void Show(std::string stored, std::string_view alt, std::size_t room);
  const std::string& Stored() const { return stored_; }
  std::wstring AltText() const;
  HWND AltBox() const { return alt_; }

  // A command of one of the part's controls; false for any other id.
  bool OnCommand(int id, int code);
  // Draws the thumbnail; false for another control.
  bool OnDrawItem(const DRAWITEMSTRUCT& item);
  // An image file, chosen or dropped.
  void TakeFile(const std::wstring& path);

 private:
  void ChooseFile();
  void Paste();
  void Remove();
  // Takes an image file's bytes as the picture, or tells why not.
  void TakePicture(const std::string& bytes);
  void Refuse(const std::string& cp932);
  // The thumbnail and its name anew, from the stored picture.
  void Renew();
  void Rename();

  HWND window_;
  HWND thumbnail_ = nullptr;
  HWND open_ = nullptr;
  HWND paste_ = nullptr;
  HWND remove_ = nullptr;
  HWND altLabel_ = nullptr;
  HWND alt_ = nullptr;
  std::string stored_;
  std::size_t room_ = 0;
  std::unique_ptr<DecodedPicture> decoded_;
  UniqueBitmap bitmap_;
  SIZE bitmapSize_{};
};

}  // namespace velmora::win32
