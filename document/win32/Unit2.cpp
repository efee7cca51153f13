#include "document/win32/Unit2.h"

#include <string>
#include <vector>

#include "document/NodeLinks.h"
#include "document/TextRules.h"
#include "document/win32/LinkPicker.h"
#include "document/win32/TextGuard.h"
#include "win32/ControlColours.h"
#include "win32/Controls.h"
#include "win32/DroppedFiles.h"
#include "win32/Fonts.h"
#include "win32/WideText.h"

namespace velmora::win32 {
namespace {

using namespace node_editor;

// The design size of the window, at 96 DPI.
constexpr int kClientWidth = 384;
// The row of the link's button under the outcome.
constexpr int kLinkRowHeight = 26;
constexpr int kClientHeight = 269 + kLinkRowHeight + NodePictureArea::kDesignHeight;
constexpr int kMinimumWindowHeight = 292 + kLinkRowHeight + NodePictureArea::kDesignHeight;
constexpr int kMargin = 3;
constexpr int kLeftColumnWidth = 69;
constexpr int kPictureLeft = 9;
constexpr int kPictureTop = 8;
constexpr int kPictureSize = 48;
constexpr RECT kRadioGroupBox{5, 65, 5 + 57, 65 + 99};
constexpr int kStripHeight = 60;
// The outcome's frame between the note and the bottom strip, and the room
// its caption takes above the buttons inside it.
constexpr int kOutcomeHeight = 32;
constexpr int kOutcomeCaptionRoom = 12;
constexpr int kOutcomeSpacing = 10;
// The memo's label above it: a screen reader names the memo by it.
constexpr int kMemoLabelHeight = 14;
// The bottom strip's four columns in per cent of the width.
constexpr double kColumnShares[] = {17.5, 33.4, 33.0, 16.2};
constexpr int kCellSpacingSide = 8;
constexpr int kCellSpacingBelow = 4;

// The radio items inside the kinds' frame: their inset from its left edge
// and top, the room they leave at its right and bottom.
constexpr int kRadioItemInsetLeft = 7;
constexpr int kRadioItemInsetTop = 14;  // below the frame's caption
constexpr int kRadioItemsRoomRight = 3;
constexpr int kRadioItemsRoomBottom = 4;
// Room a radio button needs beside its check circle and caption.
constexpr int kRadioCaptionPadding = 8;

// "ダイアログ エディタ" (dialog editor)
constexpr char kCaption[] = "\x83\x5f\x83\x43\x83\x41\x83\x8d\x83\x4f\x20\x83\x47\x83\x66\x83\x42\x83\x5e";
// "確認", "通知", "強調", "禁止" (confirm, notice, emphasis, prohibition)
constexpr const char* kKindItems[] = {"\x8a\x6d\x94\x46", "\x92\xca\x92\x6d", "\x8b\xad\x92\xb2", "\x8b\xd6\x8e\x7e"};
// "種類" (kind)
constexpr char kKindsCaption[] = "\x8e\xed\x97\xde";
// "「はい(Y)」を優先" (give priority to Yes)
constexpr char kPreferYes[] = "\x81\x75\x82\xcd\x82\xa2\x28\x59\x29\x81\x76\x82\xf0\x97\x44\x90\xe6";
// "「いいえ(N)」を優先" (give priority to No)
constexpr char kPreferNo[] = "\x81\x75\x82\xa2\x82\xa2\x82\xa6\x28\x4e\x29\x81\x76\x82\xf0\x97\x44\x90\xe6";
// The buttons' and the kinds' face, 11 pixels high at 96 DPI.
// "メッセージ(&M)"
constexpr char kMemoLabel[] = "\x83\x81\x83\x62\x83\x5a\x81\x5b\x83\x57\x28\x26\x4d\x29";
// "作成者メモ(&O)" (the author's note)
constexpr char kNoteLabelText[] = "\x8d\xec\x90\xac\x8e\xd2\x83\x81\x83\x82\x28\x26\x4f\x29";
// The note takes this share of the room the message and the note share.
constexpr double kNoteShare = 0.3;
// "結果(&R)" (outcome) and its first choice "なし" (none); the others are the
// "outcome" field's own labels.
constexpr char kOutcomeCaption[] = "\x8c\x8b\x89\xca\x28\x26\x52\x29";
constexpr char kNoOutcome[] = "\x82\xc8\x82\xb5";
// "続ける先(&L)..." (continue at)
constexpr char kLinkCaption[] = "\x91\xb1\x82\xaf\x82\xe9\x90\xe6(&L)...";
// Shift-JIS asked for by name: on a Western Windows the font mapper then
// takes a face that holds the Japanese captions, as a Japanese Windows does
// for Tahoma by itself; without it the captions would show as boxes.
constexpr FontLook kFormFontLook{L"Tahoma", FW_NORMAL, SHIFTJIS_CHARSET};
constexpr int kFormFontHeight = 11;

bool IsChecked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// Unchecking a radio button also takes its tab stop (the button's own rule:
// Tab enters a group at the checked one). A group with none checked would
// then be skipped by Tab, so its first button keeps the stop.
template <std::size_t Count>
void KeepGroupReachable(const std::array<HWND, Count>& buttons) {
  for (HWND button : buttons) {
    if (IsChecked(button)) return;
  }
  const LONG_PTR style = GetWindowLongPtrW(buttons[0], GWL_STYLE);
  SetWindowLongPtrW(buttons[0], GWL_STYLE, style | WS_TABSTOP);
}
void SetChecked(HWND button, bool checked) {
  SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}


// The declared fields the dialog has controls for: the note box, the
// outcome's buttons, the picture and its words.
struct EditorFields {
  FieldIndex note = *FieldNamed("note");
  FieldIndex outcome = *FieldNamed("outcome");
  FieldIndex picture = *FieldNamed("picture");
  FieldIndex alt = *FieldNamed("alt");
};
const EditorFields& Fields() {
  static const EditorFields fields;
  return fields;
}
const std::vector<FieldChoice>& OutcomeChoices() { return DeclaredFields()[Fields().outcome].choices; }

}  // namespace

// Sized at its owner's DPI, where it appears; from its creation on, at its own.
TForm2::TForm2(HWND owner) : owner_(owner), scale_(WindowDpi(owner)) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WindowClassLook look;
  look.background = ButtonFaceBackground();
  RegisterClassOnce(instance, look);

  // Not WS_CLIPCHILDREN: the radio group's frame leaves its inside to the
  // window's own background, which clipping would leave unpainted.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX;
  const DWORD exStyle = WS_EX_TOPMOST | WS_EX_CONTROLPARENT;
  RECT frame{0, 0, scale_(kClientWidth), scale_(kClientHeight)};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  CreateOwnWindow(exStyle, L"", style, POINT{CW_USEDEFAULT, CW_USEDEFAULT},
                  SIZE{frame.right - frame.left, frame.bottom - frame.top}, owner, instance);
}

TForm2::~TForm2() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

LRESULT TForm2::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      FormCreate();
      return 0;
    case WM_SIZE:
      ApplyLayout();
      // Every control paints itself whole again, the kinds' frame too.
      RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      return 0;
    case WM_GETMINMAXINFO:
      OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_ERASEBKGND:
      EraseAroundControls(hwnd_, reinterpret_cast<HDC>(wParam), ButtonFaceBackground());
      return TRUE;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void TForm2::FormCreate() {
  scale_ = DpiScale(WindowDpi(hwnd_));
  SetWindowTextW(hwnd_, ToWide(kCaption).c_str());
  ShowOwnersIcon();
  font_ = CreatePixelFont(kFormFontLook, scale_(kFormFontHeight));
  memoFont_ = CreateUiFont(scale_);
  pictures_ = std::make_unique<KindPictures>(scale_(kPictureSize), GetSysColor(COLOR_BTNFACE));
  CreateControls();
  SetWindowTextW(controls_.Memo1, L"");
  itemIndex_ = -1;
  kindPictures_ = {controls_.Image1, controls_.Image4, controls_.Image2, controls_.Image3};
  HidePictures();
  RemoveCloseCommand();
  // A picture file dropped on the window becomes the step's picture.
  DragAcceptFiles(hwnd_, TRUE);
  ApplyLayout();
}

void TForm2::CreateControls() {
  const auto child = [this](const ChildControl& control) { return CreateChild(hwnd_, font_.get(), control); };
  // Creation order is the tab order, the order a reader meets them: the
  // text under its label, the kind, the default answer, the author's note,
  // the outcome, the picture, then OK and Cancel.
  // The pictures and the frame take no focus.
  controls_.Memo1Label = child({L"STATIC", ToWide(kMemoLabel).c_str(), SS_LEFT, kMemo1Label});
  controls_.Memo1 = child({L"EDIT", L"",
                           WS_GROUP | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL, kMemo1,
                           WS_EX_CLIENTEDGE});
  // Word wrap: a horizontal scroll bar would switch it off in an edit box.
  SendMessageW(controls_.Memo1, WM_SETFONT, reinterpret_cast<WPARAM>(memoFont_.get()), FALSE);
  SendMessageW(controls_.Memo1, EM_SETLIMITTEXT, 0, 0);
  controls_.Image1 = child({L"STATIC", L"", SS_OWNERDRAW, kImage1});
  controls_.Image2 = child({L"STATIC", L"", SS_OWNERDRAW, kImage2});
  controls_.Image3 = child({L"STATIC", L"", SS_OWNERDRAW, kImage3});
  controls_.Image4 = child({L"STATIC", L"", SS_OWNERDRAW, kImage4});
  // The kinds' captioned frame: a screen reader names their group by it.
  controls_.RadioGroup1 = child({L"BUTTON", ToWide(kKindsCaption).c_str(), BS_GROUPBOX, kRadioGroup1});
  for (int i = 0; i < 4; ++i) {
    const DWORD first = i == 0 ? (WS_GROUP | WS_TABSTOP) : 0;
    controls_.RadioGroup1Items[static_cast<std::size_t>(i)] =
        child({L"BUTTON", ToWide(kKindItems[i]).c_str(), BS_AUTORADIOBUTTON | first, kRadioGroup1Item0 + i});
  }
  controls_.RadioButton1 = child({L"BUTTON", ToWide(kPreferYes).c_str(), BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, kRadioButton1});
  controls_.RadioButton2 = child({L"BUTTON", ToWide(kPreferNo).c_str(), BS_AUTORADIOBUTTON, kRadioButton2});
  // The author's note, under its label: after what the end user sees.
  controls_.NoteLabel = child({L"STATIC", ToWide(kNoteLabelText).c_str(), SS_LEFT, kNoteLabel});
  controls_.Note = child({L"EDIT", L"", WS_GROUP | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL, kNote,
                          WS_EX_CLIENTEDGE});
  SendMessageW(controls_.Note, WM_SETFONT, reinterpret_cast<WPARAM>(memoFont_.get()), FALSE);
  SendMessageW(controls_.Note, EM_SETLIMITTEXT, 0, 0);
  // The outcome of an end: a captioned frame, which a screen reader reads
  // as the name of the buttons' group.
  controls_.OutcomeGroup = child({L"BUTTON", ToWide(kOutcomeCaption).c_str(), BS_GROUPBOX, kOutcomeGroup});
  for (std::size_t i = 0; i < controls_.OutcomeItems.size(); ++i) {
    const std::string caption = i == 0 ? std::string(kNoOutcome) : std::string(OutcomeChoices()[i - 1].label);
    const DWORD first = i == 0 ? (WS_GROUP | WS_TABSTOP) : 0;
    controls_.OutcomeItems[i] = child(
        {L"BUTTON", ToWide(caption).c_str(), BS_AUTORADIOBUTTON | first, kOutcomeItem0 + static_cast<int>(i)});
  }
  // The link follows the outcome: both say how an end goes on.
  controls_.LinkButton = child({L"BUTTON", ToWide(kLinkCaption).c_str(), BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP, kLinkButton});
  controls_.LinkShown = child({L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kLinkShown});
  pictureArea_ = std::make_unique<NodePictureArea>(hwnd_, font_.get());
  controls_.BitBtn1 = child({L"BUTTON", L"&OK", BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, kBitBtn1});
  controls_.BitBtn2 = child({L"BUTTON", L"&Cancel", BS_PUSHBUTTON | WS_TABSTOP, kBitBtn2});
  SetChecked(controls_.RadioButton1, true);
}

// The program's icon, small and big, as the main window that owns the
// dialog shows it.
void TForm2::ShowOwnersIcon() {
  if (owner_ == nullptr) return;
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, static_cast<LPARAM>(GetClassLongPtrW(owner_, GCLP_HICON)));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, static_cast<LPARAM>(GetClassLongPtrW(owner_, GCLP_HICONSM)));
}

void TForm2::RemoveCloseCommand() {
  HMENU menu = GetSystemMenu(hwnd_, FALSE);
  if (menu == nullptr) return;
  DeleteMenu(menu, SC_CLOSE, MF_BYCOMMAND);
  DeleteMenu(menu, 1, MF_BYPOSITION);
}

// The width a radio button needs to show its whole caption.
int TForm2::RequiredWidth(HWND button) const {
  const std::wstring caption = WindowText(button);
  const WindowDc dc(button);
  SIZE size{};
  {
    SelectedObject selected(dc.Get(), font_.get());
    GetTextExtentPoint32W(dc.Get(), caption.c_str(), static_cast<int>(caption.size()), &size);
  }
  return size.cx + GetSystemMetrics(SM_CXMENUCHECK) + scale_(kRadioCaptionPadding);
}

void TForm2::ApplyLayout() {
  if (controls_.Memo1 == nullptr) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int width = client.right;
  const int height = client.bottom;
  const int margin = scale_(kMargin);
  const int stripTop = height - scale_(kStripHeight);

  // Upper area: the left column with the pictures and the kinds, the memo.
  const int left = margin;
  const int top = margin;
  const int picture = scale_(kPictureSize);
  for (HWND image : {controls_.Image1, controls_.Image2, controls_.Image3, controls_.Image4}) {
    PlaceControl(image, left + scale_(kPictureLeft), top + scale_(kPictureTop), picture, picture);
  }
  const int groupLeft = left + scale_(kRadioGroupBox.left);
  const int groupTop = top + scale_(kRadioGroupBox.top);
  const int groupWidth = scale_(kRadioGroupBox.right - kRadioGroupBox.left);
  const int groupHeight = scale_(kRadioGroupBox.bottom - kRadioGroupBox.top);
  PlaceControl(controls_.RadioGroup1, groupLeft, groupTop, groupWidth, groupHeight);
  const int itemHeight = (groupHeight - scale_(kRadioItemInsetTop + kRadioItemsRoomBottom)) / 4;
  for (int i = 0; i < 4; ++i) {
    PlaceControl(controls_.RadioGroup1Items[static_cast<std::size_t>(i)], groupLeft + scale_(kRadioItemInsetLeft),
          groupTop + scale_(kRadioItemInsetTop) + i * itemHeight,
          groupWidth - scale_(kRadioItemInsetLeft + kRadioItemsRoomRight), itemHeight);
  }
  const int memoLeft = left + scale_(kLeftColumnWidth);
  const int labelHeight = scale_(kMemoLabelHeight);
  const int outcomeHeight = scale_(kOutcomeHeight);
  const int pictureHeight = scale_(NodePictureArea::kDesignHeight);
  const int linkHeight = scale_(kLinkRowHeight);
  const int shared = stripTop - margin - top - 2 * labelHeight - outcomeHeight - linkHeight - pictureHeight;
  const int noteHeight = static_cast<int>(shared * kNoteShare);
  const int memoHeight = shared - noteHeight;
  PlaceControl(controls_.Memo1Label, memoLeft, top, width - margin - memoLeft, labelHeight);
  PlaceControl(controls_.Memo1, memoLeft, top + labelHeight, width - margin - memoLeft, memoHeight);
  const int noteTop = top + labelHeight + memoHeight;
  PlaceControl(controls_.NoteLabel, memoLeft, noteTop, width - margin - memoLeft, labelHeight);
  PlaceControl(controls_.Note, memoLeft, noteTop + labelHeight, width - margin - memoLeft, noteHeight);
  const int outcomeTop = noteTop + labelHeight + noteHeight;
  PlaceOutcomes(memoLeft, outcomeTop, width - margin - memoLeft, outcomeHeight);
  // The link's button, as wide as its caption, and where the link leads.
  const int linkTop = outcomeTop + outcomeHeight;
  const int linkWidth = RequiredWidth(controls_.LinkButton);
  PlaceControl(controls_.LinkButton, memoLeft, linkTop, linkWidth, linkHeight - scale_(kMargin));
  const int shownLeft = memoLeft + linkWidth + scale_(kMargin);
  PlaceControl(controls_.LinkShown, shownLeft, linkTop + scale_(kMargin), width - margin - shownLeft,
               linkHeight - 2 * scale_(kMargin));
  pictureArea_->Place(memoLeft, linkTop + linkHeight, width - margin - memoLeft, pictureHeight, scale_);

  // Bottom strip: four columns by share, two rows of equal height.
  int columnLeft[5] = {0, 0, 0, 0, width};
  double share = 0;
  for (int i = 0; i < 4; ++i) {
    columnLeft[i] = static_cast<int>(width * share / 100.0 + 0.5);
    share += kColumnShares[i];
  }
  const int rowHeight = scale_(kStripHeight) / 2;
  const int side = scale_(kCellSpacingSide);
  const int below = scale_(kCellSpacingBelow);
  auto placeInCell = [&](HWND control, int column, int row) {
    const int cellLeft = columnLeft[column];
    const int cellWidth = columnLeft[column + 1] - cellLeft;
    PlaceControl(control, cellLeft + side, stripTop + row * rowHeight, cellWidth - 2 * side, rowHeight - below);
  };
  // The two default-answer buttons may need more than their cells where a
  // substitute font draws wider: the first then grows to the left, the
  // second to the right, into the empty outer columns.
  auto placeAnswerButton = [&](HWND control, int column, bool growLeft) {
    const int cellLeft = columnLeft[column] + side;
    const int cellRight = columnLeft[column + 1] - side;
    const int needed = RequiredWidth(control);
    int left = cellLeft;
    int right = cellRight;
    if (needed > right - left) {
      if (growLeft) {
        left = right - needed > margin ? right - needed : margin;
      } else {
        right = left + needed < width - margin ? left + needed : width - margin;
      }
    }
    PlaceControl(control, left, stripTop, right - left, rowHeight - below);
  };
  placeAnswerButton(controls_.RadioButton1, 1, true);
  placeAnswerButton(controls_.RadioButton2, 2, false);
  placeInCell(controls_.BitBtn1, 1, 1);
  placeInCell(controls_.BitBtn2, 2, 1);
}

// The frame, and its buttons side by side inside it, each as wide as its
// caption needs.
void TForm2::PlaceOutcomes(int left, int top, int width, int height) {
  PlaceControl(controls_.OutcomeGroup, left, top, width, height - scale_(kMargin));
  const int buttonTop = top + scale_(kOutcomeCaptionRoom);
  const int buttonHeight = height - scale_(kOutcomeCaptionRoom) - 2 * scale_(kMargin);
  int x = left + scale_(kRadioItemInsetLeft);
  for (HWND button : controls_.OutcomeItems) {
    const int needed = RequiredWidth(button);
    PlaceControl(button, x, buttonTop, needed, buttonHeight);
    x += needed + scale_(kOutcomeSpacing);
  }
}

// On a screen of another scale: the fonts and the kind pictures anew at the
// new DPI, the size Windows suggests, the same layout.
void TForm2::OnDpiChanged(int dpi, const RECT& suggested) {
  scale_ = DpiScale(dpi);
  font_ = CreatePixelFont(kFormFontLook, scale_(kFormFontHeight));
  memoFont_ = CreateUiFont(scale_);
  SetFontOfChildren(hwnd_, font_.get());
  SendMessageW(controls_.Memo1, WM_SETFONT, reinterpret_cast<WPARAM>(memoFont_.get()), TRUE);
  SendMessageW(controls_.Note, WM_SETFONT, reinterpret_cast<WPARAM>(memoFont_.get()), TRUE);
  pictures_ = std::make_unique<KindPictures>(scale_(kPictureSize), GetSysColor(COLOR_BTNFACE));
  MoveToSuggested(hwnd_, suggested);
  ApplyLayout();
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TForm2::OnDropFiles(HDROP drop) {
  const std::wstring path = FirstDroppedFile(drop);
  DragFinish(drop);
  pictureArea_->TakeFile(path);
}

void TForm2::OnGetMinMaxInfo(MINMAXINFO& info) { info.ptMinTrackSize.y = scale_(kMinimumWindowHeight); }

void TForm2::OnCommand(int id, int code) {
  if (id >= kRadioGroup1Item0 && id < kRadioGroup1Item0 + 4 && code == BN_CLICKED) {
    const int index = id - kRadioGroup1Item0;
    if (index != itemIndex_ && IsChecked(controls_.RadioGroup1Items[static_cast<std::size_t>(index)])) {
      itemIndex_ = index;
      RadioGroup1Click();
    }
    return;
  }
  if (id == kMemo1 && code == EN_CHANGE) return Memo1Change();
  if (pictureArea_->OnCommand(id, code)) return;
  if (id == kLinkButton && code == BN_CLICKED) return PickLink();
  // BitBtn2, the Cancel button, is the base's: it ends the dialog as Cancel.
  if (id == kBitBtn1) return BitBtn1Click();
}

void TForm2::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (pictureArea_->OnDrawItem(item)) return;
  const int kind = KindOfPicture(static_cast<int>(item.CtlID));
  if (kind < 0 || pictures_ == nullptr) return;
  pictures_->Draw(item.hDC, kind, item.rcItem.left, item.rcItem.top);
}

int TForm2::KindOfPicture(int controlId) const {
  for (int kind = 0; kind < 4; ++kind) {
    if (GetDlgCtrlID(kindPictures_[static_cast<std::size_t>(kind)]) == controlId) return kind;
  }
  return -1;
}

void TForm2::HidePictures() {
  for (HWND picture : kindPictures_) ShowWindow(picture, SW_HIDE);
  if (itemIndex_ == -1) EnableWindow(controls_.BitBtn1, FALSE);
}

void TForm2::RadioGroup1Click() {
  HidePictures();
  if (itemIndex_ >= 0) ShowWindow(kindPictures_[static_cast<std::size_t>(itemIndex_)], SW_SHOW);
  EnableWindow(controls_.BitBtn1, TRUE);
}

void TForm2::Memo1Change() {
  EnableWindow(controls_.RadioButton1, TRUE);
  EnableWindow(controls_.RadioButton2, TRUE);
}

void TForm2::FormShow() {
  SetItemIndex(itemIndex_);
  if (itemIndex_ == -1) {
    HidePictures();
    EnableWindow(controls_.BitBtn1, FALSE);
  }
}

void TForm2::SetItemIndex(int index) {
  if (index < -1 || index > 3) index = -1;
  if (index == itemIndex_) return;
  itemIndex_ = index;
  for (int i = 0; i < 4; ++i) SetChecked(controls_.RadioGroup1Items[static_cast<std::size_t>(i)], i == index);
  KeepGroupReachable(controls_.RadioGroup1Items);
  if (index >= 0) RadioGroup1Click();
}

void TForm2::SelectAnswerButton(bool preferNo) {
  SetChecked(controls_.RadioButton1, !preferNo);
  SetChecked(controls_.RadioButton2, preferNo);
}

void TForm2::SetMemoText(const std::string& cp932) {
  const std::wstring text = ToWide(cp932);
  if (text == WindowText(controls_.Memo1)) return;
  SetWindowTextW(controls_.Memo1, text.c_str());
  Memo1Change();
}

// A question's outcome is kept as it is but cannot be chosen: only an end
// has one.
void TForm2::ShowOutcome(std::string_view value, bool enabled) {
  std::size_t chosen = 0;
  for (std::size_t i = 0; i < OutcomeChoices().size(); ++i) {
    if (OutcomeChoices()[i].value == value) chosen = i + 1;
  }
  for (std::size_t i = 0; i < controls_.OutcomeItems.size(); ++i) {
    SetChecked(controls_.OutcomeItems[i], i == chosen);
    EnableWindow(controls_.OutcomeItems[i], enabled ? TRUE : FALSE);
  }
  EnableWindow(controls_.OutcomeGroup, enabled ? TRUE : FALSE);
}

std::string TForm2::ChosenOutcome() const {
  for (std::size_t i = 1; i < controls_.OutcomeItems.size(); ++i) {
    if (IsChecked(controls_.OutcomeItems[i])) return std::string(OutcomeChoices()[i - 1].value);
  }
  return {};
}

void TForm2::BitBtn1Click() {
  // The dialog keyboard can send OK while the button is disabled.
  if (!IsWindowEnabled(controls_.BitBtn1)) return;
  const std::wstring text = WindowText(controls_.Memo1);
  if (RefuseUnrepresentableText(hwnd_, text, controls_.Memo1)) return;
  if (RefuseUnrepresentableText(hwnd_, WindowText(controls_.Note), controls_.Note)) return;
  if (RefuseUnrepresentableText(hwnd_, pictureArea_->AltText(), pictureArea_->AltBox())) return;
  EndModal(true);
}

std::optional<NodeEditorResult> TForm2::EditNode(const NodeEditorInput& input) {
  if (Showing()) return std::nullopt;
  SetItemIndex(input.kind);
  SelectAnswerButton(input.preferNo);
  SetMemoText(input.memoText);
  const FieldIndex note = Fields().note;
  SetWindowTextW(controls_.Note, ToWide(input.later.Get(note)).c_str());
  EnableWindow(controls_.RadioButton1, input.answerButtonsEnabled ? TRUE : FALSE);
  EnableWindow(controls_.RadioButton2, input.answerButtonsEnabled ? TRUE : FALSE);
  const FieldIndex outcome = Fields().outcome;
  ShowOutcome(input.later.Get(outcome), input.endFieldsEnabled);
  pictureArea_->Show(std::string(input.later.Get(Fields().picture)), input.later.Get(Fields().alt), input.pictureRoom);
  linkValue_ = std::string(input.later.Get(LinkField()));
  linkChoices_ = input.linkChoices;
  linkShown_ = input.linkShown;
  EnableWindow(controls_.LinkButton, input.linkChoices ? TRUE : FALSE);
  ShowLink();

  FormShow();
  // The author comes to edit the text: the caret waits at its end. A new
  // answer's placeholder "…" is selected instead, so that typing replaces it.
  const LRESULT length = GetWindowTextLengthW(controls_.Memo1);
  const LRESULT from = input.memoText == PlaceholderText ? 0 : length;
  SendMessageW(controls_.Memo1, EM_SETSEL, static_cast<WPARAM>(from), length);
  if (!RunModal(owner_, controls_.Memo1)) return std::nullopt;

  NodeEditorResult result;
  result.kind = itemIndex_;
  result.preferNo = IsChecked(controls_.RadioButton2);
  result.memoText = ToCp932(WindowText(controls_.Memo1));
  result.later = input.later;
  result.later.Set(note, ToCp932(WindowText(controls_.Note)));
  if (input.endFieldsEnabled) result.later.Set(outcome, ChosenOutcome());
  result.later.Set(Fields().picture, pictureArea_->Stored());
  result.later.Set(Fields().alt, ToCp932(pictureArea_->AltText()));
  if (input.linkChoices) result.later.Set(LinkField(), linkValue_);
  return result;
}

void TForm2::PickLink() {
  if (!linkChoices_) return;
  const std::optional<std::uint64_t> current = LinkNumber(linkValue_);
  LinkPicker picker(hwnd_, {linkChoices_(), current ? *current : 0});
  const std::optional<NodeId> chosen = picker.ShowModal();
  if (!chosen) return;
  linkValue_ = *chosen == 0 ? std::string() : LinkValue(*chosen);
  ShowLink();
}

// "→ ランプは点灯しますか？", or "なし" without a link.
void TForm2::ShowLink() {
  const std::string shown = linkShown_ ? linkShown_(linkValue_) : std::string();
  SetWindowTextW(controls_.LinkShown, ToWide(shown.empty() ? std::string(kNoOutcome) : shown).c_str());
}

}  // namespace velmora::win32
