#pragma once
// The running editor's recovery copy (files/RecoveryCopy.h): where it
// lives and when it is due. The window's timer only ticks; whether a tick
// writes is decided here, so the rule is tested without a window.
//
// The copy lies beside the settings file, named after the program; where
// that folder cannot be written (a program folder under Program Files), in
// the user's local application data folder. It exists only while the
// document has unsaved changes: a save, New or an open clears Modified, and
// the entry that did it removes the copy.

#include <cstdint>
#include <optional>
#include <string>

#include "desktop/ShellFolderPort.h"
#include "document/Editor.h"
#include "document/MessageBoxPort.h"
#include "files/RecoveryCopy.h"

namespace velmora {

class RecoveryKeeper {
 public:
  // `program` names the copy and, through its folder, the settings folder.
  RecoveryKeeper(FileSystemPort& files, ShellFolderPort& folders, const FilePath& program);

  // An entry that may have changed the document has run; `revision` is the
  // document's (Editor::Revision), which moves only when it really changed,
  // so a command that changed nothing writes no new copy.
  void Changed(std::uint64_t revision) { revision_ = revision; }
  // After such an entry: a document without unsaved changes keeps no copy.
  void Follow(const Editor& editor);

  // Whether a tick writes now: unsaved changes made since the last write.
  bool Due(const Editor& editor) const;
  // The window's timer. Writes the copy when due. Throws VelmoraError
  // (once per run, so a full disk does not report every few seconds) when
  // neither folder takes it.
  void Tick(const Editor& editor);

  // A normal close: no copy stays. A still-modified document is written
  // again only after its next change.
  void Discard();

  // At start-up: a copy left by a run that did not end normally is offered
  // with the question; Yes opens it as the unsaved document (`caption`
  // follows its path), No deletes it. True when a document was restored.
  bool Offer(Editor& editor, MessageBoxPort& messages, const std::string& productTitle, std::string& caption);

  // Where the copy is written first.
  const FilePath& Path() const { return beside_.Path(); }

 private:
  // The copy in the local application data folder, when the shell names one.
  std::optional<RecoveryCopy> Fallback();

  FileSystemPort& files_;
  ShellFolderPort& folders_;
  FilePath program_;
  RecoveryCopy beside_;
  std::uint64_t revision_ = 0;
  std::uint64_t writtenRevision_ = 0;
  // A copy of this run's document (written, or restored at start) exists.
  bool holdsCopy_ = false;
  bool failureReported_ = false;
};

}  // namespace velmora
