#pragma once
// The find box: a small modeless window owned by the main window, with the
// search text, "next" and "previous" buttons and a status line ("n 件中 m
// 件目"). It holds no search state: every change of its text goes to the
// core, every step is the main window's command (IDM_FINDNEXT,
// IDM_FINDPREVIOUS), and it shows what the core's view says.
//
// Closing it only hides it, so it comes back with its place and text. The
// main window disables it while a modal dialog runs.

#include <windows.h>

#include <functional>
#include <string>

#include "win32/Dpi.h"
#include "win32/WindowBase.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {

struct FindBoxActions {
  // Every change of the search text (CP932).
  std::function<void(const std::string&)> textChanged;
  // IDM_FINDNEXT or IDM_FINDPREVIOUS.
  std::function<void(int)> command;
};

class FindBox final : public WindowBase<FindBox> {
 public:
  static constexpr wchar_t kClassName[] = L"VelmoraFindBox";

  // Created hidden, below the top right corner of `owner`.
  FindBox(HWND owner, DpiScale scale, FindBoxActions actions);
  ~FindBox();
  FindBox(const FindBox&) = delete;
  FindBox& operator=(const FindBox&) = delete;

  // Shows and activates the box, its text selected for typing over.
  void ShowAndFocus();
  // The core's search text, status, whether a step is possible and
  // whether the notes are searched too.
  void Render(const std::string& text, const std::string& status, bool canStep, bool inNotes);

  // For the event loop: the keys of the box (Enter and F3 step forward,
  // Shift+Enter and Shift+F3 back, Escape hides, Tab moves between the
  // controls). True when `message` was the box's and has been handled.
  bool PreTranslate(MSG& message);

  HWND Edit() const { return edit_; }
  HWND Status() const { return status_; }

 private:
  friend class WindowBase<FindBox>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(int id, int code);
  void CreateControls();
  void Layout();
  void OnDpiChanged(int dpi, const RECT& suggested);

  FindBoxActions actions_;
  DpiScale scale_;
  // Its own, not the owner's: each window makes its font anew when its DPI
  // changes, and the old one goes.
  UniqueFont font_;
  HWND edit_ = nullptr;
  HWND inNotes_ = nullptr;
  HWND next_ = nullptr;
  HWND previous_ = nullptr;
  HWND status_ = nullptr;
  // Set while the box writes the core's text into its edit control.
  bool rendering_ = false;
};

}  // namespace velmora::win32
