#pragma once
// Plays actions on a modal dialog or menu of a window each time its modal
// loop waits for input (WM_ENTERIDLE to the owner), one per idle: by then
// the dialog is painted and has the focus. Dialogs of every kind send it,
// also the #32770 ones that the CBT hook of DialogScript leaves to message
// boxes. A dialog nobody expected is closed, so a failing run never hangs.

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::win32::testing {

class IdleScript {
 public:
  // `window` is the dialog (for a menu: the owner, whose menu is open).
  using Action = std::function<void(HWND window)>;

  explicit IdleScript(HWND owner) : owner_(owner) {
    SetWindowSubclass(owner_, &IdleScript::Proc, 0, reinterpret_cast<DWORD_PTR>(this));
  }
  ~IdleScript() { RemoveWindowSubclass(owner_, &IdleScript::Proc, 0); }
  IdleScript(const IdleScript&) = delete;
  IdleScript& operator=(const IdleScript&) = delete;

  void Play(std::vector<Action> actions) {
    actions_ = std::move(actions);
    next_ = 0;
  }
  bool Finished() const { return next_ == actions_.size(); }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    if (message == WM_ENTERIDLE && (wParam == MSGF_DIALOGBOX || wParam == MSGF_MENU)) {
      reinterpret_cast<IdleScript*>(self)->OnIdle(wParam == MSGF_MENU ? hwnd : reinterpret_cast<HWND>(lParam),
                                                  wParam == MSGF_MENU);
      return 0;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }

  void OnIdle(HWND window, bool menu) {
    if (next_ < actions_.size()) {
      actions_[next_++](window);
      return;
    }
    ADD_FAILURE() << "a dialog or menu is still open";
    if (menu) {
      EndMenu();
    } else {
      PostMessageW(window, WM_CLOSE, 0, 0);
    }
  }

  HWND owner_;
  std::vector<Action> actions_;
  std::size_t next_ = 0;
};

}  // namespace velmora::win32::testing
