#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "win32/CommandLine.h"
#include "win32/ProgramPath.h"
#include "win32/Win32Handles.h"
#include "win32/WideText.h"
#include "cli/CliPlatform.h"
#include "files/win32/Win32FileSystem.h"

namespace velmora::cli {
namespace {

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return GetConsoleMode(handle, &mode) != FALSE;
}

bool WriteBytes(HANDLE handle, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written == 0) {
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

// A console shows wide text as it is, in its own code page's glyphs; a
// redirected stream gets UTF-8, on standard output and standard error alike,
// so whatever collects them reads one encoding. False when the write failed;
// a process without the stream at all (started without a console) writes
// nowhere, which is no failure.
bool WriteToStream(DWORD stream, const std::wstring& text) {
  const HANDLE handle = GetStdHandle(stream);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return true;
  if (IsConsole(handle)) {
    DWORD written = 0;
    return WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != FALSE;
  }
  return WriteBytes(handle, win32::ToCodePage(text, CP_UTF8));
}

class LocalArguments {
 public:
  LocalArguments() : arguments_(CommandLineToArgvW(GetCommandLineW(), &count_)) {}
  LocalArguments(const LocalArguments&) = delete;
  LocalArguments& operator=(const LocalArguments&) = delete;
  ~LocalArguments() {
    if (arguments_ != nullptr) LocalFree(arguments_);
  }
  int Count() const { return arguments_ ? count_ : 0; }
  const wchar_t* At(int index) const { return arguments_[index]; }

 private:
  int count_ = 0;
  wchar_t** arguments_;
};

class Win32CliHost final : public CliHost {
 public:
  FileSystemPort& Files() override { return files_; }

  FilePath ProgramPath() override { return win32::FromWidePath(win32::OwnProgramPath()); }

  // The child inherits the console or the redirected streams; CreateProcessW
  // finds "git" on the search path as "git.exe".
  int RunProgram(const std::string& program, const std::vector<std::string>& arguments) override {
    std::vector<std::wstring> wideArguments;
    for (const std::string& argument : arguments) wideArguments.push_back(win32::FromCodePage(argument, CP_UTF8));
    std::wstring commandLine = win32::CommandLineOf(win32::FromCodePage(program, CP_UTF8), wideArguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
      return kProgramNotStarted;
    }
    const win32::UniqueKernelHandle processHandle(process.hProcess);
    const win32::UniqueKernelHandle threadHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process.hProcess, &exitCode)) return kProgramNotStarted;
    return static_cast<int>(exitCode);
  }


  // Each piece is written at once: the commands hand over pieces of some
  // kilobytes, and nothing is left to flush.
  void WriteOutput(std::string_view utf8) override {
    if (!WriteToStream(STD_OUTPUT_HANDLE, win32::FromCodePage(utf8, CP_UTF8))) {
      throw OutputError("system error " + std::to_string(GetLastError()));
    }
  }
  void FlushOutput() override {}

  void WriteError(std::string_view utf8) override {
    WriteToStream(STD_ERROR_HANDLE, win32::FromCodePage(utf8, CP_UTF8));
  }

 private:
  win32::Win32FileSystem files_;
};

}  // namespace

void PrepareProcess(char**) {}

std::unique_ptr<CliHost> MakePlatformHost() { return std::make_unique<Win32CliHost>(); }

// The narrow argv of a Windows program is in the ANSI code page; the wide
// command line holds every name exactly, and UTF-8 keeps it so.
Arguments CommandLineArguments(int, char**) {
  const LocalArguments wide;
  Arguments arguments;
  for (int i = 1; i < wide.Count(); ++i) arguments.push_back(win32::ToCodePage(wide.At(i), CP_UTF8));
  return arguments;
}

}  // namespace velmora::cli
