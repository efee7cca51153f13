#pragma once
// The payload of a generated executable: the player stub's bytes, the same
// tree text and option block a tree file holds, and a 32-bit little-endian
// trailer giving the length of those two. It is a document file format like
// the tree file, so it lives beside that reader: opening an ".exe" needs no
// reader handed in from above. The reader is shared by the editor, the
// command-line tool and the player stub (reading its own file).

#include <string>
#include <string_view>

#include "document/DecisionTree.h"
#include "document/DocumentState.h"
#include "document/StepList.h"
#include "files/LoadedDocument.h"

namespace velmora {

// stub + BuildTreeText(tree, state) + trailer (T + O).
std::string BuildDistributionExecutable(std::string_view stub, const DecisionTree& tree, const DocumentState& state);
std::string BuildDistributionExecutable(std::string_view stub, const StepProcedure& steps, const DocumentState& state);

// Reads the procedure stored at the end of `fileBytes` (the whole file) as
// the run reads it: a list of steps with their kinds restored from the
// markers (LoadedDocument.h), and the stored title, newline mark and colour
// (the older layout stores no colour: a new document's stays). Fails with:
// a file shorter than 4 bytes ("stream read error"), a trailer that points
// at no procedure (the no-procedure message naming `displayPath`, the CP932
// form of the file's path), or the parser's invalid-level error. This form
// returns the failure's text in `error`, and then nothing else counts: the
// player stub runs without exceptions, and reads its procedure this way
// without building a tree.
struct PayloadSteps {
  StepList steps;
  DocumentState state;
  // ContentVersion of the payload, the document as saved.
  std::string version;
  bool colourStored = false;
  std::string error;  // empty when the procedure was read
};
PayloadSteps ReadPayloadStepsOrError(std::string_view fileBytes, std::string_view displayPath);

// The same procedure for the editor and the command line, ready to open:
// the steps, and `current` with the stored values, unmodified, named `path`
// with the extension ".tre" (CurrentFileName). Throws the failure as a
// VelmoraError (defined only where exceptions are).
LoadedSteps ReadDistributionSteps(std::string_view fileBytes, const FilePath& path, std::string_view displayPath,
                                  const DocumentState& current);
// The same as a document: the tree of those steps.
LoadedDocument ReadDistributionPayload(std::string_view fileBytes, const FilePath& path, std::string_view displayPath,
                                       const DocumentState& current);

// The bytes before the payload: the player a generated executable starts
// with (empty for a file that holds no payload).
std::string_view PlayerStubOf(std::string_view fileBytes);

// The offset just after the trailer: the file's size, unless the file is a
// code-signed executable whose certificate table (behind zero padding) ends
// the file, in which case the trailer sits just before that padding.
std::size_t PayloadEnd(std::string_view fileBytes);

}  // namespace velmora
