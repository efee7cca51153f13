#include "app/win32/SingleInstance.h"

#include "win32/ProgramPath.h"

namespace velmora::win32 {

namespace {

// "既に起動されています。" (it is already running).
constexpr wchar_t kAlreadyRunning[] = L"\u65E2\u306B\u8D77\u52D5\u3055\u308C\u3066\u3044\u307E\u3059\u3002";

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

void HandOverToRunningCopy(const std::wstring& instanceName) {
  MessageBoxW(nullptr, kAlreadyRunning, instanceName.c_str(), MB_OK);
  HWND running = FindMarkedWindow(instanceName);
  if (running == nullptr) return;
  if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
  SetForegroundWindow(running);
}

}  // namespace velmora::win32
