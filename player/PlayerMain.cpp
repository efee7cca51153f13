// The player stub: the program every generated executable starts with. It
// reads the procedure the generator appended to its own file and walks the
// end user through it with the editor's step dialogs and taskbar progress.
// Exit status 0 after a run, 1 when the procedure cannot be read, 2 when
// memory ran out (PlayerSupport.cpp), 3 when the run could not go on (a
// window the system would not make): a script that starts a procedure can
// tell a damaged file from a machine in trouble.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <memory>
#include <string>

#include "win32/ComApartment.h"
#include "win32/ProgramPath.h"
#include "win32/SystemError.h"
#include "win32/WideText.h"
#include "files/DistributionPayload.h"
#include "distribution/PreviewRun.h"
#include "distribution/win32/StepDialog.h"
#include "distribution/win32/Unit_Win7Taskbar.h"
#include "document/Errors.h"
#include "player/OwnFile.h"
#include "player/PlayerWindow.h"
#include "player/RunRecording.h"

namespace velmora::win32 {
namespace {

constexpr int kExitDone = 0;
constexpr int kExitUnreadable = 1;
constexpr UINT kExitAborted = 3;
// The most the end of a run waits for its record to be written: a folder
// out of reach must not hold the end user up for longer than a moment.
constexpr DWORD kRecordWaitMs = 450;

// "この実行ファイルの切り分け手順を読み込めません。" (the procedure of this
// executable cannot be read), followed by what exactly went wrong.
constexpr char kUnreadableHeadline[] =
    "\x82\xb1\x82\xcc\x8e\xc0\x8d\x73\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xcc\x90\xd8\x82\xe8\x95\xaa\x82\xaf"
    "\x8e\xe8\x8f\x87\x82\xf0\x93\xc7\x82\xdd\x8d\x9e\x82\xdf\x82\xdc\x82\xb9\x82\xf1\x81\x42";

// The file's name without folder and extension: the caption of a message
// that comes before any title could be read.
std::wstring_view ProgramName(std::wstring_view path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash != std::wstring_view::npos) path.remove_prefix(slash + 1);
  const std::size_t dot = path.find_last_of(L'.');
  return dot != std::wstring_view::npos && dot > 0 ? path.substr(0, dot) : path;
}

// The texts are put together in CP932 and converted once: the stub then
// needs the string members of one character type only.
void ShowFailure(const std::wstring& path, const std::string& cp932Text) {
  const std::wstring caption(ProgramName(path));
  MessageBoxW(nullptr, ToWide(cp932Text).c_str(), caption.c_str(), MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
}

void ShowUnreadable(const std::wstring& path, const std::string& cp932Reason) {
  std::string text = kUnreadableHeadline;
  text += "\r\n\r\n";
  text += GeneralErrorReportText(cp932Reason);
  ShowFailure(path, text);
}

// The procedure at the end of the program's own file, or the reason it
// cannot be read in `error`.
PayloadSteps ReadOwnProcedure(const std::wstring& path) {
  const MappedFile file(path);
  if (!file.Error().empty()) {
    PayloadSteps failed;
    failed.error = file.Error();
    return failed;
  }
  return ReadPayloadStepsOrError(file.Bytes(), ToCp932(path));
}

// The run goes over the steps as read: the player needs no tree. The
// taskbar's object is made when the shell reports the window's button
// (TaskbarButtonCreated), as the shell asks, and not before the first
// step: it loads the shell's libraries, which would come ahead of the
// first dialog. The bar set meanwhile is kept and set then; where no
// taskbar announces a button the run simply has no bar.
void Play(HINSTANCE instance, const PayloadSteps& procedure) {
  PlayerWindow window(instance, ToWide(TrimBlanksView(procedure.state.Title)));
  TaskbarProgress taskbar(window.Handle());
  window.FollowTaskbarButton(taskbar);
  POINT centre = InitialPreviewDialogCentre();
  Win32StepDialogs dialogs(window.Handle(), centre);
  RunLog log;
  RecordingDialogs recording(dialogs, log);
  const RunClock clock = RunClock::Now();
  std::unique_ptr<RunRecorder> recorder;
  if (!procedure.state.RecordFolder.empty()) {
    recorder = std::make_unique<RunRecorder>(procedure.state.RecordFolder, procedure.version, clock);
  }
  RunPreview(procedure.steps, procedure.state, 0, recording, &taskbar, PathCopy::Offered, procedure.version);
  if (recorder == nullptr) return;
  const std::string start = UtcText(clock.startUtc);
  const RunLog::Ending ending{TrimBlanksView(procedure.state.Title), procedure.version, start,
                              GetTickCount64() - clock.startTick};
  recorder->Finish(log.RecordText(procedure.steps, ending), kRecordWaitMs);
}

int RunPlayer(HINSTANCE instance) {
  const ComApartment com;
  const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const std::wstring path = OwnProgramPath();
  const PayloadSteps read = ReadOwnProcedure(path);
  if (!read.error.empty()) {
    ShowUnreadable(path, read.error);
    return kExitUnreadable;
  }
  Play(instance, read);
  return kExitDone;
}

}  // namespace

// The stub runs without exceptions: a window the system would not make
// ends the run here, with the same report the editor would show.
void EndOnSystemError(const std::string& cp932Text) {
  ShowFailure(OwnProgramPath(), GeneralErrorReportText(cp932Text));
  ExitProcess(kExitAborted);
}

}  // namespace velmora::win32

// The program's entry, in place of the C runtime's start-up code: the stub
// needs none of it (no arguments, no console, no locale, no signal
// handlers, no constructors of globals), and leaving it out keeps its
// imports to what a run uses.
extern "C" [[noreturn]] void PlayerEntry() {
  ExitProcess(static_cast<UINT>(velmora::win32::RunPlayer(GetModuleHandleW(nullptr))));
}
