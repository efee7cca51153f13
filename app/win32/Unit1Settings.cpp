// TForm1: the settings file, the close sequence and the recent files of the
// File menu. The logic is the core's (app/SettingsFile, app/CloseSequence,
// app/RecentFiles); this side hands it the window and the message boxes.
#include "app/win32/Unit1.h"

#include <string>

#include "app/CloseSequence.h"
#include "app/win32/Win32WindowPlacement.h"
#include "win32/ProgramPath.h"
#include "win32/WideText.h"

namespace velmora::win32 {

static_assert(TForm1::kHistorySlots == HistorySize, "one menu item for each recent-file slot");

FilePath RunningProgramPath() { return FromWidePath(OwnProgramPath()); }

void TForm1::LoadSettings() {
  Win32WindowPlacement window(hwnd_, firstShowState_);
  MainWindowState state{editor_, recentFiles_, window};
  settings_.Load(state, *messageBoxes_, documentCaption_);
}

bool TForm1::FormCloseQuery() {
  // A second request while the first one's questions are up (the system's
  // end-of-session query, say) waits for the answers to the first.
  if (closeQueryRunning_) return false;
  Win32WindowPlacement window(hwnd_, firstShowState_);
  MainWindowState state{editor_, recentFiles_, window};
  const CloseSequence close{state, settings_, *messageBoxes_, [this] { return documentCaption_; },
                            [this] { return SaveAs1Click(); }};
  closeQueryRunning_ = true;
  bool allowed = false;
  try {
    allowed = velmora::FormCloseQuery(close);
  } catch (...) {
    closeQueryRunning_ = false;
    throw;
  }
  closeQueryRunning_ = false;
  return allowed;
}

// A file that is gone is skipped without a word; its entry stays. No
// question about unsaved changes: choosing the file is the decision.
void TForm1::History1Click(int slot) {
  // A copy: the open moves the entry within the list.
  const FilePath path = recentFiles_.Slot(slot);
  if (path.Empty() || !files_.FileExists(path)) return;
  OpenDocumentFile(path);
}

void TForm1::ApplyHistory() {
  HistoryCaptionList captions;
  for (int n = 1; n <= HistorySize; ++n) captions[static_cast<std::size_t>(n - 1)] = recentFiles_.Caption(n, files_);
  if (captions != historyCaptions_) SetHistoryCaptions(captions);
}

}  // namespace velmora::win32
