// TForm1: the dispatch point. Every message of the window and of its
// subclassed controls arrives here and becomes one handler call, guarded by
// the general error report and followed by Sync.
#include "app/win32/Unit1.h"

#include <windowsx.h>

#include <cstring>
#include <new>

#include "app/win32/CommandIds.h"
#include "distribution/win32/Unit_Win7Taskbar.h"
#include "document/Errors.h"
#include "win32/WideText.h"

namespace velmora::win32 {

namespace {

// "予期しないエラーが発生しました" (an unexpected error occurred): the report
// for a failure that carries no text of its own.
constexpr wchar_t kUnexpectedError[] = L"\u4E88\u671F\u3057\u306A\u3044\u30A8\u30E9\u30FC\u304C\u767A\u751F\u3057\u307E\u3057\u305F";
// "メモリが不足しています" (out of memory).
constexpr wchar_t kOutOfMemory[] = L"\u30E1\u30E2\u30EA\u304C\u4E0D\u8DB3\u3057\u3066\u3044\u307E\u3059";

}  // namespace

// ---------------------------------------------------------------------------
// The dispatch point

// Commands catch their own errors in Dispatch; this is the last guard, so
// that nothing unwinds through the system's message dispatch.
void TForm1::OnUncaughtException() { ReportError(ToCp932(kUnexpectedError)); }

LRESULT CALLBACK TForm1::ChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, &TForm1::ChildProc, 0);
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
  try {
    return reinterpret_cast<TForm1*>(self)->HandleChildMessage(hwnd, message, wParam, lParam);
  } catch (...) {
    reinterpret_cast<TForm1*>(self)->ReportError(ToCp932(kUnexpectedError));
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
    case WM_ENABLE:
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
      if (message == TaskbarProgress::TaskbarButtonCreatedMessage()) {
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
      Dispatch([&] { TreeView1KeyPress(key); });
    } else {
      Dispatch([&] { LabeledEdit1KeyPress(key); });
    }
    if (key == 0) return 0;
    wParam = key;
  }
  if (child == controls_.ToolBar1 && message == WM_ERASEBKGND) {
    // The toolbar's gradient: from white at the top to the face colour.
    RECT area{};
    GetClientRect(child, &area);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    TRIVERTEX vertices[2] = {
        {area.left, area.top, 0xFF00, 0xFF00, 0xFF00, 0},
        {area.right, area.bottom, static_cast<COLOR16>(GetRValue(face) << 8),
         static_cast<COLOR16>(GetGValue(face) << 8), static_cast<COLOR16>(GetBValue(face) << 8), 0}};
    GRADIENT_RECT rect{0, 1};
    GradientFill(reinterpret_cast<HDC>(wParam), vertices, 2, &rect, 1, GRADIENT_FILL_RECT_V);
    return TRUE;
  }
  return DefSubclassProc(child, message, wParam, lParam);
}

template <typename Action>
void TForm1::Dispatch(Action&& action) {
  try {
    action();
  } catch (const VelmoraError& error) {
    ReportError(error.what());
  } catch (const std::bad_alloc&) {
    ReportError(ToCp932(kOutOfMemory));
  } catch (const std::exception& error) {
    ReportError(*error.what() != '\0' ? std::string(error.what()) : ToCp932(kUnexpectedError));
  } catch (...) {
    ReportError(ToCp932(kUnexpectedError));
  }
  // Whatever the command did before it failed is shown as it is.
  if (hwnd_ == nullptr) return;
  try {
    Sync();
  } catch (...) {
    ReportError(ToCp932(kOutOfMemory));
  }
}

void TForm1::ReportError(const std::string& cp932Message) {
  messageBoxes_->ShowMessage(GeneralErrorReportText(cp932Message), productTitle_,
                             message_box::kOk | message_box::kIconStop);
}

void TForm1::OnCommand(int id, int code, HWND control) {
  if (control == controls_.LabeledEdit1) {
    if (code == EN_CHANGE && !syncing_) Dispatch([this] { LabeledEdit1Change(); });
    return;
  }
  if (control == controls_.ProgressByGreen1 || control == controls_.ProgressByYellow1 ||
      control == controls_.ProgressByRed1) {
    if (code != BN_CLICKED || syncing_) return;
    if (control == controls_.ProgressByGreen1) Dispatch([this] { ProgressByGreen1Click(); });
    if (control == controls_.ProgressByYellow1) Dispatch([this] { ProgressByYellow1Click(); });
    if (control == controls_.ProgressByRed1) Dispatch([this] { ProgressByRed1Click(); });
    return;
  }
  // Menu items (code 0), accelerators (code 1), the toolbar and the push
  // buttons (BN_CLICKED, which is 0 too).
  if (control != nullptr && code != BN_CLICKED) return;
  RunMenuCommand(id);
}

void TForm1::RunCommand(int commandId) { RunMenuCommand(commandId); }

void TForm1::RunGuarded(const std::function<void()>& action) { Dispatch(action); }

void TForm1::RunMenuCommand(int id) {
  if (id >= IDM_HISTORY1 && id <= IDM_HISTORY9) {
    const int slot = id - IDM_HISTORY1 + 1;
    Dispatch([this, slot] { History1Click(slot); });
    return;
  }
  // The option items flip their own check mark before their handler runs;
  // the handler copies the mark into the option.
  if (id == IDM_SHOWBUTTONS1 || id == IDM_CLOSEQUERY1 || id == IDM_SAVESTATUS1) SetChecked(id, !IsChecked(id));
  switch (id) {
    case IDM_NEW1: return Dispatch([this] { New1Click(); });
    case IDM_READ1: return Dispatch([this] { Read1Click(); });
    case IDM_SAVE1: return Dispatch([this] { Save1Click(); });
    case IDM_SAVEAS1: return Dispatch([this] { SaveAs1Click(); });
    case IDM_DESKTOP1: return Dispatch([this] { DeskTop1Click(); });
    case IDM_STARTUP1: return Dispatch([this] { StartUp1Click(); });
    case IDM_STARTMENU1: return Dispatch([this] { StartMenu1Click(); });
    case IDM_EXIT1: return Dispatch([this] { ExitBtnClick(); });
    case IDM_PREVIEW1: return Dispatch([this] { PreViewBtnClick(); });
    case IDM_GENERATE1: return Dispatch([this] { GenerateBtnClick(); });
    case IDM_NEWLINE1: return Dispatch([this] { NewLine1Click(); });
    case IDM_SHOWBUTTONS1: return Dispatch([this] { ShowButtons1Click(); });
    case IDM_CLOSEQUERY1: return Dispatch([this] { CloseQuery1Click(); });
    case IDM_SAVESTATUS1: return Dispatch([this] { SaveStatus1Click(); });
    case IDM_H1: return Dispatch([this] { H1Click(); });
    case IDM_ABOUT1: return Dispatch([this] { About1Click(); });
    case IDM_SITE1: return Dispatch([this] { Site1Click(); });
    case IDM_EDIT1: return Dispatch([this] { TreeView1DblClick(); });
    case IDM_ADDYES1:
    case IDM_ADDNO1: return Dispatch([this] { AddYes1Click(); });
    case IDM_EXCHANGE1: return Dispatch([this] { Exchange1Click(); });
    case IDM_QUESTION1: return Dispatch([this] { Question1Click(); });
    case IDM_INFORMATION1: return Dispatch([this] { Information1Click(); });
    case IDM_EXCLAIMATION1: return Dispatch([this] { Exclaimation1Click(); });
    case IDM_INHIBIT1: return Dispatch([this] { Inhibit1Click(); });
    case IDM_YESDEFAULT1: return Dispatch([this] { YesDefault1Click(); });
    case IDM_NODEFAULT1: return Dispatch([this] { NoDefault1Click(); });
    case IDM_DELETE1: return Dispatch([this] { Delete1Click(); });
    default: return;
  }
}

LRESULT TForm1::OnNotify(const NMHDR& header) {
  if (header.hwndFrom != controls_.TreeView1) return 0;
  switch (header.code) {
    case TVN_SELCHANGEDW: {
      if (mirror_.IsSyncing()) return 0;
      const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
      TreeNode* selected = mirror_.NodeOf(change.itemNew.hItem);
      Dispatch([this, selected] { TreeView1Change(selected); });
      return 0;
    }
    case TVN_ITEMEXPANDEDW: {
      if (mirror_.IsSyncing()) return 0;
      const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
      mirror_.OnItemExpanded(change.itemNew.hItem, (change.itemNew.state & TVIS_EXPANDED) != 0);
      return 0;
    }
    case NM_DBLCLK:
      Dispatch([this] { TreeView1DblClick(); });
      // The double click edits the node; it does not also fold the branch.
      return TRUE;
    case TVN_BEGINLABELEDITW: {
      bool allowEdit = true;
      Dispatch([&] { TreeView1Editing(allowEdit); });
      return allowEdit ? FALSE : TRUE;
    }
    case TVN_ENDLABELEDITW: {
      const auto& edit = reinterpret_cast<const NMTVDISPINFOW&>(header);
      if (edit.item.pszText == nullptr) return FALSE;
      std::wstring text(edit.item.pszText);
      Dispatch([&] { TreeView1Edited(text); });
      // The model decides the stored text; Sync has shown it already.
      return FALSE;
    }
    default:
      return 0;
  }
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
  Dispatch([&] { allowed = FormCloseQuery(); });
  if (!allowed || hwnd_ == nullptr) return;
  closing_ = true;
  DestroyWindow(hwnd_);
}

// Log-off and shutdown ask first, with the same questions as a close.
bool TForm1::OnQueryEndSession() {
  bool allowed = false;
  Dispatch([&] { allowed = FormCloseQuery(); });
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

void TForm1::OnDropFiles(HDROP drop) {
  Dispatch([&] { FormDropFiles(drop); });
  DragFinish(drop);
}

// ---------------------------------------------------------------------------
// The exit command

void TForm1::ExitBtnClick() {
  // Exactly what the close box does; the close sequence may refuse.
  PostMessageW(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
}

}  // namespace velmora::win32
