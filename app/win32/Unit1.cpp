// TForm1: the window itself, its layout, the dispatch point and the exit
// command. The handlers of the subsystems live in Unit1Editing.cpp,
// Unit1Preview.cpp, Unit1Files.cpp, Unit1Desktop.cpp and Unit1Settings.cpp.
#include "app/Unit1.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>
#include <stdexcept>

#include "app/CommandIds.h"
#include "app/WideText.h"
#include "distribution/Unit_Win7Taskbar.h"
#include "document/Errors.h"

namespace velmora::win32 {

namespace {

// "ＭＳ Ｐゴシック", 12 pixels high at 96 DPI.
constexpr wchar_t kFontFace[] = L"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF";
constexpr int kFontHeight = 12;
constexpr int kTreeIndent = 19;

// Control captions.
constexpr wchar_t kDefinitionCaption[] = L"\u5B9A\u7FA9(&D)";                  // 定義(&D)
constexpr wchar_t kTitleLabelCaption[] = L"\u30BF\u30A4\u30C8\u30EB(&L)";      // タイトル(&L)
constexpr wchar_t kTreeLabelCaption[] = L"\u30C4\u30EA\u30FC(&T)";             // ツリー(&T)
constexpr wchar_t kGreenCaption[] = L"\u7DD1";                                 // 緑
constexpr wchar_t kYellowCaption[] = L"\u9EC4";                                // 黄
constexpr wchar_t kRedCaption[] = L"\u8D64";                                   // 赤
constexpr wchar_t kDistributionCaption[] = L"\u914D\u5E03\u7528(&R)";          // 配布用(&R)
constexpr wchar_t kPreviewCaption[] = L"\u30D7\u30EC\u30D3\u30E5\u30FC(&P)";   // プレビュー(&P)
constexpr wchar_t kGenerateCaption[] = L"\u751F\u6210(&G)";                    // 生成(&G)
constexpr wchar_t kExitCaption[] = L"\u7D42\u4E86(&E)";                        // 終了(&E)

// Tool tips of the toolbar buttons.
constexpr wchar_t kNewTip[] = L"\u65B0\u898F";                                 // 新規
constexpr wchar_t kOpenTip[] = L"\u8AAD\u8FBC\u307F";                          // 読込み
constexpr wchar_t kSaveTip[] = L"\u4E0A\u66F8\u304D\u4FDD\u5B58";              // 上書き保存
constexpr wchar_t kSaveAsTip[] = L"\u540D\u524D\u3092\u4ED8\u3051\u3066\u4FDD\u5B58";  // 名前を付けて保存

// "予期しないエラーが発生しました" (an unexpected error occurred): the report
// for a failure that carries no text of its own.
constexpr wchar_t kUnexpectedError[] = L"\u4E88\u671F\u3057\u306A\u3044\u30A8\u30E9\u30FC\u304C\u767A\u751F\u3057\u307E\u3057\u305F";
// "メモリが不足しています" (out of memory).
constexpr wchar_t kOutOfMemory[] = L"\u30E1\u30E2\u30EA\u304C\u4E0D\u8DB3\u3057\u3066\u3044\u307E\u3059";

constexpr COLORREF kLime = RGB(0x00, 0xFF, 0x00);
constexpr COLORREF kYellow = RGB(0xFF, 0xFF, 0x00);
constexpr COLORREF kRed = RGB(0xFF, 0x00, 0x00);

constexpr int kToolButtonWidth = 23;
constexpr int kToolButtonHeight = 22;
constexpr int kToolSeparatorWidth = 8;

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

void Place(HDWP& batch, HWND control, const ControlRect& r) {
  if (control == nullptr || batch == nullptr) return;
  batch = DeferWindowPos(batch, control, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

// ---------------------------------------------------------------------------
// Creation

void TForm1::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, kClassName, &existing)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &TForm1::WindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_VELMORA));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_VELMORA), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);
}

TForm1::TForm1(HINSTANCE instance, std::string productTitle)
    : instance_(instance),
      productTitle_(std::move(productTitle)),
      images_(MulDiv(kPictureSize, ScreenDpi(), kDesignDpi)),
      editor_(*this),
      dpi_(ScreenDpi()) {
  RegisterWindowClass(instance_);
  // Not WS_CLIPCHILDREN: group boxes leave their inside to the window's own
  // background, which clipping would leave unpainted.
  const DWORD style = WS_OVERLAPPEDWINDOW;
  const DWORD exStyle = WS_EX_CONTROLPARENT;
  RECT frame{0, 0, Scale(kDesignClientWidth), Scale(kDesignClientHeight)};
  AdjustWindowRectEx(&frame, style, TRUE, exStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  // Without saved settings the window opens centred on the screen.
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int left = work.left + (work.right - work.left - width) / 2;
  const int top = work.top + (work.bottom - work.top - height) / 2;
  CreateWindowExW(exStyle, kClassName, L"Form1", style, left, top, width, height, nullptr, nullptr, instance_, this);
  if (hwnd_ == nullptr) throw std::runtime_error("the main window cannot be created");
  ownMessageBoxes_.SetOwner(hwnd_);

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
  const int missing = Scale(kDesignClientHeight) - (client.bottom - client.top);
  if (missing != 0) SetWindowPos(hwnd_, nullptr, 0, 0, width, height + missing, SWP_NOMOVE | SWP_NOZORDER);
  ApplyLayout();

  Dispatch([this] { FormCreate(); });
}

TForm1::~TForm1() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

HWND TForm1::CreateChild(const wchar_t* className, const wchar_t* text, DWORD style, int id, DWORD exStyle) {
  HWND child = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, hwnd_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return child;
}

void TForm1::CreateControls() {
  font_.reset(CreateFontW(-Scale(kFontHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                          kFontFace));
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  colourBrushes_[0].reset(CreateSolidBrush(kLime));
  colourBrushes_[1].reset(CreateSolidBrush(kYellow));
  colourBrushes_[2].reset(CreateSolidBrush(kRed));

  // Creation order is the tab order: the definition group, the bottom panel,
  // then the toolbar. Each label comes right before the control its
  // accelerator focuses.
  MainWindowControls& c = controls_;
  c.GroupBox1 = CreateChild(L"BUTTON", kDefinitionCaption, BS_GROUPBOX | WS_GROUP, IDC_GROUPBOX1);
  c.LabeledEdit1Label =
      CreateChild(L"STATIC", kTitleLabelCaption, SS_LEFT | SS_CENTERIMAGE, IDC_LABELEDEDIT1_LABEL);
  c.LabeledEdit1 = CreateChild(L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, IDC_LABELEDEDIT1,
                               WS_EX_CLIENTEDGE);
  c.Label1 = CreateChild(L"STATIC", kTreeLabelCaption, SS_LEFT | SS_CENTERIMAGE | WS_GROUP, IDC_LABEL1);
  c.TreeView1 = CreateChild(WC_TREEVIEWW, L"", TVS_SHOWSELALWAYS | TVS_TRACKSELECT | TVS_HASLINES | WS_TABSTOP,
                            IDC_TREEVIEW1, WS_EX_CLIENTEDGE);
  c.ProgressByGreen1 = CreateChild(L"BUTTON", kGreenCaption, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
                                   IDC_PROGRESSBYGREEN1);
  c.ProgressByYellow1 = CreateChild(L"BUTTON", kYellowCaption, BS_AUTORADIOBUTTON, IDC_PROGRESSBYYELLOW1);
  c.ProgressByRed1 = CreateChild(L"BUTTON", kRedCaption, BS_AUTORADIOBUTTON, IDC_PROGRESSBYRED1);
  c.GroupBox2 = CreateChild(L"BUTTON", kDistributionCaption, BS_GROUPBOX | WS_GROUP, IDC_GROUPBOX2);
  c.PreViewBtn = CreateChild(L"BUTTON", kPreviewCaption, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, IDM_PREVIEW1);
  c.GenerateBtn = CreateChild(L"BUTTON", kGenerateCaption, BS_PUSHBUTTON | WS_TABSTOP, IDM_GENERATE1);
  c.ExitBtn = CreateChild(L"BUTTON", kExitCaption, BS_PUSHBUTTON | WS_TABSTOP, IDM_EXIT1);
  CreateToolBar();

  SendMessageW(c.ProgressByGreen1, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(c.TreeView1, TVM_SETINDENT, static_cast<WPARAM>(Scale(kTreeIndent)), 0);
  SendMessageW(c.TreeView1, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_.ImageList1()));
  SendMessageW(c.TreeView1, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(images_.ImageList2()));
  mirror_.Attach(c.TreeView1);

  for (HWND child : {c.TreeView1, c.LabeledEdit1, c.ToolBar1}) {
    SetWindowSubclass(child, &TForm1::ChildProc, 0, reinterpret_cast<DWORD_PTR>(this));
  }
  editTrigger_.Attach(c.TreeView1, hwnd_, IDM_EDIT1);
}

void TForm1::CreateToolBar() {
  controls_.ToolBar1 = CreateChild(
      TOOLBARCLASSNAMEW, nullptr,
      TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
      IDC_TOOLBAR1);
  HWND bar = controls_.ToolBar1;
  SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  // Mixed buttons show no text; their text becomes the tool tip.
  SendMessageW(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
  SendMessageW(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.ImageList3()));
  auto button = [](int image, int command, BYTE state, const wchar_t* tip) {
    TBBUTTON b{};
    b.iBitmap = image;
    b.idCommand = command;
    b.fsState = state;
    b.fsStyle = BTNS_BUTTON;
    b.iString = reinterpret_cast<INT_PTR>(tip);
    return b;
  };
  TBBUTTON separator{};
  separator.iBitmap = Scale(kToolSeparatorWidth);
  separator.fsStyle = BTNS_SEP;
  const TBBUTTON buttons[] = {
      button(0, IDM_NEW1, TBSTATE_ENABLED, kNewTip),   // NewBtn1
      button(1, IDM_READ1, TBSTATE_ENABLED, kOpenTip),  // OpenBtn1
      separator,                                        // ToolButton3
      button(2, IDM_SAVE1, 0, kSaveTip),                // SaveBtn1
      button(3, IDM_SAVEAS1, 0, kSaveAsTip),            // SaveAsBtn1
  };
  SendMessageW(bar, TB_ADDBUTTONSW, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
  SendMessageW(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(Scale(kToolButtonWidth), Scale(kToolButtonHeight)));
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
}

void TForm1::FormCreate() {
  SetCaption(productTitle_);
  DragAcceptFiles(hwnd_, TRUE);
  LoadSettings();
  // The About box's background is drawn from this generator.
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  New1Click();
  ProbeTaskbarProgress();
  // Generate stays off until the first selection change, although the
  // starting tree already has three nodes.
  CommandStates& commands = editor_.Commands();
  commands.PreView = true;
  commands.Generate = false;
  commands.Save = false;
}

void TForm1::ShowFirstTime(int showCommand, const std::vector<std::wstring>& arguments) {
  ShowWindow(hwnd_, showCommand);
  UpdateWindow(hwnd_);
  if (shown_) return;
  shown_ = true;
  Dispatch([&] { FormShow(arguments); });
}

void TForm1::SetInstanceMark(const std::wstring& instanceName) {
  instanceMark_ = std::make_unique<InstanceMarkProperty>(hwnd_, instanceName);
}

// ---------------------------------------------------------------------------
// Layout

int TForm1::Scale(int pixels) const { return MulDiv(pixels, dpi_, kDesignDpi); }

void TForm1::ApplyLayout() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int width = MulDiv(client.right - client.left, kDesignDpi, dpi_);
  const int height = MulDiv(client.bottom - client.top, kDesignDpi, dpi_);
  layout_ = ScaleLayout(ComputeMainWindowLayout(width, height, kFontHeight, MeasureLabels()), dpi_);
  const MainWindowControls& c = controls_;
  HDWP batch = BeginDeferWindowPos(14);
  Place(batch, c.ToolBar1, layout_.ToolBar1);
  Place(batch, c.GroupBox1, layout_.GroupBox1);
  Place(batch, c.LabeledEdit1Label, layout_.LabeledEdit1Label);
  Place(batch, c.LabeledEdit1, layout_.LabeledEdit1);
  Place(batch, c.Label1, layout_.Label1);
  Place(batch, c.TreeView1, layout_.TreeView1);
  Place(batch, c.ProgressByGreen1, layout_.ProgressByGreen1);
  Place(batch, c.ProgressByYellow1, layout_.ProgressByYellow1);
  Place(batch, c.ProgressByRed1, layout_.ProgressByRed1);
  Place(batch, c.GroupBox2, layout_.GroupBox2);
  Place(batch, c.PreViewBtn, layout_.PreViewBtn);
  Place(batch, c.GenerateBtn, layout_.GenerateBtn);
  Place(batch, c.ExitBtn, layout_.ExitBtn);
  if (batch != nullptr) EndDeferWindowPos(batch);
}

// The labels take the width of their text in the window's font (at least
// the designed width), so that no font substitute can clip them.
LabelWidths TForm1::MeasureLabels() const {
  LabelWidths widths;
  HDC dc = GetDC(hwnd_);
  SelectedObject selected(dc, font_.get());
  auto measure = [&](const wchar_t* caption, int designed) {
    RECT box{0, 0, 0, 0};
    DrawTextW(dc, caption, -1, &box, DT_CALCRECT | DT_SINGLELINE);
    return std::max(designed, MulDiv(box.right - box.left, kDesignDpi, dpi_) + 1);
  };
  widths.titleLabel = measure(kTitleLabelCaption, widths.titleLabel);
  widths.treeLabel = measure(kTreeLabelCaption, widths.treeLabel);
  ReleaseDC(hwnd_, dc);
  return widths;
}

void TForm1::OnSize() {
  if (controls_.TreeView1 == nullptr) return;
  ApplyLayout();
}

// ---------------------------------------------------------------------------
// The dispatch point

LRESULT CALLBACK TForm1::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TForm1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TForm1*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  // Commands catch their own errors in Dispatch; this is the last guard, so
  // that nothing unwinds through the system's message dispatch.
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    self->ReportError(ToCp932(kUnexpectedError));
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

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
    case WM_QUERYENDSESSION: {
      bool allowed = false;
      Dispatch([&] { allowed = FormCloseQuery(); });
      return allowed ? TRUE : FALSE;
    }
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
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

LRESULT TForm1::OnControlColour(HDC dc, HWND control) {
  const auto colour = [dc](COLORREF value, const UniqueBrush& brush) {
    SetBkColor(dc, value);
    return reinterpret_cast<LRESULT>(brush.get());
  };
  if (control == controls_.ProgressByGreen1) return colour(kLime, colourBrushes_[0]);
  if (control == controls_.ProgressByYellow1) return colour(kYellow, colourBrushes_[1]);
  if (control == controls_.ProgressByRed1) return colour(kRed, colourBrushes_[2]);
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

void TForm1::OnDropFiles(HDROP drop) {
  Dispatch([&] { FormDropFiles(drop); });
  DragFinish(drop);
}

// ---------------------------------------------------------------------------
// Bringing the screen up to date

void TForm1::Sync() {
  syncing_ = true;
  try {
    mirror_.Sync(editor_);
    ApplyTitleBox();
    ApplyCommandStates();
    ApplyOptions();
  } catch (...) {
    syncing_ = false;
    throw;
  }
  syncing_ = false;
}

void TForm1::ScrollToOrigin() { mirror_.RequestScrollToOrigin(); }

void TForm1::ApplyTitleBox() {
  const int length = GetWindowTextLengthW(controls_.LabeledEdit1);
  std::wstring shown(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(controls_.LabeledEdit1, shown.data(), length + 1);
  shown.resize(static_cast<std::size_t>(length));
  const std::string& title = editor_.State().Title;
  if (ToCp932(shown) != title) SetWindowTextW(controls_.LabeledEdit1, ToWide(title).c_str());
}

void TForm1::EnableCommand(int commandId, bool enabled) {
  const UINT flags = MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED);
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
  CheckMenuItem(mainMenu_, static_cast<UINT>(commandId), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
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

// ---------------------------------------------------------------------------
// The exit command

void TForm1::ExitBtnClick() {
  // Exactly what the close box does; the close sequence may refuse.
  PostMessageW(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
}

}  // namespace velmora::win32
