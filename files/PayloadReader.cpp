// The reading side of the payload, shared by the editor (opening an ".exe")
// and the player stub (reading its own file). It raises nothing: the stub
// runs without exceptions, and the editor's form below turns a failure into
// its VelmoraError.
#include <cstdint>
#include <optional>
#include <utility>

#include "files/DistributionPayload.h"
#include "document/Errors.h"
#include "files/FileMessages.h"
#include "files/IniText.h"
#include "files/LineSplitter.h"
#include "files/TrailingLines.h"
#include "files/TreeTextParser.h"

namespace velmora {
namespace {

constexpr std::size_t kTrailerSize = 4;

std::uint32_t ReadLittleEndian32(std::string_view bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
  }
  return value;
}

// The payload's tree text is read followed by the line "12", where the
// trailer stood: the reading then ends on a harmless last line whatever the
// payload's last bytes are, and the option block's last line keeps its own
// step.
constexpr std::string_view kEndLine = "12\r\n";

// The older layout: tree lines, then a mark line and a title line. False
// when no procedure is left before them.
bool ReadMarkAndTitleLines(StepList& steps, DocumentState& state) {
  steps.RemoveLast();  // the "12" line
  std::string* target[] = {&state.Title, &state.NewLineMark};
  for (std::string* value : target) {
    if (steps.Size() == 0) return false;
    *value = std::string(steps[steps.Size() - 1].text);
    steps.RemoveLast();
  }
  return steps.Size() != 0;
}

PayloadSteps Failed(std::string message) {
  PayloadSteps result;
  result.error = std::move(message);
  return result;
}

}  // namespace

PayloadSteps ReadPayloadStepsOrError(std::string_view fileBytes, std::string_view displayPath,
                                     const DocumentState& current) {
  if (fileBytes.size() < kTrailerSize) return Failed(StreamReadErrorMessage());
  const std::size_t end = PayloadEnd(fileBytes);
  const std::uint64_t length = ReadLittleEndian32(fileBytes, end - kTrailerSize);
  // A zero trailer, or one reaching before the start of the file, means the
  // file was not made by the generator (or was cut short): nothing to read.
  if (length == 0 || length > end - kTrailerSize) return Failed(NoProcedureMessage(displayPath));
  const std::string_view payload =
      fileBytes.substr(end - kTrailerSize - static_cast<std::size_t>(length), static_cast<std::size_t>(length));

  StepsParse parse = ParseStepsOrError(payload, kEndLine);
  if (!parse.error.empty()) return Failed(std::move(parse.error));
  // Whoever reads this tells the reader, by stoppedAtNulLine, that the rest
  // was not read.
  PayloadSteps result{std::move(parse.steps), current, LineOfFirstNul(payload), {}};
  StepList& steps = result.steps;
  result.state.Modified = false;
  // The step before the last tells the layouts apart: an option block's
  // last value, or the older layout's title line.
  if (steps.Size() < 2) return Failed(NoProcedureMessage(displayPath));
  if (steps[steps.Size() - 2].text.find('=') != std::string_view::npos) {
    // Only the payload is looked at: the stub's own bytes may hold strings
    // that look like a section.
    ApplyOptionValues(ReadOptionBlock(payload, kProfileRules), result.state);
    RemoveTrailingRootLevelSteps(steps);
  } else if (!ReadMarkAndTitleLines(steps, result.state)) {
    return Failed(NoProcedureMessage(displayPath));
  }
  RestoreKinds(steps);
  return result;
}

#if defined(__cpp_exceptions)
// The editor's form: the steps become a tree, which keeps their text.
LoadedDocument ReadDistributionPayload(std::string_view fileBytes, const FilePath& path, std::string_view displayPath,
                                       const DocumentState& current) {
  const PayloadSteps read = ReadPayloadStepsOrError(fileBytes, displayPath, current);
  if (!read.error.empty()) throw VelmoraError(read.error);
  LoadedDocument document{DecisionTree(), read.state, read.stoppedAtNulLine};
  document.state.CurrentFileName = path.WithExtension(".tre");
  const StepList& steps = read.steps;
  const std::string_view source = steps.Source();
  const std::string_view kept = document.tree.KeepSource(std::string(source));
  TreeNode* previous = nullptr;
  for (std::size_t i = 0; i < steps.Size(); ++i) {
    const std::string_view text = kept.substr(static_cast<std::size_t>(steps[i].text.data() - source.data()),
                                              steps[i].text.size());
    previous = AddInPreOrder(document.tree, previous, static_cast<std::size_t>(steps[i].level), text, steps[i].kind);
  }
  return document;
}
#endif

}  // namespace velmora
