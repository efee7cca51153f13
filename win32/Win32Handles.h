#pragma once
// Owners for the handles the windows create, so that every path out of a
// constructor or command releases them.

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <type_traits>

namespace velmora::win32 {

template <typename Handle, auto Release>
struct HandleReleaser {
  using pointer = Handle;
  void operator()(Handle handle) const {
    if (handle != nullptr) Release(handle);
  }
};

template <typename Handle, auto Release>
using UniqueHandleOf = std::unique_ptr<std::remove_pointer_t<Handle>, HandleReleaser<Handle, Release>>;

using UniqueMenu = UniqueHandleOf<HMENU, &DestroyMenu>;
using UniqueAccelerators = UniqueHandleOf<HACCEL, &DestroyAcceleratorTable>;
using UniqueFont = UniqueHandleOf<HFONT, &DeleteObject>;
using UniqueBitmap = UniqueHandleOf<HBITMAP, &DeleteObject>;
using UniqueBrush = UniqueHandleOf<HBRUSH, &DeleteObject>;
using UniqueImageList = UniqueHandleOf<HIMAGELIST, &ImageList_Destroy>;
using UniqueKernelHandle = UniqueHandleOf<HANDLE, &CloseHandle>;
using UniqueDc = UniqueHandleOf<HDC, &DeleteDC>;

// A window's device context from GetDC (the screen's for a null window),
// released when the scope ends.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a device context for the lifetime of the scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() { SelectObject(dc_, previous_); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace velmora::win32
