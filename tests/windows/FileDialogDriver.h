#pragma once
// Answers the system's real common file dialogs that a command opens on a
// window, as a user would: once a dialog waits for input (it sends
// WM_ENTERIDLE to its owner) its caption, proposed name, folder and filters
// are noted, the scripted path is typed into the name box and the dialog's
// OK button pressed, or Cancel for a script entry without a path. A
// question the dialog asks on its own (replace the file? create it?) is
// answered Yes. A dialog that stays open after its answer is cancelled and
// fails the test, so nothing hangs.

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "win32/WideText.h"

namespace velmora::win32::testing {

struct SeenFileDialog {
  std::wstring caption;
  std::wstring proposedName;
  std::wstring folder;
  std::vector<std::wstring> filters;  // the file-type list as shown
};

class FileDialogDriver {
 public:
  // The name box (cmb13 / edt1) and the file-type list (cmb1).
  static constexpr int kNameBox = 1148;
  static constexpr int kNameEdit = 1152;
  static constexpr int kTypeList = 1136;
  static constexpr UINT kStuckAfterMs = 20000;

  explicit FileDialogDriver(HWND owner) : owner_(owner) {
    current_ = this;
    SetWindowSubclass(owner_, &FileDialogDriver::OwnerProc, kSubclassId, 0);
    hook_ = SetWindowsHookExW(WH_CBT, &FileDialogDriver::CbtProc, nullptr, GetCurrentThreadId());
  }
  ~FileDialogDriver() {
    UnhookWindowsHookEx(hook_);
    if (IsWindow(owner_)) RemoveWindowSubclass(owner_, &FileDialogDriver::OwnerProc, kSubclassId);
    for (const auto& [timer, dialog] : watchdogs_) KillTimer(nullptr, timer);
    current_ = nullptr;
    EXPECT_TRUE(script_.empty()) << script_.size() << " scripted file dialogs never opened";
  }
  FileDialogDriver(const FileDialogDriver&) = delete;
  FileDialogDriver& operator=(const FileDialogDriver&) = delete;

  // The answers for the next dialogs, in order: a path, or nothing (Cancel).
  void Answer(std::vector<std::optional<std::wstring>> paths) { script_ = std::move(paths); }
  const std::vector<SeenFileDialog>& Seen() const { return seen_; }
  // The texts of the questions the dialogs asked themselves.
  const std::vector<std::wstring>& Prompts() const { return prompts_; }

 private:
  static constexpr UINT_PTR kSubclassId = 0x46444456;  // "FDDV"

  static LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX && current_ != nullptr) {
      current_->OnIdle(reinterpret_cast<HWND>(lParam));
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }

  static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && current_ != nullptr) current_->OnActivate(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static void CALLBACK Watchdog(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (current_ == nullptr) return;
    const auto found = current_->watchdogs_.find(timer);
    if (found == current_->watchdogs_.end()) return;
    const HWND dialog = found->second;
    current_->watchdogs_.erase(found);
    if (!IsWindow(dialog)) return;
    ADD_FAILURE() << "the file dialog stayed open after its answer";
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }

  static bool IsFileDialog(HWND window) {
    return GetDlgItem(window, kNameBox) != nullptr || GetDlgItem(window, kNameEdit) != nullptr;
  }

  static std::wstring Text(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
  }

  // The edit control the user types the name into.
  static HWND NameEdit(HWND dialog) {
    HWND box = GetDlgItem(dialog, kNameBox);
    if (box == nullptr) return GetDlgItem(dialog, kNameEdit);
    wchar_t className[32] = {};
    GetClassNameW(box, className, 32);
    if (lstrcmpiW(className, L"Edit") == 0) return box;
    HWND edit = FindWindowExW(box, nullptr, L"Edit", nullptr);
    if (edit == nullptr) {
      // A ComboBoxEx holds a ComboBox that holds the edit.
      HWND inner = FindWindowExW(box, nullptr, L"ComboBox", nullptr);
      if (inner != nullptr) edit = FindWindowExW(inner, nullptr, L"Edit", nullptr);
    }
    return edit != nullptr ? edit : box;
  }

  static SeenFileDialog Read(HWND dialog) {
    SeenFileDialog seen;
    seen.caption = Text(dialog);
    seen.proposedName = Text(NameEdit(dialog));
    wchar_t folder[MAX_PATH * 4] = {};
    if (SendMessageW(dialog, CDM_GETFOLDERPATH, std::size(folder), reinterpret_cast<LPARAM>(folder)) > 0) {
      seen.folder = folder;
    }
    HWND types = GetDlgItem(dialog, kTypeList);
    const auto count = types != nullptr ? SendMessageW(types, CB_GETCOUNT, 0, 0) : 0;
    for (LRESULT i = 0; i < count; ++i) {
      std::wstring item(static_cast<std::size_t>(SendMessageW(types, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0)) + 1, L'\0');
      item.resize(static_cast<std::size_t>(SendMessageW(types, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()))));
      seen.filters.push_back(item);
    }
    return seen;
  }

  void OnIdle(HWND dialog) {
    if (!IsFileDialog(dialog) || !answered_.insert(dialog).second) return;
    seen_.push_back(Read(dialog));
    if (script_.empty()) {
      ADD_FAILURE() << "an unexpected file dialog: " << ToCp932(seen_.back().caption);
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      return;
    }
    const std::optional<std::wstring> path = script_.front();
    script_.erase(script_.begin());
    if (!path) {
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      return;
    }
    SetWindowTextW(NameEdit(dialog), path->c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    watchdogs_[SetTimer(nullptr, 0, kStuckAfterMs, &FileDialogDriver::Watchdog)] = dialog;
  }

  // A message box the file dialog itself shows (it owns it).
  void OnActivate(HWND window) {
    if (IsFileDialog(window) || answered_.count(GetWindow(window, GW_OWNER)) == 0) return;
    if (!prompted_.insert(window).second) return;
    wchar_t text[1024] = {};
    GetDlgItemTextW(window, 0xFFFF, text, 1024);
    prompts_.push_back(text);
    const int yes = GetDlgItem(window, IDYES) != nullptr ? IDYES : IDOK;
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(yes, BN_CLICKED), 0);
  }

  static inline FileDialogDriver* current_ = nullptr;
  HWND owner_;
  HHOOK hook_ = nullptr;
  std::vector<std::optional<std::wstring>> script_;
  std::vector<SeenFileDialog> seen_;
  std::vector<std::wstring> prompts_;
  std::set<HWND> answered_;
  std::set<HWND> prompted_;
  std::map<UINT_PTR, HWND> watchdogs_;
};

}  // namespace velmora::win32::testing
