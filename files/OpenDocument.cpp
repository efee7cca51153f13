#include "files/OpenDocument.h"

#include <utility>

#include "files/FileMessages.h"
#include "files/PathText.h"
#include "files/TreeFile.h"

namespace velmora {
namespace {

// The file's document, or nothing for an extension the program does not read.
std::optional<LoadedDocument> ReadByExtension(FileSystemPort& files, ExecutableDocumentReader readExecutable,
                                              const std::string& path, const DocumentState& current) {
  const std::string extension = LowerCaseExtensionOf(path);
  if (extension == ".exe") return readExecutable(files.ReadWholeFile(path), path, current);
  if (extension == ".tre") return LoadTreeFile(files, path, current);
  return std::nullopt;
}

}  // namespace

std::optional<OpenedDocument> OpenDocument(Editor& editor, FileSystemPort& files, MessageBoxPort& messages,
                                           ExecutableDocumentReader readExecutable, const std::string& path,
                                           const std::string& productTitle, const std::string& currentCaption) {
  std::optional<LoadedDocument> loaded = ReadByExtension(files, readExecutable, path, editor.State());
  if (!loaded) {
    messages.ShowMessage(UnsupportedExtensionMessage(FileNameOf(path)), currentCaption, message_box::kOk);
    return std::nullopt;
  }
  RestoreKinds(loaded->tree);
  loaded->tree.ExpandAll();
  loaded->state.Modified = false;
  editor.ReplaceDocument(std::move(loaded->tree), std::move(loaded->state));
  editor.ResetTreeView();

  CommandStates& commands = editor.Commands();
  commands.Save = false;
  commands.SaveAs = true;

  OpenedDocument opened;
  opened.caption = std::string(FileNameOf(path)) + " - " + productTitle;
  opened.initialDir = std::string(FolderOf(path));
  return opened;
}

}  // namespace velmora
