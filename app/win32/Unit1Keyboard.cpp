// TForm1: keyboard access, the pop-up menu's moment and look, and the
// colour buttons' tips. The window is no dialog box, yet its controls are reached as in one:
// Tab and Shift+Tab follow the creation order, and Alt with a label's letter
// moves the focus to the control after the label. The dialog keyboard
// (IsDialogMessage) does both by asking the window to move the focus with
// WM_NEXTDLGCTL, which only a dialog's own procedure would answer.
#include "app/win32/Unit1.h"

#include <windowsx.h>

#include <cwctype>
#include <string>
#include <utility>

#include "app/CommandIds.h"
#include "win32/ModalLoop.h"
#include "win32/SystemError.h"
#include "win32/WideText.h"

namespace velmora::win32 {
namespace {

// What each colour does where the procedure runs.
// "実行時のタスクバーの進捗表示を緑にします"
constexpr char kGreenTip[] =
    "\x8e\xc0\x8d\x73\x8e\x9e\x82\xcc\x83\x5e\x83\x58\x83\x4e\x83\x6f\x81\x5b\x82\xcc\x90\x69\x92\xbb\x95\x5c\x8e\xa6"
    "\x82\xf0\x97\xce\x82\xc9\x82\xb5\x82\xdc\x82\xb7";
// "実行時のタスクバーの進捗表示を黄色にします"
constexpr char kYellowTip[] =
    "\x8e\xc0\x8d\x73\x8e\x9e\x82\xcc\x83\x5e\x83\x58\x83\x4e\x83\x6f\x81\x5b\x82\xcc\x90\x69\x92\xbb\x95\x5c\x8e\xa6"
    "\x82\xf0\x89\xa9\x90\x46\x82\xc9\x82\xb5\x82\xdc\x82\xb7";
// "実行時のタスクバーの進捗表示を赤にします"
constexpr char kRedTip[] =
    "\x8e\xc0\x8d\x73\x8e\x9e\x82\xcc\x83\x5e\x83\x58\x83\x4e\x83\x6f\x81\x5b\x82\xcc\x90\x69\x92\xbb\x95\x5c\x8e\xa6"
    "\x82\xf0\x90\xd4\x82\xc9\x82\xb5\x82\xdc\x82\xb7";

// Whether an item of the menu bar has `key` as its letter ("&R").
bool MenuBarHasMnemonic(HMENU menu, wchar_t key) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t caption[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), caption, 128, MF_BYPOSITION);
    for (const wchar_t* at = caption; (at = wcschr(at, L'&')) != nullptr && at[1] != L'\0'; at += 2) {
      if (at[1] != L'&' && std::towupper(at[1]) == std::towupper(key)) return true;
    }
  }
  return false;
}

}  // namespace

bool TForm1::TranslateKeyboard(MSG& message) {
  if (TranslateShortcut(message)) return true;
  if (hwnd_ == nullptr || (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd))) return false;
  // "配布用(&R)" names both a menu and the distribution group: the menu
  // keeps Alt+R (the group's buttons are a Tab away and have letters of
  // their own), so the letter goes on to the menu bar.
  if (message.message == WM_SYSCHAR && MenuBarHasMnemonic(mainMenu_, static_cast<wchar_t>(message.wParam))) {
    return false;
  }
  return IsDialogMessageW(hwnd_, &message) != FALSE;
}

// Keys of the tree for building it from the keyboard, seen by the tree
// itself (whatever loop delivers them): Insert adds the selected node's
// next answer (Yes while it may take one, else No); the keyboard's context
// menu (Shift+F10, the Apps key), which the tree would pass on as a right
// click at the mouse, opens the pop-up beside the selected node. True when
// the key was taken.
bool TForm1::IsTreeBuildingKey(UINT message, WPARAM wParam, LPARAM lParam) {
  const bool modified = GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
  if (message == WM_CONTEXTMENU && lParam == -1) {
    PostMessageW(hwnd_, kOpenPopupMenu, 0, static_cast<LPARAM>(-1));
    return true;
  }
  if (message == WM_KEYDOWN && wParam == VK_INSERT && !modified) {
    RunCommand(core_->IsEnabled(IDM_ADDYES1) ? IDM_ADDYES1 : IDM_ADDNO1);
    return true;
  }
  return false;
}

// The tree view marks the right-clicked node while it tells of the click,
// and the pop-up acts on the selected one: opened once the click is over,
// the menu shows beside the node it acts on.
void TForm1::OnTreeRightClick() {
  const DWORD at = GetMessagePos();
  PostMessageW(hwnd_, kOpenPopupMenu, 0, MAKELPARAM(GET_X_LPARAM(at), GET_Y_LPARAM(at)));
}

// Wine measures a menu item without an image as if its caption began where
// the images begin, but draws it after them: the widest such caption ("この
// 下の「はい」と「いいえ」を入れ替え(&C)", a long recent file) was cut by an
// image's width. An empty image drawn by the window (HBMMENU_CALLBACK, sized
// in WM_MEASUREITEM, nothing drawn in WM_DRAWITEM) makes every item measure
// the image column; what shows is unchanged.
void TForm1::ReserveImageColumn(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_BITMAP | MIIM_FTYPE;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item)) continue;
    if ((item.fType & MFT_SEPARATOR) != 0 || item.hbmpItem != nullptr) continue;
    item.fMask = MIIM_BITMAP;
    item.hbmpItem = HBMMENU_CALLBACK;
    SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item);
  }
}

bool TForm1::OnMeasureMenuImage(MEASUREITEMSTRUCT& item) const {
  if (item.CtlType != ODT_MENU) return false;
  item.itemWidth = static_cast<UINT>(scale_(kPictureSize));
  item.itemHeight = static_cast<UINT>(scale_(kPictureSize));
  return true;
}

void TForm1::CreateColourTips() {
  controls_.ColourTips =
      CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, instance_, nullptr);
  if (controls_.ColourTips == nullptr) ThrowCannotCreateWindow(TOOLTIPS_CLASSW);
  const std::pair<HWND, const char*> tips[] = {{controls_.ProgressByGreen1, kGreenTip},
                                               {controls_.ProgressByYellow1, kYellowTip},
                                               {controls_.ProgressByRed1, kRedTip}};
  for (const auto& [button, tip] : tips) {
    std::wstring text = ToWide(tip);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd_;
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    tool.lpszText = text.data();
    SendMessageW(controls_.ColourTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

}  // namespace velmora::win32
