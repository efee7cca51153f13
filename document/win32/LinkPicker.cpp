#include "document/win32/LinkPicker.h"

#include <algorithm>
#include <string>
#include <utility>

#include "win32/BoxButtons.h"
#include "win32/Controls.h"
#include "win32/Fonts.h"
#include "win32/WideText.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {
namespace {

using namespace link_picker;

// The design size at 96 DPI: room for a line of a step's text.
constexpr int kClientWidth = 420;
constexpr int kClientHeight = 300;
constexpr int kMargin = 10;
constexpr int kLabelHeight = 16;
constexpr int kSearchHeight = 22;
constexpr int kGap = 6;
// The room a list box leaves before and after a line's text.
constexpr int kTextPadding = 6;

// "続ける先", "検索(&S)", "続けるノード(&N)", "（なし）"
constexpr char kCaption[] = "\x91\xb1\x82\xaf\x82\xe9\x90\xe6";
constexpr char kSearchCaption[] = "\x8c\x9f\x8d\xf5(&S)";
constexpr char kListCaption[] = "\x91\xb1\x82\xaf\x82\xe9\x83\x6d\x81\x5b\x83\x68(&N)";
constexpr char kNone[] = "\x81\x69\x82\xc8\x82\xb5\x81\x6a";

}  // namespace

LinkPicker::LinkPicker(HWND owner, LinkPickerInput input)
    : owner_(owner), input_(std::move(input)), scale_(WindowDpi(owner)) {
  CreateBox(owner, ToWide(kCaption).c_str(), SIZE{kClientWidth, kClientHeight}, scale_);
}

LinkPicker::~LinkPicker() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

// Cancel, Escape and the close box are the base's.
LRESULT LinkPicker::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kSearch && HIWORD(wParam) == EN_CHANGE) Refill();
      // A double click on a line picks it.
      if (LOWORD(wParam) == kOk || (LOWORD(wParam) == kList && HIWORD(wParam) == LBN_DBLCLK)) EndModal(true);
      return 0;
    case WM_DPICHANGED:
      RescaleBox(wParam, lParam, scale_, font_);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void LinkPicker::OnCreate() {
  scale_ = DpiScale(WindowDpi(hwnd_));
  font_ = CreateUiFont(scale_);
  const auto child = [this](const ChildControl& control) { return CreateChild(hwnd_, font_.get(), control); };
  // Each box under its label, which a screen reader names it by.
  searchLabel_ = child({L"STATIC", ToWide(kSearchCaption).c_str(), SS_LEFT, kSearchLabel});
  search_ = child({L"EDIT", L"", WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, kSearch, WS_EX_CLIENTEDGE});
  listLabel_ = child({L"STATIC", ToWide(kListCaption).c_str(), SS_LEFT, kListLabel});
  list_ = child({L"LISTBOX", L"", WS_TABSTOP | WS_GROUP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                 kList, WS_EX_CLIENTEDGE});
  buttons_ = CreateBoxButtons(hwnd_, font_.get());
  ApplyLayout();
  Refill();
}

void LinkPicker::ApplyLayout() {
  const int margin = scale_(kMargin);
  const int width = scale_(kClientWidth) - 2 * margin;
  const int label = scale_(kLabelHeight);
  int y = margin;
  SetWindowPos(searchLabel_, nullptr, margin, y, width, label, SWP_NOZORDER);
  y += label;
  SetWindowPos(search_, nullptr, margin, y, width, scale_(kSearchHeight), SWP_NOZORDER);
  y += scale_(kSearchHeight) + scale_(kGap);
  SetWindowPos(listLabel_, nullptr, margin, y, width, label, SWP_NOZORDER);
  y += label;
  const int buttonTop = PlaceBoxButtons(buttons_, scale_, SIZE{kClientWidth, kClientHeight}, kMargin);
  SetWindowPos(list_, nullptr, margin, y, width, buttonTop - scale_(kGap) - y, SWP_NOZORDER);
}

void LinkPicker::Refill() {
  shown_ = MatchingChoices(input_.choices, ToCp932(WindowText(search_)));
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  // A step's text is often a long sentence: the list scrolls sideways as
  // far as its widest line.
  const WindowDc dc(list_);
  const SelectedObject font(dc.Get(), font_.get());
  LONG widest = 0;
  const auto add = [&](const std::wstring& line) {
    SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SIZE size{};
    GetTextExtentPoint32W(dc.Get(), line.c_str(), static_cast<int>(line.size()), &size);
    widest = std::max(widest, size.cx);
  };
  add(ToWide(kNone));
  LRESULT selected = 0;
  for (std::size_t i = 0; i < shown_.size(); ++i) {
    const LinkChoice& choice = input_.choices[shown_[i]];
    add(ToWide(choice.label));
    if (choice.id == input_.current) selected = static_cast<LRESULT>(i) + 1;
  }
  SendMessageW(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + scale_(kTextPadding)), 0);
  // Typing narrows the list to the first match, or the current target.
  if (selected == 0 && !shown_.empty() && GetWindowTextLengthW(search_) > 0) selected = 1;
  SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
}

std::optional<NodeId> LinkPicker::ShowModal() {
  if (!RunModal(owner_, search_)) return std::nullopt;
  const LRESULT selected = SendMessageW(list_, LB_GETCURSEL, 0, 0);
  if (selected <= 0 || static_cast<std::size_t>(selected) > shown_.size()) return NodeId{0};
  return input_.choices[shown_[static_cast<std::size_t>(selected) - 1]].id;
}

}  // namespace velmora::win32
