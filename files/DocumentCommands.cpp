#include "files/DocumentCommands.h"

#include "files/TreeFile.h"

namespace velmora {
namespace {

// "切り分け定義を名前を付けて保存"
constexpr const char* kSaveDialog1Title =
    "\x90\xd8\x82\xe8\x95\xaa\x82\xaf\x92\xe8\x8b\x60\x82\xf0\x96\xbc\x91\x4f\x82\xf0\x95\x74\x82\xaf\x82\xc4\x95\xdb"
    "\x91\xb6";
// "ツリーファイル(*.tre)|*.tre|ダイアログ単体EXEファイル(*.exe)|*.exe|すべてのファイル(*.*)|*.*"
constexpr const char* kOpenDialog1Filter =
    "\x83\x63\x83\x8a\x81\x5b\x83\x74\x83\x40\x83\x43\x83\x8b(*.tre)|*.tre|\x83\x5f\x83\x43\x83\x41\x83\x8d\x83\x4f"
    "\x92\x50\x91\xcc" "EXE\x83\x74\x83\x40\x83\x43\x83\x8b(*.exe)|*.exe|\x82\xb7\x82\xd7\x82\xc4\x82\xcc\x83\x74\x83"
    "\x40\x83\x43\x83\x8b(*.*)|*.*";
// "ツリーファイル(*.tre)|*.tre|すべてのファイル(*.*)|*.*"
constexpr const char* kSaveDialog1Filter =
    "\x83\x63\x83\x8a\x81\x5b\x83\x74\x83\x40\x83\x43\x83\x8b(*.tre)|*.tre|\x82\xb7\x82\xd7\x82\xc4\x82\xcc\x83\x74\x83"
    "\x40\x83\x43\x83\x8b(*.*)|*.*";

}  // namespace

FileDialogRequest OpenDialog1(const FilePath& initialDir) {
  FileDialogRequest request;
  request.filter = kOpenDialog1Filter;
  request.defaultExtension = "tre";
  request.initialDir = initialDir;
  request.hideReadOnly = true;
  request.pathMustExist = true;
  request.fileMustExist = true;
  request.enableSizing = true;
  return request;
}

FileDialogRequest SaveDialog1() {
  FileDialogRequest request;
  request.title = kSaveDialog1Title;
  request.filter = kSaveDialog1Filter;
  request.defaultExtension = "tre";
  request.overwritePrompt = true;
  request.createPrompt = true;
  request.hideReadOnly = true;
  request.enableSizing = true;
  return request;
}

void ProposeDocumentName(FileDialogRequest& request, const Editor& editor, FileSystemPort& files,
                         const std::function<FilePath(const FilePath&)>& shownName) {
  const FilePath& current = editor.State().CurrentFileName;
  if (current.Empty()) {
    // The title names no folder; it may hold a "\" all the same, which
    // the name box then takes as part of what the author types.
    request.fileName = shownName(files.FromCp932(editor.State().Title));
    request.initialDir = editor.InitialDir;
    return;
  }
  request.fileName = shownName(current.FileName());
  request.initialDir = current.Folder();
}

DocumentCommands::DocumentCommands(Editor& editor, const DocumentPorts& ports, const std::string& productTitle,
                                   std::string& caption)
    : editor_(editor), ports_(ports), productTitle_(productTitle), caption_(caption) {}

int DocumentCommands::Ask(const std::string& text, unsigned flags) {
  return ports_.messages.ShowMessage(text, caption_, flags);
}

void DocumentCommands::Tell(const std::string& text) { ports_.messages.ShowMessage(text, caption_, message_box::kOk); }

std::string DocumentCommands::Caption(const FilePath& path) {
  return WindowCaption(ports_.files, path, productTitle_);
}

bool DocumentCommands::SaveChangesFirst(const std::string& question) {
  if (!editor_.State().Modified) return true;
  const int answer = Ask(question, kSaveChangesQuestionFlags);
  if (answer == message_box::kAnswerCancel) return false;
  // The author asked for the changes to be kept: if they were not, the
  // command must not go on and replace them.
  if (answer == message_box::kAnswerYes) return SaveAs1Click();
  return true;
}

void DocumentCommands::New1Click() {
  // Cleared before the question, so that after Cancel too the next Save
  // asks for a name instead of writing over the old file.
  editor_.State().CurrentFileName = FilePath();
  if (!SaveChangesFirst(kNewQuestion)) return;

  editor_.State().Title.clear();
  // A new procedure records no runs until its author names a folder.
  editor_.State().RecordFolder.clear();
  editor_.ResetToStartingTree();
  editor_.ResetTreeView();
  caption_ = productTitle_;
  DocumentState& state = editor_.State();
  state.Modified = false;
  // A Save As at the question named the old document, not the new one.
  state.CurrentFileName = FilePath();
}

void DocumentCommands::Read1Click() {
  if (!SaveChangesFirst(kReadQuestion)) return;
  const std::optional<FilePath> chosen = ports_.dialogs.ShowOpenDialog(OpenDialog1(editor_.InitialDir));
  if (!chosen) return;
  Open(*chosen);
}

void DocumentCommands::ReadFile(const FilePath& path) {
  if (!SaveChangesFirst(std::string(kReadQuestion) + "\r\n\r\n" + kHandedOverFileLabel + ports_.files.DisplayText(path))) {
    return;
  }
  Open(path);
}

void DocumentCommands::Save1Click() {
  const FilePath path = editor_.State().CurrentFileName;
  // A document read out of an executable is named after the ".tre" beside
  // it, so ".exe" can only come from outside; it is never written over.
  if (path.Empty() || path.LowerCaseExtension() == ".exe") {
    SaveAs1Click();
    return;
  }
  if (Ask(kOverwriteQuestion, kConfirmationFlags) != message_box::kAnswerYes) return;
  SaveTreeFile(ports_.files, path, editor_.Tree(), editor_.State());
  AfterSave(path, kSavedOverTail);
}

// What every save does once the file is written: tell the author (still
// under the old caption), show the root, clear Modified and Save, and list
// the file first among the recent files.
void DocumentCommands::AfterSave(const FilePath& path, const char* savedTail) {
  Tell(ports_.files.DisplayText(path) + savedTail);
  editor_.ResetTreeView();
  editor_.State().Modified = false;
  editor_.NoteSaved();
  ports_.history.AddToHistory(path);
}

bool DocumentCommands::SaveAs1Click() {
  FileDialogRequest request = SaveDialog1();
  // A foreign extension is not proposed: the dialog adds ".tre" to the
  // name that is left.
  ProposeDocumentName(request, editor_, ports_.files, [](const FilePath& name) {
    return name.LowerCaseExtension() == ".tre" ? name : name.WithExtension("");
  });
  const std::optional<FilePath> chosen = ports_.dialogs.ShowSaveDialog(request);
  if (!chosen) return false;
  const FilePath path = ports_.files.Absolute(*chosen);
  SaveTreeFile(ports_.files, path, editor_.Tree(), editor_.State());

  editor_.State().CurrentFileName = path;
  AfterSave(path, kSavedToTail);
  editor_.InitialDir = path.Folder();
  caption_ = Caption(path);
  return true;
}

bool DocumentCommands::Open(const FilePath& path) {
  const std::optional<OpenedDocument> opened = OpenDocument(editor_, ports_.files, ports_.messages, path,
                                                            productTitle_, caption_, ports_.shortcuts);
  if (!opened) return false;
  caption_ = opened->caption;
  if (opened->treeFile) ports_.history.AddToHistory(editor_.State().CurrentFileName);
  return true;
}

}  // namespace velmora
