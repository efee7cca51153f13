#pragma once
// The node editor dialog "ダイアログ エディタ". Created hidden at start-up and
// reused for every node.
// (Placeholder until the dialog is built: an empty hidden window.)

#include <windows.h>

namespace velmora::win32 {

class TForm2 {
 public:
  explicit TForm2(HWND owner);
  ~TForm2();
  TForm2(const TForm2&) = delete;
  TForm2& operator=(const TForm2&) = delete;

  HWND Handle() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace velmora::win32
