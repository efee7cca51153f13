#include "files/OpenDocument.h"

#include <utility>

#include "files/DistributionPayload.h"
#include "files/FileMessages.h"
#include "files/TreeFile.h"

namespace velmora {

namespace {

// The reader the extension names, as a tree or as steps: a generated
// executable's payload or a tree file; nothing for another extension.
template <typename Loaded, typename ReadPayload, typename ReadTreeFile>
std::optional<Loaded> ReadByExtension(FileSystemPort& files, const FilePath& path, ReadPayload readPayload,
                                      ReadTreeFile readTreeFile) {
  const std::string extension = path.LowerCaseExtension();
  if (extension == ".exe") return readPayload(files.ReadWholeFile(path), files.DisplayText(path));
  if (extension == ".tre") return readTreeFile();
  return std::nullopt;
}

}  // namespace

std::optional<LoadedDocument> ReadDocumentFile(FileSystemPort& files, const FilePath& path,
                                               const DocumentState& current) {
  return ReadByExtension<LoadedDocument>(
      files, path,
      [&](const std::string& bytes, const std::string& display) {
        return ReadDistributionPayload(bytes, path, display, current);
      },
      [&] { return LoadTreeFile(files, path, current); });
}

std::optional<LoadedSteps> ReadDocumentSteps(FileSystemPort& files, const FilePath& path,
                                             const DocumentState& current) {
  return ReadByExtension<LoadedSteps>(
      files, path,
      [&](const std::string& bytes, const std::string& display) {
        return ReadDistributionSteps(bytes, path, display, current);
      },
      [&] { return LoadTreeFileSteps(files, path, current); });
}

std::optional<OpenedDocument> OpenDocument(Editor& editor, FileSystemPort& files, MessageBoxPort& messages,
                                           const FilePath& givenPath,
                                           const std::string& productTitle, const std::string& currentCaption,
                                           ShortcutResolverPort* shortcuts) {
  // A relative path (a command-line argument) is fixed now: the current
  // folder may move later, with a file dialog, and a save must still reach
  // this file.
  FilePath path = files.Absolute(givenPath);
  // The document is the target: the caption, CurrentFileName and the
  // recent files name it, not the shortcut. An unresolvable shortcut
  // leaves an empty path, which no reader takes.
  if (path.LowerCaseExtension() == ".lnk") {
    path = shortcuts != nullptr ? shortcuts->ResolveShortcut(path).value_or(FilePath()) : FilePath();
  }
  std::optional<LoadedDocument> loaded = ReadDocumentFile(files, path, editor.State());
  if (!loaded) {
    messages.ShowMessage(UnsupportedExtensionMessage(files.DisplayText(path.FileName())), currentCaption,
                         message_box::kOk);
    return std::nullopt;
  }
  const std::size_t stoppedAtNulLine = loaded->stoppedAtNulLine;
  loaded->state.Modified = false;
  editor.ReplaceDocument(std::move(loaded->tree), std::move(loaded->state));
  editor.ResetTreeView();

  editor.OfferSaveAs();

  OpenedDocument opened;
  opened.caption = WindowCaption(files, path, productTitle);
  opened.treeFile = path.LowerCaseExtension() == ".tre";
  editor.InitialDir = path.Folder();
  // The document is open, but without what followed the NUL: a save would
  // drop that for good, so the author hears of it now.
  if (stoppedAtNulLine != 0) {
    messages.ShowMessage(StoppedAtNulNotice(files.DisplayText(path), stoppedAtNulLine), opened.caption,
                         message_box::kOk);
  }
  return opened;
}

std::string WindowCaption(FileSystemPort& files, const FilePath& path, const std::string& productTitle) {
  return path.Empty() ? productTitle : files.DisplayText(path.FileName()) + " - " + productTitle;
}

}  // namespace velmora
