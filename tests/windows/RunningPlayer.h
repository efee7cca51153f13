#pragma once
// A generated executable (or any program) running as its own process, its
// dialogs found from here: how the tests start what end users start.

#include <windows.h>

#include <psapi.h>

#include <string>

#include "tests/windows/ProcessWindows.h"
#include "win32/Win32Handles.h"

namespace velmora::win32::testing {

// The generated program running as its own process.
class RunningPlayer {
 public:
  // `argument`, when given, follows the path on the command line.
  explicit RunningPlayer(const std::wstring& path, const std::wstring& argument = L"") {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + path + L"\"";
    if (!argument.empty()) commandLine += L" \"" + argument + L"\"";
    started_ = CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &info) != FALSE;
    if (!started_) return;
    process_.reset(info.hProcess);
    CloseHandle(info.hThread);
    id_ = info.dwProcessId;
  }
  ~RunningPlayer() {
    if (started_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.get(), 99);
      // Ending is asynchronous; until it is over the program's file stays
      // in use and cannot be deleted.
      WaitForSingleObject(process_.get(), 10000);
    }
  }

  bool Started() const { return started_; }
  // The memory the process holds for itself (its committed private bytes,
  // which Windows counts as its page file use).
  std::size_t PrivateBytes() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!K32GetProcessMemoryInfo(process_.get(), &counters, sizeof counters)) return 0;
    return counters.PagefileUsage;
  }

  // The next visible dialog of the process other than `previous`: waits on
  // the process itself, so a player that ends or crashes stops the wait.
  HWND NextDialog(HWND previous = nullptr) {
    for (int attempt = 0; attempt < 500; ++attempt) {
      if (HWND dialog = FindDialog(previous)) return dialog;
      if (WaitForSingleObject(process_.get(), 20) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
  }

  // Waits on the process until `done()` holds: false when the process ends
  // first or it takes more than ten seconds.
  template <typename Condition>
  bool WaitFor(Condition done) {
    for (int attempt = 0; attempt < 500; ++attempt) {
      if (done()) return true;
      if (WaitForSingleObject(process_.get(), 20) == WAIT_OBJECT_0) return done();
    }
    return false;
  }

  // The exit status once the process has ended, or -1 if it does not end.
  int ExitCode() {
    if (WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return static_cast<int>(code);
  }

 private:
  HWND FindDialog(HWND previous) const { return VisibleWindowOf(id_, L"#32770", previous); }

  bool started_ = false;
  UniqueKernelHandle process_;
  DWORD id_ = 0;
};

}  // namespace velmora::win32::testing
