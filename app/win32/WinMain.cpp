// The program's entry: one running copy per executable name, the two
// windows, the event loop.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "win32/ComApartment.h"
#include "app/win32/SingleInstance.h"
#include "win32/WideText.h"
#include "app/win32/Unit1.h"
#include "document/Errors.h"

namespace {

using velmora::win32::TForm1;

// The application title, also the caption of the program's message boxes.
constexpr char kApplicationTitle[] = "Velmora";

std::vector<std::wstring> CommandLineArguments() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> result;
  if (arguments == nullptr) return result;
  for (int i = 1; i < count; ++i) result.emplace_back(arguments[i]);
  LocalFree(arguments);
  return result;
}

void RunMessageLoop(TForm1& form) {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (form.TranslateFindBoxMessage(message)) continue;
    if (form.TranslateListWindowMessage(message)) continue;
    if (form.TranslateKeyboard(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  const std::wstring instanceName = velmora::win32::CurrentInstanceName();
  const velmora::win32::InstanceMutex mutex(instanceName);
  if (mutex.AnotherCopyRuns()) {
    velmora::win32::HandOverToRunningCopy(instanceName, CommandLineArguments());
    return 0;
  }
  const velmora::win32::ComApartment com;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  try {
    TForm1 form(instance, kApplicationTitle);
    form.SetInstanceMark(instanceName);
    form.ShowFirstTime(showCommand, CommandLineArguments());
    RunMessageLoop(form);
  } catch (const std::exception& error) {
    // Only a failure to build the windows themselves gets here (a class or
    // window the system would not make, with its reason).
    const std::wstring text = velmora::win32::ToWide(velmora::GeneralErrorReportText(error.what()));
    MessageBoxW(nullptr, text.c_str(), L"Velmora", MB_OK | MB_ICONSTOP);
    return 1;
  }
  return 0;
}
