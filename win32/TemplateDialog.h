#pragma once
// The base of the modal dialogs that lay themselves out: the dialog manager
// runs an empty in-memory template (so it brings the keyboard handling of
// dialogs, Enter, Escape, Tab and the accelerators, and the idle message
// to the owner that tests drive dialogs from), and the dialog creates its
// controls in WM_INITDIALOG once it knows the size of its text. (The
// editor's windows that outlive an opening derive from ModalWindow.h.)
//
//   class StepDialog : public TemplateDialog<StepDialog> { ...
//     INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
//
// No exception may unwind through the system's dialog code: one thrown by
// HandleMessage is kept, the dialog is closed, and ShowModal raises it again
// once the modal loop has returned.

#include <windows.h>

#include <array>
#include <exception>
#include <utility>

#include "win32/Placement.h"
#include "win32/SystemError.h"

namespace velmora::win32 {

template <typename Derived>
class TemplateDialog {
 protected:
  TemplateDialog() = default;
  ~TemplateDialog() = default;
  TemplateDialog(const TemplateDialog&) = delete;
  TemplateDialog& operator=(const TemplateDialog&) = delete;

  // Shows the dialog modally, owned by `owner`; the value given to
  // EndDialog (which must be above 0). Raises a VelmoraError with the
  // system's reason when the dialog cannot be made.
  INT_PTR ShowModal(HWND owner, DWORD style, DWORD exStyle) {
    const EmptyTemplate dialogTemplate(style, exStyle);
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialogTemplate.Get(), owner,
                                                   &TemplateDialog::DialogProc, reinterpret_cast<LPARAM>(this));
#if defined(__cpp_exceptions)
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
#endif
    // -1: the dialog could not be made; 0: its owner was not a window.
    if (result <= 0) ThrowCannotCreateWindow(WC_DIALOG);
    return result;
  }

  // The answer to a message whose result goes through DWLP_MSGRESULT
  // (WM_SETCURSOR, WM_ERASEBKGND).
  INT_PTR Answer(LRESULT result) {
    SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
  }

  HWND hwnd_ = nullptr;

 private:
  // Words: style, extended style, item count, x, y, cx, cy, then no menu,
  // the default class and an empty title.
  struct EmptyTemplate {
    alignas(4) std::array<WORD, 12> words{};
    EmptyTemplate(DWORD style, DWORD exStyle) {
      words[0] = LOWORD(style);
      words[1] = HIWORD(style);
      words[2] = LOWORD(exStyle);
      words[3] = HIWORD(exStyle);
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words.data()); }
  };

  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
      auto* self = reinterpret_cast<TemplateDialog*>(lParam);
      SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
      self->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<TemplateDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (self == nullptr) return FALSE;
#if defined(__cpp_exceptions)
    try {
      return static_cast<Derived*>(self)->HandleMessage(message, wParam, lParam);
    } catch (...) {
      self->failure_ = std::current_exception();
      EndDialog(hwnd, 0);
      return TRUE;
    }
#else
    // The player stub runs without exceptions: nothing can be thrown.
    return static_cast<Derived*>(self)->HandleMessage(message, wParam, lParam);
#endif
  }

#if defined(__cpp_exceptions)
  std::exception_ptr failure_;
#endif
};

}  // namespace velmora::win32
