#pragma once
// One policy for what the system refuses to build: a window class that
// cannot be registered or a window that cannot be created raises a
// VelmoraError whose CP932 text names the class and gives the system's
// reason, so that the general error report (or the entry's last guard)
// shows it instead of a dialog quietly answering Cancel.

#include <windows.h>

#include <string>

namespace velmora::win32 {

// The system's text for an error code, in CP932, without its line break
// (empty for a code the system has no text for).
std::string SystemReasonText(unsigned long errorCode);

// "ウィンドウ "<class>" を作成できません。<reason>" for the calling
// thread's last error. Read GetLastError before anything else runs: call
// this right after the failed creation.
[[noreturn]] void ThrowCannotCreateWindow(const wchar_t* className);

// "ウィンドウ クラス "<class>" を登録できません。<reason>", likewise.
[[noreturn]] void ThrowCannotRegisterClass(const wchar_t* className);

// Where a program runs without exceptions (the player stub), a window it
// cannot make ends it instead: it defines this to show the CP932 text and
// exit.
[[noreturn]] void EndOnSystemError(const std::string& cp932Text);

}  // namespace velmora::win32
