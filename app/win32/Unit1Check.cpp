// TForm1: the check window beside the main window. The core keeps the report
// up to date; the window shows it, hands a chosen row back to the core and
// takes the author to the node.
#include "app/win32/Unit1.h"

namespace velmora::win32 {

void TForm1::RenderCheckWindow(const View& view) {
  const bool requested = view.checkShowRequest != renderedCheckShowRequest_;
  renderedCheckShowRequest_ = view.checkShowRequest;
  if (requested && checkWindow_ == nullptr) {
    CheckWindow::Events events;
    events.choose = [this](NodeId id) { OnCheckRowChosen(id); };
    // Nothing on screen changes: the report just stops.
    events.closed = [this] { core_->CloseCheck(); };
    checkWindow_ = std::make_unique<CheckWindow>(instance_, hwnd_, std::move(events));
  }
  if (checkWindow_ == nullptr) return;
  if (view.checkReport != nullptr && (requested || view.checkRevision != renderedCheckRevision_)) {
    renderedCheckRevision_ = view.checkRevision;
    checkWindow_->Fill(*view.checkReport);
  }
  if (requested) checkWindow_->Present();
}

// The node is selected in the tree, which gets the focus so that Enter
// edits it at once; the title's row goes to the title box.
void TForm1::OnCheckRowChosen(NodeId id) {
  bool selected = false;
  RunGuarded([&] { selected = core_->SelectCheckedNode(id); });
  if (hwnd_ == nullptr) return;
  SetActiveWindow(hwnd_);
  if (id == 0) {
    SetFocus(controls_.LabeledEdit1);
    SendMessageW(controls_.LabeledEdit1, EM_SETSEL, 0, -1);
  } else if (selected) {
    SetFocus(controls_.TreeView1);
  }
}

void TForm1::FollowEnabledState(bool enabled) {
  if (checkWindow_ == nullptr || checkWindow_->Handle() == nullptr) return;
  EnableWindow(checkWindow_->Handle(), enabled);
}

}  // namespace velmora::win32
