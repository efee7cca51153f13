// TForm1: the dispatch point. Every message of the window and of its
// subclassed controls arrives here and becomes one call into the core (a
// command id, a selection, a title, a colour, a file, a close request),
// followed by the render of the core's view.
#include "app/win32/Unit1.h"

#include <algorithm>
#include <windowsx.h>

#include <cstring>
#include <optional>

#include "app/CommandIds.h"
#include "distribution/ColourButtons.h"
#include "distribution/win32/Unit_Win7Taskbar.h"
#include "document/EditCommands.h"
#include "document/FlagScope.h"
#include "document/win32/TextGuard.h"
#include "win32/ControlColours.h"
#include "win32/Controls.h"
#include "win32/DroppedFiles.h"
#include "win32/Gradient.h"
#include "win32/ModalLoop.h"
#include "win32/Placement.h"
#include "win32/WideText.h"

namespace velmora::win32 {

namespace {

// A title is one line: a line break that slips into the box (a lone CR can
// survive pasting) would break the tree file.
std::wstring WithoutLineBreaks(std::wstring text) {
  std::wstring::size_type at;
  while ((at = text.find_first_of(L"\r\n")) != std::wstring::npos) text.erase(at, 1);
  return text;
}

// Ctrl+Z, Ctrl+Y, Ctrl+X, Ctrl+C and Ctrl+V (Shift or not): in an edit box
// they are the box's own undo and clipboard keys.
bool IsEditBoxKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return false;
  switch (message.wParam) {
    case 'Z':
    case 'Y':
    case 'X':
    case 'C':
    case 'V':
      return true;
    default:
      return false;
  }
}

bool IsEditBox(HWND window) {
  wchar_t name[8] = {};
  return window != nullptr && GetClassNameW(window, name, 8) > 0 && lstrcmpiW(name, L"Edit") == 0;
}

}  // namespace

// ---------------------------------------------------------------------------
// The dispatch point

// Key messages go to the window with the focus, so the message names the
// edit box that would take the key.
bool TForm1::TranslateShortcut(MSG& message) {
  if (hwnd_ == nullptr) return false;
  // The check, comparison and statistics lists are the main window's companions:
  // its shortcuts (Ctrl+K, F3, Ctrl+S, ...) work there as well.
  for (const NodeListWindow* list : {checkWindow_.get(), comparisonWindow_.get(), runStatisticsWindow_.get()}) {
    if (list == nullptr || list->Handle() == nullptr) continue;
    if (message.hwnd == list->Handle() || IsChild(list->Handle(), message.hwnd)) {
      return TranslateAcceleratorW(hwnd_, accelerators_.get(), &message) != 0;
    }
  }
  if (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd)) return false;
  if (IsEditBoxKey(message) && IsEditBox(message.hwnd)) return false;
  return TranslateAcceleratorW(hwnd_, accelerators_.get(), &message) != 0;
}

// Commands catch their own errors in Dispatch; this is the last guard, so
// that nothing unwinds through the system's message dispatch.
void TForm1::OnUncaughtException() { core_->ReportUnexpectedError(); }

LRESULT CALLBACK TForm1::ChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, &TForm1::ChildProc, 0);
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
  try {
    return reinterpret_cast<TForm1*>(self)->HandleChildMessage(hwnd, message, wParam, lParam);
  } catch (...) {
    reinterpret_cast<TForm1*>(self)->core_->ReportUnexpectedError();
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CONTEXTMENU:
      OnContextMenu(reinterpret_cast<HWND>(wParam), lParam);
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
      if (OnSetCursor(reinterpret_cast<HWND>(wParam))) return TRUE;
      break;
    case WM_SIZE:
      OnSize();
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SYSCOLORCHANGE:
      // High contrast on or off: the colour buttons change their look. The
      // tree view and the other common controls are told too.
      for (HWND child : {controls_.TreeView1, controls_.ToolBar1}) SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
      RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_QUERYENDSESSION:
      return OnQueryEndSession() ? TRUE : FALSE;
    case WM_ENDSESSION:
      OnEndSession(wParam != FALSE);
      return 0;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_COPYDATA:
      return lParam != 0 && OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam)) ? TRUE : FALSE;
    case kOpenHandedOverFile:
      OpenHandedOverFile();
      return 0;
    case WM_NEXTDLGCTL:
      MoveDialogFocus(hwnd_, wParam, lParam);
      return 0;
    case kOpenPopupMenu:
      OnContextMenu(controls_.TreeView1, lParam);
      return 0;
    case WM_ERASEBKGND:
      EraseAroundControls(hwnd_, reinterpret_cast<HDC>(wParam), ButtonFaceBackground());
      return TRUE;
    case WM_MEASUREITEM:
      if (OnMeasureMenuImage(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_DRAWITEM:
      // A menu item's empty image (ReserveImageColumn): nothing to draw.
      if (reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->CtlType == ODT_MENU) return TRUE;
      break;
    case WM_ENABLE:
      OnEnable(wParam != FALSE);
      // A modal dialog over the main window holds the check window too.
      FollowEnabledState(wParam != FALSE);
      OnHandOverChance(message);
      return 0;
    case WM_TIMER:
      if (wParam != kRecoveryTimer) break;
      OnRecoveryTimer();
      return 0;
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
      OnHandOverChance(message);
      return 0;
    case WM_DESTROY:
      // A second start from now on finds no running copy to bring back.
      instanceMark_.reset();
      // Only a close ends the event loop; a window destroyed with its object
      // (a test's, say) leaves the thread's queue alone.
      if (closing_) PostQuitMessage(0);
      return 0;
    default:
      // A registered message, so it cannot be a case label. The shell sends
      // it when it (re)creates the taskbar button, which loses the bar.
      if (message == taskbarButtonCreated_) {
        OnTaskbarButtonCreated();
        return 0;
      }
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT TForm1::HandleChildMessage(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool typing = child == controls_.TreeView1 || child == controls_.LabeledEdit1;
  if (typing && message == WM_GETDLGCODE && lParam != 0) {
    // Enter belongs to the control (its key-press handler decides what it
    // does), not to the keyboard navigation of the window.
    const MSG* pending = reinterpret_cast<const MSG*>(lParam);
    if (pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN) {
      return DefSubclassProc(child, message, wParam, lParam) | DLGC_WANTMESSAGE;
    }
  }
  if (typing && message == WM_CHAR) {
    wchar_t key = static_cast<wchar_t>(wParam);
    if (child == controls_.TreeView1) {
      Dispatch([&] {
        if (!core_->KeyInTree(key)) key = 0;
      });
    } else if (!LabeledEdit1KeyPress(key)) {
      key = 0;
    }
    if (key == 0) return 0;
    wParam = key;
  }
  if (child == controls_.TreeView1 && IsTreeBuildingKey(message, wParam, lParam)) return 0;
  if (child == controls_.ToolBar1 && message == WM_ERASEBKGND) {
    // The toolbar's gradient: from white at the top to the face colour.
    RECT area{};
    GetClientRect(child, &area);
    FillGradient(reinterpret_cast<HDC>(wParam), area, RGB(255, 255, 255), GetSysColor(COLOR_BTNFACE),
                 GradientDirection::TopToBottom);
    return TRUE;
  }
  return DefSubclassProc(child, message, wParam, lParam);
}

template <typename Action>
void TForm1::Dispatch(Action&& action) {
  core_->Guarded(std::forward<Action>(action));
  // Whatever the command did before it failed is shown as it is.
  if (hwnd_ == nullptr) return;
  core_->Guarded([this] { Render(core_->CurrentView()); });
}

void TForm1::OnCommand(int id, int code, HWND control) {
  if (control == controls_.LabeledEdit1) {
    if (code == EN_CHANGE && !syncing_) Dispatch([this] { OnTitleChanged(); });
    // Leaving the box ends a title change: undo takes it back whole.
    if (code == EN_KILLFOCUS) core_->PauseTyping();
    return;
  }
  const std::pair<HWND, int> colours[] = {{controls_.ProgressByGreen1, kColourGreen},
                                          {controls_.ProgressByYellow1, kColourYellow},
                                          {controls_.ProgressByRed1, kColourRed}};
  for (const auto& [button, colour] : colours) {
    if (control != button) continue;
    if (code == BN_CLICKED && !syncing_) Dispatch([this, colour = colour] { core_->ChooseColour(colour); });
    return;
  }
  // Menu items (code 0), accelerators (code 1), the toolbar and the push
  // buttons (BN_CLICKED, which is 0 too).
  if (control != nullptr && code != BN_CLICKED) return;
  RunCommand(id);
}

// The core refuses a disabled command, so a command posted to the window or
// an accelerator does no more than its greyed menu item would.
void TForm1::RunCommand(int commandId) {
  Dispatch([this, commandId] { core_->Run(commandId); });
}

// The action may change anything, the tree included.
void TForm1::RunGuarded(const std::function<void()>& action) {
  Dispatch(action);
}

void TForm1::OnTitleChanged() {
  HWND box = controls_.LabeledEdit1;
  const std::wstring typed = WindowText(box);
  std::wstring text = WithoutLineBreaks(typed);
  // A character code page 932 cannot hold would be stored as "?": the
  // typed or pasted text is taken back and the character named.
  const std::optional<std::wstring> refused = FirstUnrepresentableChar(text);
  if (refused) text = ToWide(Model().State().Title);
  if (text != typed) PutBackTitle(typed, text);
  if (refused) {
    ShowUnrepresentableChar(hwnd_, *refused);
    SetFocus(box);
    return;
  }
  core_->TypeTitle(ToCp932(text));
}

// The box shows `text` instead of `typed`, the caret where the removed
// input began.
void TForm1::PutBackTitle(const std::wstring& typed, const std::wstring& text) {
  HWND box = controls_.LabeledEdit1;
  DWORD caret = 0;
  SendMessageW(box, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
  const std::size_t removed = typed.size() > text.size() ? typed.size() - text.size() : 0;
  std::size_t at = caret >= removed ? caret - removed : 0;
  if (at > text.size()) at = text.size();
  {
    const FlagScope syncing(syncing_);
    SetWindowTextW(box, text.c_str());
  }
  SendMessageW(box, EM_SETSEL, at, static_cast<LPARAM>(at));
}

LRESULT TForm1::OnNotify(const NMHDR& header) {
  if (header.hwndFrom != controls_.TreeView1) return 0;
  switch (header.code) {
    case TVN_SELCHANGEDW: {
      if (mirror_.IsSyncing()) return 0;
      const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
      TreeNode* selected = mirror_.NodeOf(change.itemNew.hItem);
      Dispatch([this, selected] { core_->Select(selected); });
      return 0;
    }
    case TVN_ITEMEXPANDEDW: {
      if (mirror_.IsSyncing()) return 0;
      const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
      mirror_.OnItemExpanded(change.itemNew.hItem, (change.itemNew.state & TVIS_EXPANDED) != 0);
      return 0;
    }
    case TVN_KEYDOWN:
      // Del deletes the selected node, with the pop-up's question.
      if (reinterpret_cast<const NMTVKEYDOWN&>(header).wVKey == VK_DELETE) RunCommand(IDM_DELETE1);
      return 0;
    case TVN_GETINFOTIPW:
      OnTreeInfoTip(*reinterpret_cast<NMTVGETINFOTIPW*>(const_cast<NMHDR*>(&header)));
      return 0;
    case NM_RCLICK:
      OnTreeRightClick();
      return TRUE;
    case NM_DBLCLK:
      RunCommand(core_->TreeActivationCommand());
      // The double click edits the node (or follows its link); it does not
      // also fold the branch.
      return TRUE;
    default:
      return 0;
  }
}

// The pointer's node shows its author's note (and any declared field) in
// its tooltip; the tree's mark says that it has one.
void TForm1::OnTreeInfoTip(NMTVGETINFOTIPW& tip) const {
  if (tip.pszText == nullptr || tip.cchTextMax <= 0) return;
  const TreeNode* node = mirror_.NodeOf(tip.hItem);
  const std::wstring text = node != nullptr ? ToWide(core_->TipOf(*node)) : std::wstring();
  const std::size_t length = std::min(text.size(), static_cast<std::size_t>(tip.cchTextMax - 1));
  text.copy(tip.pszText, length);
  tip.pszText[length] = L'\0';
}

void TForm1::OnContextMenu(HWND source, LPARAM position) {
  if (source != controls_.TreeView1) {
    DefWindowProcW(hwnd_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(source), position);
    return;
  }
  POINT at{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  if (position == -1) {
    // From the keyboard: below the selected node.
    RECT item{};
    auto selected = reinterpret_cast<HTREEITEM>(SendMessageW(source, TVM_GETNEXTITEM, TVGN_CARET, 0));
    // TVM_GETITEMRECT takes the item in the rectangle's first bytes.
    std::memcpy(&item, &selected, sizeof selected);
    if (selected == nullptr || !SendMessageW(source, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&item))) {
      item = RECT{0, 0, 0, 0};
    }
    at = POINT{item.left, item.bottom};
    ClientToScreen(source, &at);
  }
  TrackPopupMenu(PopupMenu1(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
}

// The focus leaves with the window and comes back to the same control; the
// first time, to the first control of the tab order, the title box.
void TForm1::OnActivate(bool active) {
  if (!active) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(hwnd_, focus)) lastFocus_ = focus;
    return;
  }
  SetFocus(lastFocus_ != nullptr && IsWindow(lastFocus_) ? lastFocus_ : controls_.LabeledEdit1);
}

void TForm1::OnClose() {
  bool allowed = false;
  Dispatch([&] { allowed = core_->CloseQuery(); });
  if (!allowed || hwnd_ == nullptr) return;
  closing_ = true;
  DestroyWindow(hwnd_);
}

// Log-off and shutdown ask first, with the same questions as a close.
bool TForm1::OnQueryEndSession() {
  bool allowed = false;
  Dispatch([&] { allowed = core_->CloseQuery(); });
  sessionEndAllowed_ = allowed && hwnd_ != nullptr;
  return allowed;
}

// The session ends after a query that passed: the questions are answered
// and the settings written, so the window simply goes. When the session
// goes on after all (another program refused), so does the program.
void TForm1::OnEndSession(bool ending) {
  const bool asked = sessionEndAllowed_;
  sessionEndAllowed_ = false;
  if (!ending || !asked || hwnd_ == nullptr) return;
  closing_ = true;
  DestroyWindow(hwnd_);
}

// Only the first of several dropped files opens, without a question about
// unsaved changes (dropping is itself the decision).
void TForm1::OnDropFiles(HDROP drop) {
  const std::wstring path = FirstDroppedFile(drop);
  DragFinish(drop);
  Dispatch([&] { core_->OpenAsDroppedFile(FromWidePath(path)); });
}

// ---------------------------------------------------------------------------
// Find and the recovery copy

void TForm1::ShowFindBox() {
  if (!findBox_) {
    FindBoxActions actions{[this](const std::string& text) { Dispatch([&] { core_->SetSearchText(text); }); },
                           [this](int commandId) { RunCommand(commandId); }};
    findBox_ = std::make_unique<FindBox>(hwnd_, scale_, std::move(actions));
  }
  findBox_->ShowAndFocus();
  KeepFindBoxClearOfSelection();
}

// The find box never hides the node the author is at or the hit it found:
// where it covers the selected node's text, it moves below that node, or
// above it where the screen ends first.
void TForm1::KeepFindBoxClearOfSelection() {
  if (!findBox_ || !IsWindowVisible(findBox_->Handle())) return;
  auto item = reinterpret_cast<HTREEITEM>(SendMessageW(controls_.TreeView1, TVM_GETNEXTITEM, TVGN_CARET, 0));
  RECT node{};
  // TVM_GETITEMRECT takes the item in the rectangle's first bytes.
  std::memcpy(&node, &item, sizeof item);
  if (item == nullptr || !SendMessageW(controls_.TreeView1, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&node))) {
    return;
  }
  MapWindowPoints(controls_.TreeView1, nullptr, reinterpret_cast<POINT*>(&node), 2);
  RECT box{};
  GetWindowRect(findBox_->Handle(), &box);
  RECT covered{};
  if (!IntersectRect(&covered, &box, &node)) return;
  const int height = box.bottom - box.top;
  const RECT work = WorkAreaOf(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST));
  const int gap = scale_(4);
  const int top = node.bottom + gap + height <= work.bottom ? node.bottom + gap : node.top - gap - height;
  SetWindowPos(findBox_->Handle(), nullptr, box.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A modal dialog disables the main window: the find box goes with it, so
// that no step runs under the dialog.
void TForm1::OnEnable(bool enabled) {
  if (findBox_) EnableWindow(findBox_->Handle(), enabled);
}

// Not while a modal dialog runs: the command that opened it is not done.
void TForm1::OnRecoveryTimer() {
  if (IsWindowEnabled(hwnd_)) core_->RecoveryTick();
}

void TForm1::OnTaskbarButtonCreated() {
  if (platform_->TaskbarProgressAvailable()) platform_->Taskbar().OnTaskbarButtonCreated();
}

}  // namespace velmora::win32
