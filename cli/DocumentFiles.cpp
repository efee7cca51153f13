#include "cli/DocumentFiles.h"

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
