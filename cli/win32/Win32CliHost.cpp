#include <windows.h>
#include <shellapi.h>

#include "win32/ProgramPath.h"
#include "win32/WideText.h"
#include "cli/CliPlatform.h"
#include "files/win32/Win32FileSystem.h"

namespace velmora::cli {
namespace {

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return GetConsoleMode(handle, &mode) != FALSE;
}

void WriteBytes(HANDLE handle, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written == 0) return;
    bytes.remove_prefix(written);
  }
}

// A console shows wide text as it is; a redirected stream gets the bytes of
// the console's code page (the code page the user's tools expect).
void WriteToStream(DWORD stream, const std::wstring& text, UINT codePageWhenRedirected) {
  const HANDLE handle = GetStdHandle(stream);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
  if (IsConsole(handle)) {
    DWORD written = 0;
    WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  WriteBytes(handle, win32::ToCodePage(text, codePageWhenRedirected));
}

UINT ConsoleCodePage() {
  const UINT codePage = GetConsoleOutputCP();
  return codePage != 0 ? codePage : GetOEMCP();
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

  FilePath ProgramFolder() override {
    return win32::FromWidePath(win32::OwnProgramPath()).Folder();
  }

  std::string ToUtf8(std::string_view cp932) override { return win32::ToCodePage(win32::ToWide(cp932), CP_UTF8); }

  // Standard output carries UTF-8 (the outline of show, help texts).
  void WriteOutput(std::string_view utf8) override {
    WriteToStream(STD_OUTPUT_HANDLE, win32::FromCodePage(utf8, CP_UTF8), CP_UTF8);
  }

  void WriteError(std::string_view cp932) override {
    WriteToStream(STD_ERROR_HANDLE, win32::ToWide(cp932) + L"\r\n", ConsoleCodePage());
  }

  void WriteErrorUtf8(std::string_view utf8) override {
    WriteToStream(STD_ERROR_HANDLE, win32::FromCodePage(utf8, CP_UTF8), ConsoleCodePage());
  }

 private:
  win32::Win32FileSystem files_;
};

}  // namespace

void PrepareProcess(char**) {}

std::unique_ptr<CliHost> MakePlatformHost() { return std::make_unique<Win32CliHost>(); }

// The narrow argv of a Windows program is in the ANSI code page; the wide
// command line holds every name exactly.
bool CommandLineArguments(int, char**, Arguments& arguments, std::string& badArgument) {
  const LocalArguments wide;
  for (int i = 1; i < wide.Count(); ++i) {
    const std::wstring_view argument(wide.At(i));
    if (win32::FirstUnrepresentableChar(argument)) {
      badArgument = win32::ToCodePage(argument, CP_UTF8);
      return false;
    }
    arguments.push_back(win32::ToCp932(argument));
  }
  return true;
}

}  // namespace velmora::cli
