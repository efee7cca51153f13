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

// A handle from CreateFileW. Its "no handle" is INVALID_HANDLE_VALUE, not
// null as for the handles above (and for UniqueKernelHandle, which would
// close that value), so it has an owner of its own.
class UniqueFileHandle {
 public:
  UniqueFileHandle() = default;
  explicit UniqueFileHandle(HANDLE handle) : handle_(handle) {}
  ~UniqueFileHandle() { Reset(); }
  UniqueFileHandle(const UniqueFileHandle&) = delete;
  UniqueFileHandle& operator=(const UniqueFileHandle&) = delete;

  HANDLE Get() const { return handle_; }
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  // Closes the handle held, if any, and takes `handle`.
  void Reset(HANDLE handle = INVALID_HANDLE_VALUE) {
    if (Valid()) CloseHandle(handle_);
    handle_ = handle;
  }
  // Closes the handle now, for a caller that must know whether the last
  // writes reached the file; false when CloseHandle failed.
  bool Close() {
    const BOOL closed = CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return closed != FALSE;
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

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
