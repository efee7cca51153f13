// The reading side of the payload, shared by the editor (opening an ".exe")
// and the player stub (reading its own file). It raises nothing: the stub
// runs without exceptions, and the editor's form below turns a failure into
// its VelmoraError.
#include <cstdint>
#include <optional>
#include <utility>

#include "files/DistributionPayload.h"
#include "document/ContentVersion.h"
#include "document/Errors.h"
#include "files/FileMessages.h"
#include "files/IniText.h"
#include "files/LineSplitter.h"
#include "files/LittleEndian.h"
#include "files/TrailingLines.h"
#include "files/TreeTextParser.h"

namespace velmora {
namespace {

constexpr std::size_t kTrailerSize = 4;

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

// The stored values from the option block, or from the older layout's
// lines, which leave the steps. False when no procedure is left.
bool ReadStoredValues(std::string_view payload, PayloadSteps& read) {
  StepList& steps = read.steps;
  // The step before the last tells the layouts apart: an option block's
  // last value, or the older layout's title line.
  if (steps.Size() < 2) return false;
  if (steps[steps.Size() - 2].text.find('=') == std::string_view::npos) {
    return ReadMarkAndTitleLines(steps, read.state);
  }
  // Only the payload is looked at: the stub's own bytes may hold strings
  // that look like a section.
  ApplyOptionValues(ReadOptionBlock(payload, kProfileRules), read.state);
  read.colourStored = true;
  ReadStepFields(steps);
  RemoveTrailingRootLevelSteps(steps);
  return true;
}

// Reads the procedure into `read`; the failure's text, or empty.
std::string ReadProcedure(std::string_view fileBytes, std::string_view displayPath, PayloadSteps& read) {
  if (fileBytes.size() < kTrailerSize) return StreamReadErrorMessage();
  const std::size_t end = PayloadEnd(fileBytes);
  const std::uint64_t length = LittleEndian32At(fileBytes, end - kTrailerSize);
  // A zero trailer, or one reaching before the start of the file, means the
  // file was not made by the generator (or was cut short): nothing to read.
  if (length == 0 || length > end - kTrailerSize) return NoProcedureMessage(displayPath);
  const std::string_view payload =
      fileBytes.substr(end - kTrailerSize - static_cast<std::size_t>(length), static_cast<std::size_t>(length));

  read.version = ContentVersion(payload);
  StepsParse parse = ParseStepsOrError(payload, kEndLine);
  if (!parse.error.empty()) return std::move(parse.error);
  read.steps = std::move(parse.steps);
  if (!ReadStoredValues(payload, read)) return NoProcedureMessage(displayPath);
  RestoreKinds(read.steps);
  return {};
}

}  // namespace

PayloadSteps ReadPayloadStepsOrError(std::string_view fileBytes, std::string_view displayPath) {
  PayloadSteps read;
  read.error = ReadProcedure(fileBytes, displayPath, read);
  return read;
}


}  // namespace velmora
