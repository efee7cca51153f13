#pragma once
// The document commands: New, Read, Save and Save As, and the open that
// every way of opening a file ends in. They run on the editor model over
// ports (message boxes, the file system, the file dialogs, the recent-file
// list), so every flow runs in the core tests; the application core hands
// them its ports and shows the caption they leave in its View.
//
// No answer of the user and no failed write loses or misplaces work:
// - After Yes at the save question of New or Read, a Save As that is
//   cancelled or fails stops the command; the document stays as it was.
// - The title is only a proposal: Save As proposes it as the file name of an
//   unnamed document but never stores it in CurrentFileName. CurrentFileName
//   is either empty or the full path of a file opened or saved.
// - Save As stores the chosen path only once the file is written.

#include <functional>
#include <optional>
#include <string>

#include "document/Editor.h"
#include "document/MessageBoxPort.h"
#include "files/DocumentHistoryPort.h"
#include "files/FileDialogPort.h"
#include "files/FileSystemPort.h"
#include "files/OpenDocument.h"

namespace velmora {

// "定義を新規作成します。現状の変更を保存しますか？"
inline constexpr const char* kNewQuestion =
    "\x92\xe8\x8b\x60\x82\xf0\x90\x56\x8b\x4b\x8d\xec\x90\xac\x82\xb5\x82\xdc\x82\xb7\x81\x42\x8c\xbb\x8f\xf3\x82\xcc"
    "\x95\xcf\x8d\x58\x82\xf0\x95\xdb\x91\xb6\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81\x48";
// "定義を読込みます。現状の変更を保存しますか？"
// "開こうとしているファイル: " before the path of a file handed over by a
// second start: the author did not pick it in this window, so the question
// says which file would replace the changes.
inline constexpr const char* kHandedOverFileLabel =
    "\x8a\x4a\x82\xb1\x82\xa4\x82\xc6\x82\xb5\x82\xc4\x82\xa2\x82\xe9\x83\x74\x83\x40\x83\x43\x83\x8b\x3a\x20";
inline constexpr const char* kReadQuestion =
    "\x92\xe8\x8b\x60\x82\xf0\x93\xc7\x8d\x9e\x82\xdd\x82\xdc\x82\xb7\x81\x42\x8c\xbb\x8f\xf3\x82\xcc\x95\xcf\x8d\x58"
    "\x82\xf0\x95\xdb\x91\xb6\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81\x48";
// "上書きしてもよいですか？"
inline constexpr const char* kOverwriteQuestion =
    "\x8f\xe3\x8f\x91\x82\xab\x82\xb5\x82\xc4\x82\xe0\x82\xe6\x82\xa2\x82\xc5\x82\xb7\x82\xa9\x81\x48";
// " 上書き保存しました。" (an ASCII space first), after the path.
inline constexpr const char* kSavedOverTail =
    " \x8f\xe3\x8f\x91\x82\xab\x95\xdb\x91\xb6\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42";
// "　に保存しました。" (an ideographic space first), after the path.
inline constexpr const char* kSavedToTail = "\x81\x40\x82\xc9\x95\xdb\x91\xb6\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42";

// The questions that guard unsaved changes: Yes/No/Cancel with the question
// icon, Yes the default; the overwrite question: Yes/No.
inline constexpr unsigned kSaveChangesQuestionFlags = message_box::kYesNoCancel | message_box::kIconQuestion;
inline constexpr unsigned kConfirmationFlags = message_box::kYesNo | message_box::kIconQuestion;

// OpenDialog1, starting in `initialDir`.
FileDialogRequest OpenDialog1(const FilePath& initialDir);
// SaveDialog1, without a proposal yet.
FileDialogRequest SaveDialog1();

// Puts the open document's name into a save dialog's request: a named
// document proposes `shownName(CurrentFileName)` in its own folder; an
// unnamed one `shownName(title)` in InitialDir. Either way nothing is
// stored: the title only ever shows in the dialog.
void ProposeDocumentName(FileDialogRequest& request, const Editor& editor, FileSystemPort& files,
                         const std::function<FilePath(const FilePath&)>& shownName);

struct DocumentPorts {
  FileSystemPort& files;
  MessageBoxPort& messages;
  FileDialogPort& dialogs;
  DocumentHistoryPort& history;
  // Null where the platform has no shortcut files.
  ShortcutResolverPort* shortcuts;
};

class DocumentCommands {
 public:
  // `caption` is the window caption (CP932): every message box of these
  // commands is captioned with it, and the commands set it ("abc.tre -
  // Velmora", or `productTitle` for a new document). The window shows it
  // after every command, also one that ended in an error.
  DocumentCommands(Editor& editor, const DocumentPorts& ports, const std::string& productTitle,
                   std::string& caption);

  // New1: the starting tree, unnamed and clean. CurrentFileName is cleared
  // before the save question, so it stays cleared after Cancel.
  void New1Click();
  // Read1: the save question, then OpenDialog1 in InitialDir, then Open.
  void Read1Click();
  // Read1 for a file named from outside (one a second start hands over):
  // the save question, then Open, without the dialog.
  void ReadFile(const FilePath& path);
  // Save1: straight to Save As for an unnamed document or one named ".exe"
  // (any letter case); otherwise asks, writes and reports.
  void Save1Click();
  // SaveAs1: SaveDialog1, write, report. True only when the document was
  // saved; false when the dialog was cancelled. A failed write raises
  // VelmoraError and changes nothing.
  bool SaveAs1Click();

  // OpenDocument without a question (the command line, dropped files, the
  // recent files, Read): on success the caption names the file and a tree
  // file goes to the recent-file list. False when the file was refused.
  bool Open(const FilePath& path);

 private:
  int Ask(const std::string& text, unsigned flags);
  void Tell(const std::string& text);
  // The save question of New and Read: false when the command must stop
  // (Cancel, or Yes and a Save As that did not save).
  bool SaveChangesFirst(const std::string& question);
  std::string Caption(const FilePath& path);
  void AfterSave(const FilePath& path, const char* savedTail);

  Editor& editor_;
  DocumentPorts ports_;
  std::string productTitle_;
  std::string& caption_;
};

}  // namespace velmora
