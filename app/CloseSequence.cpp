#include "app/CloseSequence.h"

namespace velmora {

bool FormCloseQuery(const CloseSequence& close) {
  if (close.state.editor.State().Modified) {
    const int answer = close.messages.ShowMessage(kExitSaveQuestion, close.currentCaption(),
                                                  message_box::kYesNoCancel | message_box::kIconExclamation);
    // Only Yes and No let the close go on; Cancel, and a box that could not
    // be shown at all, keep the changes.
    if (answer != message_box::kAnswerYes && answer != message_box::kAnswerNo) return false;
    if (answer == message_box::kAnswerYes && !close.saveAs()) return false;
  }
  if (close.state.editor.Settings().CloseQuery) {
    const int answer = close.messages.ShowMessage(kExitConfirmation, close.currentCaption(),
                                                  message_box::kYesNo | message_box::kIconQuestion);
    if (answer == message_box::kAnswerNo) return false;
  }
  close.settings.Save(close.state, close.messages, close.currentCaption());
  return true;
}

}  // namespace velmora
