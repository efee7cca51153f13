#pragma once
// The recovery copy: the open document with unsaved changes, written every
// so often to a file of its own, so that a crash loses at most the last few
// seconds of work. A run that ends normally (and every save, New and open)
// removes it; a copy found at start-up was therefore left by a run that did
// not end normally, and is offered back.
//
// The file is a tree file whose option block carries one more key, "Path":
// the file the document belongs to (its UTF-8 bytes, empty for an unnamed
// document). The program reads it with the tree-file loader; the option
// block's other keys and the tree are exactly what a save would write.
//
// When the copy is written and which folder holds it are the window's to
// decide; this class only knows the file.

#include <string>

#include "document/Editor.h"
#include "files/FileSystemPort.h"
#include "files/TreeFile.h"

namespace velmora {

// "前回、保存されていない変更が残っています。復元しますか？"
inline constexpr const char* kRecoveryQuestion =
    "\x91\x4f\x89\xf1\x81\x41\x95\xdb\x91\xb6\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xc8\x82\xa2\x95\xcf\x8d\x58\x82\xaa"
    "\x8e\x63\x82\xc1\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81\x42\x95\x9c\x8c\xb3\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81\x48";

// The offer at start-up: the question above, then the file the work belongs
// to (or "無題"), when the copy was written, and that No deletes the copy.
// `fileName` and `savedAt` are CP932; an empty `savedAt` (a copy of an older
// program) leaves the time out.
std::string RecoveryQuestionText(const std::string& fileName, const std::string& savedAt);

// What a left copy says about itself before it is read whole.
struct RecoverySummary {
  FilePath belongsTo;   // empty for an unnamed document
  std::string savedAt;  // "2026/12/08 23:10" (local time), empty if unknown
};

class RecoveryCopy {
 public:
  // The copy kept in `folder` for the program at `programPath`: its file is
  // named after the program's base name ("Velmora.recovery" for
  // Velmora.exe), so two differently named copies of the program, which
  // may run side by side, never share one.
  // Beside the program, the copy is named after it; in a folder that many
  // programs share, after its whole path as well.
  enum class Naming : unsigned char { ByName, ByFullPath };
  RecoveryCopy(FileSystemPort& files, const FilePath& folder, const FilePath& programPath,
               Naming naming = Naming::ByName);

  const FilePath& Path() const { return path_; }

  // Writes the document atomically: a crash while writing leaves the
  // previous copy whole. Throws VelmoraError when the file cannot be made.
  void Write(const DecisionTree& tree, const DocumentState& state);
  // The document as the editor holds it.
  void Write(const Editor& editor) { Write(editor.Tree(), editor.State()); }

  // Normal close, every save, New, every open, and No at the question: no
  // copy stays. True when none is left.
  bool Remove();

  // At start-up: whether a copy holds a document.
  bool Left();
  // The copy's path and time, from its option block alone.
  RecoverySummary Summary();

  // The copy's document as an unsaved one: its tree (kinds restored), its
  // state with the path it belongs to, Modified set; the other values of
  // the state not stored in the copy come from `current`. Throws
  // VelmoraError when the copy cannot be read or holds no procedure.
  LoadedDocument Read(const DocumentState& current);

 private:
  FileSystemPort& files_;
  FilePath path_;
};

// Yes at the question: the recovered document becomes the open one, unsaved
// (Modified, Save and Save As enabled) under the path it belongs to, the
// root selected. The caption and a fresh undo history are the window's.
void OpenRecoveredDocument(Editor& editor, LoadedDocument document);

}  // namespace velmora
