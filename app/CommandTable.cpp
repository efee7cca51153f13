// The command table: every command of the editor by id, with its action,
// its enabled rule and (for the three options) its checked rule. A new
// command is a new row here and an action beside the others; the window
// needs no change beyond its menu item.
#include <utility>

#include "app/AppCore.h"
#include "app/CommandIds.h"
#include "desktop/HelpMenu.h"
#include "desktop/Shortcuts.h"
#include "distribution/GenerateCommand.h"
#include "distribution/PreviewRun.h"
#include "document/EditCommands.h"
#include "files/DocumentCommands.h"

namespace velmora {

template <int Slot>
void AppCore::History() {
  OpenRecent(Slot);
}

template <int Slot>
bool AppCore::HasRecent() const {
  return !recentFiles_.Slot(Slot).Empty();
}

// The undo steps' names, as the commands' menu items say them.
// "文字列を編集"
constexpr std::string_view kEditStep = "\x95\xb6\x8e\x9a\x97\xf1\x82\xf0\x95\xd2\x8f\x57";
// "答えを追加"
constexpr std::string_view kAddStep = "\x93\x9a\x82\xa6\x82\xf0\x92\xc7\x89\xc1";
// "入れ替え"
constexpr std::string_view kExchangeStep = "\x93\xfc\x82\xea\x91\xd6\x82\xa6";
// "確認ダイアログで表示"
constexpr std::string_view kQuestionStep = "\x8a\x6d\x94\x46\x83\x5f\x83\x43\x83\x41\x83\x8d\x83\x4f\x82\xc5\x95\x5c\x8e\xa6";
// "通知ダイアログで表示"
constexpr std::string_view kInformationStep = "\x92\xca\x92\x6d\x83\x5f\x83\x43\x83\x41\x83\x8d\x83\x4f\x82\xc5\x95\x5c\x8e\xa6";
// "強調ダイアログで表示"
constexpr std::string_view kExclamationStep = "\x8b\xad\x92\xb2\x83\x5f\x83\x43\x83\x41\x83\x8d\x83\x4f\x82\xc5\x95\x5c\x8e\xa6";
// "禁止ダイアログで表示"
constexpr std::string_view kInhibitStep = "\x8b\xd6\x8e\x7e\x83\x5f\x83\x43\x83\x41\x83\x8d\x83\x4f\x82\xc5\x95\x5c\x8e\xa6";
// "［はい］を初期設定"
constexpr std::string_view kYesDefaultStep = "\x81\x6d\x82\xcd\x82\xa2\x81\x6e\x82\xf0\x8f\x89\x8a\xfa\x90\xdd\x92\xe8";
// "［いいえ］を初期設定"
constexpr std::string_view kNoDefaultStep = "\x81\x6d\x82\xa2\x82\xa2\x82\xa6\x81\x6e\x82\xf0\x8f\x89\x8a\xfa\x90\xdd\x92\xe8";
// "削除"
constexpr std::string_view kDeleteStep = "\x8d\xed\x8f\x9c";
// "改行文字を指定"
constexpr std::string_view kNewLineStep = "\x89\xfc\x8d\x73\x95\xb6\x8e\x9a\x82\xf0\x8e\x77\x92\xe8";
// "実行記録を残すフォルダ"
constexpr std::string_view kRecordFolderStep =
    "\x8e\xc0\x8d\x73\x8b\x4c\x98\x5e\x82\xf0\x8e\x63\x82\xb7\x83\x74\x83\x48\x83\x8b\x83\x5f";
// "切り取り"
constexpr std::string_view kCutStep = "\x90\xd8\x82\xe8\x8e\xe6\x82\xe8";
// "貼り付け"
constexpr std::string_view kPasteStep = "\x93\x5c\x82\xe8\x95\x74\x82\xaf";
// "続ける先を設定", "続ける先を外す"
constexpr std::string_view kSetLinkStep = "\x91\xb1\x82\xaf\x82\xe9\x90\xe6\x82\xf0\x90\xdd\x92\xe8";
constexpr std::string_view kRemoveLinkStep = "\x91\xb1\x82\xaf\x82\xe9\x90\xe6\x82\xf0\x8a\x4f\x82\xb7";

const std::vector<AppCore::Command>& AppCore::Table() {
  static const std::vector<Command> table = {
      {IDM_NEW1, &AppCore::New},
      {IDM_READ1, &AppCore::Read},
      {IDM_SAVE1, &AppCore::Save, &AppCore::CanSave},
      {IDM_SAVEAS1, &AppCore::SaveAs, &AppCore::CanSaveAs},
      {IDM_DESKTOP1, &AppCore::DesktopShortcut, nullptr, nullptr},
      {IDM_STARTUP1, &AppCore::StartupShortcut, nullptr, nullptr},
      {IDM_STARTMENU1, &AppCore::StartMenuShortcut, nullptr, nullptr},
      {IDM_HISTORY1 + 0, &AppCore::History<1>, &AppCore::HasRecent<1>},
      {IDM_HISTORY1 + 1, &AppCore::History<2>, &AppCore::HasRecent<2>},
      {IDM_HISTORY1 + 2, &AppCore::History<3>, &AppCore::HasRecent<3>},
      {IDM_HISTORY1 + 3, &AppCore::History<4>, &AppCore::HasRecent<4>},
      {IDM_HISTORY1 + 4, &AppCore::History<5>, &AppCore::HasRecent<5>},
      {IDM_HISTORY1 + 5, &AppCore::History<6>, &AppCore::HasRecent<6>},
      {IDM_HISTORY1 + 6, &AppCore::History<7>, &AppCore::HasRecent<7>},
      {IDM_HISTORY1 + 7, &AppCore::History<8>, &AppCore::HasRecent<8>},
      {IDM_HISTORY1 + 8, &AppCore::History<9>, &AppCore::HasRecent<9>},
      {IDM_EXIT1, &AppCore::Exit, nullptr, nullptr},
      {IDM_PREVIEW1, &AppCore::Preview, &AppCore::CanPreview},
      {IDM_GENERATE1, &AppCore::Generate, &AppCore::CanGenerate, nullptr},
      {IDM_NEWLINE1, &AppCore::NewLineMark, nullptr, nullptr, kNewLineStep},
      {IDM_RECORDFOLDER1, &AppCore::RecordFolder, nullptr, nullptr, kRecordFolderStep},
      {IDM_SHOWBUTTONS1, &AppCore::ToggleShowButtons, nullptr, &AppCore::ShowButtonsOn},
      {IDM_CLOSEQUERY1, &AppCore::ToggleCloseQuery, nullptr, &AppCore::CloseQueryOn},
      {IDM_SAVESTATUS1, &AppCore::ToggleSaveStatus, nullptr, &AppCore::SaveStatusOn},
      {IDM_H1, &AppCore::Help, nullptr, nullptr},
      {IDM_ABOUT1, &AppCore::About, nullptr, nullptr},
      {IDM_SITE1, &AppCore::HomePage, nullptr, nullptr},
      {IDM_EDIT1, &AppCore::EditNode, nullptr, nullptr, kEditStep},
      {IDM_ADDYES1, &AppCore::AddAnswer, &AppCore::CanAddYes, nullptr, kAddStep},
      {IDM_ADDNO1, &AppCore::AddAnswer, &AppCore::CanAddNo, nullptr, kAddStep},
      {IDM_EXCHANGE1, &AppCore::Exchange, &AppCore::CanExchange, nullptr, kExchangeStep},
      {IDM_QUESTION1, &AppCore::MakeQuestion, nullptr, nullptr, kQuestionStep},
      {IDM_INFORMATION1, &AppCore::MakeInformation, nullptr, nullptr, kInformationStep},
      {IDM_EXCLAIMATION1, &AppCore::MakeExclamation, nullptr, nullptr, kExclamationStep},
      {IDM_INHIBIT1, &AppCore::MakeInhibit, nullptr, nullptr, kInhibitStep},
      {IDM_YESDEFAULT1, &AppCore::YesDefault, &AppCore::CanSetDefault, nullptr, kYesDefaultStep},
      {IDM_NODEFAULT1, &AppCore::NoDefault, &AppCore::CanSetDefault, nullptr, kNoDefaultStep},
      {IDM_DELETE1, &AppCore::Delete, &AppCore::CanDelete, nullptr, kDeleteStep},
      // Links: marking a source and going along a link change only the
      // selection; setting and taking away a link are steps.
      {IDM_LINKSOURCE, &AppCore::MarkLinkSource, &AppCore::CanMarkLinkSource},
      {IDM_LINKTARGET, &AppCore::SetLinkTarget, &AppCore::CanSetLinkTarget, nullptr, kSetLinkStep},
      {IDM_UNLINK, &AppCore::RemoveLink, &AppCore::CanRemoveLink, nullptr, kRemoveLinkStep},
      {IDM_GOTOLINK, &AppCore::GoToLinkTarget, &AppCore::CanGoToLinkTarget},
      {IDM_LINKBACK, &AppCore::GoBackFromLink, &AppCore::CanGoBackFromLink},
      // Edit: undo, redo and branches through the clipboard.
      {IDM_UNDO, &AppCore::Undo, &AppCore::CanUndo},
      {IDM_REDO, &AppCore::Redo, &AppCore::CanRedo},
      {IDM_CUT, &AppCore::Cut, &AppCore::CanCut, nullptr, kCutStep},
      {IDM_COPY, &AppCore::Copy, &AppCore::CanCopy, nullptr},
      {IDM_PASTE, &AppCore::Paste, &AppCore::CanPaste, nullptr, kPasteStep},
      // Find: a step changes only the selection (and opens folded branches).
      {IDM_FIND, &AppCore::OpenFindBox, nullptr, nullptr},
      {IDM_FINDNEXT, &AppCore::FindNext, &AppCore::CanFindAgain},
      {IDM_FINDPREVIOUS, &AppCore::FindPrevious, &AppCore::CanFindAgain},
      {IDM_FINDINNOTES, &AppCore::ToggleFindInNotes, nullptr, &AppCore::FindsInNotes},
      // The check and the exports before release.
      {IDM_CHECK, &AppCore::OpenCheck, nullptr, nullptr},
      {IDM_EXPORTPATHS, &AppCore::ExportPaths, nullptr, nullptr},
      {IDM_EXPORTSVG, &AppCore::ExportDiagram, nullptr, nullptr},
      {IDM_EXPORTHTML, &AppCore::ExportHtml, nullptr, nullptr},
      {IDM_EXPORTBOOK, &AppCore::ExportBook, nullptr, nullptr},
      {IDM_COMPARE, &AppCore::OpenComparison, nullptr, nullptr},
      {IDM_RUNSTATS, &AppCore::OpenRunStatistics, &AppCore::HasRecordFolder, nullptr},
  };
  return table;
}

const AppCore::Command* AppCore::Find(int id) {
  for (const Command& command : Table()) {
    if (command.id == id) return &command;
  }
  return nullptr;
}

// ---------------------------------------------------------------------------
// File

void AppCore::New() { DocumentCommands(editor_, Documents(), ProductTitle(), caption_).New1Click(); }

void AppCore::Read() { DocumentCommands(editor_, Documents(), ProductTitle(), caption_).Read1Click(); }

void AppCore::Save() { DocumentCommands(editor_, Documents(), ProductTitle(), caption_).Save1Click(); }

void AppCore::SaveAs() { SaveAsAndTell(); }

// The close sequence goes on only after a save.
bool AppCore::SaveAsAndTell() {
  return DocumentCommands(editor_, Documents(), ProductTitle(), caption_).SaveAs1Click();
}

// A file that is gone is skipped without a word; its entry stays. No
// question about unsaved changes: choosing the file is the decision.
void AppCore::OpenRecent(int slot) {
  // A copy: the open moves the entry within the list.
  const FilePath path = recentFiles_.Slot(slot);
  if (path.Empty() || !ports_.files.FileExists(path)) return;
  DocumentCommands(editor_, Documents(), ProductTitle(), caption_).Open(path);
}

// Exactly what the close box does; the close sequence may refuse.
void AppCore::Exit() { Request(ViewRequest::Close); }

void AppCore::DesktopShortcut() {
  DesktopPorts ports = Desktop();
  CreateShortcut(kDesktopShortcut, ports, facts_.program);
}

void AppCore::StartupShortcut() {
  DesktopPorts ports = Desktop();
  CreateShortcut(kStartupShortcut, ports, facts_.program);
}

void AppCore::StartMenuShortcut() {
  DesktopPorts ports = Desktop();
  CreateShortcut(kStartMenuShortcut, ports, facts_.program);
}

// ---------------------------------------------------------------------------
// Distribution

void AppCore::Preview() {
  // Every step moves the selection and disables Preview and Generate; the
  // window shows both before the step's dialog appears.
  RunEditorPreview(editor_, ports_.dialogs, taskbarProgress_ ? ports_.taskbar : nullptr, [this] {
    if (ports_.screen != nullptr) ports_.screen->Show(CurrentView());
  });
}

void AppCore::Generate() {
  GenerateBtnClick(editor_, GeneratePorts{ports_.files, ports_.dialogs, ports_.dialogs, ports_.shell},
                   facts_.playerProgram, caption_);
}

// ---------------------------------------------------------------------------
// Options

void AppCore::NewLineMark() { NewLine1Click(editor_, ports_.dialogs, ProductTitle()); }
void AppCore::RecordFolder() { RecordFolder1Click(editor_, ports_.dialogs, ProductTitle()); }

void AppCore::ToggleShowButtons() { ShowButtons1Click(editor_, !editor_.Settings().ShowButtons); }

void AppCore::ToggleCloseQuery() { CloseQuery1Click(editor_, !editor_.Settings().CloseQuery); }

void AppCore::ToggleSaveStatus() { SaveStatus1Click(editor_, !editor_.Settings().SaveStatus); }

// ---------------------------------------------------------------------------
// Help

void AppCore::Help() { OpenHelpFile(ports_.shell, facts_.program.path); }

void AppCore::About() {
  DesktopPorts ports = Desktop();
  ShowAboutBox(ports, facts_.program);
}

void AppCore::HomePage() { OpenHomePage(ports_.shell); }

// ---------------------------------------------------------------------------
// The tree's pop-up menu

void AppCore::EditNode() { TreeView1DblClick(editor_, ports_.dialogs); }

void AppCore::AddAnswer() { AddYes1Click(editor_); }

void AppCore::Exchange() { Exchange1Click(editor_); }

// Questions are captioned with the window caption.
void AppCore::Delete() { Delete1Click(editor_, ports_.dialogs, caption_); }

void AppCore::MakeQuestion() { Question1Click(editor_); }

void AppCore::MakeInformation() { Information1Click(editor_); }

void AppCore::MakeExclamation() { Exclaimation1Click(editor_); }

void AppCore::MakeInhibit() { Inhibit1Click(editor_); }

void AppCore::YesDefault() { YesDefault1Click(editor_); }

void AppCore::NoDefault() { NoDefault1Click(editor_); }

// ---------------------------------------------------------------------------
// Edit: the node a step changed, and a pasted branch, come into view.

void AppCore::Undo() {
  edits_.Undo();
  Request(ViewRequest::RevealSelection);
}

void AppCore::Redo() {
  edits_.Redo();
  Request(ViewRequest::RevealSelection);
}

void AppCore::Cut() { edits_.Cut(); }

void AppCore::Copy() { edits_.Copy(); }

void AppCore::Paste() {
  edits_.Paste(ports_.dialogs, caption_);
  Request(ViewRequest::RevealSelection);
}

// ---------------------------------------------------------------------------
// Find: the match comes into view.

void AppCore::ToggleFindInNotes() { finder_.SetInFields(!finder_.InFields()); }

void AppCore::FindNext() {
  finder_.Step(editor_, SearchDirection::Next);
  Request(ViewRequest::RevealSelection);
}

void AppCore::FindPrevious() {
  finder_.Step(editor_, SearchDirection::Previous);
  Request(ViewRequest::RevealSelection);
}

}  // namespace velmora
