#include "app/win32/NodeListWindow.h"

#include "app/ComparisonList.h"

#include <algorithm>
#include <string>
#include <utility>

#include "win32/Controls.h"
#include "win32/Fonts.h"
#include "win32/ModalLoop.h"
#include "win32/Placement.h"
#include "win32/WideText.h"

namespace velmora::win32 {
namespace {

constexpr int kSummaryId = 100;
constexpr int kListId = 101;
constexpr int kDetailLabelId = 102;
constexpr int kDetailId = 103;

// 詳細(&D)
constexpr char kDetailCaption[] = "\x8f\xda\x8d\xd7(&D)";

// Sizes at 96 DPI: room for a place of a few levels and a whole explanation.
constexpr int kClientWidth = 840;
constexpr int kClientHeight = 360;
constexpr int kMargin = 6;
constexpr int kSummaryHeight = 16;
constexpr int kPlaceWidth = 400;
constexpr int kProblemWidth = 420;
// Five lines of the pane: a text change's two texts, its note and the place.
constexpr int kDetailHeight = 84;

// The system's own error and warning icons, at the size of small icons, so
// the list reads like the message boxes the author knows.
UniqueImageList SeverityIcons() {
  const int size = GetSystemMetrics(SM_CXSMICON);
  UniqueImageList icons(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 2, 0));
  if (!icons) return icons;
  for (LPCWSTR name : {IDI_ERROR, IDI_WARNING}) {
    // Shared system icons: nothing to destroy.
    auto icon = static_cast<HICON>(LoadImageW(nullptr, name, IMAGE_ICON, size, size, LR_SHARED));
    ImageList_ReplaceIcon(icons.get(), -1, icon);
  }
  return icons;
}

}  // namespace

NodeListWindow::NodeListWindow(HINSTANCE instance, HWND owner, const Look& look, Events events)
    : owner_(owner),
      events_(std::move(events)),
      scale_(WindowDpi(owner)),
      placeCaption_(look.placeCaption),
      textCaption_(look.textCaption) {
  WindowClassLook classLook;
  classLook.background = ButtonFaceBackground();
  classLook.smallIcon = reinterpret_cast<HICON>(GetClassLongPtrW(owner, GCLP_HICONSM));
  RegisterClassOnce(instance, classLook);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
  RECT frame{0, 0, scale_(kClientWidth), scale_(kClientHeight)};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  CreateOwnWindow(WS_EX_CONTROLPARENT, ToWide(look.caption).c_str(), style, POINT{CW_USEDEFAULT, CW_USEDEFAULT},
                  SIZE{frame.right - frame.left, frame.bottom - frame.top}, owner, instance);
  CreateControls(look);
  OnSize();
}

void NodeListWindow::CreateControls(const Look& look) {
  font_ = CreateUiFont(scale_);
  summary_ = CreateChild(hwnd_, font_.get(), {L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kSummaryId});
  list_ = CreateChild(hwnd_, font_.get(),
                      {WC_LISTVIEWW, L"", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP, kListId,
                       WS_EX_CLIENTEDGE});
  SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP | LVS_EX_INFOTIP);
  icons_ = SeverityIcons();
  SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons_.get()));
  AddColumn(0, look.placeCaption, kPlaceWidth);
  AddColumn(1, look.textCaption, kProblemWidth);
  // The label before the pane in the window order names it for a screen
  // reader and gives Alt+D.
  detailLabel_ = CreateChild(hwnd_, font_.get(), {L"STATIC", ToWide(kDetailCaption).c_str(), SS_LEFT, kDetailLabelId});
  detail_ = CreateChild(hwnd_, font_.get(),
                        {L"EDIT", L"", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                         kDetailId, WS_EX_CLIENTEDGE});
}

void NodeListWindow::AddColumn(int index, const char* cp932Caption, int designWidth) {
  std::wstring caption = ToWide(cp932Caption);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = caption.data();
  column.cx = scale_(designWidth);
  column.iSubItem = index;
  SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void NodeListWindow::Fill(const std::string& summary, const std::vector<Row>& rows) {
  const int selected = static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  SetWindowTextW(summary_, ToWide(summary).c_str());
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
  rows_ = rows;
  int index = 0;
  for (const Row& row : rows) {
    std::wstring place = ToWide(row.place);
    std::wstring explanation = ToWide(row.text);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index++;
    item.pszText = place.data();
    item.iImage = row.image;
    const auto index = static_cast<int>(SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.iSubItem = 1;
    item.pszText = explanation.data();
    SendMessageW(list_, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  }
  if (!rows_.empty()) {
    const int keep = std::min(std::max(selected, 0), static_cast<int>(rows_.size()) - 1);
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(keep), reinterpret_cast<LPARAM>(&state));
    SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(keep), FALSE);
  }
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
  ShowDetail(SelectedRow());
}

int NodeListWindow::SelectedRow() const {
  return static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

// The selected row in full; the row's own detail, else the node's whole
// place and the row's text under the columns' captions.
void NodeListWindow::ShowDetail(int row) {
  std::string detail;
  if (row >= 0 && static_cast<std::size_t>(row) < rows_.size()) {
    const Row& shown = rows_[static_cast<std::size_t>(row)];
    detail = shown.detail;
    if (detail.empty()) {
      std::string place = events_.describe ? events_.describe(shown.nodeId) : std::string();
      if (place.empty()) place = shown.place;
      detail = placeCaption_ + ": " + place + "\r\n" + textCaption_ + ": " + shown.text;
    }
  }
  SetWindowTextW(detail_, ToWide(detail).c_str());
}

bool NodeListWindow::PreTranslate(MSG& message) {
  if (hwnd_ == nullptr || (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd))) return false;
  const bool tab = message.message == WM_KEYDOWN && message.wParam == VK_TAB;
  if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
    Close();
    return true;
  }
  // Only these: Enter stays the list's own (NM_RETURN chooses the row).
  if (!tab && message.message != WM_SYSCHAR) return false;
  return IsDialogMessageW(hwnd_, &message) != FALSE;
}

void NodeListWindow::Present() {
  if (!placed_) PlaceBesideOwner();
  placed_ = true;
  ShowWindow(hwnd_, IsWindowVisible(hwnd_) ? SW_SHOW : SW_SHOWNORMAL);
  SetActiveWindow(hwnd_);
  SetFocus(list_);
}

// To the right of the main window where the screen has room, so that the
// tree stays in sight; otherwise over the main window's right edge.
void NodeListWindow::PlaceBesideOwner() {
  RECT owner{};
  RECT self{};
  GetWindowRect(owner_, &owner);
  GetWindowRect(hwnd_, &self);
  const SIZE size{self.right - self.left, self.bottom - self.top};
  const RECT work = WorkAreaOf(MonitorFromWindow(owner_, MONITOR_DEFAULTTONEAREST));
  LONG left = owner.right + scale_(kMargin);
  if (left + size.cx > work.right) left = work.right - size.cx;
  const LONG top = std::max(work.top, std::min<LONG>(owner.top + scale_(40), work.bottom - size.cy));
  SetWindowPos(hwnd_, nullptr, std::max(work.left, left), top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT NodeListWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      OnSize();
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_NEXTDLGCTL:
      MoveDialogFocus(hwnd_, wParam, lParam);
      return 0;
    case WM_ACTIVATE:
      // The list keeps the focus while the window comes and goes.
      if (LOWORD(wParam) != WA_INACTIVE && list_ != nullptr) SetFocus(list_);
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_GETMINMAXINFO: {
      auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
      limits.ptMinTrackSize = POINT{scale_(240), scale_(220)};
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

// On a screen of another scale: the font and the places' column anew.
void NodeListWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  scale_ = DpiScale(dpi);
  font_ = CreateUiFont(scale_);
  SetFontOfChildren(hwnd_, font_.get());
  SendMessageW(list_, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(scale_(kPlaceWidth), 0));
  MoveToSuggested(hwnd_, suggested);
  OnSize();
}

void NodeListWindow::OnSize() {
  if (list_ == nullptr) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int margin = scale_(kMargin);
  const int summaryHeight = scale_(kSummaryHeight);
  const int width = std::max(0, static_cast<int>(client.right) - 2 * margin);
  MoveWindow(summary_, margin, margin, width, summaryHeight, TRUE);
  const int listTop = margin + summaryHeight + margin / 2;
  // The pane keeps its height at the bottom; the list takes the rest.
  const int detailHeight = scale_(kDetailHeight);
  const int detailTop = std::max(listTop, static_cast<int>(client.bottom) - margin - detailHeight);
  const int labelTop = std::max(listTop, detailTop - summaryHeight);
  MoveWindow(list_, margin, listTop, width, std::max(0, labelTop - margin / 2 - listTop), TRUE);
  MoveWindow(detailLabel_, margin, labelTop, width, summaryHeight, TRUE);
  MoveWindow(detail_, margin, detailTop, width, detailHeight, TRUE);
  // The explanations take what the window gives beyond the places.
  SendMessageW(list_, LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(LVSCW_AUTOSIZE_USEHEADER, 0));
}

LRESULT NodeListWindow::OnNotify(const NMHDR& header) {
  if (header.hwndFrom != list_) return 0;
  switch (header.code) {
    case NM_DBLCLK:
      Choose(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
      return 0;
    case NM_RETURN:
      Choose(static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)));
      return 0;
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      if ((change.uChanged & LVIF_STATE) != 0 && (change.uNewState & LVIS_SELECTED) != 0) ShowDetail(change.iItem);
      return 0;
    }
    case LVN_GETINFOTIPW:
      OnGetInfoTip(*reinterpret_cast<NMLVGETINFOTIPW*>(const_cast<NMHDR*>(&header)));
      return 0;
    case LVN_KEYDOWN:
      if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_ESCAPE) Close();
      return 0;
    default:
      return 0;
  }
}

void NodeListWindow::OnGetInfoTip(NMLVGETINFOTIPW& tip) const {
  if (tip.iItem < 0 || static_cast<std::size_t>(tip.iItem) >= rows_.size() || !events_.describe) return;
  if (tip.pszText == nullptr || tip.cchTextMax <= 0) return;
  const std::string place = events_.describe(rows_[static_cast<std::size_t>(tip.iItem)].nodeId);
  if (place.empty()) return;
  const std::wstring wide = ToWide(place);
  const std::size_t room = static_cast<std::size_t>(tip.cchTextMax) - 1;
  const std::size_t length = std::min(wide.size(), room);
  wide.copy(tip.pszText, length);
  tip.pszText[length] = L'\0';
}

void NodeListWindow::Choose(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return;
  const NodeId node = rows_[static_cast<std::size_t>(row)].nodeId;
  if (node != kNoNodeToSelect && events_.choose) events_.choose(node);
}

void NodeListWindow::Close() {
  ShowWindow(hwnd_, SW_HIDE);
  if (events_.closed) events_.closed();
}

}  // namespace velmora::win32
