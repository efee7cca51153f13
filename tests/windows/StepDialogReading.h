#pragma once
// Reads a step dialog on screen as a user sees it, from this process or
// another one, and answers it as a click or a key would.

#include <windows.h>

#include <string>
#include <vector>

#include "distribution/win32/StepDialog.h"

namespace velmora::win32::testing {

struct ShownStep {
  std::wstring caption;
  std::wstring message;
  std::vector<std::wstring> buttons;
  int focusedButton = -1;  // index into buttons, -1 when no button has the focus
  RECT rect{};
  bool messageScrolls = false;
  // The step's picture, by its size and its words; none is 0 x 0.
  SIZE picture{};
  std::wstring pictureWords;
};

// The text of a window of any process (WM_GETTEXT is carried across).
inline std::wstring ControlText(HWND window) {
  const int length = static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = static_cast<int>(SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

inline HWND FocusOfThreadOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

inline ShownStep ReadStepDialog(HWND dialog) {
  ShownStep step;
  step.caption = ControlText(dialog);
  const HWND message = GetDlgItem(dialog, step_dialog_id::kMessage);
  step.message = ControlText(message);
  wchar_t className[16] = {};
  GetClassNameW(message, className, 16);
  step.messageScrolls = lstrcmpiW(className, L"Edit") == 0;
  const HWND focus = FocusOfThreadOf(dialog);
  for (int id = step_dialog_id::kFirstButton;; ++id) {
    const HWND button = GetDlgItem(dialog, id);
    if (button == nullptr) break;
    if (button == focus) step.focusedButton = id - step_dialog_id::kFirstButton;
    step.buttons.push_back(ControlText(button));
  }
  GetWindowRect(dialog, &step.rect);
  if (const HWND picture = GetDlgItem(dialog, step_dialog_id::kPicture)) {
    RECT rect{};
    GetWindowRect(picture, &rect);
    step.picture = SIZE{rect.right - rect.left, rect.bottom - rect.top};
    step.pictureWords = ControlText(picture);
  }
  return step;
}

// A click on the button at `index` (0 = leftmost), as the button reports it.
inline void PressStepButton(HWND dialog, int index) {
  const int id = step_dialog_id::kFirstButton + index;
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// A key typed while the dialog has the focus: it goes to the focused control
// and through the dialog's own keyboard handling.
inline void PressKey(HWND dialog, UINT virtualKey) {
  HWND target = FocusOfThreadOf(dialog);
  if (target == nullptr) target = dialog;
  PostMessageW(target, WM_KEYDOWN, virtualKey, 1);
}

inline void TypeChar(HWND dialog, wchar_t character) {
  HWND target = FocusOfThreadOf(dialog);
  if (target == nullptr) target = dialog;
  PostMessageW(target, WM_CHAR, character, 1);
}

}  // namespace velmora::win32::testing
