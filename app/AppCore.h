#pragma once
// The application core: every command of the editor and all its state in
// one place. It owns the editor (the tree, DocumentState, the selection),
// the caption, the options, the recent files and the settings file, and a
// command table (CommandTable.cpp): for each command id its action, its
// enabled rule, for the three options its checked rule, and the name of
// the undo step its changes make.
//
// The main window only turns events into calls here (Run with a command id,
// Select, TypeTitle, ChooseColour, OpenAsDroppedFile, CloseQuery) and then
// renders CurrentView(). Nothing here knows a window: the platform comes in
// through AppPorts, and the tests drive the whole program natively with one
// set of fakes.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/EditFeatures.h"
#include "app/CommandIds.h"
#include "app/ComparisonList.h"
#include "app/Ports.h"
#include "app/ProcedureCheckList.h"
#include "app/RecentFiles.h"
#include "app/RecoveryKeeper.h"
#include "app/SettingsFile.h"
#include "app/TextFinder.h"
#include "app/View.h"
#include "desktop/DesktopContext.h"
#include "document/Editor.h"
#include "document/LinkCommands.h"
#include "files/DocumentCommands.h"

namespace velmora {

// What only the platform side can tell about the running program.
struct AppFacts {
  // The product title (CP932) and the program's own facts for the desktop
  // commands (shortcut target, help file, About text).
  ProgramFacts program;
  // The settings file is this path with ".ini".
  FilePath settingsProgram;
  // Generate reads the player stub beside this path (with ".bin").
  FilePath playerProgram;
};

class AppCore final : private EditorView {
 public:
  AppCore(const AppPorts& ports, AppFacts facts);
  AppCore(const AppCore&) = delete;
  AppCore& operator=(const AppCore&) = delete;

  // The window's creation: the settings file read, a new document, the
  // colour buttons available with `taskbarProgress` only.
  void Start(bool taskbarProgress);
  // Whether the taskbar shows progress, once the window knows: the colour
  // buttons and the preview's progress follow it.
  void SetTaskbarProgress(bool available) { taskbarProgress_ = available; }

  // Runs the command `id` as its menu item, button or accelerator does.
  // A command whose enabled rule says no, or an id without a row, is
  // refused: nothing runs and the result is false. An error the command
  // raises is shown in the general error report (the command then counts
  // as run: what it did before the error stays).
  bool Run(int id);
  bool IsEnabled(int id) const;

  // The user's own changes that are no commands.
  void Select(TreeNode* node);
  // The tooltip of a node in the tree: each declared field it carries, by
  // its label, line breaks as line breaks (CP932); empty for none.
  std::string TipOf(const TreeNode& node) const;
  // Every change of the title box (CP932, one line).
  void TypeTitle(const std::string& title);
  // The colour buttons: kColourGreen, kColourYellow, kColourRed.
  void ChooseColour(int colour);
  // A character typed into the tree: Enter opens the node editor, or on
  // an end with a link goes to its target. False when the character is
  // swallowed.
  bool KeyInTree(int key);
  // What a double click on the selected node runs: the same choice.
  int TreeActivationCommand() const { return links_.CanGoToTarget() ? IDM_GOTOLINK : IDM_EDIT1; }

  // The title box lost the focus: the title's next change is a new step.
  void PauseTyping() { edits_.PauseTyping(); }

  // Opens `path` as the document without a question about unsaved changes,
  // as a dropped file does: the command line and the recent files come
  // here.
  void OpenAsDroppedFile(const FilePath& path);
  // A file a second start hands over: Read's save question first when
  // there are unsaved changes (the author did not drop it on this window),
  // then the open.
  void OpenHandedOverFile(const FilePath& path);

  // The close sequence: the questions, then the settings file. True lets
  // the window close. A second request while the first one's questions are
  // up is refused.
  bool CloseQuery();

  // Find and the recovery copy.
  // The find box's text (CP932): F3 and Shift+F3 search for it.
  void SetSearchText(const std::string& text);
  // The window's recovery timer: writes the copy when a change is due.
  void RecoveryTick();
  // Once the window shows: offers a copy left by a run that did not end
  // normally. True when it was restored.
  bool OfferRecovery();

  // Runs `action` like a command: an error becomes the general error report.
  void Guarded(const std::function<void()>& action);
  // The general error report for `cp932Message`.
  void ReportError(const std::string& cp932Message);
  // The general error report for a failure without a text of its own.
  void ReportUnexpectedError();

  // What the window shows now.
  View CurrentView() const;

  Editor& Model() { return editor_; }
  const Editor& Model() const { return editor_; }
  // Undo, redo and the clipboard, for a look at the history.
  const EditFeatures& Edits() const { return edits_; }
  RecentFiles& Recent() { return recentFiles_; }
  const RecentFiles& Recent() const { return recentFiles_; }
  const SettingsFile& Settings() const { return settings_; }
  const std::string& ProductTitle() const { return facts_.program.productTitle; }

  // The check window (CheckAndExport.cpp). Closed: the check stops
  // following the document.
  void CloseCheck();
  // A row of the check window chosen: selects its node with the branches
  // above it unfolded. A node that is gone, or 0 (the title), selects
  // nothing; the result says whether a node was selected.
  bool SelectCheckedNode(NodeId id);
  // The comparison window was closed: the chosen file goes. Its rows are
  // chosen as the check window's, through SelectCheckedNode.
  void CloseComparison();
  // The run statistics window was closed.
  void CloseRunStatistics() { runStatistics_.Close(); }

  // One row of the command table.
  struct Command {
    int id = 0;
    void (AppCore::*action)() = nullptr;
    // Null: always enabled.
    bool (AppCore::*enabled)() const = nullptr;
    // Null: never checked.
    bool (AppCore::*checked)() const = nullptr;
    // The name of the undo step the command's changes make (CP932), as its
    // menu item says it; empty for commands that change no document.
    std::string_view stepName = {};
  };

 private:
  static const std::vector<Command>& Table();
  static const Command* Find(int id);

  // EditorView: what the commands ask of the tree view becomes a request
  // of the view.
  void ScrollToOrigin() override { Request(ViewRequest::ScrollToOrigin); }
  void ExpandAll() override { Request(ViewRequest::ExpandAll); }
  void Request(ViewRequest request);

  // The actions (CommandTable.cpp).
  void New();
  void Read();
  void Save();
  void SaveAs();
  bool SaveAsAndTell();
  void Exit();
  void Preview();
  void Generate();
  void EditNode();
  void AddAnswer();
  void Exchange();
  void Delete();
  void MakeQuestion();
  void MakeInformation();
  void MakeExclamation();
  void MakeInhibit();
  void YesDefault();
  void NoDefault();
  void NewLineMark();
  void RecordFolder();
  void ToggleShowButtons();
  void ToggleCloseQuery();
  void ToggleSaveStatus();
  void DesktopShortcut();
  void StartupShortcut();
  void StartMenuShortcut();
  void Help();
  void About();
  void HomePage();
  template <int Slot>
  void History();
  void OpenRecent(int slot);
  // The check and the exports before release (CheckAndExport.cpp).
  void OpenCheck();
  void ExportPaths();
  void ExportDiagram();
  void ExportHtml();
  void ExportBook();
  // Asks for a file (.tre or .exe) and compares the document with it from
  // now on (the comparison window).
  void OpenComparison();
  // Reads the document's record folder and lists what its run records say
  // of each node (the run statistics window); only with a folder set.
  void OpenRunStatistics();
  bool HasRecordFolder() const { return !editor_.State().RecordFolder.empty(); }
  // The rules, from the document and the selection (Editor.h).
  bool CanSave() const { return editor_.CanSave(); }
  bool CanSaveAs() const { return editor_.CanSaveAs(); }
  bool CanPreview() const { return editor_.CanPreview(); }
  bool CanGenerate() const { return editor_.CanGenerate(); }
  bool CanAddYes() const { return editor_.CanAddYes(); }
  bool CanAddNo() const { return editor_.CanAddNo(); }
  bool CanExchange() const { return editor_.CanExchange(); }
  bool CanSetDefault() const { return editor_.CanSetDefault(); }
  bool CanDelete() const { return editor_.CanDelete(); }
  template <int Slot>
  bool HasRecent() const;
  bool ShowButtonsOn() const { return editor_.Settings().ShowButtons; }
  bool CloseQueryOn() const { return editor_.Settings().CloseQuery; }
  bool SaveStatusOn() const { return editor_.Settings().SaveStatus; }
  // Edit: undo, redo and the clipboard (EditFeatures).
  void Undo();
  void Redo();
  void Cut();
  void Copy();
  void Paste();
  bool CanUndo() const { return edits_.CanUndo(); }
  bool CanRedo() const { return edits_.CanRedo(); }
  bool CanCut() const { return edits_.CanCut(); }
  bool CanCopy() const { return edits_.CanCopy(); }
  bool CanPaste() const { return edits_.CanPaste(); }
  // Find.
  void OpenFindBox() { Request(ViewRequest::ShowFindBox); }
  void FindNext();
  void FindPrevious();
  bool CanFindAgain() const { return finder_.HasText(); }
  void ToggleFindInNotes();
  bool FindsInNotes() const { return finder_.InFields(); }
  // Links (LinkCommands.h).
  void MarkLinkSource() { links_.MarkSource(); }
  bool CanMarkLinkSource() const { return links_.CanMarkSource(); }
  void SetLinkTarget() { links_.SetTarget(); }
  bool CanSetLinkTarget() const { return links_.CanSetTarget(); }
  void RemoveLink() { links_.RemoveLink(); }
  bool CanRemoveLink() const { return links_.CanRemoveLink(); }
  void GoToLinkTarget() { links_.GoToTarget(); }
  bool CanGoToLinkTarget() const { return links_.CanGoToTarget(); }
  void GoBackFromLink() { links_.GoBack(); }
  bool CanGoBackFromLink() const { return links_.CanGoBack(); }
  // After an entry that may have changed the document.
  void AfterChange();

  DocumentPorts Documents();
  DesktopPorts Desktop();
  MainWindowState WindowState();

  AppPorts ports_;
  AppFacts facts_;
  bool taskbarProgress_ = true;
  Editor editor_{*this};
  RecentFiles recentFiles_;
  SettingsFile settings_;
  std::string caption_;
  // The latest requests of the view, and the number of the last one.
  std::vector<NumberedRequest> requests_;
  std::uint64_t requestNumber_ = 0;
  bool closeQueryRunning_ = false;
  // Undo, redo and the clipboard; every command runs through it.
  EditFeatures edits_{editor_, ports_.clipboard};
  // The link being made, and the way back along the links followed.
  LinkCommands links_{editor_};
  // Find and the recovery copy.
  TextFinder finder_;
  RecoveryKeeper recovery_{ports_.files, ports_.shell, facts_.settingsProgram};
  // The check follows the document lazily: CurrentView, where every change
  // ends up, runs it again when the document moved.
  mutable ProcedureCheckList check_;
  // The comparison follows the document in the same way.
  mutable ComparisonList comparison_;
  RunStatisticsList runStatistics_;
};

}  // namespace velmora
