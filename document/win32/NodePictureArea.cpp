#include "document/win32/NodePictureArea.h"

#include <commdlg.h>

#include <vector>

#include "document/Errors.h"
#include "document/Picture.h"
#include "document/PictureMessages.h"
#include "document/win32/TextGuard.h"
#include "win32/ClipboardPicture.h"
#include "win32/Controls.h"
#include "win32/FileDialogFilter.h"
#include "win32/WholeFile.h"
#include "win32/WideText.h"
#include "win32/Win32MessageBox.h"

namespace velmora::win32 {
namespace {

using namespace node_editor;

// "画像(&I)...", "画像を貼り付け(&P)", "画像を削除", "代替テキスト(&A)"
constexpr char kOpenCaption[] = "\x89\xe6\x91\x9c(&I)...";
constexpr char kPasteCaption[] = "\x89\xe6\x91\x9c\x82\xf0\x93\x5c\x82\xe8\x95t\x82\xaf(&P)";
constexpr char kRemoveCaption[] = "\x89\xe6\x91\x9c\x82\xf0\x8d\xed\x8f\x9c";
constexpr char kAltCaption[] = "\x91\xe3\x91\xd6\x83" "e\x83L\x83X\x83g(&A)";
// "画像なし" (no picture) and "画像を表示できません" (cannot show the picture):
// the thumbnail's words where it has no picture to draw.
constexpr char kNoPicture[] = "\x89\xe6\x91\x9c\x82\xc8\x82\xb5";
constexpr char kCannotShow[] = "\x89\xe6\x91\x9c\x82\xf0\x95\x5c\x8e\xa6\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1";
// The open dialog's title "画像を選択" and its filter.
constexpr char kChooseTitle[] = "\x89\xe6\x91\x9c\x82\xf0\x91I\x91\xf0";
constexpr char kChooseFilter[] =
    "\x89\xe6\x91\x9c (*.png;*.jpg;*.jpeg;*.gif;*.bmp)|*.png;*.jpg;*.jpeg;*.gif;*.bmp|\x82\xb7\x82\xd7\x82\xc4\x82\xcc"
    "\x83t\x83@\x83"
    "C\x83\x8b (*.*)|*.*";

// The part's measures at 96 DPI: the thumbnail's width, the gaps, a
// button's and a line's height, the label's width.
constexpr int kThumbnailWidth = 96;
constexpr int kGap = 6;
constexpr int kButtonHeight = 23;
constexpr int kLineHeight = 21;
constexpr int kLabelWidth = 96;
// The longest path the open dialog takes, with its terminator.
constexpr std::size_t kPathCapacity = 32768;

}  // namespace

NodePictureArea::NodePictureArea(HWND window, HFONT font) : window_(window) {
  const auto child = [&](const ChildControl& control) { return CreateChild(window_, font, control); };
  // Owner-drawn: it shows a picture or words; its window text, the
  // picture's summary, is its name for a screen reader.
  thumbnail_ = child({L"STATIC", ToWide(kNoPicture).c_str(), SS_OWNERDRAW, kPicture});
  // Pasting a screenshot comes first: it is what authors do most.
  paste_ = child({L"BUTTON", ToWide(kPasteCaption).c_str(), BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP, kPastePicture});
  open_ = child({L"BUTTON", ToWide(kOpenCaption).c_str(), BS_PUSHBUTTON | WS_TABSTOP, kOpenPicture});
  remove_ = child({L"BUTTON", ToWide(kRemoveCaption).c_str(), BS_PUSHBUTTON | WS_TABSTOP, kRemovePicture});
  altLabel_ = child({L"STATIC", ToWide(kAltCaption).c_str(), SS_LEFT | SS_CENTERIMAGE, kAltLabel});
  alt_ = child({L"EDIT", L"", WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL, kAlt, WS_EX_CLIENTEDGE});
}

NodePictureArea::~NodePictureArea() = default;

// The thumbnail at the left beside two rows of buttons (paste across the
// whole row, then open and remove), and the words' line under all of them.
void NodePictureArea::Place(int left, int top, int width, int height, const DpiScale& scale) {
  const int gap = scale(kGap);
  const int buttonHeight = scale(kButtonHeight);
  const int lineHeight = scale(kLineHeight);
  const int thumbnailWidth = scale(kThumbnailWidth);
  const int thumbnailHeight = height - gap - lineHeight - gap;
  PlaceControl(thumbnail_, left, top, thumbnailWidth, thumbnailHeight);
  const int x = left + thumbnailWidth + gap;
  const int rowWidth = left + width - x;
  PlaceControl(paste_, x, top, rowWidth, buttonHeight);
  const int half = (rowWidth - gap) / 2;
  const int secondRow = top + buttonHeight + gap / 2;
  PlaceControl(open_, x, secondRow, half, buttonHeight);
  PlaceControl(remove_, x + half + gap, secondRow, rowWidth - half - gap, buttonHeight);
  const int lineTop = top + thumbnailHeight + gap;
  const int labelWidth = scale(kLabelWidth);
  PlaceControl(altLabel_, left, lineTop, labelWidth, lineHeight);
  PlaceControl(alt_, left + labelWidth, lineTop, width - labelWidth, lineHeight);
  Renew();
}

void NodePictureArea::Show(std::string stored, std::string_view alt, std::size_t room) {
  stored_ = std::move(stored);
  room_ = room;
  SetWindowTextW(alt_, ToWide(alt).c_str());
  decoded_.reset();
  Renew();
}

std::wstring NodePictureArea::AltText() const { return WindowText(alt_); }

bool NodePictureArea::OnCommand(int id, int code) {
  switch (id) {
    // The thumbnail's name holds the words.
    case kAlt:
      if (code == EN_CHANGE) Rename();
      return true;
    case kOpenPicture: ChooseFile(); return true;
    case kPastePicture: Paste(); return true;
    case kRemovePicture: Remove(); return true;
    default: return false;
  }
}

void NodePictureArea::ChooseFile() {
  const std::wstring filter = FileDialogFilter(kChooseFilter);
  const std::wstring title = ToWide(kChooseTitle);
  std::vector<wchar_t> path(kPathCapacity, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window_;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrTitle = title.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&dialog)) return;
  TakeFile(path.data());
}

void NodePictureArea::TakeFile(const std::wstring& path) {
  // A file far past the limit (a video dropped by mistake) is refused by
  // its size, before it is read into memory.
  WIN32_FILE_ATTRIBUTE_DATA facts{};
  if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &facts) &&
      (facts.nFileSizeHigh != 0 || facts.nFileSizeLow > kMostPictureBytes)) {
    Refuse(PictureRefusalMessage(PictureRefusal::TooManyBytes));
    return;
  }
  std::string bytes;
  try {
    bytes = ReadWholeFile(path);
  } catch (const VelmoraError& error) {
    Refuse(error.what());
    return;
  }
  TakePicture(bytes);
}

void NodePictureArea::Paste() {
  std::optional<std::string> bytes;
  try {
    bytes = ClipboardPicture(window_);
  } catch (const VelmoraError& error) {
    Refuse(error.what());
    return;
  }
  if (!bytes) {
    Refuse(NoClipboardPictureMessage());
    return;
  }
  TakePicture(*bytes);
}

void NodePictureArea::Remove() {
  stored_.clear();
  decoded_.reset();
  Renew();
  SetFocus(open_);
}

// The step keeps the picture it had when a new one cannot be taken.
void NodePictureArea::TakePicture(const std::string& bytes) {
  if (const std::optional<PictureRefusal> refusal = CheckPicture(bytes)) {
    Refuse(PictureRefusalMessage(*refusal));
    return;
  }
  std::string stored = Base64Encode(bytes);
  if (stored.size() > room_) {
    Refuse(DocumentTooLargeMessage());
    return;
  }
  stored_ = std::move(stored);
  decoded_.reset();
  Renew();
  // The words come next: a picture without them is the check's warning.
  SetFocus(alt_);
}

void NodePictureArea::Refuse(const std::string& cp932) {
  ShowErrorReport(window_, ToWide(GeneralErrorReportText(cp932)), ApplicationCaption(window_));
}

void NodePictureArea::Renew() {
  if (!stored_.empty() && !decoded_) decoded_ = std::make_unique<DecodedPicture>(stored_);
  RECT box{};
  GetClientRect(thumbnail_, &box);
  const SIZE room{box.right - 2, box.bottom - 2};
  bitmap_.reset();
  bitmapSize_ = SIZE{0, 0};
  if (decoded_ && *decoded_ && room.cx > 0 && room.cy > 0) {
    bitmapSize_ = FitWithin(decoded_->Size(), room);
    bitmap_ = decoded_->Bitmap(bitmapSize_);
  }
  Rename();
  EnableWindow(remove_, stored_.empty() ? FALSE : TRUE);
  InvalidateRect(thumbnail_, nullptr, TRUE);
}

// "[画像 1280x720 PNG 183 KB: 右下の通知領域]", or "画像なし".
void NodePictureArea::Rename() {
  const std::string name = stored_.empty() ? std::string(kNoPicture) : PictureSummary(stored_, ToCp932(AltText()));
  SetWindowTextW(thumbnail_, ToWide(name).c_str());
}

bool NodePictureArea::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.hwndItem != thumbnail_) return false;
  const RECT& box = item.rcItem;
  FillRect(item.hDC, &box, GetSysColorBrush(COLOR_BTNFACE));
  FrameRect(item.hDC, &box, GetSysColorBrush(COLOR_BTNSHADOW));
  if (bitmap_) {
    const UniqueDc memory(CreateCompatibleDC(item.hDC));
    const SelectedObject picture(memory.get(), bitmap_.get());
    const int left = box.left + (box.right - box.left - bitmapSize_.cx) / 2;
    const int top = box.top + (box.bottom - box.top - bitmapSize_.cy) / 2;
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(item.hDC, left, top, bitmapSize_.cx, bitmapSize_.cy, memory.get(), 0, 0, bitmapSize_.cx,
                  bitmapSize_.cy, blend);
    return true;
  }
  // The words in the window's font, wrapped and centred both ways.
  const std::wstring words = ToWide(stored_.empty() ? kNoPicture : kCannotShow);
  const SelectedObject font(item.hDC, reinterpret_cast<HFONT>(SendMessageW(thumbnail_, WM_GETFONT, 0, 0)));
  constexpr UINT kFormat = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
  RECT text{box.left + 2, 0, box.right - 2, 0};
  DrawTextW(item.hDC, words.c_str(), static_cast<int>(words.size()), &text, kFormat | DT_CALCRECT);
  const int height = text.bottom - text.top;
  text = RECT{box.left + 2, (box.top + box.bottom - height) / 2, box.right - 2, (box.top + box.bottom + height) / 2};
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(COLOR_GRAYTEXT));
  DrawTextW(item.hDC, words.c_str(), static_cast<int>(words.size()), &text, kFormat);
  return true;
}

}  // namespace velmora::win32
