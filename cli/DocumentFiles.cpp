#include "cli/DocumentFiles.h"

#include "distribution/DistributionPayload.h"
#include "document/Errors.h"
#include "files/FileMessages.h"
#include "files/PathText.h"

namespace velmora::cli {

DocumentState FreshEditorState() { return DocumentState{}; }

LoadedDocument OpenLikeEditor(FileSystemPort& fs, const std::string& path) {
  const std::string extension = LowerCaseExtensionOf(path);
  LoadedDocument document;
  if (extension == ".exe") {
    document = ReadDistributionPayload(fs.ReadWholeFile(path), path, FreshEditorState());
  } else if (extension == ".tre") {
    document = LoadTreeFile(fs, path, FreshEditorState());
  } else {
    throw VelmoraError(UnsupportedExtensionMessage(FileNameOf(path)));
  }
  RestoreKinds(document.tree);
  return document;
}

void WriteLikeEditor(FileSystemPort& fs, const std::string& path, const LoadedDocument& document,
                     const std::string& stubPath) {
  const std::string extension = LowerCaseExtensionOf(path);
  if (extension == ".exe") {
    const std::string stub = fs.ReadWholeFile(stubPath);
    fs.WriteFileAtomically(path, BuildDistributionExecutable(stub, document.tree, document.state));
  } else if (extension == ".tre") {
    SaveTreeFile(fs, path, document.tree, document.state);
  } else {
    throw VelmoraError(UnsupportedExtensionMessage(FileNameOf(path)));
  }
}

}  // namespace velmora::cli
