#include "document/Unit2.h"

namespace velmora::win32 {

TForm2::TForm2(HWND owner) {
  hwnd_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
}

TForm2::~TForm2() {
  if (hwnd_) DestroyWindow(hwnd_);
}

}  // namespace velmora::win32
