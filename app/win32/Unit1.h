#pragma once
// The main window TForm1: the tree view, the title box, the colour buttons,
// the distribution buttons, the main menu, the toolbar and the pop-up menu.
//
// How a command runs (read this before writing a handler):
// - Every menu item, button, accelerator and tree-view event arrives at the
//   one dispatch point (OnCommand / the window procedure), which calls the
//   handler named after the control (New1Click, AddYes1Click, ...).
// - A handler changes the MODEL only: Model() (the velmora::Editor with the
//   tree, DocumentState, the selection, CurrentNode, the command states and
//   the options). It does not touch the tree view, the menus or the buttons.
// - After every handler the dispatch point calls Sync(), which brings the
//   tree view, the title box, the enabled states (CommandStates), the option
//   check marks and the tree view's expand buttons (Options) up to date with
//   the model. A handler that needs the screen up to date in the middle of
//   its work (before a modal dialog, say) may call Sync() itself.
// - A handler raises errors (VelmoraError with a CP932 text) rather than
//   returning them; the dispatch point shows the general error report and
//   the program keeps running. No exception leaves the window procedure.
// - Questions and messages go through MessageBoxes() with ProductTitle() as
//   the caption, so tests can answer them.
//
// The definitions are split by what they do: Unit1.cpp (window, controls,
// layout), Unit1Dispatch.cpp (the dispatch point, exit), Unit1Sync.cpp, and by
// subsystem Unit1Editing.cpp, Unit1Preview.cpp, Unit1Files.cpp,
// Unit1Desktop.cpp and Unit1Settings.cpp.

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/win32/ImageLists.h"
#include "app/MainWindowLayout.h"
#include "app/RecentFiles.h"
#include "app/SettingsFile.h"
#include "app/WindowPlacement.h"
#include "app/win32/UserLocaleCollation.h"
#include "desktop/DesktopContext.h"
#include "document/MessageBoxPort.h"
#include "app/win32/SingleInstance.h"
#include "app/win32/TreeViewMirror.h"
#include "win32/Dpi.h"
#include "win32/WindowBase.h"
#include "win32/Win32Handles.h"
#include "win32/Win32MessageBox.h"
#include "distribution/win32/StepDialog.h"
#include "distribution/win32/Unit_Win7Taskbar.h"
#include "document/Editor.h"
#include "document/InputBoxPort.h"
#include "document/win32/NodeEditTrigger.h"
#include "document/NodeEditorPort.h"
#include "files/DocumentHistoryPort.h"
#include "files/win32/Win32FileSystem.h"

namespace velmora::win32 {

// The child controls, named as the window's designer named them.
struct MainWindowControls {
  HWND ToolBar1 = nullptr;
  HWND GroupBox1 = nullptr;
  HWND LabeledEdit1Label = nullptr;
  HWND LabeledEdit1 = nullptr;
  HWND Label1 = nullptr;
  HWND TreeView1 = nullptr;
  HWND ProgressByGreen1 = nullptr;
  HWND ProgressByYellow1 = nullptr;
  HWND ProgressByRed1 = nullptr;
  HWND GroupBox2 = nullptr;
  HWND PreViewBtn = nullptr;
  HWND GenerateBtn = nullptr;
  HWND ExitBtn = nullptr;
};

// The running executable's full path.
FilePath RunningProgramPath();

class TForm1 final : public WindowBase<TForm1>, private EditorView {
 public:
  static constexpr wchar_t kClassName[] = L"TForm1";

  // Creates the window hidden, runs FormCreate and leaves it ready to show.
  // `productTitle` is the application title (CP932), kept as ProductTitle.
  // The settings file is `program`'s path with ".ini" (tests name a program
  // in a folder of their own).
  TForm1(HINSTANCE instance, std::string productTitle, const FilePath& program = RunningProgramPath());
  ~TForm1() override;
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  HACCEL Accelerators() const { return accelerators_.get(); }
  const MainWindowControls& Controls() const { return controls_; }
  HMENU MainMenu1() const { return mainMenu_; }
  HMENU PopupMenu1() const { return GetSubMenu(popupMenuBar_.get(), 0); }

  Editor& Model() { return editor_; }
  const Editor& Model() const { return editor_; }
  TreeViewMirror& TreeView() { return mirror_; }
  MessageBoxPort& MessageBoxes() { return *messageBoxes_; }
  // Tests answer the program's questions through a port of their own.
  void UseMessageBoxes(MessageBoxPort& port) { messageBoxes_ = &port; }
  // The node editor the editing commands open: the TForm2 created at
  // start-up (without one, the window makes its own when first needed).
  void UseNodeEditor(NodeEditorPort& port) { nodeEditor_ = &port; }
  // Tests answer the newline-mark question through a port of their own.
  void UseInputBox(InputBoxPort& port) { inputBox_ = &port; }
  const std::string& ProductTitle() const { return productTitle_; }

  // Shows the window for the first time and runs FormShow with the program's
  // command-line arguments (without the program's own path).
  void ShowFirstTime(int showCommand, const std::vector<std::wstring>& arguments);

  // Marks the window as the running copy of `instanceName` (the property the
  // second start looks for); the mark goes when the window is destroyed.
  void SetInstanceMark(const std::wstring& instanceName);

  // Brings the screen up to date with the model (see above).
  void Sync();

  // The window caption, as a CP932 text (the document caption or the title).
  void SetCaption(std::string_view cp932);

  // Runs one command as a click on its menu item or button does, with the
  // error report and Sync of the dispatch point.
  void RunCommand(int commandId);
  // Runs any action at the dispatch point: errors become the general error
  // report, and Sync follows.
  void RunGuarded(const std::function<void()>& action);

  // ---- Window events ----
  void FormCreate();
  void FormShow(const std::vector<std::wstring>& arguments);
  // The close sequence: true lets the window close.
  bool FormCloseQuery();
  void FormDropFiles(HDROP drop);
  // WM_COPYDATA: a second start's file. A well-formed hand-over is queued
  // and opened as a dropped file once no modal dialog or menu runs (true);
  // any other data is refused (false).
  bool OnCopyData(const COPYDATASTRUCT& data);

  // ---- Unit1.cpp ----
  void ExitBtnClick();

  // ---- Unit1Editing.cpp ----
  // The view reports a new selection; the model runs TreeView1Change.
  void TreeView1Change(TreeNode* selected);
  void TreeView1DblClick();
  // `key` is the typed character; setting it to 0 swallows it.
  void TreeView1KeyPress(wchar_t& key);
  // In-place label editing: `allowEdit` false refuses it.
  void TreeView1Editing(bool& allowEdit);
  // `text` is the edited label; the handler decides what is stored.
  void TreeView1Edited(std::wstring& text);
  void AddYes1Click();
  void Exchange1Click();
  void Delete1Click();
  void Question1Click();
  void Information1Click();
  void Exclaimation1Click();
  void Inhibit1Click();
  void YesDefault1Click();
  void NoDefault1Click();
  void NewLine1Click();
  void ShowButtons1Click();
  void CloseQuery1Click();
  void SaveStatus1Click();
  void LabeledEdit1Change();
  void LabeledEdit1KeyPress(wchar_t& key);

  // ---- Unit1Preview.cpp ----
  void PreViewBtnClick();
  void ProgressByGreen1Click();
  void ProgressByYellow1Click();
  void ProgressByRed1Click();
  void UpdateColourButtons();
  // Probes the taskbar progress facility once, at creation: the colour
  // buttons are available only with it.
  void ProbeTaskbarProgress();
  bool TaskbarProgressAvailable() const { return taskbarProgressAvailable_; }
  // The window procedure hands the shell's TaskbarButtonCreated message
  // (TaskbarProgress::TaskbarButtonCreatedMessage()) here.
  void OnTaskbarButtonCreated();
  // Where the next step dialog is centred; follows the last one.
  POINT PreviewDialogCentre() const { return previewDialogCentre_; }
  // Tests answer the preview's steps through a port of their own.
  void UseStepDialogs(StepDialogPort& port) { stepDialogs_ = &port; }

  // ---- Unit1Files.cpp ----
  void New1Click();
  void Read1Click();
  void Save1Click();
  // True only when the document was saved (the close sequence goes on only
  // then); false when the author cancelled the dialog.
  bool SaveAs1Click();
  void GenerateBtnClick();
  // `slot` is 1 for History1 up to 9 for History9.
  void History1Click(int slot);
  // Where the document commands report every tree file loaded and every
  // save: the window's own recent-file list, unless a test listens itself.
  void UseDocumentHistory(DocumentHistoryPort& port) { documentHistory_ = &port; }
  // Generate reads the player stub beside this program (its path with
  // ".bin"); tests name the program whose stub they want.
  void UseProgramPath(const FilePath& path) { programPath_ = path; }

  // ---- Unit1Desktop.cpp ----
  void DeskTop1Click();
  void StartUp1Click();
  void StartMenu1Click();
  void H1Click();
  void About1Click();
  void Site1Click();
  // Tests see what the help and home-page commands hand to the shell
  // through a port of their own (there may be no viewer or browser).
  void UseShellOpen(ShellOpenPort& port) { shellOpen_ = &port; }

  // ---- Unit1Settings.cpp ----
  // Reads the settings file into the window and the model (FormCreate).
  void LoadSettings();
  // The recent-file list of the File menu; the document commands report
  // every tree file loaded and every save to it.
  DocumentHistoryPort& DocumentHistory() { return recentFiles_; }
  const RecentFiles& RecentFileList() const { return recentFiles_; }
  const FilePath& SettingsFilePath() const { return settings_.Path(); }

  // Whether a menu item (main or pop-up) shows its check mark.
  bool IsChecked(int commandId) const;

  // The recent-file items History1..History9: captions[0] is History1's
  // caption (CP932, "&1 path"); an empty caption hides the item. With all
  // nine hidden the File menu shows a single separator above Exit1.
  static constexpr int kHistorySlots = 9;
  using HistoryCaptionList = std::array<std::string, kHistorySlots>;
  void SetHistoryCaptions(const HistoryCaptionList& captions);
  const HistoryCaptionList& HistoryCaptions() const { return historyCaptions_; }

 private:
  friend class WindowBase<TForm1>;
  static LRESULT CALLBACK ChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR self);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnUncaughtException();
  LRESULT HandleChildMessage(HWND child, UINT message, WPARAM wParam, LPARAM lParam);

  // Window construction.
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
  void OnActivate(bool active);
  void OnClose();
  bool OnQueryEndSession();
  void OnEndSession(bool ending);
  void OnDropFiles(HDROP drop);
  // The handed-over files (Unit1.cpp): the private message opens the first
  // one; the end of a modal dialog (WM_ENABLE) or of a menu posts it again.
  static constexpr UINT kOpenHandedOverFile = WM_APP + 1;
  void OpenHandedOverFile();
  void OnHandOverChance(UINT message);
  std::deque<std::wstring> handedOver_;
  bool menuLoop_ = false;

  // Runs `action` as a command: errors become the general error report, and
  // the screen is brought up to date with the model afterwards.
  template <typename Action>
  void Dispatch(Action&& action);
  void ReportError(const std::string& cp932Message);
  void RunMenuCommand(int id);

  // EditorView.
  void ScrollToOrigin() override;

  void ApplyCommandStates();
  void ApplyOptions();
  void ApplyTitleBox();
  void EnableCommand(int commandId, bool enabled);
  void SetChecked(int commandId, bool checked);
  void RebuildHistoryItems();
  void ApplyHistory();

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
  Win32MessageBox ownMessageBoxes_;
  MessageBoxPort* messageBoxes_ = &ownMessageBoxes_;
  Win32FileSystem files_;
  // The settings file and the recent files (Unit1Settings.cpp).
  UserLocaleCollation collation_;
  RecentFiles recentFiles_{collation_};
  SettingsFile settings_;
  // The state the window is first shown in, as the settings restored it.
  WindowState firstShowState_ = WindowState::Normal;
  // Set while the close sequence asks its questions.
  bool closeQueryRunning_ = false;
  // The system's end-of-session query passed: the session's end closes the
  // window without asking again.
  bool sessionEndAllowed_ = false;
  // Opens a file as the document (the command line, dropped files).
  void OpenDocumentFile(const FilePath& path);
  // The document commands (Unit1Files.cpp): `command` runs on the core's
  // DocumentCommands with the real dialogs, and the window shows the
  // caption they leave, also after an error.
  template <typename Command>
  auto RunDocumentCommand(Command&& command);
  FilePath ProgramPath() const;
  DocumentHistoryPort* documentHistory_ = &recentFiles_;
  // The program the window belongs to: Generate's stub and the settings
  // file lie beside it.
  FilePath programPath_;
  // The window caption as the document commands keep it (CP932).
  std::string documentCaption_ = productTitle_;
  Editor editor_;
  TreeViewMirror mirror_;
  MainWindowLayout layout_;
  // Set while Sync writes into controls, so their change notifications are
  // not taken for the user's input.
  bool syncing_ = false;
  bool shown_ = false;
  bool closing_ = false;
  HWND lastFocus_ = nullptr;
  HistoryCaptionList historyCaptions_;
  std::unique_ptr<InstanceMarkProperty> instanceMark_;
  // The preview (Unit1Preview.cpp).
  POINT previewDialogCentre_ = InitialPreviewDialogCentre();
  std::unique_ptr<TaskbarProgress> taskbar_;
  bool taskbarProgressAvailable_ = false;
  StepDialogPort* stepDialogs_ = nullptr;  // null: the real step dialogs
  // The desktop commands (Unit1Desktop.cpp).
  ShellOpenPort* shellOpen_ = nullptr;  // null: the shell itself
  // Runs a desktop command with the platform behind its ports and the facts
  // about this program.
  void RunDesktopCommand(const std::function<void(DesktopPorts&, const ProgramFacts&)>& command);
  // The editing commands (Unit1Editing.cpp).
  NodeEditorPort& NodeEditor();
  InputBoxPort& NewLineInputBox();
  std::string CurrentCaption() const;
  void PutBackTitle(const std::wstring& typed, const std::wstring& text);
  NodeEditorPort* nodeEditor_ = nullptr;
  std::unique_ptr<NodeEditorPort> ownNodeEditor_;
  InputBoxPort* inputBox_ = nullptr;
  std::unique_ptr<InputBoxPort> ownInputBox_;
  // F2 and a slow second click on the selected node run Edit1.
  NodeEditTrigger editTrigger_;
};

}  // namespace velmora::win32
