#include "app/RecoveryKeeper.h"

#include <utility>

#include "document/Errors.h"
#include "files/OpenDocument.h"

namespace velmora {

RecoveryKeeper::RecoveryKeeper(FileSystemPort& files, ShellFolderPort& folders, const FilePath& program)
    : files_(files), folders_(folders), program_(program), beside_(files, program.Folder(), program) {}

std::optional<RecoveryCopy> RecoveryKeeper::Fallback() {
  const std::optional<FilePath> folder = folders_.KnownFolder(ShellFolder::LocalAppData);
  if (!folder || folder->Empty()) return std::nullopt;
  return RecoveryCopy(files_, *folder, program_, RecoveryCopy::Naming::ByFullPath);
}

void RecoveryKeeper::Follow(const Editor& editor) {
  if (holdsCopy_ && !editor.State().Modified) Discard();
}

bool RecoveryKeeper::Due(const Editor& editor) const {
  return editor.State().Modified && revision_ != writtenRevision_;
}

void RecoveryKeeper::Tick(const Editor& editor) {
  if (!Due(editor)) return;
  try {
    try {
      beside_.Write(editor);
    } catch (const VelmoraError&) {
      std::optional<RecoveryCopy> fallback = Fallback();
      if (!fallback) throw;
      fallback->Write(editor);
    }
  } catch (const VelmoraError&) {
    // Tried again at the next tick; told once.
    if (failureReported_) return;
    failureReported_ = true;
    throw;
  }
  holdsCopy_ = true;
  writtenRevision_ = revision_;
}

void RecoveryKeeper::Discard() {
  // Both places: the copy may have gone to either.
  beside_.Remove();
  if (std::optional<RecoveryCopy> fallback = Fallback()) fallback->Remove();
  holdsCopy_ = false;
  writtenRevision_ = revision_;
}

bool RecoveryKeeper::Offer(Editor& editor, MessageBoxPort& messages, const std::string& productTitle,
                           std::string& caption) {
  std::optional<RecoveryCopy> fallback = Fallback();
  RecoveryCopy* left = beside_.Left() ? &beside_ : fallback && fallback->Left() ? &*fallback : nullptr;
  if (left == nullptr) return false;
  // A copy too damaged to say whose it is still gets its question.
  RecoverySummary summary;
  try {
    summary = left->Summary();
  } catch (const VelmoraError&) {
  }
  const std::string fileName = summary.belongsTo.Empty() ? std::string() : files_.DisplayText(summary.belongsTo.FileName());
  const int answer = messages.ShowMessage(RecoveryQuestionText(fileName, summary.savedAt), productTitle,
                                          message_box::kYesNo | message_box::kIconQuestion);
  if (answer != message_box::kAnswerYes) {
    left->Remove();
    return false;
  }
  // A copy that cannot be read stays for the next start; the error says why.
  LoadedDocument document = left->Read(editor.State());
  const FilePath path = document.state.CurrentFileName;
  OpenRecoveredDocument(editor, std::move(document));
  caption = WindowCaption(files_, path, productTitle);
  // The file on disk already holds this document: it stays as this run's
  // copy until the next change rewrites it or a save removes it.
  holdsCopy_ = true;
  writtenRevision_ = revision_;
  return true;
}

}  // namespace velmora
