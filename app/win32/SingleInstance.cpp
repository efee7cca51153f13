#include "app/win32/SingleInstance.h"

#include "app/win32/FileHandOver.h"
#include "win32/ProgramPath.h"
#include "win32/WideText.h"

namespace velmora::win32 {

namespace {

// "既に起動されています。" (it is already running).
constexpr char kAlreadyRunning[] =
    "\x8a\xf9\x82\xc9\x8b\x4e\x93\xae\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81\x42";

struct MarkSearch {
  const std::wstring* name;
  HWND found = nullptr;
};

BOOL CALLBACK CheckWindowForMark(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<MarkSearch*>(parameter);
  const auto value = reinterpret_cast<UINT_PTR>(GetPropW(window, search->name->c_str()));
  if (value != kInstanceMark) return TRUE;
  search->found = window;
  return FALSE;
}

void BringToFront(HWND window) {
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
}

// The running copy has another current folder: a relative argument is made
// full here, where it was meant.
std::wstring FullPath(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return path;
  full.resize(length);
  return full;
}

// True when the running copy took the file over.
bool HandOverFile(HWND running, const std::wstring& argument) {
  DWORD process = 0;
  GetWindowThreadProcessId(running, &process);
  // The running copy comes to the front itself when it opens the file;
  // only the foreground program (this one) may let it.
  AllowSetForegroundWindow(process);
  return SendFileHandOver(running, FullPath(argument));
}

}  // namespace

std::wstring InstanceNameFromPath(std::wstring_view path) {
  const std::size_t slash = path.find_last_of(L"\\/:");
  std::wstring_view name = slash == std::wstring_view::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.find_last_of(L'.');
  if (dot != std::wstring_view::npos) name = name.substr(0, dot);
  return std::wstring(name);
}

std::wstring CurrentInstanceName() { return InstanceNameFromPath(OwnProgramPath()); }

InstanceMutex::InstanceMutex(const std::wstring& instanceName)
    : mutex_(CreateMutexW(nullptr, TRUE, instanceName.c_str())) {
  anotherCopyRuns_ = GetLastError() == ERROR_ALREADY_EXISTS;
}

InstanceMarkProperty::InstanceMarkProperty(HWND window, std::wstring instanceName)
    : window_(window), name_(std::move(instanceName)) {
  SetPropW(window_, name_.c_str(), reinterpret_cast<HANDLE>(kInstanceMark));
}

InstanceMarkProperty::~InstanceMarkProperty() {
  if (IsWindow(window_)) RemovePropW(window_, name_.c_str());
}

HWND FindMarkedWindow(const std::wstring& instanceName) {
  MarkSearch search{&instanceName};
  EnumWindows(&CheckWindowForMark, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void HandOverToRunningCopy(const std::wstring& instanceName, const std::vector<std::wstring>& arguments) {
  if (!arguments.empty() && !arguments.front().empty()) {
    HWND running = FindMarkedWindow(instanceName);
    if (running != nullptr && HandOverFile(running, arguments.front())) {
      BringToFront(running);
      return;
    }
  }
  MessageBoxW(nullptr, ToWide(kAlreadyRunning).c_str(), instanceName.c_str(), MB_OK);
  HWND running = FindMarkedWindow(instanceName);
  if (running != nullptr) BringToFront(running);
}

}  // namespace velmora::win32
