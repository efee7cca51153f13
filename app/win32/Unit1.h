#pragma once
// The main window TForm1: the tree view, the title box, the colour buttons,
// the distribution buttons, the main menu, the toolbar and the pop-up menu.
//
// The window holds no document state. Every event becomes one call into the
// application core (app/AppCore.h): a command id (menu item, toolbar or push
// button, accelerator), a selection, a title keystroke, a colour, a dropped
// file, a close request. After the call the window renders the core's View
// (Unit1Render.cpp), comparing it with the view it rendered last: the tree
// view is walked only when the tree's revision moved.
//
// Unit1.cpp creates the window and its controls and lays them out,
// Unit1Dispatch.cpp turns messages into calls, Unit1Render.cpp renders.

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/AppCore.h"
#include "app/MainWindowLayout.h"
#include "app/win32/FindBox.h"
#include "app/win32/NodeListWindow.h"
#include "app/win32/ImageLists.h"
#include "app/win32/Win32Platform.h"
#include "app/win32/SingleInstance.h"
#include "app/win32/TreeViewMirror.h"
#include "win32/Dpi.h"
#include "win32/WindowBase.h"
#include "win32/Win32Handles.h"
#include "document/win32/NodeEditTrigger.h"

namespace velmora::win32 {

// The child controls, named as the window's designer named them.
struct MainWindowControls {
  HWND ToolBar1 = nullptr;
  HWND GroupBox1 = nullptr;
  HWND LabeledEdit1Label = nullptr;
  HWND LabeledEdit1 = nullptr;
  HWND Label1 = nullptr;
  HWND TreeView1 = nullptr;
  HWND ColourLabel = nullptr;
  HWND ProgressByGreen1 = nullptr;
  HWND ProgressByYellow1 = nullptr;
  HWND ProgressByRed1 = nullptr;
  HWND GroupBox2 = nullptr;
  HWND PreViewBtn = nullptr;
  HWND GenerateBtn = nullptr;
  HWND ExitBtn = nullptr;
  // The colour buttons' tool tips (a pop-up the window owns).
  HWND ColourTips = nullptr;
};

// The running executable's full path.
FilePath RunningProgramPath();

class TForm1 final : public WindowBase<TForm1>, private ScreenPort {
 public:
  static constexpr wchar_t kClassName[] = L"TForm1";

  // Creates the window hidden, starts the core (the settings file, a new
  // document) and leaves it ready to show. `productTitle` is the
  // application title (CP932). The settings file is `program`'s path with
  // ".ini" (tests name a program in a folder of their own); `ports` names
  // what a test answers itself, everything else is the real platform.
  TForm1(HINSTANCE instance, std::string productTitle, const FilePath& program = RunningProgramPath(),
         const MainWindowPorts& ports = {});
  ~TForm1() override;
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  HACCEL Accelerators() const { return accelerators_.get(); }
  // The event loop's keyboard for a message to the window or a control of
  // it: the accelerators (TranslateShortcut), then the dialog keyboard (Tab, Shift+Tab, Alt and
  // a label's letter). True when the message was handled.
  bool TranslateKeyboard(MSG& message);
  // The event loop's accelerator step for a message of this window or its
  // controls: true when it became a command. The undo and clipboard keys
  // stay with an edit box that has them (its own undo, cut, copy, paste).
  bool TranslateShortcut(MSG& message);
  const MainWindowControls& Controls() const { return controls_; }
  HMENU MainMenu1() const { return mainMenu_; }
  HMENU PopupMenu1() const { return GetSubMenu(popupMenuBar_.get(), 0); }

  AppCore& Core() { return *core_; }
  Editor& Model() { return core_->Model(); }
  const Editor& Model() const { return core_->Model(); }
  TreeViewMirror& TreeView() { return mirror_; }
  // The node editor Edit1 opens (made when first needed).
  TForm2& NodeEditorWindow() { return platform_->Dialogs().NodeEditorWindow(); }

  // Shows the window for the first time and opens the first command-line
  // argument (without the program's own path) as a dropped file.
  void ShowFirstTime(int showCommand, const std::vector<std::wstring>& arguments);
  void FormShow(const std::vector<std::wstring>& arguments);

  // Marks the window as the running copy of `instanceName` (the property the
  // second start looks for); the mark goes when the window is destroyed.
  void SetInstanceMark(const std::wstring& instanceName);

  // Renders the whole view, the tree view included: for a model changed
  // outside the core's entries (a test's direct edit).
  void Sync();

  // Runs one command as a click on its menu item or button does; a disabled
  // command does nothing.
  void RunCommand(int commandId);
  // Runs any action at the dispatch point: errors become the general error
  // report, and the render follows.
  void RunGuarded(const std::function<void()>& action);

  // Whether a menu item (main or pop-up) shows its check mark.
  bool IsChecked(int commandId) const;

  // The colour buttons show the document's colour (they keep their own
  // state otherwise, as a radio group does).
  void UpdateColourButtons(int colour);
  // Probes the taskbar progress facility (done at creation): the colour
  // buttons are available only with it.
  void ProbeTaskbarProgress();
  bool TaskbarProgressAvailable() const { return platform_->TaskbarProgressAvailable(); }
  // Where the next step dialog is centred; follows the last one.
  POINT PreviewDialogCentre() const { return platform_->Dialogs().PreviewDialogCentre(); }

  // Find and the recovery copy.
  // The find box once Find has opened it, else null.
  FindBox* FindBoxWindow() { return findBox_.get(); }
  // For the event loop: the find box's keys. True when handled.
  bool TranslateFindBoxMessage(MSG& message) const { return findBox_ != nullptr && findBox_->PreTranslate(message); }
  // For the event loop: the check and comparison windows' keys.
  bool TranslateListWindowMessage(MSG& message) const {
    return (checkWindow_ != nullptr && checkWindow_->PreTranslate(message)) ||
           (comparisonWindow_ != nullptr && comparisonWindow_->PreTranslate(message)) ||
           (runStatisticsWindow_ != nullptr && runStatisticsWindow_->PreTranslate(message));
  }
  // The timer that writes the recovery copy when a change is due (set once
  // the window shows); WM_TIMER with this id is one tick.
  static constexpr UINT_PTR kRecoveryTimer = 1;
  static constexpr UINT kRecoveryTickMs = 10000;
  // The check window, once the check was first asked for (Unit1Check.cpp).
  NodeListWindow* Checks() const { return checkWindow_.get(); }
  NodeListWindow* Comparison() const { return comparisonWindow_.get(); }
  // The run statistics window, once asked for.
  NodeListWindow* RunStatistics() const { return runStatisticsWindow_.get(); }

  const RecentFiles& RecentFileList() const { return core_->Recent(); }

  // The recent-file items History1..History9: captions[0] is History1's
  // caption (CP932, "&1 path"); an empty caption hides the item. With all
  // nine hidden the File menu shows a single separator above Exit1.
  static constexpr int kHistorySlots = HistorySize;
  using HistoryCaptionList = std::array<std::string, kHistorySlots>;
  void SetHistoryCaptions(const HistoryCaptionList& captions);

 private:
  friend class WindowBase<TForm1>;
  static LRESULT CALLBACK ChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR self);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnUncaughtException();
  LRESULT HandleChildMessage(HWND child, UINT message, WPARAM wParam, LPARAM lParam);

  // Window construction.
  void FormCreate();
  void CreateControls();
  void CreateToolBar();
  void AttachMenuImages();
  void ApplyLayout();
  LabelWidths MeasureLabels() const;

  // Message handlers.
  void OnCommand(int id, int code, HWND control);
  LRESULT OnNotify(const NMHDR& header);
  void OnContextMenu(HWND source, LPARAM position);
  LRESULT OnControlColour(HDC dc, HWND control);
  bool OnSetCursor(HWND target);
  void OnSize();
  void OnDpiChanged(int dpi, const RECT& suggested);
  void OnActivate(bool active);
  void OnClose();
  bool OnQueryEndSession();
  void OnEndSession(bool ending);
  void OnDropFiles(HDROP drop);
  // WM_COPYDATA: a second start's file. A well-formed hand-over is queued
  // and opened (after the save question) once no modal dialog or menu runs (true);
  // any other data is refused (false).
  bool OnCopyData(const COPYDATASTRUCT& data);
  // The handed-over files: the private message opens the first one; the
  // end of a modal dialog (WM_ENABLE) or of a menu posts it again.
  static constexpr UINT kOpenHandedOverFile = WM_APP + 1;
  void OpenHandedOverFile();
  void OnHandOverChance(UINT message);
  void OnTaskbarButtonCreated();
  // Keyboard access, the pop-up's moment, the colour tips (Unit1Keyboard.cpp).
  static constexpr UINT kOpenPopupMenu = WM_APP + 2;
  void OnTreeRightClick();
  bool IsTreeBuildingKey(UINT message, WPARAM wParam, LPARAM lParam);
  void OnTreeInfoTip(NMTVGETINFOTIPW& tip) const;
  void CreateColourTips();
  static void ReserveImageColumn(HMENU menu);
  bool OnMeasureMenuImage(MEASUREITEMSTRUCT& item) const;
  void OnTitleChanged();
  void PutBackTitle(const std::wstring& typed, const std::wstring& text);

  // Runs `action` at the dispatch point, then renders.
  template <typename Action>
  void Dispatch(Action&& action);

  // Rendering (Unit1Render.cpp).
  void Show(const View& view) override { Render(view); }
  void Render(const View& view);
  void RenderCommands(const View& view);
  void RenderTitleBox(const std::string& title);
  void RenderTreeButtons(bool shown);
  void EnableCommand(int commandId, bool enabled);
  void SetChecked(int commandId, bool checked);
  void RebuildHistoryItems();
  void RenderEditCaptions(const View& view);
  void RevealSelection(const TreeNode* selected);
  // The check and comparison windows (Unit1Check.cpp): shown on request,
  // filled when the report changed, enabled only while the main window is.
  std::unique_ptr<NodeListWindow> MakeListWindow(const NodeListWindow::Look& look, std::function<void()> closed);
  void RenderCheckWindow(const View& view, bool requested);
  void RenderComparisonWindow(const View& view, bool requested);
  void RenderRunStatisticsWindow(const View& view, bool requested);
  void OnCheckRowChosen(NodeId id);
  void FollowEnabledState(bool enabled);

  HINSTANCE instance_;
  std::string productTitle_;
  MainWindowControls controls_;
  HMENU mainMenu_ = nullptr;  // belongs to the window once attached
  UniqueMenu popupMenuBar_;  // PopupMenu1 is its only submenu
  UniqueAccelerators accelerators_;
  UniqueFont font_;
  // The backgrounds of the three colour buttons: lime, yellow, red.
  std::array<UniqueBrush, 3> colourBrushes_;
  // The screen's until the window exists (the frame and the pictures are
  // sized before it), then the window's own.
  DpiScale scale_{WindowDpi(nullptr)};
  EditorImageLists images_;
  TreeViewMirror mirror_;
  MainWindowLayout layout_;
  // Made once the window exists: the ports need it as their owner.
  std::unique_ptr<Win32Platform> platform_;
  std::unique_ptr<AppCore> core_;
  // What was rendered last; nothing before the first render (and after
  // Sync asked for everything anew).
  std::optional<View> rendered_;
  // The number of the last request of the view carried out.
  std::uint64_t handledRequest_ = 0;
  // Set while the window writes into its controls, so their change
  // notifications are not taken for the user's input.
  bool syncing_ = false;
  // The system's end-of-session query passed: the session's end closes the
  // window without asking again.
  bool sessionEndAllowed_ = false;
  bool shown_ = false;
  bool closing_ = false;
  HWND lastFocus_ = nullptr;
  HistoryCaptionList historyCaptions_;
  std::unique_ptr<InstanceMarkProperty> instanceMark_;
  // The shell's message for a (re)created taskbar button, registered once.
  const UINT taskbarButtonCreated_ = TaskbarProgress::TaskbarButtonCreatedMessage();
  std::deque<std::wstring> handedOver_;
  bool menuLoop_ = false;
  // F2 and a slow second click on the selected node run Edit1.
  NodeEditTrigger editTrigger_;
  // Find and the recovery copy.
  void ShowFindBox();
  void KeepFindBoxClearOfSelection();
  void OnEnable(bool enabled);
  void OnRecoveryTimer();
  std::unique_ptr<FindBox> findBox_;
  std::unique_ptr<NodeListWindow> checkWindow_;
  std::uint64_t renderedCheckRevision_ = 0;
  std::unique_ptr<NodeListWindow> comparisonWindow_;
  std::uint64_t renderedComparisonRevision_ = 0;
  std::unique_ptr<NodeListWindow> runStatisticsWindow_;
  std::uint64_t renderedRunStatisticsRevision_ = 0;
};

}  // namespace velmora::win32
