#pragma once
// The step dialog of a run, shared by the editor's preview and the player:
// a message dialog with the system's icon for the step's type, the message,
// and the run's buttons (Yes/No/Back or OK/Back, with Finish for Back at the
// top level).

#include <windows.h>

#include "distribution/StepDialogPort.h"

namespace velmora::win32 {

// Where step dialogs appear: every dialog is centred on this screen point,
// and after it closes the point moves to the dialog's centre, so a dialog
// the author dragged aside makes the next ones appear where it was left.
// A program starts with the centre of the screen.
POINT InitialPreviewDialogCentre();

// Builds, places and shows one step dialog modally, owned by `owner` (which
// is disabled meanwhile and carries the program's taskbar button).
// `previewDialogCentre` is read for the placement and updated when the
// dialog closes, also when an error ends it.
StepAnswer ShowStepDialog(HWND owner, const StepDescription& step, POINT& previewDialogCentre);

// The port as the editor and the player hand it to a run.
class Win32StepDialogs final : public StepDialogPort {
 public:
  Win32StepDialogs(HWND owner, POINT& previewDialogCentre) : owner_(owner), centre_(previewDialogCentre) {}
  StepAnswer ShowStepDialog(const StepDescription& step) override {
    return win32::ShowStepDialog(owner_, step, centre_);
  }

 private:
  HWND owner_;
  POINT& centre_;
};

// Control ids, so that tests (and accessibility tools) can find the parts.
namespace step_dialog_id {
constexpr int kFirstButton = 1001;  // then 1002, 1003 from left to right
constexpr int kMessage = 1100;
constexpr int kIcon = 1101;
// The player's line that says whether the path was copied.
constexpr int kCopyStatus = 1102;
// The step's picture, named by its words.
constexpr int kPicture = 1103;
}  // namespace step_dialog_id

}  // namespace velmora::win32
