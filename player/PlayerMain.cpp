// The player stub: the program every generated executable starts with. It
// reads the procedure the generator appended to its own file and walks the
// end user through it with the editor's step dialogs and taskbar progress.
// Exit status 0 after a run, 1 when the procedure cannot be read, 3 when
// the run could not go on (a window the system would not make).
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <cxxabi.h>

#include <new>
#include <string>

#include "win32/ComApartment.h"
#include "win32/ProgramPath.h"
#include "win32/WideText.h"
#include "files/DistributionPayload.h"
#include "distribution/PreviewRun.h"
#include "distribution/win32/StepDialog.h"
#include "distribution/win32/Unit_Win7Taskbar.h"
#include "document/Errors.h"
#include "files/TreeFile.h"
#include "player/OwnFile.h"
#include "player/PlayerWindow.h"

namespace velmora::win32 {
namespace {

constexpr int kExitDone = 0;
constexpr int kExitUnreadable = 1;
constexpr UINT kExitAborted = 3;

// "この実行ファイルの切り分け手順を読み込めません。" (the procedure of this
// executable cannot be read), followed by what exactly went wrong.
constexpr wchar_t kUnreadableHeadline[] =
    L"\u3053\u306E\u5B9F\u884C\u30D5\u30A1\u30A4\u30EB\u306E\u5207\u308A\u5206\u3051\u624B\u9806\u3092"
    L"\u8AAD\u307F\u8FBC\u3081\u307E\u305B\u3093\u3002";

// The file's name without folder and extension: the caption of a message
// that comes before any title could be read.
std::wstring ProgramName(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos && dot > 0) name.resize(dot);
  return name;
}

void ShowFailure(const std::wstring& path, const std::wstring& text) {
  MessageBoxW(nullptr, text.c_str(), ProgramName(path).c_str(), MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
}

void ShowUnreadable(const std::wstring& path, const std::string& cp932Reason) {
  ShowFailure(path, std::wstring(kUnreadableHeadline) + L"\r\n\r\n" + ToWide(GeneralErrorReportText(cp932Reason)));
}

LoadedDocument ReadOwnProcedure(const std::wstring& path) {
  const std::string bytes = ReadWholeFile(path);
  LoadedDocument document = ReadDistributionPayload(bytes, FromWidePath(path), ToCp932(path), DocumentState{});
  RestoreKinds(document.tree);
  return document;
}

void Play(HINSTANCE instance, const LoadedDocument& document) {
  const std::string caption = TrimBlanks(document.state.Title);
  PlayerWindow window(instance, ToWide(caption));
  TaskbarProgress taskbar(window.Handle());
  const bool taskbarAvailable = taskbar.InitTaskbarProgress();
  window.FollowTaskbarButton(taskbar);
  POINT centre = InitialPreviewDialogCentre();
  Win32StepDialogs dialogs(window.Handle(), centre);
  RunPreview(document.tree, document.state, document.tree.Root(), dialogs, taskbarAvailable ? &taskbar : nullptr);
}

int RunPlayer(HINSTANCE instance) {
  const ComApartment com;
  const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const std::wstring path = OwnProgramPath();
  LoadedDocument document;
  try {
    document = ReadOwnProcedure(path);
  } catch (const VelmoraError& error) {
    ShowUnreadable(path, error.what());
    return kExitUnreadable;
  }
  try {
    Play(instance, document);
  } catch (const VelmoraError& error) {
    // A window the system would not make: the run cannot go on.
    ShowFailure(path, ToWide(GeneralErrorReportText(error.what())));
    return static_cast<int>(kExitAborted);
  }
  return kExitDone;
}

}  // namespace
}  // namespace velmora::win32

// The C++ runtime's default terminate handler prints the exception's
// demangled type name, which drags the whole demangler into the stub. An end
// user could not act on that text anyway: here the player just ends. Being
// defined in the program, this replaces the runtime's own definition.
namespace __gnu_cxx {
void __verbose_terminate_handler() { ExitProcess(velmora::win32::kExitAborted); }
}  // namespace __gnu_cxx

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  try {
    return velmora::win32::RunPlayer(instance);
  } catch (const std::bad_alloc&) {
    return velmora::win32::kExitUnreadable;
  }
}
