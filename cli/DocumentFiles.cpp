#include "cli/DocumentFiles.h"

#include <stdexcept>
#include <string>

#include "distribution/PlayerStub.h"
#include "files/DistributionPayload.h"
#include "document/Errors.h"
#include "files/FileMessages.h"

namespace velmora::cli {

DocumentState FreshEditorState() { return DocumentState{}; }

LoadedDocument OpenLikeEditor(FileSystemPort& fs, const FilePath& path) {
  const std::string extension = path.LowerCaseExtension();
  LoadedDocument document;
  if (extension == ".exe") {
    document = ReadDistributionPayload(fs.ReadWholeFile(path), path, fs.DisplayText(path), FreshEditorState());
  } else if (extension == ".tre") {
    document = LoadTreeFile(fs, path, FreshEditorState());
  } else {
    throw VelmoraError(UnsupportedExtensionMessage(fs.DisplayText(path.FileName())));
  }
  // The editor opens such a file with a notice; a script has no one to
  // tell, and a convert would drop the rest of the file with exit 0.
  if (document.stoppedAtNulLine != 0) {
    throw std::runtime_error(path.Utf8() + ":" + std::to_string(document.stoppedAtNulLine) +
                             ": a NUL byte; this is no procedure text (nothing after it could be read)");
  }
  RestoreKinds(document.tree);
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
    throw VelmoraError(UnsupportedExtensionMessage(fs.DisplayText(path.FileName())));
  }
}

}  // namespace velmora::cli
