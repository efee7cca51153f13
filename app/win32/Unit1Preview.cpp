// TForm1: the preview run and the progress colour buttons.
#include "app/win32/Unit1.h"

#include "distribution/ColourButtons.h"
#include "distribution/PreviewRun.h"

namespace velmora::win32 {

void TForm1::PreViewBtnClick() {
  Win32StepDialogs ownDialogs(hwnd_, previewDialogCentre_);
  StepDialogPort& dialogs = stepDialogs_ != nullptr ? *stepDialogs_ : ownDialogs;
  TaskbarProgressPort* taskbar = taskbarProgressAvailable_ ? taskbar_.get() : nullptr;
  // Every step moves the selection and disables Preview and Generate; the
  // window shows both before the step's dialog appears.
  RunEditorPreview(editor_, dialogs, taskbar, [this] { Sync(); });
}

void TForm1::ProgressByGreen1Click() { ChooseProgressColour(editor_, kColourGreen); }

void TForm1::ProgressByYellow1Click() { ChooseProgressColour(editor_, kColourYellow); }

void TForm1::ProgressByRed1Click() { ChooseProgressColour(editor_, kColourRed); }

void TForm1::UpdateColourButtons() {
  const int selected = SelectedColourButton(editor_.State().Color);
  const std::pair<HWND, int> buttons[] = {{controls_.ProgressByGreen1, kColourGreen},
                                          {controls_.ProgressByYellow1, kColourYellow},
                                          {controls_.ProgressByRed1, kColourRed}};
  for (const auto& [button, colour] : buttons) {
    SendMessageW(button, BM_SETCHECK, selected == colour ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void TForm1::ProbeTaskbarProgress() {
  if (!taskbar_) taskbar_ = std::make_unique<TaskbarProgress>(hwnd_);
  taskbarProgressAvailable_ = taskbar_->InitTaskbarProgress();
  editor_.Commands().ColourButtons = taskbarProgressAvailable_;
}

void TForm1::OnTaskbarButtonCreated() {
  if (taskbarProgressAvailable_) taskbar_->OnTaskbarButtonCreated();
}

}  // namespace velmora::win32
