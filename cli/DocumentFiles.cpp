#include "cli/DocumentFiles.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "distribution/PlayerStub.h"
#include "files/DistributionPayload.h"
#include "document/Errors.h"
#include "files/FileMessages.h"
#include "files/OpenDocument.h"

namespace velmora::cli {

DocumentState FreshEditorState() { return DocumentState{}; }

namespace {

// Refuses what the editor would open only with a notice.
template <typename Loaded>
Loaded Refusing(std::optional<Loaded> read, FileSystemPort& fs, const FilePath& path) {
  if (!read) throw VelmoraError(UnsupportedExtensionMessage(fs.DisplayText(path.FileName())));
  // The editor opens such a file with a notice; a script has no one to
  // tell, and a convert would drop the rest of the file with exit 0.
  if (read->stoppedAtNulLine != 0) {
    throw std::runtime_error(path.Utf8() + ":" + std::to_string(read->stoppedAtNulLine) +
                             ": a NUL byte; this is no procedure text (nothing after it could be read)");
  }
  return std::move(*read);
}

// ".tre" as Save writes it, ".exe" as Generate writes it.
template <typename Procedure>
void WriteProcedure(FileSystemPort& fs, const FilePath& path, const Procedure& procedure, const DocumentState& state,
                    const FilePath& stubPath) {
  const std::string extension = path.LowerCaseExtension();
  if (extension == ".exe") {
    const std::string stub = ReadPlayerStub(fs, stubPath);
    fs.WriteFileAtomically(path, BuildDistributionExecutable(stub, procedure, state));
  } else if (extension == ".tre") {
    SaveTreeFile(fs, path, procedure, state);
  } else {
    throw std::runtime_error(path.Utf8() + ": convert writes .tre or .exe (in any letter case), not \"" +
                             path.Extension() + "\"");
  }
}

}  // namespace

LoadedDocument OpenLikeEditor(FileSystemPort& fs, const FilePath& path) {
  return Refusing(ReadDocumentFile(fs, path, FreshEditorState()), fs, path);
}

LoadedSteps OpenStepsLikeEditor(FileSystemPort& fs, const FilePath& path) {
  return Refusing(ReadDocumentSteps(fs, path, FreshEditorState()), fs, path);
}

void WriteLikeEditor(FileSystemPort& fs, const FilePath& path, const LoadedDocument& document,
                     const FilePath& stubPath) {
  WriteProcedure(fs, path, document.tree, document.state, stubPath);
}

void WriteLikeEditor(FileSystemPort& fs, const FilePath& path, const LoadedSteps& document, const FilePath& stubPath) {
  WriteProcedure(fs, path, StepProcedure{document.steps, document.fields}, document.state, stubPath);
}

void WriteLikeEditorWithStub(FileSystemPort& fs, const FilePath& path, const LoadedDocument& document,
                             std::string_view stub) {
  fs.WriteFileAtomically(path, BuildDistributionExecutable(stub, document.tree, document.state));
}

const LoadedDocument& OpenForCommand(FileSystemPort& fs, const FilePath& path) {
  // Held by a static owner that is never destroyed: the document stays
  // reachable, so a leak checker at the exit reports only real leaks.
  static std::vector<LoadedDocument*>& kept = *new std::vector<LoadedDocument*>();
  kept.push_back(new LoadedDocument(OpenLikeEditor(fs, path)));
  return *kept.back();
}

}  // namespace velmora::cli
