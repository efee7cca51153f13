#pragma once
// The single way a file becomes the open document: the command-line file,
// dropped files (and later the open command and the recent files) all end
// here. The reader is chosen by the extension; only a complete load
// replaces the document.

#include <optional>
#include <string>
#include <string_view>

#include "document/MessageBoxPort.h"
#include "document/Editor.h"
#include "files/FileSystemPort.h"
#include "files/ShortcutResolverPort.h"
#include "files/TreeFile.h"

namespace velmora {

// The window's caption for the document saved as (or read from) `path`:
// "abc.tre - Velmora", or the product title alone while it has no file.
std::string WindowCaption(FileSystemPort& files, const FilePath& path, const std::string& productTitle);

// What the window shows after a successful open.
struct OpenedDocument {
  // The file name, " - " and the product title: "abc.tre - Velmora".
  std::string caption;
  // A tree file (which the recent-file list records), not a tree read out
  // of a generated executable.
  bool treeFile = false;
};

// The document a file holds, read by its extension (".tre" or a generated
// ".exe", in any letter case) with the node kinds restored; nothing for any
// other extension. A reader's error propagates as VelmoraError. The open
// below, the comparison and velmora-cli all read files through this.
std::optional<LoadedDocument> ReadDocumentFile(FileSystemPort& files, const FilePath& path,
                                               const DocumentState& current);
// The same procedure as a list of steps, without a tree: for a command that
// carries it from one file to another.
std::optional<LoadedSteps> ReadDocumentSteps(FileSystemPort& files, const FilePath& path,
                                             const DocumentState& current);

// Opens `path` (".tre" or a generated ".exe", in any letter case; a relative
// path is taken against the current folder first) into the editor. A
// shortcut (".lnk") opens its target, once: a shortcut to a shortcut, or one
// `shortcuts` cannot resolve (or without `shortcuts`), is refused. The
// file's folder, with its trailing separator, becomes the editor's
// InitialDir: where the open dialog starts next time. Any other extension is
// refused with a plain message box captioned `currentCaption` and changes
// nothing (the result is empty). A reader's error propagates as VelmoraError
// and also changes nothing. A file whose reading stopped at a NUL byte opens
// and then gets a plain notice naming the file and the line.
std::optional<OpenedDocument> OpenDocument(Editor& editor, FileSystemPort& files, MessageBoxPort& messages,
                                           const FilePath& path,
                                           const std::string& productTitle, const std::string& currentCaption,
                                           ShortcutResolverPort* shortcuts = nullptr);

}  // namespace velmora
