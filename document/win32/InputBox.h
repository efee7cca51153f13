#pragma once
// The input box: a small modal dialog with a caption, a prompt, a one-line
// edit box and OK and Cancel (the platform has no such box of its own).
// Win32InputBox is the InputBoxPort the main window hands to the commands.

#include <windows.h>

#include <optional>
#include <string>

#include "document/InputBoxPort.h"
#include "win32/BoxButtons.h"
#include "win32/Dpi.h"
#include "win32/ModalWindow.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {

namespace input_box {
constexpr int kPrompt = 101;
constexpr int kEdit = 102;
constexpr int kOk = IDOK;
constexpr int kCancel = IDCANCEL;
}  // namespace input_box

class InputBox final : public ModalWindow<InputBox> {
 public:
  static constexpr wchar_t kClassName[] = L"VelmoraInputBox";

  InputBox(HWND owner, const std::wstring& caption, const std::wstring& prompt, const std::wstring& initialText);
  ~InputBox();
  InputBox(const InputBox&) = delete;
  InputBox& operator=(const InputBox&) = delete;

  // Shows the box modally; the typed text on OK, nothing on Cancel.
  std::optional<std::wstring> ShowModal();

 private:
  friend class ModalWindow<InputBox>;
  LRESULT HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void OnCreate();
  void ApplyLayout();
  void OkClick();

  HWND owner_;
  HWND prompt_ = nullptr;
  HWND edit_ = nullptr;
  BoxButtons buttons_;
  std::wstring promptText_;
  std::wstring initialText_;
  UniqueFont font_;
  DpiScale scale_;
};

class Win32InputBox final : public InputBoxPort {
 public:
  explicit Win32InputBox(HWND owner = nullptr) : owner_(owner) {}
  std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                     const std::string& initialText) override;

 private:
  HWND owner_;
};

}  // namespace velmora::win32
