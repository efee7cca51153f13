// TForm1: the window itself, its controls, their look and their layout. The
// dispatch point is in Unit1Dispatch.cpp, the rendering of the core's view
// in Unit1Render.cpp.
#include "app/win32/Unit1.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>
#include <optional>
#include <utility>

#include "app/CommandIds.h"
#include "app/win32/FileHandOver.h"
#include "win32/ProgramPath.h"
#include "win32/CaptionGroup.h"
#include "win32/ControlColours.h"
#include "win32/Controls.h"
#include "win32/Fonts.h"
#include "win32/Placement.h"
#include "win32/WideText.h"

namespace velmora::win32 {

namespace {

constexpr int kTreeIndent = 19;

// Control captions.
// "定義(&D)"
constexpr char kDefinitionCaption[] = "\x92\xe8\x8b\x60\x28\x26\x44\x29";
// "タイトル(&L)"
constexpr char kTitleLabelCaption[] = "\x83\x5e\x83\x43\x83\x67\x83\x8b\x28\x26\x4c\x29";
// "ツリー(&T)"
constexpr char kTreeLabelCaption[] = "\x83\x63\x83\x8a\x81\x5b\x28\x26\x54\x29";
// "緑"
// "進行状況の色(&C)": what the three colour buttons set.
constexpr char kColourLabelCaption[] = "\x90\x69\x8d\x73\x8f\xf3\x8b\xb5\x82\xcc\x90\x46(&C)";
constexpr char kGreenCaption[] = "\x97\xce";
// "黄"
constexpr char kYellowCaption[] = "\x89\xa9";
// "赤"
constexpr char kRedCaption[] = "\x90\xd4";
// "配布用(&R)"
constexpr char kDistributionCaption[] = "\x94\x7a\x95\x7a\x97\x70\x28\x26\x52\x29";
// "プレビュー(&P)"
constexpr char kPreviewCaption[] = "\x83\x76\x83\x8c\x83\x72\x83\x85\x81\x5b\x28\x26\x50\x29";
// "生成(&G)"
constexpr char kGenerateCaption[] = "\x90\xb6\x90\xac\x28\x26\x47\x29";
// "終了(&E)"
constexpr char kExitCaption[] = "\x8f\x49\x97\xb9\x28\x26\x45\x29";

// Tool tips of the toolbar buttons.
// "新規"
constexpr char kNewTip[] = "\x90\x56\x8b\x4b";
// "読込み"
constexpr char kOpenTip[] = "\x93\xc7\x8d\x9e\x82\xdd";
// "上書き保存"
constexpr char kSaveTip[] = "\x8f\xe3\x8f\x91\x82\xab\x95\xdb\x91\xb6";
// "名前を付けて保存"
constexpr char kSaveAsTip[] = "\x96\xbc\x91\x4f\x82\xf0\x95\x74\x82\xaf\x82\xc4\x95\xdb\x91\xb6";

constexpr COLORREF kLime = RGB(0x00, 0xFF, 0x00);
constexpr COLORREF kYellow = RGB(0xFF, 0xFF, 0x00);
constexpr COLORREF kRed = RGB(0xFF, 0x00, 0x00);

constexpr int kToolButtonWidth = 23;
constexpr int kToolButtonHeight = 22;
constexpr int kToolSeparatorWidth = 8;

void Place(HDWP& batch, HWND control, const ControlRect& r) {
  if (control == nullptr || batch == nullptr) return;
  batch = DeferWindowPos(batch, control, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

// ---------------------------------------------------------------------------
// Creation

FilePath RunningProgramPath() { return FromWidePath(OwnProgramPath()); }

TForm1::TForm1(HINSTANCE instance, std::string productTitle, const FilePath& program, const MainWindowPorts& ports)
    : instance_(instance), productTitle_(std::move(productTitle)), images_(scale_(kPictureSize)) {
  WindowClassLook look;
  look.icon = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_VELMORA));
  look.smallIcon = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_VELMORA), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  look.background = ButtonFaceBackground();
  RegisterClassOnce(instance_, look);
  // Not WS_CLIPCHILDREN: group boxes leave their inside to the window's own
  // background, which clipping would leave unpainted.
  const DWORD style = WS_OVERLAPPEDWINDOW;
  const DWORD exStyle = WS_EX_CONTROLPARENT;
  RECT frame{0, 0, scale_(kDesignClientWidth), scale_(kDesignClientHeight)};
  AdjustWindowRectEx(&frame, style, TRUE, exStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  // Centred until the settings place it (FormCreate).
  const RECT work = WorkAreaOf(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
  const int left = work.left + (work.right - work.left - width) / 2;
  const int top = work.top + (work.bottom - work.top - height) / 2;
  CreateOwnWindow(exStyle, L"Form1", style, POINT{left, top}, SIZE{width, height}, nullptr, instance_);
  scale_ = DpiScale(WindowDpi(hwnd_));
  platform_ = std::make_unique<Win32Platform>(hwnd_, LoadIconW(instance_, MAKEINTRESOURCEW(IDI_VELMORA)), ports);
  AppFacts facts;
  // The program as it runs now: a shortcut points at its path at the time
  // it is made.
  facts.program.productTitle = productTitle_;
  facts.program.productTitleName = FromWidePath(ToWide(productTitle_));
  facts.program.path = RunningProgramPath();
  facts.program.displayText = &PathDisplayText;
  facts.settingsProgram = program;
  facts.playerProgram = ports.playerProgram.Empty() ? program : ports.playerProgram;
  core_ = std::make_unique<AppCore>(platform_->Ports(*this), std::move(facts));

  mainMenu_ = LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_MAINMENU1));
  SetMenu(hwnd_, mainMenu_);
  popupMenuBar_.reset(LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_POPUPMENU1)));
  accelerators_.reset(LoadAcceleratorsW(instance_, MAKEINTRESOURCEW(IDR_ACCELERATORS)));
  RebuildHistoryItems();
  AttachMenuImages();
  CreateControls();

  // The menu bar may take more room than the frame estimate allowed for;
  // the client area is what the design fixes.
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int missing = scale_(kDesignClientHeight) - (client.bottom - client.top);
  if (missing != 0) SetWindowPos(hwnd_, nullptr, 0, 0, width, height + missing, SWP_NOMOVE | SWP_NOZORDER);
  ApplyLayout();

  RunGuarded([this] { FormCreate(); });
}

TForm1::~TForm1() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

void TForm1::CreateControls() {
  font_ = CreateUiFont(scale_);
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  colourBrushes_[0].reset(CreateSolidBrush(kLime));
  colourBrushes_[1].reset(CreateSolidBrush(kYellow));
  colourBrushes_[2].reset(CreateSolidBrush(kRed));

  // Creation order is the tab order, the order things stand on the screen:
  // the definition group (title, colours, tree), the bottom panel, then the
  // toolbar. Each label comes right before the control its
  // accelerator focuses.
  const auto child = [this](const ChildControl& control) { return CreateChild(hwnd_, font_.get(), control); };
  MainWindowControls& c = controls_;
  c.GroupBox1 = child({L"BUTTON", ToWide(kDefinitionCaption).c_str(), BS_GROUPBOX | WS_GROUP, IDC_GROUPBOX1});
  c.LabeledEdit1Label =
      child({L"STATIC", ToWide(kTitleLabelCaption).c_str(), SS_LEFT | SS_CENTERIMAGE, IDC_LABELEDEDIT1_LABEL});
  c.LabeledEdit1 =
      child({L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, IDC_LABELEDEDIT1, WS_EX_CLIENTEDGE});
  // The colour buttons stand in the title's row, so they come next: a group
  // whose caption is their label, read as the group's name.
  c.ColourLabel = child({L"BUTTON", ToWide(kColourLabelCaption).c_str(), BS_GROUPBOX | WS_GROUP, IDC_COLOURLABEL});
  c.ProgressByGreen1 =
      child({L"BUTTON", ToWide(kGreenCaption).c_str(), BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
             IDC_PROGRESSBYGREEN1});
  c.ProgressByYellow1 = child({L"BUTTON", ToWide(kYellowCaption).c_str(), BS_AUTORADIOBUTTON, IDC_PROGRESSBYYELLOW1});
  c.ProgressByRed1 = child({L"BUTTON", ToWide(kRedCaption).c_str(), BS_AUTORADIOBUTTON, IDC_PROGRESSBYRED1});
  ShowCaptionOnly(c.ColourLabel, c.ProgressByGreen1);
  c.Label1 = child({L"STATIC", ToWide(kTreeLabelCaption).c_str(), SS_LEFT | SS_CENTERIMAGE | WS_GROUP, IDC_LABEL1});
  c.TreeView1 = child({WC_TREEVIEWW, L"", TVS_SHOWSELALWAYS | TVS_TRACKSELECT | TVS_HASLINES | TVS_INFOTIP | WS_TABSTOP,
                       IDC_TREEVIEW1, WS_EX_CLIENTEDGE});
  c.GroupBox2 = child({L"BUTTON", ToWide(kDistributionCaption).c_str(), BS_GROUPBOX | WS_GROUP, IDC_GROUPBOX2});
  c.PreViewBtn =
      child({L"BUTTON", ToWide(kPreviewCaption).c_str(), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, IDM_PREVIEW1});
  c.GenerateBtn = child({L"BUTTON", ToWide(kGenerateCaption).c_str(), BS_PUSHBUTTON | WS_TABSTOP, IDM_GENERATE1});
  c.ExitBtn = child({L"BUTTON", ToWide(kExitCaption).c_str(), BS_PUSHBUTTON | WS_TABSTOP, IDM_EXIT1});
  CreateToolBar();

  SendMessageW(c.ProgressByGreen1, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(c.TreeView1, TVM_SETINDENT, static_cast<WPARAM>(scale_(kTreeIndent)), 0);
  SendMessageW(c.TreeView1, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_.ImageList1()));
  SendMessageW(c.TreeView1, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(images_.ImageList2()));
  mirror_.Attach(c.TreeView1);

  for (HWND child : {c.TreeView1, c.LabeledEdit1, c.ToolBar1}) {
    SetWindowSubclass(child, &TForm1::ChildProc, 0, reinterpret_cast<DWORD_PTR>(this));
  }
  editTrigger_.Attach(c.TreeView1, hwnd_, IDM_EDIT1);
  CreateColourTips();
}

void TForm1::CreateToolBar() {
  controls_.ToolBar1 = CreateChild(
      hwnd_, font_.get(),
      {TOOLBARCLASSNAMEW, nullptr,
       TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, IDC_TOOLBAR1});
  HWND bar = controls_.ToolBar1;
  SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  // Mixed buttons show no text; their text becomes the tool tip.
  SendMessageW(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
  SendMessageW(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.ImageList3()));
  // The toolbar keeps its own copies of the tips.
  const std::wstring tips[] = {ToWide(kNewTip), ToWide(kOpenTip), ToWide(kSaveTip), ToWide(kSaveAsTip)};
  auto button = [](int image, int command, BYTE state, const std::wstring& tip) {
    TBBUTTON b{};
    b.iBitmap = image;
    b.idCommand = command;
    b.fsState = state;
    b.fsStyle = BTNS_BUTTON;
    b.iString = reinterpret_cast<INT_PTR>(tip.c_str());
    return b;
  };
  TBBUTTON separator{};
  separator.iBitmap = scale_(kToolSeparatorWidth);
  separator.fsStyle = BTNS_SEP;
  const TBBUTTON buttons[] = {
      button(0, IDM_NEW1, TBSTATE_ENABLED, tips[0]),   // NewBtn1
      button(1, IDM_READ1, TBSTATE_ENABLED, tips[1]),  // OpenBtn1
      separator,                                        // ToolButton3
      button(2, IDM_SAVE1, 0, tips[2]),                // SaveBtn1
      button(3, IDM_SAVEAS1, 0, tips[3]),            // SaveAsBtn1
  };
  SendMessageW(bar, TB_ADDBUTTONSW, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
  SendMessageW(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(scale_(kToolButtonWidth), scale_(kToolButtonHeight)));
}

void TForm1::AttachMenuImages() {
  auto attach = [](HMENU menu, int command, HBITMAP bitmap) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP;
    info.hbmpItem = bitmap;
    SetMenuItemInfoW(menu, static_cast<UINT>(command), FALSE, &info);
  };
  attach(mainMenu_, IDM_NEW1, images_.MainMenuBitmap(0));
  attach(mainMenu_, IDM_READ1, images_.MainMenuBitmap(1));
  attach(mainMenu_, IDM_SAVE1, images_.MainMenuBitmap(2));
  attach(mainMenu_, IDM_SAVEAS1, images_.MainMenuBitmap(3));
  HMENU popup = PopupMenu1();
  attach(popup, IDM_ADDYES1, images_.PopupBitmap(2));
  attach(popup, IDM_ADDNO1, images_.PopupBitmap(3));
  attach(popup, IDM_QUESTION1, images_.PopupBitmap(4));
  attach(popup, IDM_INFORMATION1, images_.PopupBitmap(5));
  attach(popup, IDM_EXCLAIMATION1, images_.PopupBitmap(6));
  attach(popup, IDM_INHIBIT1, images_.PopupBitmap(7));
  ReserveImageColumn(GetSubMenu(mainMenu_, 0));
  ReserveImageColumn(popup);
}

void TForm1::FormCreate() {
  // The main window is also the one the taskbar shows for the program:
  // there is no separate application window to register.
  DragAcceptFiles(hwnd_, TRUE);
  // The About box's background is drawn from this generator.
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  core_->Start(platform_->ProbeTaskbarProgress());
}

void TForm1::ProbeTaskbarProgress() { core_->SetTaskbarProgress(platform_->ProbeTaskbarProgress()); }

void TForm1::ShowFirstTime(int showCommand, const std::vector<std::wstring>& arguments) {
  // The first show brings the window up in the state the settings restored.
  ShowWindow(hwnd_, shown_ ? showCommand : FirstShowCommand(platform_->FirstShowState(), showCommand));
  UpdateWindow(hwnd_);
  if (shown_) return;
  shown_ = true;
  RunGuarded([&] { FormShow(arguments); });
  SetTimer(hwnd_, kRecoveryTimer, kRecoveryTickMs, nullptr);
}

// The first command-line argument, once the window is on screen, opens as a
// dropped file does; further arguments are ignored. A recovery copy left by
// a run that did not end normally is offered first.
void TForm1::FormShow(const std::vector<std::wstring>& arguments) {
  // Work restored from a run that did not end normally is not replaced by
  // the file of the command line (which opens without a question).
  if (core_->OfferRecovery()) return;
  if (arguments.empty()) return;
  core_->OpenAsDroppedFile(FromWidePath(arguments.front()));
}

void TForm1::SetInstanceMark(const std::wstring& instanceName) {
  instanceMark_ = std::make_unique<InstanceMarkProperty>(hwnd_, instanceName);
}

// ---------------------------------------------------------------------------
// A second start's file

bool TForm1::OnCopyData(const COPYDATASTRUCT& data) {
  std::optional<std::wstring> path = ReadFileHandOver(data);
  if (!path) return false;
  // Not opened inside the sender's call: the open may ask questions, and
  // the second start waits for this answer.
  handedOver_.push_back(std::move(*path));
  PostMessageW(hwnd_, kOpenHandedOverFile, 0, 0);
  return true;
}

void TForm1::OpenHandedOverFile() {
  // A modal dialog disables the window, and a menu runs its own loop; the
  // file waits for their end (OnHandOverChance), never dropped.
  if (handedOver_.empty() || !IsWindowEnabled(hwnd_) || menuLoop_) return;
  const std::wstring path = std::move(handedOver_.front());
  handedOver_.pop_front();
  if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  SetForegroundWindow(hwnd_);
  RunGuarded([&] { core_->OpenHandedOverFile(FromWidePath(path)); });
  if (!handedOver_.empty()) PostMessageW(hwnd_, kOpenHandedOverFile, 0, 0);
}

void TForm1::OnHandOverChance(UINT message) {
  if (message == WM_ENTERMENULOOP || message == WM_EXITMENULOOP) menuLoop_ = message == WM_ENTERMENULOOP;
  if (!handedOver_.empty()) PostMessageW(hwnd_, kOpenHandedOverFile, 0, 0);
}

// ---------------------------------------------------------------------------
// Layout

void TForm1::ApplyLayout() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int width = scale_.ToDesign(client.right - client.left);
  const int height = scale_.ToDesign(client.bottom - client.top);
  layout_ = ScaleLayout(ComputeMainWindowLayout(width, height, kUiFontHeight, MeasureLabels()), scale_.Dpi());
  const MainWindowControls& c = controls_;
  HDWP batch = BeginDeferWindowPos(15);
  Place(batch, c.ToolBar1, layout_.ToolBar1);
  Place(batch, c.GroupBox1, layout_.GroupBox1);
  Place(batch, c.LabeledEdit1Label, layout_.LabeledEdit1Label);
  Place(batch, c.LabeledEdit1, layout_.LabeledEdit1);
  Place(batch, c.Label1, layout_.Label1);
  Place(batch, c.TreeView1, layout_.TreeView1);
  Place(batch, c.ColourLabel, layout_.ColourLabel);
  Place(batch, c.ProgressByGreen1, layout_.ProgressByGreen1);
  Place(batch, c.ProgressByYellow1, layout_.ProgressByYellow1);
  Place(batch, c.ProgressByRed1, layout_.ProgressByRed1);
  Place(batch, c.GroupBox2, layout_.GroupBox2);
  Place(batch, c.PreViewBtn, layout_.PreViewBtn);
  Place(batch, c.GenerateBtn, layout_.GenerateBtn);
  Place(batch, c.ExitBtn, layout_.ExitBtn);
  if (batch != nullptr) EndDeferWindowPos(batch);
}

// On a screen of another scale. The program is per-monitor DPI aware, so
// Windows no longer stretches its pixels (which blurs them): the window
// takes the size Windows suggests and makes its font, its pictures and its
// layout anew at the new DPI.
void TForm1::OnDpiChanged(int dpi, const RECT& suggested) {
  scale_ = DpiScale(dpi);
  font_ = CreateUiFont(scale_);
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  SetFontOfChildren(hwnd_, font_.get());
  // The controls take the new pictures before the old ones go.
  EditorImageLists pictures(scale_(kPictureSize));
  const MainWindowControls& c = controls_;
  SendMessageW(c.TreeView1, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(pictures.ImageList1()));
  SendMessageW(c.TreeView1, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(pictures.ImageList2()));
  SendMessageW(c.TreeView1, TVM_SETINDENT, static_cast<WPARAM>(scale_(kTreeIndent)), 0);
  SendMessageW(c.ToolBar1, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures.ImageList3()));
  SendMessageW(c.ToolBar1, TB_SETBUTTONSIZE, 0, MAKELPARAM(scale_(kToolButtonWidth), scale_(kToolButtonHeight)));
  std::swap(images_, pictures);
  AttachMenuImages();
  MoveToSuggested(hwnd_, suggested);
  ApplyLayout();
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}


// The labels take the width of their text in the window's font (at least
// the designed width), so that no font substitute can clip them.
LabelWidths TForm1::MeasureLabels() const {
  LabelWidths widths;
  const WindowDc dc(hwnd_);
  SelectedObject selected(dc.Get(), font_.get());
  auto measure = [&](const wchar_t* caption, int designed) {
    RECT box{0, 0, 0, 0};
    DrawTextW(dc.Get(), caption, -1, &box, DT_CALCRECT | DT_SINGLELINE);
    return std::max(designed, scale_.ToDesign(box.right - box.left) + 1);
  };
  widths.titleLabel = measure(ToWide(kTitleLabelCaption).c_str(), widths.titleLabel);
  widths.treeLabel = measure(ToWide(kTreeLabelCaption).c_str(), widths.treeLabel);
  widths.colourLabel = measure(ToWide(kColourLabelCaption).c_str(), widths.colourLabel);
  return widths;
}

void TForm1::OnSize() {
  if (controls_.TreeView1 == nullptr) return;
  ApplyLayout();
  // Every control paints itself whole again: a label that grew would keep
  // what a frame once drew over it.
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// ---------------------------------------------------------------------------
// The look of the controls

// The colour buttons show their colour behind their text; with high
// contrast they take the system's colours, and their text and check mark
// still say which colour is chosen.
LRESULT TForm1::OnControlColour(HDC dc, HWND control) {
  if (HighContrastOn()) {
    return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
  }
  if (control == controls_.ProgressByGreen1) return SolidControlColours(dc, kLime, colourBrushes_[0].get());
  if (control == controls_.ProgressByYellow1) return SolidControlColours(dc, kYellow, colourBrushes_[1].get());
  if (control == controls_.ProgressByRed1) return SolidControlColours(dc, kRed, colourBrushes_[2].get());
  return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

bool TForm1::OnSetCursor(HWND target) {
  const MainWindowControls& c = controls_;
  bool hand = target == c.ProgressByGreen1 || target == c.ProgressByYellow1 || target == c.ProgressByRed1 ||
              target == c.PreViewBtn || target == c.GenerateBtn || target == c.ExitBtn;
  if (target == c.ToolBar1) {
    POINT at{};
    GetCursorPos(&at);
    ScreenToClient(target, &at);
    const auto index = static_cast<int>(SendMessageW(target, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&at)));
    TBBUTTON button{};
    hand = index >= 0 && SendMessageW(target, TB_GETBUTTON, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(&button)) &&
           (button.fsStyle & BTNS_SEP) == 0;
  }
  if (!hand) return false;
  SetCursor(LoadCursorW(nullptr, IDC_HAND));
  return true;
}

}  // namespace velmora::win32
