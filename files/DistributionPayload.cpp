#include "files/DistributionPayload.h"

#include <cstdint>

#include "document/Errors.h"
#include "files/FileMessages.h"
#include "files/TreeFile.h"
#include "files/VersionComment.h"

namespace velmora {
namespace {

constexpr std::size_t kTrailerSize = 4;

void AppendLittleEndian32(std::string& bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The tree text is measured first and written straight behind the stub, so
// the executable is built in one buffer of its final size.
template <typename Procedure>
std::string BuildExecutable(std::string_view stub, const Procedure& procedure, const DocumentState& state) {
  const std::size_t textSize = TreeTextSize(procedure, state);
  if (textSize > 0xFFFFFFFFull - kTrailerSize) throw VelmoraError(ProcedureTooLargeMessage());
  // The version information says where the program records its runs.
  const std::string player = WithVersionComment(stub, RecordFolderComment(state.RecordFolder));
  std::string bytes;
  bytes.reserve(player.size() + textSize + kTrailerSize);
  bytes += player;
  AppendTreeText(bytes, procedure, state);
  AppendLittleEndian32(bytes, static_cast<std::uint32_t>(textSize));
  return bytes;
}

}  // namespace

std::string BuildDistributionExecutable(std::string_view stub, const DecisionTree& tree, const DocumentState& state) {
  return BuildExecutable(stub, tree, state);
}

std::string BuildDistributionExecutable(std::string_view stub, const StepProcedure& steps, const DocumentState& state) {
  return BuildExecutable(stub, steps, state);
}

}  // namespace velmora
