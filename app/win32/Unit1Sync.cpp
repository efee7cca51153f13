// TForm1: bringing the screen up to date with the model (Sync) and the
// recent files of the File menu.
#include "app/win32/Unit1.h"

#include "app/win32/CommandIds.h"
#include "win32/Controls.h"
#include "win32/FlagScope.h"
#include "win32/WideText.h"

namespace velmora::win32 {

// ---------------------------------------------------------------------------
// Bringing the screen up to date

void TForm1::Sync() {
  const FlagScope syncing(syncing_);
  mirror_.Sync(editor_);
  ApplyTitleBox();
  ApplyCommandStates();
  ApplyOptions();
  ApplyHistory();
}

void TForm1::ScrollToOrigin() { mirror_.RequestScrollToOrigin(); }

void TForm1::ApplyTitleBox() {
  const std::wstring shown = WindowText(controls_.LabeledEdit1);
  const std::string& title = editor_.State().Title;
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

void TForm1::ApplyCommandStates() {
  const CommandStates& s = editor_.Commands();
  EnableCommand(IDM_SAVE1, s.Save);
  EnableCommand(IDM_SAVEAS1, s.SaveAs);
  EnableCommand(IDM_PREVIEW1, s.PreView);
  EnableCommand(IDM_GENERATE1, s.Generate);
  EnableCommand(IDM_ADDYES1, s.AddYes);
  EnableCommand(IDM_ADDNO1, s.AddNo);
  EnableCommand(IDM_EXCHANGE1, s.Exchange);
  EnableCommand(IDM_YESDEFAULT1, s.YesDefault);
  EnableCommand(IDM_NODEFAULT1, s.NoDefault);
  EnableCommand(IDM_DELETE1, s.Delete);
  for (HWND radio : {controls_.ProgressByGreen1, controls_.ProgressByYellow1, controls_.ProgressByRed1}) {
    if ((IsWindowEnabled(radio) != FALSE) != s.ColourButtons) EnableWindow(radio, s.ColourButtons);
  }
}

void TForm1::ApplyOptions() {
  const Options& options = editor_.Settings();
  SetChecked(IDM_SHOWBUTTONS1, options.ShowButtons);
  SetChecked(IDM_CLOSEQUERY1, options.CloseQuery);
  SetChecked(IDM_SAVESTATUS1, options.SaveStatus);
  HWND tree = controls_.TreeView1;
  const LONG_PTR style = GetWindowLongPtrW(tree, GWL_STYLE);
  const LONG_PTR wanted = options.ShowButtons ? (style | TVS_HASBUTTONS) : (style & ~LONG_PTR{TVS_HASBUTTONS});
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

void TForm1::SetCaption(std::string_view cp932) { SetWindowTextW(hwnd_, ToWide(cp932).c_str()); }

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
    item.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE;
    item.fType = MFT_STRING;
    item.wID = static_cast<UINT>(IDM_HISTORY1 + slot);
    item.dwTypeData = text.data();
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
