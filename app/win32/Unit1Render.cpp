// TForm1: rendering the core's view, and the recent files of the File menu.
#include "app/win32/Unit1.h"

#include <utility>

#include "app/CommandIds.h"
#include "distribution/ColourButtons.h"
#include "win32/Controls.h"
#include "document/FlagScope.h"
#include "win32/WideText.h"

namespace velmora::win32 {

// ---------------------------------------------------------------------------
// Rendering the view

void TForm1::Sync() {
  rendered_.reset();
  Render(core_->CurrentView());
}

// Each part of the screen is written only when its part of the view changed
// since the last render; the tree view is walked only for a new revision.
// The requests come last, once the tree view shows the tree.
void TForm1::Render(const View& view) {
  if (controls_.TreeView1 == nullptr || view.tree == nullptr) return;
  const FlagScope syncing(syncing_);
  // The scroll is applied by the mirror at the end of its own update.
  for (const NumberedRequest& request : view.requests) {
    if (request.number > handledRequest_ && request.request == ViewRequest::ScrollToOrigin) {
      mirror_.RequestScrollToOrigin();
    }
  }
  if (!rendered_ || rendered_->treeRevision != view.treeRevision || rendered_->generation != view.generation) {
    mirror_.Sync(*view.tree, view.selection, view.generation);
  } else {
    mirror_.ShowSelection(*view.tree, view.selection);
  }
  if (!rendered_ || rendered_->caption != view.caption) SetWindowTextW(hwnd_, ToWide(view.caption).c_str());
  if (!rendered_ || rendered_->title != view.title) RenderTitleBox(view.title);
  if (!rendered_ || rendered_->commands != view.commands) RenderCommands(view);
  if (!rendered_ || rendered_->treeButtons != view.treeButtons) RenderTreeButtons(view.treeButtons);
  if (!rendered_ || rendered_->colourButtonsEnabled != view.colourButtonsEnabled) {
    for (HWND radio : {controls_.ProgressByGreen1, controls_.ProgressByYellow1, controls_.ProgressByRed1}) {
      if ((IsWindowEnabled(radio) != FALSE) != view.colourButtonsEnabled) EnableWindow(radio, view.colourButtonsEnabled);
    }
  }
  if (view.recentFiles != historyCaptions_) SetHistoryCaptions(view.recentFiles);
  if (!rendered_ || rendered_->colour != view.colour) UpdateColourButtons(view.colour);
  if (!rendered_ || rendered_->undoCaption != view.undoCaption || rendered_->redoCaption != view.redoCaption) {
    RenderEditCaptions(view);
  }
  if (findBox_) findBox_->Render(view.searchText, view.searchStatus, view.Enabled(IDM_FINDNEXT), view.Checked(IDM_FINDINNOTES));
  bool showCheck = false;
  bool showComparison = false;
  bool showRunStatistics = false;
  for (const NumberedRequest& request : view.requests) {
    if (request.number <= handledRequest_) continue;
    handledRequest_ = request.number;
    switch (request.request) {
      case ViewRequest::ScrollToOrigin: break;  // done with the tree view
      case ViewRequest::ExpandAll: mirror_.ExpandAll(); break;
      case ViewRequest::RevealSelection: RevealSelection(view.selection); break;
      case ViewRequest::ShowFindBox: ShowFindBox(); break;
      case ViewRequest::ShowCheck: showCheck = true; break;
      case ViewRequest::ShowComparison: showComparison = true; break;
      case ViewRequest::ShowRunStatistics: showRunStatistics = true; break;
      // Exactly what the close box does; the close sequence may refuse.
      case ViewRequest::Close: PostMessageW(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    }
  }
  RenderCheckWindow(view, showCheck);
  RenderComparisonWindow(view, showComparison);
  RenderRunStatisticsWindow(view, showRunStatistics);
  rendered_ = view;
}

void TForm1::RenderTitleBox(const std::string& title) {
  const std::wstring shown = WindowText(controls_.LabeledEdit1);
  if (ToCp932(shown) != title) SetWindowTextW(controls_.LabeledEdit1, ToWide(title).c_str());
}

void TForm1::EnableCommand(int commandId, bool enabled) {
  const UINT flags = static_cast<UINT>(MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  EnableMenuItem(mainMenu_, static_cast<UINT>(commandId), flags);
  EnableMenuItem(PopupMenu1(), static_cast<UINT>(commandId), flags);
  SendMessageW(controls_.ToolBar1, TB_ENABLEBUTTON, static_cast<WPARAM>(commandId), MAKELPARAM(enabled, 0));
  HWND button = GetDlgItem(hwnd_, commandId);
  if (button != nullptr && button != controls_.ToolBar1 && IsWindowEnabled(button) != (enabled ? TRUE : FALSE)) {
    EnableWindow(button, enabled);
  }
}

// The recent-file items are in the menu only while they hold a file, so
// their rows are left to the menu's rebuild.
void TForm1::RenderCommands(const View& view) {
  for (const CommandView& command : view.commands) {
    if (command.id >= IDM_HISTORY1 && command.id <= IDM_HISTORY9) continue;
    EnableCommand(command.id, command.enabled);
    if (command.checkable) SetChecked(command.id, command.checked);
  }
}

void TForm1::RenderTreeButtons(bool shown) {
  HWND tree = controls_.TreeView1;
  const LONG_PTR style = GetWindowLongPtrW(tree, GWL_STYLE);
  const LONG_PTR wanted = shown ? (style | TVS_HASBUTTONS) : (style & ~LONG_PTR{TVS_HASBUTTONS});
  if (wanted != style) {
    SetWindowLongPtrW(tree, GWL_STYLE, wanted);
    InvalidateRect(tree, nullptr, TRUE);
  }
}

void TForm1::SetChecked(int commandId, bool checked) {
  CheckMenuItem(mainMenu_, static_cast<UINT>(commandId), static_cast<UINT>(MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED)));
}

bool TForm1::IsChecked(int commandId) const {
  for (HMENU menu : {mainMenu_, PopupMenu1()}) {
    const UINT state = GetMenuState(menu, static_cast<UINT>(commandId), MF_BYCOMMAND);
    if (state != static_cast<UINT>(-1)) return (state & MF_CHECKED) != 0;
  }
  return false;
}

void TForm1::UpdateColourButtons(int colour) {
  const int selected = SelectedColourButton(colour);
  const std::pair<HWND, int> buttons[] = {{controls_.ProgressByGreen1, kColourGreen},
                                          {controls_.ProgressByYellow1, kColourYellow},
                                          {controls_.ProgressByRed1, kColourRed}};
  for (const auto& [button, colour] : buttons) {
    SendMessageW(button, BM_SETCHECK, selected == colour ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

// Undo and redo name their step: "元に戻す(&U): 削除\tCtrl+Z".
void TForm1::RenderEditCaptions(const View& view) {
  const std::pair<int, std::wstring> items[] = {{IDM_UNDO, ToWide(view.undoCaption) + L"\tCtrl+Z"},
                                                {IDM_REDO, ToWide(view.redoCaption) + L"\tCtrl+Y"}};
  for (auto [id, text] : items) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING;
    item.dwTypeData = text.data();
    SetMenuItemInfoW(mainMenu_, static_cast<UINT>(id), FALSE, &item);
  }
}

// The selected item scrolls into view (selecting an item already shown as
// selected would not move the view).
void TForm1::RevealSelection(const TreeNode* selected) {
  HTREEITEM item = selected != nullptr ? mirror_.ItemOf(selected->Id()) : nullptr;
  if (item != nullptr) SendMessageW(controls_.TreeView1, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  KeepFindBoxClearOfSelection();
}

// ---------------------------------------------------------------------------
// Recent files in the File menu

void TForm1::SetHistoryCaptions(const HistoryCaptionList& captions) {
  historyCaptions_ = captions;
  RebuildHistoryItems();
}

// Menus have no hidden items: a hidden recent file is simply not in the
// menu, and neither is the second separator while no recent file shows.
void TForm1::RebuildHistoryItems() {
  HMENU file = GetSubMenu(mainMenu_, 0);
  for (int id = IDM_HISTORY1; id <= IDM_HISTORY9; ++id) DeleteMenu(file, static_cast<UINT>(id), MF_BYCOMMAND);
  DeleteMenu(file, IDM_N10, MF_BYCOMMAND);
  bool any = false;
  for (int slot = 0; slot < kHistorySlots; ++slot) {
    const std::string& caption = historyCaptions_[static_cast<std::size_t>(slot)];
    if (caption.empty()) continue;
    std::wstring text = ToWide(caption);
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE | MIIM_BITMAP;
    item.fType = MFT_STRING;
    item.wID = static_cast<UINT>(IDM_HISTORY1 + slot);
    item.dwTypeData = text.data();
    item.hbmpItem = HBMMENU_CALLBACK;  // the image column (ReserveImageColumn)
    InsertMenuItemW(file, IDM_EXIT1, FALSE, &item);
    any = true;
  }
  if (!any) return;
  MENUITEMINFOW separator{};
  separator.cbSize = sizeof separator;
  separator.fMask = MIIM_ID | MIIM_FTYPE;
  separator.fType = MFT_SEPARATOR;
  separator.wID = IDM_N10;
  InsertMenuItemW(file, IDM_EXIT1, FALSE, &separator);
}

}  // namespace velmora::win32
