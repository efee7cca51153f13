// The editor's and the command line's reading of a generated executable:
// the player's reading (PayloadReader.cpp) with what only an author needs,
// the nodes' declared fields among it. Apart from that reader, which the
// player stub carries.
#include <utility>

#include "document/Errors.h"
#include "files/DistributionPayload.h"
#include "files/FieldSection.h"
#include "files/LineSplitter.h"
#include "files/LittleEndian.h"

namespace velmora {

std::string_view PlayerStubOf(std::string_view fileBytes) {
  if (fileBytes.size() < 4) return {};
  const std::size_t end = PayloadEnd(fileBytes);
  const std::uint64_t length = LittleEndian32At(fileBytes, end - 4);
  if (length == 0 || length > end - 4) return {};
  return fileBytes.substr(0, end - 4 - static_cast<std::size_t>(length));
}

// The editor's form: the stored values merged into the editor's state.
LoadedSteps ReadDistributionSteps(std::string_view fileBytes, const FilePath& path, std::string_view displayPath,
                                  const DocumentState& current) {
  PayloadSteps read = ReadPayloadStepsOrError(fileBytes, displayPath);
  if (!read.error.empty()) throw VelmoraError(read.error);
  // Whoever opens this tells the author, by stoppedAtNulLine, that the rest
  // was not read. The steps' copy is the payload and the end line, which
  // holds no NUL: the same line. (The player has nothing to tell.)
  const std::size_t nulLine = LineOfFirstNul(read.steps.Source());
  LoadedSteps loaded{nullptr, std::move(read.steps), current, nulLine, {}};
  loaded.fields = ReadFieldSection(loaded.steps.Source(), loaded.steps.Size());
  loaded.state.CurrentFileName = path.WithExtension(".tre");
  loaded.state.Modified = false;
  loaded.state.Title = std::move(read.state.Title);
  loaded.state.NewLineMark = std::move(read.state.NewLineMark);
  if (read.colourStored) loaded.state.Color = read.state.Color;
  loaded.state.RecordFolder = std::move(read.state.RecordFolder);
  return loaded;
}

LoadedDocument ReadDistributionPayload(std::string_view fileBytes, const FilePath& path, std::string_view displayPath,
                                       const DocumentState& current) {
  return DocumentOfSteps(ReadDistributionSteps(fileBytes, path, displayPath, current));
}

}  // namespace velmora
