#include "cli/DocumentFiles.h"

#include <stdexcept>
#include <string>

#include "distribution/PlayerStub.h"
#include "files/DistributionPayload.h"
#include "document/Errors.h"
#include "files/FileMessages.h"
#include "files/OpenDocument.h"

namespace velmora::cli {

DocumentState FreshEditorState() { return DocumentState{}; }

LoadedDocument OpenLikeEditor(FileSystemPort& fs, const FilePath& path) {
  std::optional<LoadedDocument> read = ReadDocumentFile(fs, path, FreshEditorState());
  if (!read) throw VelmoraError(UnsupportedExtensionMessage(fs.DisplayText(path.FileName())));
  LoadedDocument document = std::move(*read);
  // The editor opens such a file with a notice; a script has no one to
  // tell, and a convert would drop the rest of the file with exit 0.
  if (document.stoppedAtNulLine != 0) {
    throw std::runtime_error(path.Utf8() + ":" + std::to_string(document.stoppedAtNulLine) +
                             ": a NUL byte; this is no procedure text (nothing after it could be read)");
  }
  return document;
}

void WriteLikeEditor(FileSystemPort& fs, const FilePath& path, const LoadedDocument& document,
                     const FilePath& stubPath) {
  const std::string extension = path.LowerCaseExtension();
  if (extension == ".exe") {
    const std::string stub = ReadPlayerStub(fs, stubPath);
    fs.WriteFileAtomically(path, BuildDistributionExecutable(stub, document.tree, document.state));
  } else if (extension == ".tre") {
    SaveTreeFile(fs, path, document.tree, document.state);
  } else {
    throw std::runtime_error(path.Utf8() + ": convert writes .tre or .exe (in any letter case), not \"" +
                             path.Extension() + "\"");
  }
}

const LoadedDocument& OpenForCommand(FileSystemPort& fs, const FilePath& path) {
  return *new LoadedDocument(OpenLikeEditor(fs, path));  // never deleted: see the header
}

}  // namespace velmora::cli
